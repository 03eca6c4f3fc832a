// The window as a user meets it: layout, texts, closing and start-up errors.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "support/installation.h"
#include "support/program_driver.h"

namespace {

using namespace test_support;

struct Expected {
    int x, y, width, height;
    const char* class_name;
};

void ExpectControl(HWND parent, const Expected& e, const char* role) {
    SCOPED_TRACE(role);
    auto c = ChildAt(parent, e.x, e.y);
    ASSERT_TRUE(c.has_value()) << "nothing at (" << e.x << ", " << e.y << ")";
    EXPECT_STREQ(c->class_name.c_str(), e.class_name);
    if (e.width >= 0) {
        EXPECT_EQ(c->bounds.right - c->bounds.left, e.width);
    }
    if (e.height >= 0) {
        EXPECT_EQ(c->bounds.bottom - c->bounds.top, e.height);
    }
    EXPECT_TRUE(c->visible);
}

std::string ScreenshotPath(const char* name) {
    std::string dir = PathFromEnvironment("SCREENSHOT_DIR");
    return dir.empty() ? std::string() : dir + "\\" + name + ".bmp";
}

TEST(Window, MatchesTheLayoutWithTheDescriptionsTexts) {
    Installation inst("window-layout");
    inst.WriteDescription(SampleDescription());
    ProgramRun run(inst.Exe());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    RECT outer{}, client{};
    GetWindowRect(main, &outer);
    GetClientRect(main, &client);
    EXPECT_EQ(outer.left, 323);
    EXPECT_EQ(outer.top, 235);
    EXPECT_EQ(client.right, 497);
    EXPECT_EQ(client.bottom, 360);
    EXPECT_EQ(TextOf(main), "Uninstall Sample Viewer 1.5");
    const int window_width = outer.right - outer.left;

    ExpectControl(main, {3, 317, -1, -1, "Static"}, "Label4");
    ExpectControl(main, {0, 315, window_width, 2, "UninstallerControl"}, "FooterLine");
    ExpectControl(main, {0, 0, 497, 315, "UninstallerControl"}, "BackPanel");
    ExpectControl(main, {408, 328, 72, 25, "Button"}, "CancelButton");
    ExpectControl(main, {280, 328, 73, 25, "Button"}, "UninstallButton");
    EXPECT_EQ(ChildrenOf(main).size(), 5u);
    EXPECT_EQ(ChildAt(main, 408, 328)->text, "Cancel");
    EXPECT_EQ(ChildAt(main, 280, 328)->text, "&Uninstall");
    EXPECT_EQ(ChildAt(main, 3, 317)->text, "Uninstall wizard");

    HWND back = ChildAt(main, 0, 0)->handle;
    ExpectControl(back, {0, 0, 497, 315, "UninstallerControl"}, "ContentPanel");
    EXPECT_EQ(ChildrenOf(back).size(), 1u);

    HWND content = ChildAt(back, 0, 0)->handle;
    ExpectControl(content, {64, 8, -1, -1, "Static"}, "Label1");
    ExpectControl(content, {56, 80, 400, 48, "Static"}, "Label3");
    ExpectControl(content, {64, 24, 300, 32, "Static"}, "Label2");
    ExpectControl(content, {0, 59, 497, 3, "UninstallerControl"}, "HeaderLine");
    ExpectControl(content, {24, 160, 457, 17, "msctls_progress32"}, "ProgressBar");
    EXPECT_EQ(ChildrenOf(content).size(), 5u);
    EXPECT_EQ(ChildAt(content, 64, 8)->text, "Removal of the program");
    EXPECT_EQ(ChildAt(content, 64, 24)->text, "Uninstall Sample Viewer 1.5");
    EXPECT_EQ(ChildAt(content, 56, 80)->text,
              "Press Uninstall to remove Sample Viewer 1.5 and all of its components from this "
              "computer.");

    // Auto-sized title: one line of bold 11-pixel text, one pixel more each way.
    RECT title = ChildAt(content, 64, 8)->bounds;
    EXPECT_GT(title.right - title.left, 60);
    EXPECT_GE(title.bottom - title.top, 12);
    EXPECT_LE(title.bottom - title.top, 16);

    HWND bar = ChildAt(content, 24, 160)->handle;
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    Sleep(300);  // FinishTimer is not running: the bar stays
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);

    std::string shot = ScreenshotPath("window");
    if (!shot.empty()) SaveScreenshot(main, shot);

    run.Click(ChildAt(main, 408, 328)->handle);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

TEST(Window, WithoutDescriptionOpensWithEmptyTexts) {
    Installation inst("window-empty");
    ProgramRun run(inst.Exe());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main), "");
    HWND content = ChildAt(ChildAt(main, 0, 0)->handle, 0, 0)->handle;
    for (const ControlInfo& c : ChildrenOf(content)) EXPECT_EQ(c.text, "") << c.class_name;
    for (const ControlInfo& c : ChildrenOf(main)) EXPECT_EQ(c.text, "") << c.class_name;
    RECT title = ChildAt(content, 64, 8)->bounds;
    EXPECT_EQ(title.right - title.left, 1);
    EXPECT_EQ(title.bottom - title.top, 1);
    run.Click(ChildAt(main, 408, 328)->handle);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

