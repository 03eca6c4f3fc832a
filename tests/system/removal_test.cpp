// The uninstall button, driven like a user: every item the description
// lists is removed (COM servers unregistered first), nothing else is, and
// the removal always runs to its end before the program can close.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "finish/self_delete.h"
#include "support/installation.h"
#include "support/program_driver.h"

namespace {

using namespace test_support;

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample_Viewer_1_5";
const char kOtherEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other_App_2_0";
const char kValues[] = "Software\\UninstallerTests\\Removal";
const char kClassKey[] = "CLSID\\{6F1B2E4A-3C5D-4E7F-8A9B-0C1D2E3F4A5B}";


// An environment variable of the test process, which the program and its
// children inherit, for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
};

// The unnamed value of HKEY_CURRENT_USER itself, for one scope.
struct UnnamedUserValue {
    UnnamedUserValue() { SetRegString(HKEY_CURRENT_USER, "", "", "keep"); }
    ~UnnamedUserValue() { RegDeleteValueA(HKEY_CURRENT_USER, ""); }
    UnnamedUserValue(const UnnamedUserValue&) = delete;
    UnnamedUserValue& operator=(const UnnamedUserValue&) = delete;
    bool Exists() const { return RegValueExists(HKEY_CURRENT_USER, "", ""); }
};

// Registers a COM server with the system's own registration tool.
void RegisterServer(const std::string& path) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string command = std::string(system) + "\\regsvr32.exe /s \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD n = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

// One entry of a numbered list, with its "dllocx" flag when given.
std::string Entry(int n, const std::string& path, const char* flag = nullptr) {
    std::string text = std::to_string(n) + "=" + path + "\r\n";
    if (flag) text += std::to_string(n) + "dllocx=" + flag + "\r\n";
    return text;
}

// A numbered list section: "count" only when given, then the entries.
std::string ListSection(const char* section, const char* count, const std::string& entries) {
    std::string text = std::string("[") + section + "]\r\n";
    if (count) text += std::string("count=") + count + "\r\n";
    return text + entries + "\r\n";
}

std::string RegSection(int n, const std::string& root, const std::string& key,
                       const std::string& value) {
    return "[reg" + std::to_string(n) + "]\r\nroot=" + root + "\r\nkey=" + key +
           "\r\nvalue=" + value + "\r\n\r\n";
}

// Registry data and the batch file a test may leave behind are removed
// before and after each test.
class Removal : public ::testing::Test {
protected:
    void SetUp() override {
        Clean();
        DeleteFileA(TempBatch().c_str());
    }
    void TearDown() override { Clean(); }

    static void Clean() {
        DeleteRegTree(HKEY_CURRENT_USER, kValues);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kValues);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kEntry);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kOtherEntry);
        DeleteRegTree(HKEY_CLASSES_ROOT, kClassKey);
    }

    // Starts the program, clicks UninstallButton and waits until the
    // removal has run: both buttons disabled and FinishTimer moving the bar.
    static HWND StartAndUninstall(ProgramRun& run) {
        HWND main = run.WaitForMainWindow();
        if (!main) return nullptr;
        auto uninstall = ChildAt(main, 280, 328);
        auto cancel = ChildAt(main, 408, 328);
        if (!uninstall || !cancel) return nullptr;
        HWND bar = ProgressBarOf(main);
        run.Click(uninstall->handle);
        bool ran = WaitUntil([&] {
            return !IsWindowEnabled(uninstall->handle) && !IsWindowEnabled(cancel->handle) &&
                   PositionOf(bar) > 0;
        });
        return ran ? main : nullptr;
    }

    // A close request during the progress animation ends the program at
    // once with exit code 0: the finishing sequence never runs.
    static void CloseDuringAnimation(ProgramRun& run, HWND main, const Installation& inst) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(run.WaitForExit(), 0u);
        EXPECT_TRUE(FileExists(inst.Ini()));
        EXPECT_TRUE(FileExists(inst.Exe()));
        EXPECT_FALSE(FileExists(TempBatch()));
    }
};

