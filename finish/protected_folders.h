// Folders that are never an installation: the sweep must not empty them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace finish {

// A drive root ("C:\") or share root ("\\server\share\"). Pure text logic.
bool IsRootFolder(std::string_view folder);

// Whether folder is one of the given folders or contains one of them.
// All paths end in a backslash and are compared case-blind. Pure text logic.
bool IsOrContainsAny(std::string_view folder, const std::vector<std::string>& folders);

// True for roots, for the system's well-known folders (Windows, system,
// program files, program data, the profile and its known folders, the
// application-data and temporary folders) and for folders that contain one.
bool IsProtectedFolder(const std::string& folder);

}  // namespace finish