enum class CloseBy { CancelButton, TitleBarClose, CancelThenAltF4 };

TEST(Window, EveryCloseEndsWithExitCodeZeroAndTouchesNothing) {
    for (CloseBy how : {CloseBy::CancelButton, CloseBy::TitleBarClose, CloseBy::CancelThenAltF4}) {
        SCOPED_TRACE(static_cast<int>(how));
        Installation inst("window-close");
        inst.WriteDescription(
            SampleDescription("[oth]\r\ncount=1\r\n1=" + inst.Folder() + "app.exe\r\n"));
        inst.WriteFile("app.exe");
        ProgramRun run(inst.Exe());
        HWND main = run.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        HWND cancel = ChildAt(main, 408, 328)->handle;
        switch (how) {
            case CloseBy::CancelButton:
                run.Click(cancel);
                break;
            case CloseBy::TitleBarClose:
                PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case CloseBy::CancelThenAltF4:
                run.Click(cancel);
                PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
                PostMessageA(main, WM_CLOSE, 0, 0);
                break;
        }
        EXPECT_EQ(run.WaitForExit(), 0u);
        EXPECT_TRUE(FileExists(inst.Folder() + "app.exe"));
        EXPECT_TRUE(FileExists(inst.Ini()));
    }
}

TEST(Window, MalformedClosingMessageStopsStartUpWithTheErrorReport) {
    Installation inst("window-malformed");
    std::string text = SampleDescription();
    text.replace(text.find("6=%s has"), 8, "6=%s and %s has");
    inst.WriteDescription(text);
    ProgramRun run(inst.Exe());
    auto box = run.WaitForMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Application Error");
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_TRUE(box->has_stop_icon);
    // "Exception <kind> in module <file> at <address>.\r\n<message>.\r\n"
    const std::string head = "Exception FormatError in module Uninstall.exe at ";
    ASSERT_EQ(box->text.compare(0, head.size(), head), 0) << box->text;
    std::string rest = box->text.substr(head.size());
    size_t address_digits = rest.find('.');
    EXPECT_EQ(address_digits, sizeof(void*) * 2) << rest;
    EXPECT_EQ(rest.substr(address_digits), ".\r\nNo argument for format '%s'.\r\n");
    EXPECT_TRUE(run.TopLevelWindows("UninstallerForm").empty() ||
                !IsWindowVisible(run.TopLevelWindows("UninstallerForm").front()));
    run.AnswerMessageBox(*box);
    EXPECT_EQ(run.WaitForExit(), 1u);
}

// Character set 204 is Cyrillic: in a Cyrillic ANSI code page the texts of
// a description written in it show as written.
TEST(Cyrillic, WindowShowsCyrillicTexts) {
    Installation inst("window-cyrillic");
    // CP1251: "Удаление программы" / "Удалить %s" / "Отмена" / "Удалить"
    inst.WriteDescription(
        "[uninstall12]\r\nappname=\xcf\xf0\xee\xf1\xec\xee\xf2\xf0 1.5\r\n"
        "1=\xce\xf2\xec\xe5\xed\xe0\r\n2=\xd3\xe4\xe0\xeb\xe5\xed\xe8\xe5 "
        "\xef\xf0\xee\xe3\xf0\xe0\xec\xec\xfb\r\n"
        "3=\xd3\xe4\xe0\xeb\xe8\xf2\xfc %s\r\n4=\xcd\xe0\xe6\xec\xe8\xf2\xe5 "
        "\xab\xd3\xe4\xe0\xeb\xe8\xf2\xfc\xbb.\r\n"
        "5=&\xd3\xe4\xe0\xeb\xe8\xf2\xfc\r\ntext=\xcc\xe0\xf1\xf2\xe5\xf0 "
        "\xf3\xe4\xe0\xeb\xe5\xed\xe8\xff\r\n");
    ASSERT_EQ(GetACP(), 1251u) << "run with LANG=ru_RU.UTF-8";
    ProgramRun run(inst.Exe());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // Read back as wide text: the program's bytes were taken in code page 1251.
    wchar_t caption[64] = {};
    GetWindowTextW(main, caption, 64);
    EXPECT_STREQ(caption,
                 L"\u0423\u0434\u0430\u043b\u0438\u0442\u044c "
                 L"\u041f\u0440\u043e\u0441\u043c\u043e\u0442\u0440 1.5");
    Sleep(500);  // until it has painted itself
    std::string shot = ScreenshotPath("window-cyrillic");
    if (!shot.empty()) SaveScreenshot(main, shot);
    run.Click(ChildAt(main, 408, 328)->handle);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

}  // namespace
