#include "app/error_report.h"

#include <windows.h>

#include <cstdint>

#include "app/module_path.h"
#include "app/text_rules.h"

namespace app {

std::string ErrorReportText(std::string_view kind, std::string_view module, const void* address,
                            std::string_view message) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex(sizeof(void*) * 2, '0');
    auto value = reinterpret_cast<std::uintptr_t>(address);
    for (size_t i = hex.size(); i-- > 0; value >>= 4) hex[i] = kDigits[value & 0xF];

    std::string text = "Exception ";
    text.append(kind).append(" in module ").append(module).append(" at ").append(hex);
    text.append(".\r\n").append(message);
    if (message.empty() || message.back() != '.') text += '.';
    text += "\r\n";
    return text;
}

void ShowErrorReport(const controls::FatalError& error) {
    std::string path = ModulePath().value_or("");
    std::string module = path.substr(FolderOfPath(path, nullptr).size());
    std::string text = ErrorReportText(error.kind, module, error.address, error.message);
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace app
