#include "app/text_rules.h"

namespace app {

std::string AppKeyFromName(std::string_view app_name) {
    std::string key(app_name);
    for (char& c : key) {
        if (c == '.' || c == ' ') c = '_';
    }
    return key;
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string FolderOfPath(std::string_view path, LeadBytePredicate is_lead_byte) {
    size_t end = 0;  // one past the last separator
    for (size_t i = 0; i < path.size(); ++i) {
        auto byte = static_cast<unsigned char>(path[i]);
        if (is_lead_byte && is_lead_byte(byte) && i + 1 < path.size()) {
            ++i;  // the trailing byte belongs to the character
            continue;
        }
        if (byte == '\\' || byte == ':') end = i + 1;
    }
    return std::string(path.substr(0, end));
}

}  // namespace app