TEST_F(Removal, SampleInstallationLosesEveryListedItemAndNothingElse) {
    Installation inst("removal-sample");
    ScratchFolder desktop("removal-sample-desktop");
    const std::string shortcut = desktop / "Desktop\\Sample Viewer.lnk";
    MakeFolders(desktop / "Desktop");
    WriteFileBytes(shortcut, "link");
    WriteFileBytes(desktop / "Desktop\\Other.lnk", "keep");
    inst.WriteFile("viewer.exe");
    inst.WriteFile("readme.txt", "keep");
    CopyFileTo(PathFromEnvironment("TEST_COM_SERVER"), inst.Folder() + "preview.ocx");
    RegisterServer(inst.Folder() + "preview.ocx");
    ASSERT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey + std::string("\\InprocServer32")));
    const std::string viewer_key = kValues + std::string("\\Sample\\Viewer");
    const std::string other_key = kValues + std::string("\\Other");
    SetRegString(HKEY_CURRENT_USER, viewer_key, "LastFile", "picture.png");
    SetRegString(HKEY_CURRENT_USER, viewer_key, "Unlisted", "keep");
    SetRegString(HKEY_CURRENT_USER, other_key, "LastFile", "keep");
    SetRegString(HKEY_LOCAL_MACHINE, kEntry, "DisplayName", "Sample Viewer 1.5");
    SetRegString(HKEY_LOCAL_MACHINE, kOtherEntry, "DisplayName", "Other App 2.0");
    const std::string files =
        Entry(1, inst.Folder() + "viewer.exe") + Entry(2, inst.Folder() + "preview.ocx", "1");
    inst.WriteDescription(
        SampleDescription(ListSection("oth", "2", files) +
                              RegSection(1, "HKEY_CURRENT_USER", viewer_key, "LastFile") +
                              ListSection("lnk", "1", Entry(1, shortcut)),
                          "regcount=1\r\n"));

    ProgramRun run(inst.Exe());
    HWND main = StartAndUninstall(run);
    ASSERT_NE(main, nullptr) << "the removal did not run to the animation";

    // All removal is done before the bar moves.
    EXPECT_FALSE(FileExists(inst.Folder() + "viewer.exe"));
    EXPECT_FALSE(FileExists(inst.Folder() + "preview.ocx"));
    // The server was unregistered while its file was still there to load.
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, viewer_key, "LastFile"));
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntry));

    EXPECT_TRUE(FileExists(inst.Folder() + "readme.txt"));
    EXPECT_TRUE(FileExists(desktop / "Desktop\\Other.lnk"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, viewer_key, "Unlisted"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, other_key, "LastFile"));
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kOtherEntry, "DisplayName"));

    CloseDuringAnimation(run, main, inst);
    EXPECT_TRUE(FileExists(inst.Folder() + "readme.txt"));  // no sweep either
}

// Each list holds three entries; its count decides how many are walked.
struct CountCase {
    const char* files;      // "count" of [oth], nullptr for none
    const char* values;     // "regcount" of [uninstall12]
    const char* shortcuts;  // "count" of [lnk]
    int files_removed, values_removed, shortcuts_removed;
};

const CountCase kCountCases[] = {
    {"0", "-1", nullptr, 0, 0, 0},
    {"2 files", "1", "-5", 2, 1, 0},
    {nullptr, "2 values", "5", 0, 2, 3},
    // Far above the entries present: the walk ends at the last of them.
    {"2147483647", "2147483647", "2147483647", 3, 3, 3},
};

