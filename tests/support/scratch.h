// Scratch folders, files and registry keys for tests that run against
// Wine's real file system and registry.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace test_support {

// A Unix path as the program sees it (through drive Z:); Windows paths
// pass unchanged.
std::string WindowsPathOf(const std::string& path);

// The Windows path held by an environment variable the test run sets.
std::string PathFromEnvironment(const char* name);

// A folder of its own under C:\uninstaller-tests, empty at the start and
// removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, ending in a backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + std::string(name); }

private:
    std::string path_;
};

void MakeFolders(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Removes a folder and its contents; links are removed, never followed.
void RemoveTree(const std::string& path);
void CopyFileTo(const std::string& from, const std::string& to);

void SetRegString(HKEY root, const std::string& key, const std::string& name,
                  const std::string& value);
bool RegValueExists(HKEY root, const std::string& key, const std::string& name);
bool RegKeyExists(HKEY root, const std::string& key);
void DeleteRegTree(HKEY root, const std::string& key);

}  // namespace test_support
