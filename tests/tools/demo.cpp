// The main job, shown: installs a sample application in C:\Program Files,
// starts its uninstaller, clicks through it like a user and reports what
// is left afterwards.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/installation.h"
#include "support/program_driver.h"

using namespace test_support;

namespace {

const char kFolder[] = "C:\\Program Files\\Sample Viewer\\";
const char kShortcut[] = "C:\\users\\Public\\Desktop\\Sample Viewer.lnk";
const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample_Viewer_1_5";
const char kValues[] = "Software\\Sample\\Viewer";

void Install() {
    std::string folder = kFolder;
    MakeFolders(folder + "help");
    CopyFileTo(PathFromEnvironment("UNINSTALLER_EXE"), folder + "Uninstall.exe");
    WriteFileBytes(folder + "viewer.exe", "viewer");
    WriteFileBytes(folder + "help\\manual.txt", "manual");
    MakeFolders("C:\\users\\Public\\Desktop");
    WriteFileBytes(kShortcut, "shortcut");
    SetRegString(HKEY_CURRENT_USER, kValues, "LastFile", "C:\\picture.png");
    SetRegString(HKEY_LOCAL_MACHINE, kEntry, "DisplayName", "Sample Viewer 1.5");
    WriteFileBytes(
        folder + "Uninstall.ini",
        SampleDescription(
            "[oth]\r\ncount=1\r\n1=" + folder +
                "viewer.exe\r\n\r\n"
                "[reg1]\r\nroot=HKEY_CURRENT_USER\r\nkey=" +
                kValues + "\r\nvalue=LastFile\r\n\r\n[lnk]\r\ncount=1\r\n1=" + kShortcut + "\r\n",
            "regcount=1\r\n"));
}

void Report(const char* what, bool present) {
    std::printf("  %-58s %s\n", what, present ? "PRESENT" : "gone");
}

}  // namespace

int main() {
    Install();
    std::printf("Installed Sample Viewer 1.5 in %s\n", kFolder);
    ProgramRun run(std::string(kFolder) + "Uninstall.exe");
    HWND main = run.WaitForMainWindow();
    if (!main) {
        std::printf("the uninstaller's window did not appear\n");
        return 1;
    }
    std::printf("Window: \"%s\"\n", TextOf(main).c_str());
    Sleep(500);
    std::string shots = PathFromEnvironment("SCREENSHOT_DIR");
    if (!shots.empty()) SaveScreenshot(main, shots + "\\demo-window.bmp");
    std::printf("Clicking \"%s\"\n", TextOf(ChildAt(main, 280, 328)->handle).c_str());
    run.Click(ChildAt(main, 280, 328)->handle);
    Sleep(1500);  // half way through the progress animation
    if (!shots.empty()) SaveScreenshot(main, shots + "\\demo-progress.bmp");
    auto box = run.WaitForMessageBox(30000);
    if (!box) {
        std::printf("no closing message appeared\n");
        return 1;
    }
    std::printf("Closing message \"%s\": \"%s\"; pressing OK\n", box->caption.c_str(),
                box->text.c_str());
    run.AnswerMessageBox(*box);
    auto code = run.WaitForExit();
    std::printf("Uninstaller exit code: %lu\n", code ? *code : 999ul);
    bool folder_gone = WaitUntil([] { return !FolderExists(kFolder); }, 20000);
    std::printf("After the batch file ran:\n");
    Report(kFolder, !folder_gone);
    Report(kShortcut, FileExists(kShortcut));
    Report("HKCU\\Software\\Sample\\Viewer LastFile",
           RegValueExists(HKEY_CURRENT_USER, kValues, "LastFile"));
    Report("HKLM\\...\\Uninstall\\Sample_Viewer_1_5", RegKeyExists(HKEY_LOCAL_MACHINE, kEntry));
    bool clean = code == 0u && folder_gone && !FileExists(kShortcut) &&
                 !RegValueExists(HKEY_CURRENT_USER, kValues, "LastFile") &&
                 !RegKeyExists(HKEY_LOCAL_MACHINE, kEntry);
    std::printf(clean ? "Uninstalled completely.\n" : "Something was left behind.\n");
    return clean ? 0 : 1;
}
