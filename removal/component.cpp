#include "removal/component.h"

#include <windows.h>

#include "controls/handles.h"

namespace removal {

std::string UnregisterCommandLine(const std::string& short_path) {
    return "regsvr32.exe /u /s \"" + short_path + "\"";
}

void UnregisterComponent(const std::string& path) {
    char buffer[260];
    DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    // A result as large as the buffer is the size it would need: nothing
    // usable was written.
    std::string short_path = n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
    RunAndWait(UnregisterCommandLine(short_path));
}

void RunAndWait(const std::string& command_line) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION process{};
    std::string writable = command_line;  // CreateProcessA may write into it
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process)) {
        return;
    }
    controls::UniqueKernelHandle process_handle(process.hProcess);
    controls::UniqueKernelHandle thread_handle(process.hThread);
    WaitForSingleObject(process_handle.get(), INFINITE);
}

}  // namespace removal
