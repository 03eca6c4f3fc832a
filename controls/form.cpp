#include "controls/form.h"

#include <algorithm>

#include "controls/timer.h"
#include "controls/window_class.h"

namespace controls {
namespace {

const char kClassName[] = "UninstallerForm";
const DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

}  // namespace

Form::Form(int x, int y, int client_width, int client_height) : Control(nullptr) {
    RegisterWindowClassOnce(kClassName, WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    CreateWindowExA(0, kClassName, "", kStyle, x, y, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

Form::~Form() {
    ShowWindow(Handle(), SW_HIDE);
    while (!owned_.empty()) owned_.erase(owned_.begin());
    DestroyControls();
    icon_.reset();
}

void Form::SetIcon(UniqueIcon icon) {
    icon_ = std::move(icon);
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
}

void Form::RunMessageLoop() {
    running_ = true;
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    bool quit = false;
    while (!quit && !failure_) {
        WaitMessage();
        MSG msg;
        while (!failure_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;  // the messages behind it are still handled
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    running_ = false;
}

void Form::Close() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void Form::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

void Form::Fail(FatalError error) {
    // The loop stops right after the handler that failed has returned. No
    // quit message is posted: it would end the error report's own box.
    if (!failure_) failure_ = std::move(error);
}

void Form::RemoveTimer(Timer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void Form::Tick(UINT_PTR id) {
    for (Timer* timer : timers_) {
        if (timer->Id() == id && timer->Enabled()) {
            if (timer->OnTick) timer->OnTick(*timer);
            return;
        }
    }
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = static_cast<Form*>(ControlForMessage(window, message, lparam));
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    return self->HandleMessage(message, wparam, lparam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (failure_ && (message == WM_COMMAND || message == WM_TIMER)) return 0;
    if (ReflectToChild(message, wparam, lparam, result)) return result;
    switch (message) {
        case WM_CLOSE:
            // Nothing is asked and nothing can refuse: the loop ends, and the
            // window stays until the teardown destroys it.
            PostQuitMessage(0);
            return 0;
        case WM_TIMER:
            Tick(wparam);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: the process ends at once, without teardown.
            if (wparam) ExitProcess(0);
            return 0;
        default:
            return DefWindowProcA(Handle(), message, wparam, lparam);
    }
}

}  // namespace controls
