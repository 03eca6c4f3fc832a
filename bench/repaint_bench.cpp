// Time per progress step: the program's window, built in this process as
// the program builds it (with its resources, so the banner is loaded from
// them at every composed repaint), its progress bar set to 0..100 with
// every paint that falls due dispatched after each step. For comparison,
// the same steps on a bare system progress bar of the same size. All are
// set against the 30 ms tick of the progress animation.
//
//   repaint_bench <rounds>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "bench/bench_common.h"

using namespace bench;

namespace {

// Brings a window and everything below it up to date, as the program's
// message loop does after a tick: every paint that is due is dispatched
// (a child of a composed area hands its paint on to the composing panel,
// which is then due in turn).
void BringUpToDate() {
    MSG msg;
    for (int i = 0; i < 100 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

struct Steps {
    std::vector<double> ms;
    long composed_paints = 0;
    // The value below which the given share of the steps lie.
    double Percentile(double share) const {
        if (ms.empty()) return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        size_t index = static_cast<size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
        return sorted[index];
    }
};

// One round is the animation's 101 steps, 0 to 100.
template <typename SetPosition>
void RunSteps(int rounds, Steps& steps, SetPosition set_position) {
    for (int round = 0; round < rounds; ++round) {
        for (int position = 0; position <= 100; ++position) {
            const double start = NowMs();
            set_position(position);
            BringUpToDate();
            steps.ms.push_back(NowMs() - start);
        }
    }
}

void ShowAndSettle(HWND top) {
    ShowWindow(top, SW_SHOW);
    UpdateWindow(top);
    BringUpToDate();
    Sleep(200);
    BringUpToDate();
}

// The program's window. "program" steps go through ProgressBar's
// SetPosition as the animation does; "message only" steps send the
// control's own PBM_SETPOS alone (the control redraws itself then), to
// show what the step costs without the extra invalidation SetPosition adds.
void RunOurs(int rounds, Steps& program, Steps& message_only) {
    // Where the program's start-up goes, in this process: building the
    // window (common controls loaded, fonts, texts read) and showing it.
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    Figure("startup_parts.process_to_main_ms",
           static_cast<double>(ticks(now) - ticks(created)) / 10000.0);
    double start = NowMs();
    std::unique_ptr<controls::Form> window;
    app::MainForm& form = app::CreateMainForm(window);
    Figure("startup_parts.create_window_ms", NowMs() - start);
    long composed_paints = 0;
    auto original = form.ContentPanel->OnPaint;
    form.ContentPanel->OnPaint = [&composed_paints, original](controls::Panel& sender, HDC dc) {
        ++composed_paints;
        original(sender, dc);
    };
    start = NowMs();
    ShowWindow(window->Handle(), SW_SHOW);
    UpdateWindow(window->Handle());
    BringUpToDate();
    Figure("startup_parts.show_and_paint_ms", NowMs() - start);
    ShowAndSettle(window->Handle());
    composed_paints = 0;
    RunSteps(rounds, program, [&](int position) { form.ProgressBar->SetPosition(position); });
    program.composed_paints = composed_paints;
    composed_paints = 0;
    HWND bar = form.ProgressBar->Handle();
    RunSteps(rounds, message_only, [&](int position) {
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    });
    message_only.composed_paints = composed_paints;
}

// A bare system progress bar of the same size in a plain window.
void RunPlain(int rounds, Steps& steps) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = PlainWindowProc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = "PlainProgressWindow";
    RegisterClassA(&window_class);
    HWND top = CreateWindowExA(0, "PlainProgressWindow", "plain", WS_OVERLAPPEDWINDOW, 323, 235,
                               513, 399, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND bar = CreateWindowExA(WS_EX_CLIENTEDGE, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 24,
                               160, 457, 17, top, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowAndSettle(top);
    RunSteps(rounds, steps, [&](int position) {
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    });
    DestroyWindow(top);
}

void Report(const std::string& name, Steps& steps) {
    const double count = static_cast<double>(steps.ms.size());
    Figure("repaint." + name + "_step_ms", steps.Percentile(0.5));
    Figure("repaint." + name + "_step_p95_ms", steps.Percentile(0.95));
    Figure("repaint." + name + "_step_max_ms", steps.Percentile(1.0));
    Figure("repaint." + name + "_composed_per_step",
           static_cast<double>(steps.composed_paints) / count);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    Steps program, message_only, plain;
    RunOurs(rounds, program, message_only);
    RunPlain(rounds, plain);
    Figure("repaint.steps", static_cast<double>(program.ms.size()));
    Report("ours", program);
    Report("ours_message_only", message_only);
    Report("plain", plain);
    return 0;
}
