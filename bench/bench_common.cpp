#include "bench/bench_common.h"

#include <algorithm>

#include "app/text_rules.h"
#include "description/ini_reader.h"
#include "removal/registry.h"

namespace bench {

double NowMs() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

void Figure(const std::string& name, double value) {
    std::printf("%s %.3f\n", name.c_str(), value);
    std::fflush(stdout);
}

double RunAndWait(const std::string& command_line, const std::string& current_folder,
                  DWORD* exit_code, DWORD timeout_ms) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = command_line;
    const double start = NowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        current_folder.empty() ? nullptr : current_folder.c_str(), &startup,
                        &process)) {
        return -1;
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, timeout_ms);
    const double elapsed = NowMs() - start;
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    if (exit_code) GetExitCodeProcess(process.hProcess, exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == WAIT_OBJECT_0 ? elapsed : -1;
}

long CountEntries(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 1;
    long count = 1;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return count;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            count += CountEntries(folder + "\\" + name);
        } else {
            ++count;
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return count;
}

RecordedItems LoadRecordedItems(const std::string& ini_path) {
    RecordedItems items;
    description::IniReader ini(ini_path);
    ini.SetSection("uninstall12");
    items.app_key = app::AppKeyFromName(ini.ReadString("appname", ""));
    const int regcount = ini.ReadInteger("regcount", 0);
    ini.SetSection("oth");
    for (int n = 1, count = ini.ReadInteger("count", 0); n <= count; ++n) {
        items.files.push_back(ini.ReadString(std::to_string(n), ""));
    }
    for (int n = 1; n <= regcount; ++n) {
        ini.SetSection("reg" + std::to_string(n));
        RegItem item;
        item.value = ini.ReadString("value", "");
        item.key = ini.ReadString("key", "");
        item.root = removal::RootKeyFromName(ini.ReadString("root", ""));
        items.values.push_back(item);
    }
    ini.SetSection("lnk");
    for (int n = 1, count = ini.ReadInteger("count", 0); n <= count; ++n) {
        items.shortcuts.push_back(ini.ReadString(std::to_string(n), ""));
    }
    return items;
}

std::string UninstallEntry(const std::string& app_key) {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + app_key;
}

void CreateRegistryItems(const RecordedItems& items) {
    HKEY open = nullptr;
    std::string open_name;
    HKEY open_root = nullptr;
    for (const RegItem& item : items.values) {
        if (!open || item.key != open_name || item.root != open_root) {
            if (open) RegCloseKey(open);
            open = nullptr;
            RegCreateKeyExA(item.root, item.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &open, nullptr);
            open_name = item.key;
            open_root = item.root;
        }
        if (open) {
            RegSetValueExA(open, item.value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"),
                           2);
        }
    }
    if (open) RegCloseKey(open);
    if (!items.app_key.empty()) {
        HKEY entry = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallEntry(items.app_key).c_str(), 0, nullptr,
                            0, KEY_SET_VALUE, nullptr, &entry, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(entry, "DisplayName", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(items.app_key.c_str()),
                           static_cast<DWORD>(items.app_key.size() + 1));
            RegCloseKey(entry);
        }
    }
}

void SettleRegistry() {
    RegFlushKey(HKEY_CURRENT_USER);
    RegFlushKey(HKEY_LOCAL_MACHINE);
}

namespace {

// Names the first few items left behind on stderr, for the failure report.
void NoteLeft(long& left, const std::string& what, bool report) {
    if (report && left < 5) std::fprintf(stderr, "left behind: %s\n", what.c_str());
    ++left;
}

}  // namespace

long CountLeftItems(const RecordedItems& items, bool report) {
    long left = 0;
    for (const auto& list : {&items.files, &items.shortcuts}) {
        for (const std::string& path : *list) {
            if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
                NoteLeft(left, path, report);
            }
        }
    }
    for (const RegItem& item : items.values) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(item.root, item.key.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            continue;
        }
        if (RegQueryValueExA(key, item.value.c_str(), nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            NoteLeft(left, "registry value " + item.key + "\\" + item.value, report);
        }
        RegCloseKey(key);
    }
    if (!items.app_key.empty()) {
        HKEY entry = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallEntry(items.app_key).c_str(), 0, KEY_READ,
                          &entry) == ERROR_SUCCESS) {
            NoteLeft(left, "uninstall entry " + items.app_key, report);
            RegCloseKey(entry);
        }
    }
    return left;
}

double Median(std::vector<double>& values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace bench
