#include "description/ini_reader.h"

#include "controls/handles.h"

namespace description {
namespace {

bool SameStamp(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 &&
           a.dwFileAttributes == b.dwFileAttributes;
}

// The whole file, or nothing when it cannot be read or is too large.
std::string ReadWholeFile(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& stamp) {
    if (stamp.nFileSizeHigh != 0 || stamp.nFileSizeLow > kMaxDescriptionBytes) return {};
    controls::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(stamp.nFileSizeLow, '\0');
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total,
                      &got, nullptr) ||
            got == 0) {
            break;
        }
        total += got;
    }
    bytes.resize(total);
    return bytes;
}

std::string WideToAnsi(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                            nullptr, nullptr);
    }
    return ansi;
}

// A file's bytes as text of the ANSI code page: a file that starts with a
// UTF-8 or UTF-16 byte-order mark is converted; any other is taken as is.
std::string ToAnsiText(std::string bytes) {
    auto starts = [&](std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; };
    if (starts("\xEF\xBB\xBF")) {
        int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3,
                                    static_cast<int>(bytes.size() - 3), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
        if (n > 0) {
            MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3),
                                wide.data(), n);
        }
        return WideToAnsi(wide);
    }
    bool little = starts("\xFF\xFE");
    if (little || starts("\xFE\xFF")) {
        std::wstring wide;
        wide.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
            auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
            wide.push_back(static_cast<wchar_t>(lo | (hi << 8)));
        }
        return WideToAnsi(wide);
    }
    return bytes;
}

}  // namespace

const IniDocument& IniReader::Current() {
    WIN32_FILE_ATTRIBUTE_DATA stamp{};
    bool present = !path_.empty() &&
                   GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &stamp) &&
                   !(stamp.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!present) {
        document_ = IniDocument();
        loaded_ = false;
    } else if (!loaded_ || !SameStamp(stamp, stamp_)) {
        document_ = IniDocument::Parse(ToAnsiText(ReadWholeFile(path_, stamp)));
        stamp_ = stamp;
        loaded_ = true;
    }
    return document_;
}

std::string IniReader::ReadString(std::string_view key, const std::string& default_value) {
    const std::string* value = Current().Find(section_, key);
    return value ? *value : default_value;
}

int IniReader::ReadInteger(std::string_view key, int default_value) {
    const std::string* value = Current().Find(section_, key);
    return value ? ParseInteger(*value, default_value) : default_value;
}

bool IniReader::ReadBoolean(std::string_view key, bool default_value) {
    return ReadInteger(key, default_value ? 1 : 0) != 0;
}

std::vector<int> IniReader::NumberedKeys(const std::vector<std::string_view>& suffixes) {
    return Current().NumberedKeys(section_, suffixes);
}

std::vector<int> IniReader::NumberedSections(std::string_view prefix) {
    return Current().NumberedSections(prefix);
}

}  // namespace description
