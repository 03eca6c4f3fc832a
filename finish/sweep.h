// Emptying the installation folder.
#pragma once

#include <string>
#include <string_view>

namespace finish {

// "UNINSTALL.EXE" and "UNINSTALL.INI" in any case of a..z. Pure text logic.
bool IsProtectedName(std::string_view name);

// Deletes every file and removes every subfolder of a folder (its path ends
// in a backslash), depth first, sparing the protected names at every depth.
// Links to folders are neither entered nor removed. Reports nothing.
void SweepFolder(const std::string& folder);

}  // namespace finish