TEST_F(Removal, CountsDecideHowManyEntriesAreRemoved) {
    for (const CountCase& c : kCountCases) {
        SCOPED_TRACE(std::string("files ") + (c.files ? c.files : "(none)") + ", values " +
                     (c.values ? c.values : "(none)") + ", shortcuts " +
                     (c.shortcuts ? c.shortcuts : "(none)"));
        Removal::Clean();
        Installation inst("removal-counts");
        std::string files, regs, shortcuts;
        for (int n = 1; n <= 3; ++n) {
            const std::string i = std::to_string(n);
            inst.WriteFile("file" + i + ".txt");
            WriteFileBytes(inst.Scratch() / ("shortcut" + i + ".lnk"), "link");
            SetRegString(HKEY_CURRENT_USER, kValues, "Value" + i, "x");
            files += Entry(n, inst.Folder() + "file" + i + ".txt");
            shortcuts += Entry(n, inst.Scratch() / ("shortcut" + i + ".lnk"));
            regs += RegSection(n, "HKEY_CURRENT_USER", kValues, "Value" + i);
        }
        SetRegString(HKEY_CURRENT_USER, kValues, "Unlisted", "keep");
        SetRegString(HKEY_LOCAL_MACHINE, kEntry, "DisplayName", "Sample Viewer 1.5");
        inst.WriteDescription(SampleDescription(
            ListSection("oth", c.files, files) + regs + ListSection("lnk", c.shortcuts, shortcuts),
            c.values ? std::string("regcount=") + c.values + "\r\n" : std::string()));

        ProgramRun run(inst.Exe());
        HWND main = StartAndUninstall(run);
        ASSERT_NE(main, nullptr) << "the removal did not run to the animation";
        CloseDuringAnimation(run, main, inst);

        for (int n = 1; n <= 3; ++n) {
            const std::string i = std::to_string(n);
            SCOPED_TRACE("entry " + i);
            EXPECT_EQ(FileExists(inst.Folder() + "file" + i + ".txt"), n > c.files_removed);
            EXPECT_EQ(RegValueExists(HKEY_CURRENT_USER, kValues, "Value" + i),
                      n > c.values_removed);
            EXPECT_EQ(FileExists(inst.Scratch() / ("shortcut" + i + ".lnk")),
                      n > c.shortcuts_removed);
        }
        EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kValues, "Unlisted"));
        // Whatever the lists held, the last step still ran.
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntry));
    }
}

