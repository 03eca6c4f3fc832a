#include "description/ini_document.h"

#include <algorithm>
#include <climits>

namespace description {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names match without regard to the case of a..z.
std::string Fold(std::string_view s) {
    std::string folded(s);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::vector<int> SortedOnce(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    Keys* current = nullptr;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;

        line = line.substr(0, line.find('\0'));
        line = Trim(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            size_t close = line.rfind(']');
            if (close == std::string_view::npos) continue;
            // A repeated section adds its keys to the first one.
            current = &doc.sections_[Fold(Trim(line.substr(1, close - 1)))];
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        std::string_view key = Trim(line.substr(0, eq));
        if (key.empty()) continue;
        std::string_view value = Unquote(Trim(line.substr(eq + 1)));
        // The first of two keys of the same name wins.
        current->emplace(Fold(key), std::string(value.substr(0, kMaxValueLength)));
    }
    return doc;
}

const std::string* IniDocument::Find(std::string_view section, std::string_view key) const {
    auto s = sections_.find(Fold(section));
    if (s == sections_.end()) return nullptr;
    auto k = s->second.find(Fold(key));
    return k == s->second.end() ? nullptr : &k->second;
}

std::vector<int> IniDocument::NumberedKeys(std::string_view section,
                                           const std::vector<std::string_view>& suffixes) const {
    std::vector<int> numbers;
    auto s = sections_.find(Fold(section));
    if (s == sections_.end()) return numbers;
    for (const auto& entry : s->second) {
        std::string_view rest;
        int n = LeadingEntryNumber(entry.first, &rest);
        if (n == 0) continue;
        for (std::string_view suffix : suffixes) {
            if (rest == Fold(suffix)) {
                numbers.push_back(n);
                break;
            }
        }
    }
    return SortedOnce(std::move(numbers));
}

std::vector<int> IniDocument::NumberedSections(std::string_view prefix) const {
    std::string folded = Fold(prefix);
    std::vector<int> numbers;
    for (const auto& entry : sections_) {
        std::string_view name = entry.first;
        if (name.substr(0, folded.size()) != folded) continue;
        std::string_view rest;
        int n = LeadingEntryNumber(name.substr(folded.size()), &rest);
        if (n > 0 && rest.empty()) numbers.push_back(n);
    }
    return SortedOnce(std::move(numbers));
}

int ParseInteger(std::string_view value, int default_value) {
    if (value.empty()) return default_value;
    bool negative = false;
    if (value.front() == '-' || value.front() == '+') {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    long long n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
        if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return n > INT_MAX ? INT_MIN : static_cast<int>(-n);
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

std::string EntryName(int n) {
    return std::to_string(n);
}

int LeadingEntryNumber(std::string_view name, std::string_view* rest) {
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
    if (digits == 0 || name[0] == '0' || digits > 10) return 0;
    long long n = 0;
    for (size_t i = 0; i < digits; ++i) n = n * 10 + (name[i] - '0');
    if (n > INT_MAX) return 0;
    *rest = name.substr(digits);
    return static_cast<int>(n);
}

}  // namespace description
