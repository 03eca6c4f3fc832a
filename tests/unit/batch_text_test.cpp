#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "finish/protected_folders.h"
#include "finish/self_delete.h"
#include "finish/sweep.h"

namespace {

using finish::IsOrContainsAny;
using finish::IsProtectedName;
using finish::IsRootFolder;
using finish::SelfDeleteBatchText;
using finish::ShortFolderOf;

TEST(SelfDeleteBatchText, IsSixLinesEachEndedByCrLf) {
    EXPECT_EQ(SelfDeleteBatchText("C:\\PROGRA~1\\SAMPLE~1\\UNINST~1.EXE"),
              "@echo off\r\n"
              ":uninst\r\n"
              "del \"C:\\PROGRA~1\\SAMPLE~1\\UNINST~1.EXE\"\r\n"
              "if exist \"C:\\PROGRA~1\\SAMPLE~1\\UNINST~1.EXE\" goto uninst\r\n"
              "rd \"C:\\PROGRA~1\\SAMPLE~1\"\r\n"
              "del delme.bat\r\n");
}

TEST(SelfDeleteBatchText, QuotesEachPathAsOneArgument) {
    struct Case {
        const char* exe;
        const char* quoted_exe;     // as lines 3 and 4 carry it
        const char* quoted_folder;  // as line 5 carries it
    };
    const Case cases[] = {
        // A volume without short names gives the long path, blanks and all.
        {"C:\\Program Files\\Sample Viewer\\Uninstall.exe",
         "\"C:\\Program Files\\Sample Viewer\\Uninstall.exe\"",
         "\"C:\\Program Files\\Sample Viewer\""},
        // The command interpreter reads "%" as the start of a variable.
        {"C:\\100%Fun\\Uninstall.exe", "\"C:\\100%%Fun\\Uninstall.exe\"", "\"C:\\100%%Fun\""},
        {"C:\\a%%b\\x.exe", "\"C:\\a%%%%b\\x.exe\"", "\"C:\\a%%%%b\""},
        // Without a short path nothing is named and the loop does not repeat.
        {"", "\"\"", "\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(SelfDeleteBatchText(c.exe), std::string("@echo off\r\n:uninst\r\n") + "del " +
                                                  c.quoted_exe + "\r\nif exist " + c.quoted_exe +
                                                  " goto uninst\r\nrd " + c.quoted_folder +
                                                  "\r\ndel delme.bat\r\n");
    }
}

TEST(ShortFolderOf, CutsAtTheLastSeparatorAndDropsIt) {
    struct Case {
        const char* exe;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\PROGRA~1\\SAMPLE~1\\UNINST~1.EXE", "C:\\PROGRA~1\\SAMPLE~1"},
        {"C:\\UNINST~1.EXE", "C:"},
        {"\\\\server\\share\\UNINST~1.EXE", "\\\\server\\share"},
        {"C:UNINST~1.EXE", "C"},
        {"UNINST~1.EXE", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(ShortFolderOf(c.exe), c.folder);
    }
}

TEST(IsProtectedName, MatchesTheTwoNamesInAnyCase) {
    struct Case {
        const char* name;
        bool is_protected;
    };
    const Case cases[] = {
        {"UNINSTALL.EXE", true},
        {"Uninstall.exe", true},
        {"uNINSTALL.iNI", true},
        {"uninstall.ini", true},
        {"Uninstall.exe.bak", false},
        {"Uninstall.log", false},
        {"UNINSTALL.EX", false},
        {"XUNINSTALL.EXE", false},
        {"Uninstall.exe ", false},
        {"Uninstall", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsProtectedName(c.name), c.is_protected);
    }
}

TEST(IsRootFolder, KnowsDriveAndShareRoots) {
    struct Case {
        const char* folder;
        bool is_root;
    };
    const Case cases[] = {
        {"C:\\", true},
        {"d:\\", true},
        {"\\\\server\\share\\", true},
        {"\\\\server\\", true},
        {"C:\\Apps\\", false},
        {"\\\\server\\share\\dir\\", false},
        {"C:\\Apps\\Sample Viewer\\", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(IsRootFolder(c.folder), c.is_root);
    }
}

TEST(IsOrContainsAny, ComparesWholeFoldersWithoutRegardToCase) {
    const std::vector<std::string> known = {"C:\\WINDOWS\\", "C:\\USERS\\ROOT\\DESKTOP\\"};
    struct Case {
        const char* folder;
        bool expected;
    };
    const Case cases[] = {
        {"C:\\USERS\\", true},
        {"c:\\users\\root\\", true},
        {"C:\\Users\\Root\\Desktop\\", true},
        {"c:\\windows\\", true},
        {"C:\\USERS\\ROOT\\DESKTOP\\APP\\", false},
        {"C:\\USERS\\ROO\\", false},
        {"C:\\WIN\\", false},
        {"D:\\", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(IsOrContainsAny(c.folder, known), c.expected);
    }
    EXPECT_FALSE(IsOrContainsAny("C:\\USERS\\", {}));
}

}  // namespace
