#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/form.h"
#include "controls/label.h"
#include "controls/panel.h"
#include "controls/progress_bar.h"
#include "controls/push_button.h"
#include "controls/timer.h"

namespace {

using controls::Form;
using controls::Label;
using controls::Panel;
using controls::ProgressBar;
using controls::Timer;

// Handles the messages that arrive until done() holds or limit_ms has
// passed; the limit only keeps a broken build from hanging.
bool PumpUntil(const std::function<bool()>& done, DWORD limit_ms = 5000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < limit_ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

// Whether a tick for the window falls due within a few timer intervals.
bool TickArrives(HWND window, UINT interval_ms) {
    Sleep(interval_ms * 4);
    MSG msg;
    return PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
}

// What a teardown did, in order: owned objects released and windows
// destroyed (seen by a hook that Windows calls before it destroys one).
struct TeardownLog {
    std::vector<std::string> events;
    std::map<HWND, std::string> windows;
};

TeardownLog* g_log = nullptr;

LRESULT CALLBACK RecordWindowDestruction(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_DESTROYWND && g_log) {
        auto named = g_log->windows.find(reinterpret_cast<HWND>(wparam));
        if (named != g_log->windows.end()) g_log->events.push_back("window " + named->second);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

class Recorder : public controls::OwnedObject {
public:
    Recorder(std::vector<std::string>& events, std::string name,
             std::function<void()> on_release = nullptr)
        : events_(events), name_(std::move(name)), on_release_(std::move(on_release)) {}
    ~Recorder() override {
        events_.push_back(name_);
        if (on_release_) on_release_();
    }

private:
    std::vector<std::string>& events_;
    std::string name_;
    std::function<void()> on_release_;
};

TEST(Form, ReleasesOwnedObjectsThenDestroysControlsLastCreatedFirst) {
    TeardownLog log;
    auto form = std::make_unique<Form>(0, 0, 300, 200);
    const HWND form_window = form->Handle();
    ASSERT_NE(form_window, nullptr);

    // The record is registered first and the timer after it, as the main
    // window does; by the time the record goes, the timer must have stopped.
    form->Own<Recorder>(log.events, "record", [&log, form_window] {
        if (TickArrives(form_window, 10)) log.events.push_back("tick after the timer went");
    });
    Timer& timer = form->Own<Timer>(*form, 10u);
    int ticks = 0;
    timer.OnTick = [&ticks](Timer&) { ++ticks; };
    timer.SetEnabled(true);
    form->Own<Recorder>(log.events, "last owned");

    Label& first = form->Add<Label>(Label::Kind::SingleLineAutoSize, 0, 0, 10, 10, "first");
    Panel& panel = form->Add<Panel>(0, 20, 200, 100);
    Label& inner1 = panel.Add<Label>(Label::Kind::WordWrap, 0, 0, 50, 20, "inner 1");
    ProgressBar& inner2 = panel.Add<ProgressBar>(0, 30, 100, 10);
    Label& last = form->Add<Label>(Label::Kind::SingleLineAutoSize, 0, 150, 10, 10, "last");
    log.windows = {{form_window, "form"},        {first.Handle(), "first"},
                   {panel.Handle(), "panel"},    {inner1.Handle(), "inner 1"},
                   {inner2.Handle(), "inner 2"}, {last.Handle(), "last"}};

    ASSERT_TRUE(PumpUntil([&ticks] { return ticks > 0; })) << "the timer never ticked";

    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordWindowDestruction, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    g_log = &log;
    form.reset();
    g_log = nullptr;
    UnhookWindowsHookEx(hook);

    const std::vector<std::string> expected = {
        "last owned",     "record",       "window last",  "window inner 2",
        "window inner 1", "window panel", "window first", "window form",
    };
    EXPECT_EQ(log.events, expected);
    EXPECT_FALSE(IsWindow(form_window));
}

TEST(Timer, StopsWhenReleased) {
    Form form(0, 0, 100, 100);
    auto timer = std::make_unique<Timer>(form, 10u);
    int ticks = 0;
    timer->OnTick = [&ticks](Timer&) { ++ticks; };
    EXPECT_FALSE(TickArrives(form.Handle(), 10)) << "a timer starts disabled";

    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&ticks] { return ticks >= 2; }));

    timer.reset();
    PumpUntil([] { return false; }, 20);  // handles a tick already queued
    EXPECT_FALSE(TickArrives(form.Handle(), 10));
}

TEST(Label, SingleLineLabelSizesItselfToItsText) {
    Form form(0, 0, 400, 200);
    Label& label = form.Add<Label>(Label::Kind::SingleLineAutoSize, 5, 6, 50, 40, "");
    EXPECT_EQ(label.Width(), 1);
    EXPECT_EQ(label.Height(), 1);

    label.SetText("Uninstall");
    const int short_width = label.Width();
    EXPECT_GT(short_width, 1);
    EXPECT_GT(label.Height(), 1);

    label.SetText("Uninstall Sample Viewer 1.5");
    EXPECT_GT(label.Width(), short_width);
    EXPECT_EQ(label.Bounds().left, 5);
    EXPECT_EQ(label.Bounds().top, 6);

    label.SetText("");
    EXPECT_EQ(label.Width(), 1);
    EXPECT_EQ(label.Height(), 1);
}

TEST(Label, WordWrapLabelKeepsItsSize) {
    Form form(0, 0, 400, 200);
    Label& label = form.Add<Label>(Label::Kind::WordWrap, 0, 0, 300, 32, "");
    label.SetText("A text much longer than the box it is given, so that it has to wrap.");
    EXPECT_EQ(label.Width(), 300);
    EXPECT_EQ(label.Height(), 32);
}

TEST(ProgressBar, RunsFromZeroToOneHundred) {
    Form form(0, 0, 400, 200);
    ProgressBar& bar = form.Add<ProgressBar>(10, 10, 300, 17);
    PBRANGE range{-1, -1};
    SendMessageA(bar.Handle(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    EXPECT_EQ(bar.Position(), 0);

    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 5);
    bar.SetPosition(100);
    EXPECT_EQ(bar.Position(), 100);
}

TEST(PushButton, ShowsTheHandCursorAndReportsClicks) {
    Form form(0, 0, 400, 200);
    controls::PushButton& button = form.Add<controls::PushButton>(10, 10, 72, 25);
    Label& label = form.Add<Label>(Label::Kind::SingleLineAutoSize, 10, 50, 0, 0, "label");
    int clicks = 0;
    button.OnClick = [&clicks] { ++clicks; };

    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    SetCursor(nullptr);
    SendMessageA(button.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);
    SendMessageA(label.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);

    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    button.SetEnabled(false);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
