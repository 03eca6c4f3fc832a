#include "removal/removal_sequence.h"

#include <windows.h>

#include "description/ini_document.h"
#include "description/numbered_list.h"
#include "removal/component.h"
#include "removal/registry.h"

namespace removal {
namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void RemoveFiles(description::IniReader& ini) {
    ini.SetSection("oth");
    int count = ini.ReadInteger("count", 0);
    description::WalkNumberedList(count, ini.NumberedKeys({"", "dllocx"}), [&](int n) {
        std::string entry = description::EntryName(n);
        std::string path = ini.ReadString(entry, "");
        if (ini.ReadBoolean(entry + "dllocx", false)) UnregisterComponent(path);
        DeleteFileA(path.c_str());
    });
}

void RemoveRegistryValues(description::IniReader& ini) {
    ini.SetSection("uninstall12");
    int count = ini.ReadInteger("regcount", 0);
    description::WalkNumberedList(count, ini.NumberedSections("reg"), [&](int n) {
        ini.SetSection("reg" + description::EntryName(n));
        std::string value = ini.ReadString("value", "");
        std::string key = ini.ReadString("key", "");
        std::string root = ini.ReadString("root", "");
        // An entry that names nothing (a missing section) would otherwise
        // delete the unnamed value of HKEY_CURRENT_USER itself.
        if (value.empty() && key.empty() && root.empty()) return;
        DeleteRegValue(root, key, value);
    });
}

void RemoveShortcuts(description::IniReader& ini) {
    ini.SetSection("lnk");
    int count = ini.ReadInteger("count", 0);
    description::WalkNumberedList(count, ini.NumberedKeys({""}), [&](int n) {
        DeleteFileA(ini.ReadString(description::EntryName(n), "").c_str());
    });
}

}  // namespace

void RemoveRecordedItems(description::IniReader& ini, const std::string& app_key) {
    RemoveFiles(ini);
    RemoveRegistryValues(ini);
    RemoveShortcuts(ini);
    // Without a name the path would be the Uninstall key itself.
    if (!app_key.empty()) DeleteRegKey(HKEY_LOCAL_MACHINE, kUninstallKey + app_key);
}

}  // namespace removal