// Flags, files that cannot or need not be deleted, registry entries that
// name no root of the table or nothing at all, and a description without
// an application name, in one run.
TEST_F(Removal, EntriesThatFailOrNameNothingLeaveTheRestToRun) {
    Installation inst("removal-entries");
    // The registration tool is searched for in the program's folder first.
    CopyFileTo(PathFromEnvironment("TEST_REGSVR32"), inst.Folder() + "regsvr32.exe");
    const std::string record = inst.Scratch() / "record.txt";
    ScopedVariable recording("REGSVR32_RECORD", record);
    const char* kFiles[] = {"word.dll", "five.dll", "twice.txt", "readonly.txt", "last.txt"};
    for (const char* name : kFiles) inst.WriteFile(name);
    const std::string readonly = inst.Folder() + "readonly.txt";
    SetFileAttributesA(readonly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string five_short = ShortPathOf(inst.Folder() + "five.dll");
    ASSERT_FALSE(five_short.empty());

    const std::string key = kValues + std::string("\\Entries");
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const char* name : {"Mixed", "Short", "Blank", "Machine"}) {
            SetRegString(root, key, name, "x");
        }
    }
    UnnamedUserValue unnamed;  // what an entry naming nothing would delete
    SetRegString(HKEY_LOCAL_MACHINE, kEntry, "DisplayName", "Sample Viewer 1.5");
    SetRegString(HKEY_LOCAL_MACHINE, kOtherEntry, "DisplayName", "Other App 2.0");

    const std::string& f = inst.Folder();
    const std::string files = Entry(1, f + "word.dll", "true") + Entry(2, f + "five.dll", "5") +
                              Entry(3, f + "gone.ocx", "1") + Entry(4, f + "twice.txt") +
                              Entry(5, f + "twice.txt") + Entry(6, readonly) +
                              Entry(7, f + "last.txt");
    // No [reg3]: in the middle, and beyond the last entry. Quotation marks
    // keep the blank before the name.
    const std::string regs = RegSection(1, "hKey_Current_User", key, "Mixed") +
                             RegSection(2, "HKLM", key, "Short") +
                             RegSection(4, "\" HKEY_LOCAL_MACHINE\"", key, "Blank") +
                             RegSection(5, "Hkey_Local_Machine", key, "Machine");
    std::string description =
        SampleDescription(ListSection("oth", "7", files) + regs, "regcount=6\r\n");
    description.replace(description.find("appname=Sample Viewer 1.5"), 25, "appname=");
    inst.WriteDescription(description);

    ProgramRun run(inst.Exe());
    HWND main = StartAndUninstall(run);
    ASSERT_NE(main, nullptr) << "the removal did not run to the animation";
    CloseDuringAnimation(run, main, inst);

    // A word is no flag; 5 is. A file already gone still starts the tool,
    // with an empty path; it is shown without being activated.
    EXPECT_EQ(ReadFileBytes(record), "regsvr32.exe /u /s \"" + five_short +
                                         "\"|flags=1|show=4\n"
                                         "regsvr32.exe /u /s \"\"|flags=1|show=4\n");
    EXPECT_FALSE(FileExists(f + "word.dll"));
    EXPECT_FALSE(FileExists(f + "five.dll"));
    EXPECT_FALSE(FileExists(f + "twice.txt"));
    EXPECT_TRUE(FileExists(readonly));  // no attribute is changed to delete it
    EXPECT_FALSE(FileExists(f + "last.txt"));
    EXPECT_TRUE(FileExists(f + "regsvr32.exe"));

    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, key, "Mixed"));
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, key, "Mixed"));
    for (const char* name : {"Short", "Blank"}) {
        SCOPED_TRACE(name);  // no root of the table: the current user's
        EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, key, name));
        EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, key, name));
    }
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, key, "Machine"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, key, "Machine"));
    EXPECT_TRUE(unnamed.Exists());

    // Without a name there is no entry of the application's to delete.
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntry));
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kOtherEntry, "DisplayName"));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// A close request while the registration tool runs waits for the removal
// to end, and the program then ends without the finishing sequence.
TEST_F(Removal, CloseDuringTheRemovalTakesEffectAfterItsEnd) {
    Installation inst("removal-close");
    CopyFileTo(PathFromEnvironment("TEST_REGSVR32"), inst.Folder() + "regsvr32.exe");
    const std::string record = inst.Scratch() / "record.txt";
    ScopedVariable recording("REGSVR32_RECORD", record);
    ScopedVariable sleeping("REGSVR32_SLEEP_MS", "3000");
    const std::string& f = inst.Folder();
    for (const char* name : {"server.ocx", "after1.txt", "after2.txt", "unlisted.txt"}) {
        inst.WriteFile(name);
    }
    const std::string shortcut = inst.Scratch() / "Sample Viewer.lnk";
    WriteFileBytes(shortcut, "link");
    SetRegString(HKEY_CURRENT_USER, kValues, "LastFile", "x");
    SetRegString(HKEY_LOCAL_MACHINE, kEntry, "DisplayName", "Sample Viewer 1.5");
    const std::string files =
        Entry(1, f + "server.ocx", "1") + Entry(2, f + "after1.txt") + Entry(3, f + "after2.txt");
    inst.WriteDescription(SampleDescription(
        ListSection("oth", "3", files) + RegSection(1, "HKEY_CURRENT_USER", kValues, "LastFile") +
            ListSection("lnk", "1", Entry(1, shortcut)),
        "regcount=1\r\n"));

    ProgramRun run(inst.Exe());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    auto uninstall = ChildAt(main, 280, 328);
    ASSERT_TRUE(uninstall.has_value());
    run.Click(uninstall->handle);
    // The tool has started and sleeps: the removal is under way.
    ASSERT_TRUE(WaitUntil([&] { return !ReadFileBytes(record).empty(); }));
    PostMessageA(main, WM_CLOSE, 0, 0);

    EXPECT_EQ(run.WaitForExit(), 0u);
    EXPECT_FALSE(FileExists(f + "server.ocx"));
    EXPECT_FALSE(FileExists(f + "after1.txt"));
    EXPECT_FALSE(FileExists(f + "after2.txt"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kValues, "LastFile"));
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntry));
    // No finishing sequence: no sweep, the description kept, no batch file.
    EXPECT_TRUE(FileExists(f + "unlisted.txt"));
    EXPECT_TRUE(FileExists(inst.Ini()));
    EXPECT_TRUE(FileExists(inst.Exe()));
    EXPECT_FALSE(FileExists(TempBatch()));
}

}  // namespace
