// Formatting of the description's text patterns with their one argument,
// the application's name. Pure text logic.
#pragma once

#include <string>
#include <string_view>

namespace app {

// Longest text a pattern may produce; a wider width cannot be built.
constexpr size_t kMaxFormattedLength = 16u << 20;

struct FormatResult {
    enum class Status { Ok, Malformed, TooLarge };
    Status status = Status::Ok;
    std::string text;     // the formatted text when Ok
    std::string message;  // what is wrong when Malformed
};

// "%%" gives "%"; "%[n:][-][width][.precision]s" gives the argument; a "%"
// or directive cut off by the end gives nothing. A directive that needs an
// argument beyond number 0, or whose letter is not "s", is malformed.
FormatResult FormatPattern(std::string_view pattern, std::string_view argument);

}  // namespace app
