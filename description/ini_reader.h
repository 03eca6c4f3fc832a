// IniReader: reads values of one INI-format file by section and key. It
// keeps the file's path and the section for the next reads; every read sees
// the file as it is at that moment (a parsed copy is reused only while the
// file's size and time of last change stay the same). It never writes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "description/ini_document.h"

namespace description {

class IniReader {
public:
    explicit IniReader(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    void SetSection(std::string section) { section_ = std::move(section); }
    const std::string& Section() const { return section_; }

    std::string ReadString(std::string_view key, const std::string& default_value);
    int ReadInteger(std::string_view key, int default_value);
    bool ReadBoolean(std::string_view key, bool default_value);

    // For walking numbered lists: the entry numbers present in the current
    // section (keys n followed by one of the suffixes), or among the
    // sections named prefix followed by n; ascending.
    std::vector<int> NumberedKeys(const std::vector<std::string_view>& suffixes);
    std::vector<int> NumberedSections(std::string_view prefix);

private:
    const IniDocument& Current();

    std::string path_;
    std::string section_;

    // The parsed file and the state of the file it was parsed from.
    IniDocument document_;
    bool loaded_ = false;
    WIN32_FILE_ATTRIBUTE_DATA stamp_{};
};

// Upper bound on the size of a description file that is read at all.
constexpr DWORD kMaxDescriptionBytes = 64u << 20;

}  // namespace description
