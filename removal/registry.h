// Deletion of registry data named by the description.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace removal {

// One of the predefined root keys by its name, upper-casing a..z only;
// HKEY_CURRENT_USER for any other text.
HKEY RootKeyFromName(std::string_view name);

// Deletes one value (the unnamed one for an empty name) from a key below the
// named root (the root itself for an empty path). No key is created or
// removed.
void DeleteRegValue(const std::string& root, const std::string& key, const std::string& value);

// Deletes a key without subkeys directly below a root; true when the system
// deleted it.
bool DeleteRegKey(HKEY root, const std::string& key);

}  // namespace removal
