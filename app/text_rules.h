// Text rules of start-up: the registry name derived from the application's
// name and the folder part of a path. Pure text logic.
#pragma once

#include <string>
#include <string_view>

namespace app {

// The application's name with every "." and " " replaced by "_": the name
// of its uninstall entry.
std::string AppKeyFromName(std::string_view app_name);

// The text with a..z upper-cased and every other byte left as it is.
std::string UpperAscii(std::string_view text);

// Predicate for the first byte of a two-byte character in the code page.
using LeadBytePredicate = bool (*)(unsigned char);

// The path up to and including its last "\" or ":"; the trailing byte of a
// two-byte character is no separator. Empty when there is no separator.
std::string FolderOfPath(std::string_view path, LeadBytePredicate is_lead_byte);

}  // namespace app
