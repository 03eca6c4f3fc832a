// The removal of everything the description records, in its fixed order:
// files (COM servers unregistered first), registry values, shortcuts, and
// the application's uninstall entry.
#pragma once

#include <string>

#include "description/ini_reader.h"

namespace removal {

void RemoveRecordedItems(description::IniReader& ini, const std::string& app_key);

}  // namespace removal
