// The whole uninstall, driven like a user: the progress animation, the
// sweep, the closing message and the batch file that removes the rest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "finish/self_delete.h"
#include "support/installation.h"
#include "support/program_driver.h"

namespace {

using namespace test_support;

const char kUninstallEntry[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample_Viewer_1_5";
const char kValueKey[] = "Software\\UninstallerTests\\Finishing";


// A populated installation of the sample application: files in nested
// folders (read-only, hidden), a registered COM server, registry values,
// a shortcut elsewhere and the uninstall entry.
struct SampleInstallation {
    explicit SampleInstallation(const std::string& name)
        : inst(name, "Program Files\\Sample Viewer"), desktop(name + "-desktop") {
        inst.WriteFile("viewer.exe");
        inst.WriteFile("preview.ocx");  // replaced by the COM server below
        CopyFileTo(PathFromEnvironment("TEST_COM_SERVER"), inst.Folder() + "preview.ocx");
        inst.WriteFile("help\\manual.txt");
        inst.WriteFile("help\\images\\deep\\picture.bmp");
        inst.WriteFile("plugins\\readonly.dll");
        SetFileAttributesA((inst.Folder() + "plugins\\readonly.dll").c_str(),
                           FILE_ATTRIBUTE_READONLY);
        inst.WriteFile("settings.dat");
        SetFileAttributesA((inst.Folder() + "settings.dat").c_str(),
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        WriteFileBytes(desktop / "Sample Viewer.lnk", "link");
        outside = inst.Scratch() / "outside.txt";
        WriteFileBytes(outside, "keep");

        SetRegString(HKEY_CURRENT_USER, kValueKey, "LastFile", "x");
        SetRegString(HKEY_CURRENT_USER, kValueKey, "Unlisted", "keep");
        SetRegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "DisplayName", "Sample Viewer 1.5");
        RegisterServer();

        inst.WriteDescription(SampleDescription(
            "[oth]\r\ncount=2\r\n1=" + inst.Folder() + "viewer.exe\r\n2=" + inst.Folder() +
                "preview.ocx\r\n2dllocx=1\r\n\r\n[reg1]\r\nroot=HKEY_CURRENT_USER\r\nkey=" +
                kValueKey + "\r\nvalue=LastFile\r\n\r\n[lnk]\r\ncount=1\r\n1=" +
                (desktop / "Sample Viewer.lnk") + "\r\n",
            "regcount=1\r\n"));
        DeleteFileA(TempBatch().c_str());
    }

    ~SampleInstallation() {
        DeleteRegTree(HKEY_CURRENT_USER, kValueKey);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kUninstallEntry);
        DeleteRegTree(HKEY_CLASSES_ROOT, kClassKey);
        SetFileAttributesA((inst.Folder() + "plugins\\readonly.dll").c_str(),
                           FILE_ATTRIBUTE_NORMAL);
    }

    void RegisterServer() const {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string command =
            "C:\\windows\\system32\\regsvr32.exe /s \"" + inst.Folder() + "preview.ocx\"";
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &si, &pi)) {
            WaitForSingleObject(pi.hProcess, 30000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }

    static constexpr const char* kClassKey = "CLSID\\{6F1B2E4A-3C5D-4E7F-8A9B-0C1D2E3F4A5B}";

    Installation inst;
    ScratchFolder desktop;
    std::string outside;
};

TEST(Finishing, RemovesTheWholeInstallationAndItself) {
    SampleInstallation sample("finish-all");
    const Installation& inst = sample.inst;
    ASSERT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, SampleInstallation::kClassKey));

    ProgramRun run(inst.Exe());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const std::string caption = TextOf(main);
    HWND bar = ProgressBarOf(main);
    run.Click(ChildAt(main, 280, 328)->handle);

    // The bar runs to 100 one step a tick; only then does the window hide.
    int last = 0;
    bool monotonic = true;
    ASSERT_TRUE(WaitUntil([&] {
        int now = PositionOf(bar);
        monotonic = monotonic && now >= last && now <= 100;
        last = now;
        return !IsWindowVisible(main);
    }));
    EXPECT_TRUE(monotonic);
    EXPECT_EQ(PositionOf(bar), 100);

    auto box = run.WaitForMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->owner, main);
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, "Sample Viewer 1.5 has been removed from this computer.");
    EXPECT_TRUE(box->has_information_icon);

    // While the message waits, the folder holds only the executable, and
    // ticks dispatched by the box's loop start nothing again.
    Sleep(2000);
    EXPECT_EQ(run.TopLevelWindows("#32770").size(), 1u);
    EXPECT_FALSE(FileExists(inst.Ini()));
    EXPECT_FALSE(FolderExists(inst.Folder() + "help"));
    EXPECT_FALSE(FolderExists(inst.Folder() + "plugins"));
    EXPECT_FALSE(FileExists(inst.Folder() + "settings.dat"));
    EXPECT_TRUE(FileExists(inst.Exe()));
    char short_path[MAX_PATH] = {};
    GetShortPathNameA(inst.Exe().c_str(), short_path, MAX_PATH);
    EXPECT_EQ(ReadFileBytes(TempBatch()), finish::SelfDeleteBatchText(short_path));

    run.AnswerMessageBox(*box);
    EXPECT_EQ(run.WaitForExit(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return !FileExists(inst.Exe()); }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return !FolderExists(inst.Folder()); }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(TempBatch()); }, 20000));
    EXPECT_FALSE(FileExists(sample.desktop / "Sample Viewer.lnk"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kValueKey, "LastFile"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kValueKey, "Unlisted"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, SampleInstallation::kClassKey));
    EXPECT_EQ(ReadFileBytes(sample.outside), "keep");
}

