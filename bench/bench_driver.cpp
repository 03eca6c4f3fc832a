// The benchmark driver: runs one measurement inside Wine and prints its
// figures as "name value" lines for scripts/bench.sh.
//
//   census <folder>                      what a generated tree holds
//   sweep <ours> <rd> <shell> <order>    three identical trees, three ways
//   removal <ours.ini> <floor.ini> <ours_first>
//   startup <runs> <name> <exe> [<name> <exe> ...]
//                                        process start to visible window
//   job <ours_dir> <headless_dir> <peer_dir> <order>
//   cleanup                              the benchmark's registry keys
//
// Folders are given without a trailing backslash.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_common.h"
#include "description/ini_reader.h"
#include "finish/sweep.h"
#include "removal/removal_sequence.h"

using namespace bench;

namespace {

// ---- census ---------------------------------------------------------------

struct Census {
    long files = 0, folders = 0, read_only = 0, hidden = 0, max_depth = 0;
};

void Count(const std::string& folder, int depth, Census& census) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ++census.folders;
            if (depth + 1 > census.max_depth) census.max_depth = depth + 1;
            Count(folder + "\\" + name, depth + 1, census);
        } else {
            ++census.files;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ++census.read_only;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ++census.hidden;
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

int CensusCommand(const std::string& folder) {
    Census census;
    Count(folder, 0, census);
    Figure("tree.files", census.files);
    Figure("tree.folders", census.folders);
    Figure("tree.read_only", census.read_only);
    Figure("tree.hidden", census.hidden);
    Figure("tree.max_depth", census.max_depth);
    return 0;
}

// ---- folder sweep -----------------------------------------------------------

double SweepOurs(const std::string& folder) {
    const double start = NowMs();
    finish::SweepFolder(folder + "\\");
    RemoveDirectoryA(folder.c_str());  // the shell deletes remove the folder too
    return NowMs() - start;
}

double ShellRd(const std::string& folder) {
    return RunAndWait("cmd.exe /c rd /s /q \"" + folder + "\"", "C:\\");
}

double ShellFileOperation(const std::string& folder) {
    std::string from = folder;
    from.push_back('\0');  // the list ends with a second zero
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    const double start = NowMs();
    SHFileOperationA(&operation);
    return NowMs() - start;
}

int SweepCommand(const std::string& ours, const std::string& rd, const std::string& shell,
                 int order) {
    struct Contender {
        const char* name;
        std::function<double()> run;
        std::string folder;
    };
    std::vector<Contender> contenders = {
        {"ours", [&] { return SweepOurs(ours); }, ours},
        {"rd", [&] { return ShellRd(rd); }, rd},
        {"shfileop", [&] { return ShellFileOperation(shell); }, shell},
    };
    for (size_t i = 0; i < contenders.size(); ++i) {
        Contender& c = contenders[(i + static_cast<size_t>(order)) % contenders.size()];
        Figure(std::string("sweep.") + c.name + "_ms", c.run());
        Figure(std::string("sweep.") + c.name + "_left",
               static_cast<double>(CountEntries(c.folder)));
    }
    // What starting the command interpreter alone costs, to tell it apart.
    std::vector<double> empty;
    for (int i = 0; i < 3; ++i) empty.push_back(RunAndWait("cmd.exe /c rem", "C:\\"));
    Figure("sweep.cmd_start_ms", Median(empty));
    return 0;
}

// ---- removal sequence --------------------------------------------------------

// The floor: the same deletions from lists already in memory.
double RemoveFromMemory(const RecordedItems& items) {
    const double start = NowMs();
    for (const std::string& path : items.files) DeleteFileA(path.c_str());
    for (const RegItem& item : items.values) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(item.root, item.key.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, item.value.c_str());
            RegCloseKey(key);
        }
    }
    for (const std::string& path : items.shortcuts) DeleteFileA(path.c_str());
    if (!items.app_key.empty()) {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallEntry(items.app_key).c_str());
    }
    return NowMs() - start;
}

double RemoveWithOurs(const std::string& ini_path, const std::string& app_key) {
    const double start = NowMs();
    description::IniReader ini(ini_path);
    removal::RemoveRecordedItems(ini, app_key);
    return NowMs() - start;
}

