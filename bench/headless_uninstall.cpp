// The uninstaller's removal work as a whole process without its window:
// the recorded items of the description beside it, then the sweep of its
// folder. Timed from outside against the NSIS peer's process, so that both
// figures include a process start under the same Wine.
#include <windows.h>

#include <string>

#include "app/text_rules.h"
#include "description/ini_reader.h"
#include "finish/sweep.h"
#include "removal/removal_sequence.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::string folder(path, length);
    folder.erase(folder.rfind('\\') + 1);
    description::IniReader ini(folder + "Uninstall.ini");
    ini.SetSection("uninstall12");
    const std::string app_key = app::AppKeyFromName(ini.ReadString("appname", ""));
    removal::RemoveRecordedItems(ini, app_key);
    finish::SweepFolder(folder);
    return 0;
}