TEST(Finishing, CloseDuringTheAnimationEndsWithoutFinishing) {
    SampleInstallation sample("finish-close");
    const Installation& inst = sample.inst;
    ProgramRun run(inst.Exe());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND bar = ProgressBarOf(main);
    run.Click(ChildAt(main, 280, 328)->handle);
    ASSERT_TRUE(WaitUntil([&] { return PositionOf(bar) >= 10; }));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
    EXPECT_FALSE(FileExists(inst.Folder() + "viewer.exe"));       // removal ran
    EXPECT_TRUE(FileExists(inst.Folder() + "help\\manual.txt"));  // no sweep
    EXPECT_TRUE(FileExists(inst.Ini()));
    EXPECT_FALSE(FileExists(TempBatch()));
}

TEST(Finishing, UnwritableTempFolderEndsWithTheErrorReport) {
    SampleInstallation sample("finish-temp");
    const Installation& inst = sample.inst;
    char temp[MAX_PATH] = {}, tmp[MAX_PATH] = {};
    GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
    SetEnvironmentVariableA("TEMP", "C:\\no-such-folder\\temp");
    SetEnvironmentVariableA("TMP", "C:\\no-such-folder\\temp");
    ProgramRun run(inst.Exe());
    SetEnvironmentVariableA("TEMP", temp);
    SetEnvironmentVariableA("TMP", tmp);

    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    run.Click(ChildAt(main, 280, 328)->handle);
    auto box = run.WaitForMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Application Error");
    EXPECT_NE(box->text.find("Exception IOError in module Uninstall.exe at "), std::string::npos);
    EXPECT_NE(box->text.find("\r\nI/O error 3.\r\n"), std::string::npos) << box->text;
    EXPECT_TRUE(IsWindowVisible(main));  // not hidden: nothing after the failure ran
    EXPECT_EQ(run.TopLevelWindows("#32770").size(), 1u);
    run.AnswerMessageBox(*box);
    EXPECT_EQ(run.WaitForExit(), 1u);
    Sleep(1000);
    EXPECT_TRUE(FileExists(inst.Exe()));                           // no batch file ran
    EXPECT_FALSE(FileExists(inst.Folder() + "help\\manual.txt"));  // the sweep came first
}

}  // namespace

namespace {

// A link inside the folder leads outside it: the sweep neither enters nor
// removes it, so its target and the target's contents stay. (The folder
// then keeps the link and is not removed.) Links can only be made on the
// Unix side: tests/make_links.sh prepares the folder.
TEST(Finishing, NeverFollowsALinkInsideTheFolder) {
    const std::string links = "C:\\uninstaller-links\\";
    const std::string app = links + "app\\";
    ASSERT_NE(GetFileAttributesA((app + "data").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u)
        << "made by tests/make_links.sh";
    CopyFileTo(PathFromEnvironment("UNINSTALLER_EXE"), app + "Uninstall.exe");
    WriteFileBytes(app + "Uninstall.ini", SampleDescription());
    MakeFolders(app + "help");
    WriteFileBytes(app + "help\\manual.txt", "x");
    WriteFileBytes(app + "viewer.exe", "x");

    ProgramRun run(app + "Uninstall.exe");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    run.Click(ChildAt(main, 280, 328)->handle);
    auto box = run.WaitForMessageBox(30000);
    ASSERT_TRUE(box.has_value());
    run.AnswerMessageBox(*box);
    EXPECT_EQ(run.WaitForExit(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(app + "Uninstall.exe"); }, 20000));

    EXPECT_EQ(ReadFileBytes(links + "target\\keep.txt"), "keep\n");
    EXPECT_TRUE(FolderExists(links + "empty-target"));
    EXPECT_NE(GetFileAttributesA((app + "data").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    EXPECT_FALSE(FolderExists(app + "help"));
    EXPECT_FALSE(FileExists(app + "viewer.exe"));
    EXPECT_FALSE(FileExists(app + "Uninstall.ini"));
}

}  // namespace