// Where the time beyond the floor goes: the reads of the description that
// the removal sequence makes, without deleting anything. The reader looks
// at the file's size and time before every read (a changed file is read
// again), so the check of that stamp alone is timed as well.
void TimeDescriptionReads(const std::string& ini_path, const RecordedItems& items) {
    description::IniReader ini(ini_path);
    double start = NowMs();
    ini.SetSection("oth");
    ini.ReadInteger("count", 0);
    Figure("removal.parse_ms", NowMs() - start);
    long reads = 0;
    start = NowMs();
    for (size_t n = 1; n <= items.files.size(); ++n) {
        const std::string entry = std::to_string(n);
        ini.ReadString(entry, "");
        ini.ReadBoolean(entry + "dllocx", false);
        reads += 2;
    }
    ini.SetSection("uninstall12");
    ini.ReadInteger("regcount", 0);
    for (size_t n = 1; n <= items.values.size(); ++n) {
        ini.SetSection("reg" + std::to_string(n));
        ini.ReadString("value", "");
        ini.ReadString("key", "");
        ini.ReadString("root", "");
        reads += 3;
    }
    ini.SetSection("lnk");
    ini.ReadInteger("count", 0);
    for (size_t n = 1; n <= items.shortcuts.size(); ++n) {
        ini.ReadString(std::to_string(n), "");
        ++reads;
    }
    reads += 3;
    Figure("removal.reads", static_cast<double>(reads));
    Figure("removal.reads_ms", NowMs() - start);
    start = NowMs();
    WIN32_FILE_ATTRIBUTE_DATA stamp{};
    for (long i = 0; i < reads; ++i) {
        GetFileAttributesExA(ini_path.c_str(), GetFileExInfoStandard, &stamp);
    }
    Figure("removal.stamp_checks_ms", NowMs() - start);
}

int RemovalCommand(const std::string& ours_ini, const std::string& floor_ini, bool ours_first) {
    const RecordedItems ours = LoadRecordedItems(ours_ini);
    const RecordedItems floor = LoadRecordedItems(floor_ini);
    CreateRegistryItems(ours);
    CreateRegistryItems(floor);
    Figure("removal.items",
           static_cast<double>(ours.files.size() + ours.values.size() + ours.shortcuts.size()));
    const long ours_before = CountLeftItems(ours);
    const long floor_before = CountLeftItems(floor);
    for (int i = 0; i < 2; ++i) {
        SettleRegistry();
        if ((i == 0) == ours_first) {
            Figure("removal.ours_ms", RemoveWithOurs(ours_ini, ours.app_key));
        } else {
            Figure("removal.floor_ms", RemoveFromMemory(floor));
        }
    }
    Figure("removal.ours_present_before", ours_before);
    Figure("removal.floor_present_before", floor_before);
    Figure("removal.ours_left", CountLeftItems(ours, true));
    Figure("removal.floor_left", CountLeftItems(floor, true));
    TimeDescriptionReads(ours_ini, ours);
    return 0;
}

// ---- start-up and memory -------------------------------------------------------

struct WindowSearch {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct StartupRun {
    double window_ms = -1;        // process start to visible window
    double idle_ms = -1;          // process start to WaitForInputIdle's return
    double peak_working_set = 0;  // bytes, read while the window shows
};

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

StartupRun StartAndClose(const std::string& exe) {
    StartupRun run;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\"";
    const std::string folder = FolderOf(exe);
    const double start = NowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return run;
    }
    WaitForInputIdle(process.hProcess, 20000);
    run.idle_ms = NowMs() - start;
    WindowSearch search{process.dwProcessId, nullptr};
    while (NowMs() - start < 20000) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        Sleep(1);
    }
    if (search.found) run.window_ms = NowMs() - start;
    // Let it paint and settle before its peak is read.
    Sleep(300);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
        run.peak_working_set = static_cast<double>(counters.PeakWorkingSetSize);
    }
    // Closing would take Wine two seconds for any top-level window here (it
    // waits that long for a window manager, and Xvfb has none), so the
    // process is ended instead; its window has been seen and measured.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

