#include "app/module_path.h"

#include <windows.h>

namespace app {

std::optional<std::string> ModulePath() {
    char buffer[261];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::nullopt;
    return std::string(buffer, n);
}

bool IsLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace app
