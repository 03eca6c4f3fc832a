// The batch file that deletes the executable once the program has ended,
// removes the installation folder and deletes itself.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace finish {

// A path as the command interpreter must see it: in quotation marks (a long
// path may hold blanks), every "%" doubled. Pure text logic.
std::string BatchPath(std::string_view path);

// The folder of a path without its trailing separator. Pure text logic.
std::string ShortFolderOf(std::string_view exe_short_path);

// The six lines, each ended by CR LF. The folder is left out of line 5
// (which then removes nothing) when it must stay. Pure text logic.
std::string SelfDeleteBatchText(std::string_view exe_short_path, bool remove_folder = true);

// The system's temporary folder with a trailing backslash.
std::string TempDir();

// The short form of the running executable's path; empty when unknown.
std::string ExeShortPath();

// Writes TempDir + "delme.bat". Returns 0, or the system's error code of
// the first operation that failed (nothing after it is done).
DWORD WriteSelfDeleteBatch(bool remove_folder = true);

// Starts the batch file hidden; the outcome is not looked at.
void StartSelfDeleteBatch();

}  // namespace finish
