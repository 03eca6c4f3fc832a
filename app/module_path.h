// The full path of the running executable.
#pragma once

#include <optional>
#include <string>

namespace app {

// As GetModuleFileNameA gives it into 261 bytes; nothing when the path is
// longer and would come back cut off: a cut path can name another file or
// a parent folder of the installation, so it is never used.
std::optional<std::string> ModulePath();

// The system's test for the first byte of a two-byte character.
bool IsLeadByte(unsigned char byte);

}  // namespace app
