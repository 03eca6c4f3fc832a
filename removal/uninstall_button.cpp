// The removal of everything the description records, on one click.
#include <windows.h>

#include "app/main_form.h"
#include "app/program_state.h"
#include "description/ini_document.h"
#include "description/numbered_list.h"
#include "removal/component.h"
#include "removal/registry.h"

namespace app {
namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void RemoveFiles(description::IniReader& ini) {
    ini.SetSection("oth");
    int count = ini.ReadInteger("count", 0);
    description::WalkNumberedList(count, ini.LastNumberedKey({"", "dllocx"}), [&](int n) {
        std::string entry = description::EntryName(n);
        std::string path = ini.ReadString(entry, "");
        if (ini.ReadBoolean(entry + "dllocx", false)) removal::UnregisterComponent(path);
        DeleteFileA(path.c_str());
    });
}

void RemoveRegistryValues(description::IniReader& ini) {
    ini.SetSection("uninstall12");
    int count = ini.ReadInteger("regcount", 0);
    description::WalkNumberedList(count, ini.LastNumberedSection("reg"), [&](int n) {
        ini.SetSection("reg" + description::EntryName(n));
        std::string value = ini.ReadString("value", "");
        std::string key = ini.ReadString("key", "");
        std::string root = ini.ReadString("root", "");
        // An entry that names nothing (a missing section) would otherwise
        // delete the unnamed value of HKEY_CURRENT_USER itself.
        if (value.empty() && key.empty() && root.empty()) return;
        removal::DeleteRegValue(root, key, value);
    });
}

void RemoveShortcuts(description::IniReader& ini) {
    ini.SetSection("lnk");
    int count = ini.ReadInteger("count", 0);
    description::WalkNumberedList(count, ini.LastNumberedKey({""}), [&](int n) {
        DeleteFileA(ini.ReadString(description::EntryName(n), "").c_str());
    });
}

}  // namespace

void UninstallButtonClick(MainForm& form) {
    form.CancelButton->SetEnabled(false);
    form.UninstallButton->SetEnabled(false);
    // Runs at most once: both buttons stay disabled from here on. A click
    // that was queued behind a cancel finds the reader released and
    // removes nothing.
    if (!UninstallIni) return;
    RemoveFiles(*UninstallIni);
    RemoveRegistryValues(*UninstallIni);
    RemoveShortcuts(*UninstallIni);
    // Without a name the path would be the Uninstall key itself.
    if (!AppKey.empty()) removal::DeleteRegKey(HKEY_LOCAL_MACHINE, kUninstallKey + AppKey);
    form.FinishTimer->SetEnabled(true);
}

}  // namespace app
