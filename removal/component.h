// Unregistering COM servers with the system's registration tool.
#pragma once

#include <string>

namespace removal {

// "regsvr32.exe /u /s " and the path in quotation marks, so that a long
// path with blanks stays one argument. Pure text logic.
std::string UnregisterCommandLine(const std::string& short_path);

// Runs the registration tool on the file's short path and waits for it.
void UnregisterComponent(const std::string& path);

// Starts a command line as a child process and waits, without a time
// limit, for it to end; returns at once when it cannot start.
void RunAndWait(const std::string& command_line);

}  // namespace removal