int StartupCommand(int runs, const std::vector<std::string>& names,
                   const std::vector<std::string>& exes) {
    // One run of each first, not counted: it loads the files into the cache.
    for (const std::string& exe : exes) StartAndClose(exe);
    for (int r = 0; r < runs; ++r) {
        for (size_t i = 0; i < exes.size(); ++i) {
            const size_t k = (i + static_cast<size_t>(r)) % exes.size();
            StartupRun run = StartAndClose(exes[k]);
            const std::string prefix = "startup." + names[k];
            Figure(prefix + "_window_ms", run.window_ms);
            Figure(prefix + "_idle_ms", run.idle_ms);
            Figure("memory." + names[k] + "_peak_ws_bytes", run.peak_working_set);
        }
    }
    return 0;
}

// ---- the whole job, against the peer ---------------------------------------------

double JobInProcess(const std::string& folder, const std::string& app_key) {
    const double start = NowMs();
    description::IniReader ini(folder + "\\Uninstall.ini");
    removal::RemoveRecordedItems(ini, app_key);
    finish::SweepFolder(folder + "\\");
    return NowMs() - start;
}

int JobCommand(const std::string& ours, const std::string& headless, const std::string& peer,
               int order) {
    const RecordedItems ours_items = LoadRecordedItems(ours + "\\Uninstall.ini");
    const RecordedItems headless_items = LoadRecordedItems(headless + "\\Uninstall.ini");
    const RecordedItems peer_items = LoadRecordedItems(peer + "\\items.ini");
    for (const RecordedItems* items : {&ours_items, &headless_items, &peer_items}) {
        CreateRegistryItems(*items);
    }
    struct Contender {
        const char* name;
        std::function<double()> run;
        const RecordedItems* items;
        std::string tree;
    };
    std::vector<Contender> contenders = {
        {"ours_inprocess", [&] { return JobInProcess(ours, ours_items.app_key); }, &ours_items,
         ours + "\\tree"},
        {"ours_process",
         [&] {
             DWORD code = 0;
             double ms = RunAndWait("\"" + headless + "\\Uninstall.exe\"", headless, &code);
             return code == 0 ? ms : -1;
         },
         &headless_items, headless + "\\tree"},
        {"peer_process",
         [&] {
             DWORD code = 0;
             double ms = RunAndWait("\"" + peer + "\\uninst.exe\" /S _?=" + peer, peer, &code);
             return code == 0 ? ms : -1;
         },
         &peer_items, peer + "\\tree"},
    };
    for (size_t i = 0; i < contenders.size(); ++i) {
        Contender& c = contenders[(i + static_cast<size_t>(order)) % contenders.size()];
        const long before = CountLeftItems(*c.items);
        SettleRegistry();
        Figure(std::string("job.") + c.name + "_ms", c.run());
        Figure(std::string("job.") + c.name + "_items_before", before);
        Figure(std::string("job.") + c.name + "_items_left", CountLeftItems(*c.items, true));
        Figure(std::string("job.") + c.name + "_tree_left", CountEntries(c.tree));
    }
    return 0;
}

// ---- cleanup -----------------------------------------------------------------------

int CleanupCommand() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\UninstallerBench");
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: bench_driver census|sweep|removal|startup|job|cleanup ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string& command = args[0];
    if (command == "cleanup") return CleanupCommand();
    if (command == "census" && args.size() == 2) return CensusCommand(args[1]);
    if (command == "sweep" && args.size() == 5) {
        return SweepCommand(args[1], args[2], args[3], std::atoi(args[4].c_str()));
    }
    if (command == "removal" && args.size() == 4) {
        return RemovalCommand(args[1], args[2], args[3] != "0");
    }
    if (command == "startup" && args.size() >= 4 && args.size() % 2 == 0) {
        std::vector<std::string> names, exes;
        for (size_t i = 2; i + 1 < args.size(); i += 2) {
            names.push_back(args[i]);
            exes.push_back(args[i + 1]);
        }
        return StartupCommand(std::atoi(args[1].c_str()), names, exes);
    }
    if (command == "job" && args.size() == 5) {
        return JobCommand(args[1], args[2], args[3], std::atoi(args[4].c_str()));
    }
    return Usage();
}
