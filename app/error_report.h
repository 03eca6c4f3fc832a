// The last-resort report of an error that ends the program.
#pragma once

#include <string>
#include <string_view>

#include "controls/fatal_error.h"

namespace app {

// "Exception <kind> in module <module> at <address>.\r\n<message>[.]\r\n";
// a full stop follows a message that lacks one. Pure text logic.
std::string ErrorReportText(std::string_view kind, std::string_view module, const void* address,
                            std::string_view message);

// Shows the report in a task-modal box without owner, with a stop icon.
void ShowErrorReport(const controls::FatalError& error);

}  // namespace app
