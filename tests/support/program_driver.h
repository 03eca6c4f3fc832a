// Drives the real program as a user would: starts it, finds its window and
// controls, clicks, answers its message boxes and reads its exit code.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/handles.h"

namespace test_support {

struct ControlInfo {
    HWND handle = nullptr;
    std::string class_name;
    std::string text;
    RECT bounds{};  // in the parent's client coordinates
    bool enabled = false;
    bool visible = false;
};

ControlInfo DescribeWindow(HWND window);

// Direct children of a window, in Z order.
std::vector<ControlInfo> ChildrenOf(HWND parent);

// The direct child whose top-left corner lies at (x, y) of the parent.
std::optional<ControlInfo> ChildAt(HWND parent, int x, int y);

std::string TextOf(HWND window);

// The program's progress bar, found through its panels, and its position
// (-1 when the window gives no answer).
HWND ProgressBarOf(HWND main);
int PositionOf(HWND bar);

// Where the program writes its batch file.
std::string TempBatch();

// Saves what the screen shows of a window as a 24-bit BMP file.
void SaveScreenshot(HWND window, const std::string& path);

struct MessageBoxInfo {
    HWND handle = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool has_information_icon = false;
    bool has_stop_icon = false;
};

class ProgramRun {
public:
    // Starts an executable; its current folder is the given one, or the
    // executable's own when empty, as when a user starts it.
    explicit ProgramRun(const std::string& exe, const std::string& current_folder = "");
    ~ProgramRun();  // ends a program that is still running
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }

    // The program's visible main window, once it shows.
    HWND WaitForMainWindow(DWORD timeout_ms = 20000);
    // Any visible message box of the program.
    std::optional<MessageBoxInfo> WaitForMessageBox(DWORD timeout_ms = 20000);
    // All top-level windows of the program of a class, visible or not.
    std::vector<HWND> TopLevelWindows(const char* class_name) const;

    void Click(HWND button);
    void AnswerMessageBox(const MessageBoxInfo& box);  // presses OK

    // The exit code, or nothing when the program is still running then.
    std::optional<DWORD> WaitForExit(DWORD timeout_ms = 20000);

private:
    controls::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Waits until a condition holds, polling; false when the time ran out.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout_ms = 15000) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout_ms) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace test_support
