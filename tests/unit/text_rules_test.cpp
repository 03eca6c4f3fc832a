#include "app/text_rules.h"

#include <gtest/gtest.h>

namespace {

using app::AppKeyFromName;
using app::FolderOfPath;

TEST(AppKeyFromName, ReplacesDotsAndSpacesOnly) {
    struct Case {
        const char* name;
        const char* key;
    };
    const Case cases[] = {
        {"Sample Viewer 1.5", "Sample_Viewer_1_5"},
        {"a..b", "a__b"},
        {"  lead and trail. ", "__lead_and_trail__"},
        {"tab\there-hyphen", "tab\there-hyphen"},
        {"under_score/slash\\back", "under_score/slash\\back"},
        {"Caf\xe9 1.0", "Caf\xe9_1_0"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AppKeyFromName(c.name), c.key);
    }
}

// A code page in which 0x82 opens a two-byte character.
bool LeadIs0x82(unsigned char byte) {
    return byte == 0x82;
}

TEST(FolderOfPath, KeepsThePathUpToItsLastSeparator) {
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Apps\\Sample Viewer\\UNINSTALL.EXE", "C:\\Apps\\Sample Viewer\\"},
        {"C:\\UNINSTALL.EXE", "C:\\"},
        {"C:file", "C:"},
        {"\\\\server\\share\\Uninstall.exe", "\\\\server\\share\\"},
        {"C:\\Apps\\", "C:\\Apps\\"},
        {"Uninstall.exe", ""},
        {"", ""},
        // The "\" after 0x82 is its trailing byte, no separator.
        {"C:\\x\\\x82\\y.exe", "C:\\x\\"},
        {"C:\\x\x82\\", "C:\\"},
        {"C:\\\x82\\\\y.exe", "C:\\\x82\\\\"},
        // A lead byte at the very end has no trailing byte.
        {"C:\\x\\\x82", "C:\\x\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderOfPath(c.path, LeadIs0x82), c.folder);
    }
}

TEST(FolderOfPath, TreatsEveryBackslashAsSeparatorWithoutLeadBytes) {
    EXPECT_EQ(FolderOfPath("C:\\x\\\x82\\y.exe", nullptr), "C:\\x\\\x82\\");
    EXPECT_EQ(FolderOfPath("C:\\x\\\x82\\y.exe", [](unsigned char) { return false; }),
              "C:\\x\\\x82\\");
}

}  // namespace
