// The contents of an INI-format file and the rules by which its values are
// read: case-blind names, blanks trimmed, one pair of enclosing quotation
// marks removed, values cut to 2047 bytes, numbers from leading digits.
// Pure text logic: no system calls.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace description {

// Longest value a read gives: what a 2048-byte buffer holds before its zero.
constexpr size_t kMaxValueLength = 2047;

class IniDocument {
public:
    // Parses the file's bytes. Lines end in CR LF, LF or CR; a NUL ends the
    // text of its line.
    static IniDocument Parse(std::string_view bytes);

    // The value of a key in a section, or null when either is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;

    // The numbers n, ascending and each once, for which the section has a
    // key named n followed by one of the suffixes ("" for the plain number).
    std::vector<int> NumberedKeys(std::string_view section,
                                  const std::vector<std::string_view>& suffixes) const;

    // The numbers n, ascending, for which a section named prefix followed
    // by n exists.
    std::vector<int> NumberedSections(std::string_view prefix) const;

private:
    using Keys = std::unordered_map<std::string, std::string>;
    std::unordered_map<std::string, Keys> sections_;  // names in lower case
};

// The number rule of integer values: an optional sign, then the decimal
// digits at the start; no digits gives 0, an empty value the default.
// Values beyond the 32-bit range are held at its ends.
int ParseInteger(std::string_view value, int default_value);

// n as an entry name: decimal, no sign, no leading zeros.
std::string EntryName(int n);

// The entry number a name starts with, and the rest of the name after it;
// 0 when the name does not start with a plain entry number.
int LeadingEntryNumber(std::string_view name, std::string_view* rest);

}  // namespace description
