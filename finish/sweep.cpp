#include "finish/sweep.h"

#include <windows.h>

#include "app/text_rules.h"
#include "controls/handles.h"

namespace finish {

bool IsProtectedName(std::string_view name) {
    const std::string upper = app::UpperAscii(name);
    return upper == "UNINSTALL.EXE" || upper == "UNINSTALL.INI";
}

void SweepFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    controls::UniqueFind find(FindFirstFileA((folder + "*.*").c_str(), &entry));
    if (!find) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (IsProtectedName(name)) continue;
        const std::string path = folder + name;
        const DWORD attributes = entry.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction or directory link leads outside the folder; removing
            // it is not safe everywhere (some systems remove the target).
            if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            SweepFolder(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            // Attributes of a link would be set on its target.
            if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
            }
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(find.get(), &entry));
}

}  // namespace finish
