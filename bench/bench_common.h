// Helpers shared by the benchmark programs: the clock, child processes,
// counting what is left of a folder, and the registry values that a
// description lists.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Milliseconds on the performance counter.
double NowMs();

// Prints one figure as "name value" on its own line; the script reads them.
void Figure(const std::string& name, double value);

// Starts a command line and waits for it to end; the wall time in ms, or a
// negative value when it could not be started or did not end in time.
double RunAndWait(const std::string& command_line, const std::string& current_folder,
                  DWORD* exit_code = nullptr, DWORD timeout_ms = 600000);

// Files and folders below a folder (the folder itself counted when it
// exists); 0 when it is gone.
long CountEntries(const std::string& folder);

struct RegItem {
    HKEY root = HKEY_CURRENT_USER;
    std::string key;
    std::string value;
};

// The lists of a description, read once (the reading is not timed).
struct RecordedItems {
    std::vector<std::string> files;
    std::vector<RegItem> values;
    std::vector<std::string> shortcuts;
    std::string app_key;
};

RecordedItems LoadRecordedItems(const std::string& ini_path);

// Creates every listed registry value (and the application's uninstall
// entry), so that there is something to delete.
void CreateRegistryItems(const RecordedItems& items);

// Has the registry written out now, so that a save of the values just
// created does not fall into a timed section.
void SettleRegistry();

// How many of the listed items still exist; with report, the first few
// are named on stderr.
long CountLeftItems(const RecordedItems& items, bool report = false);

// "Software\Microsoft\Windows\CurrentVersion\Uninstall\" + app key.
std::string UninstallEntry(const std::string& app_key);

// Median of a set of figures (they are sorted in place).
double Median(std::vector<double>& values);

}  // namespace bench
