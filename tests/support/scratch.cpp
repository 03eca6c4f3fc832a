#include "support/scratch.h"

#include <cstdlib>

#include "controls/handles.h"

namespace test_support {

std::string WindowsPathOf(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/') c = '\\';
    }
    return windows;
}

std::string PathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? WindowsPathOf(value) : std::string();
}

ScratchFolder::ScratchFolder(const std::string& name)
    : path_("C:\\uninstaller-tests\\" + name + "\\") {
    RemoveTree(path_.substr(0, path_.size() - 1));
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_.substr(0, path_.size() - 1));
}

void MakeFolders(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    controls::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::string& path) {
    controls::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    controls::UniqueFind find(FindFirstFileA((path + "\\*").c_str(), &entry));
    if (find) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(child);
            } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                continue;  // a link: the test that made it removes it
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find.get(), &entry));
    }
    find.reset();
    RemoveDirectoryA(path.c_str());
}

void CopyFileTo(const std::string& from, const std::string& to) {
    CopyFileA(from.c_str(), to.c_str(), FALSE);
}

void SetRegString(HKEY root, const std::string& key, const std::string& name,
                  const std::string& value) {
    controls::UniqueKey k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(),
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
}

bool RegValueExists(HKEY root, const std::string& key, const std::string& name) {
    controls::UniqueKey k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return false;
    return RegQueryValueExA(k.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const std::string& key) {
    controls::UniqueKey k;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

void DeleteRegTree(HKEY root, const std::string& key) {
    RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
}

}  // namespace test_support
