#include "removal/registry.h"

#include "app/text_rules.h"
#include "controls/handles.h"

namespace removal {
namespace {

// KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
const REGSAM kValueAccess = 0x2001F;

struct RootName {
    const char* name;
    HKEY key;
};

const RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", HKEY_DYN_DATA},
};

}  // namespace

HKEY RootKeyFromName(std::string_view name) {
    const std::string upper = app::UpperAscii(name);
    for (const RootName& root : kRoots) {
        if (upper == root.name) return root.key;
    }
    return HKEY_CURRENT_USER;
}

void DeleteRegValue(const std::string& root, const std::string& key, const std::string& value) {
    controls::UniqueKey opened;
    if (RegOpenKeyExA(RootKeyFromName(root), key.c_str(), 0, kValueAccess, opened.put()) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(opened.get(), value.c_str());
}

bool DeleteRegKey(HKEY root, const std::string& key) {
    if (!root) return false;
    return RegDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

}  // namespace removal
