#include "app/pattern.h"

#include <climits>

namespace app {
namespace {

const size_t kMaxDirectiveInMessage = 31;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads decimal digits at pos, held at INT_MAX.
int ReadNumber(std::string_view s, size_t& pos) {
    long long n = 0;
    while (pos < s.size() && IsDigit(s[pos])) {
        n = n * 10 + (s[pos++] - '0');
        if (n > INT_MAX) n = INT_MAX;
    }
    return static_cast<int>(n);
}

FormatResult Malformed(const char* before, std::string_view directive, const char* after) {
    FormatResult r;
    r.status = FormatResult::Status::Malformed;
    r.message =
        std::string(before) + std::string(directive.substr(0, kMaxDirectiveInMessage)) + after;
    return r;
}

}  // namespace

FormatResult FormatPattern(std::string_view pattern, std::string_view argument) {
    FormatResult result;
    std::string& out = result.text;
    int last_used = -1;
    size_t pos = 0;
    while (pos < pattern.size()) {
        char c = pattern[pos];
        if (c != '%') {
            out += c;
            ++pos;
            continue;
        }
        const size_t start = pos++;
        if (pos >= pattern.size()) break;
        if (pattern[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }

        int index = -1;
        bool star = false;
        size_t digits_start = pos;
        int number = ReadNumber(pattern, pos);
        if (pos < pattern.size() && pattern[pos] == ':' && pos > digits_start) {
            index = number;
            ++pos;
        } else {
            pos = digits_start;
        }
        bool left = false;
        if (pos < pattern.size() && pattern[pos] == '-') {
            left = true;
            ++pos;
        }
        int width = 0;
        if (pos < pattern.size() && pattern[pos] == '*') {
            star = true;
            ++pos;
        } else {
            width = ReadNumber(pattern, pos);
        }
        int precision = -1;
        if (pos < pattern.size() && pattern[pos] == '.') {
            ++pos;
            if (pos < pattern.size() && pattern[pos] == '*') {
                star = true;
                ++pos;
            } else {
                precision = ReadNumber(pattern, pos);
            }
        }
        if (pos >= pattern.size()) break;  // cut off by the end: gives nothing
        const char letter = pattern[pos++];
        std::string_view directive = pattern.substr(start, pos - start);

        // A "*" takes an argument of its own, so there is none left for the letter.
        const int used = index >= 0 ? index : last_used + 1;
        if (star || used != 0) {
            return Malformed("No argument for format '", directive, "'");
        }
        last_used = used;
        if (letter != 's' && letter != 'S') {
            return Malformed("Format '", directive, "' invalid or incompatible with argument");
        }

        std::string_view value = argument;
        if (precision >= 0 && value.size() > static_cast<size_t>(precision)) {
            value = value.substr(0, static_cast<size_t>(precision));
        }
        size_t pad = static_cast<size_t>(width) > value.size() ? width - value.size() : 0;
        if (out.size() + pad + value.size() > kMaxFormattedLength) {
            FormatResult too_large;
            too_large.status = FormatResult::Status::TooLarge;
            return too_large;
        }
        if (!left) out.append(pad, ' ');
        out.append(value);
        if (left) out.append(pad, ' ');
    }
    return result;
}

}  // namespace app
