#include "finish/protected_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "app/text_rules.h"

namespace finish {
namespace {

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

// The long form of a path, in upper case with a trailing backslash, so
// that "C:\PROGRA~1\" and "c:\Program Files\" compare equal.
std::string Canonical(const std::string& path) {
    char buffer[MAX_PATH * 2];
    DWORD n = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
    std::string long_path = n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
    CharUpperBuffA(long_path.data(), static_cast<DWORD>(long_path.size()));
    return WithBackslash(long_path);
}

std::vector<std::string> WellKnownFolders() {
    static const int kFolders[] = {
        CSIDL_WINDOWS,          CSIDL_SYSTEM,
        CSIDL_SYSTEMX86,        CSIDL_PROGRAM_FILES,
        CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON,
        CSIDL_COMMON_APPDATA,   CSIDL_PROFILE,
        CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY,
        CSIDL_PERSONAL,         CSIDL_COMMON_DOCUMENTS,
        CSIDL_APPDATA,          CSIDL_LOCAL_APPDATA,
        CSIDL_MYMUSIC,          CSIDL_MYPICTURES,
        CSIDL_MYVIDEO,          CSIDL_STARTMENU,
        CSIDL_COMMON_STARTMENU, CSIDL_FONTS,
    };
    std::vector<std::string> folders;
    for (int id : kFolders) {
        char path[MAX_PATH];
        if (SUCCEEDED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) {
            folders.push_back(Canonical(path));
        }
    }
    char profile[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile))) {
        // Downloads has no folder id of its own in the ANSI calls.
        folders.push_back(Canonical(WithBackslash(profile) + "Downloads"));
    }
    char temp[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof temp, temp);
    if (n > 0 && n < sizeof temp) folders.push_back(Canonical(std::string(temp, n)));
    return folders;
}

}  // namespace

bool IsRootFolder(std::string_view folder) {
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\') return true;
    if (folder.substr(0, 2) != "\\\\") return false;
    // \\server\share\ : the share root ends at the fourth backslash.
    size_t server_end = folder.find('\\', 2);
    if (server_end == std::string_view::npos) return true;
    size_t share_end = folder.find('\\', server_end + 1);
    return share_end == std::string_view::npos || share_end + 1 == folder.size();
}

bool IsOrContainsAny(std::string_view folder, const std::vector<std::string>& folders) {
    std::string upper = app::UpperAscii(folder);
    for (const std::string& known : folders) {
        std::string known_upper = app::UpperAscii(known);
        if (known_upper.compare(0, upper.size(), upper) == 0) return true;
    }
    return false;
}

bool IsProtectedFolder(const std::string& folder) {
    std::string canonical = Canonical(folder);
    return IsRootFolder(canonical) || IsOrContainsAny(canonical, WellKnownFolders());
}

}  // namespace finish
