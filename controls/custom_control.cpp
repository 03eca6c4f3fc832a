#include "controls/custom_control.h"

namespace controls {
namespace {

const char kClassName[] = "UninstallerControl";

void RegisterClassOnce(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    registered = RegisterClassExA(&wc) != 0;
}

}  // namespace

CustomControl::CustomControl(Control& parent, int x, int y, int width, int height, DWORD style)
    : Control(&parent) {
    RegisterClassOnce(WindowProc);
    CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                    parent.Handle(), nullptr, GetModuleHandleA(nullptr), this);
}

LRESULT CALLBACK CustomControl::WindowProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CustomControl*>(
            reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->Attach(window);
    }
    auto* self = static_cast<CustomControl*>(FromHandle(window));
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    return self->HandleMessage(message, wparam, lparam);
}

LRESULT CustomControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wparam, lparam, result)) return result;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // Paint covers the whole client area
        case WM_PAINT:
            if (!ForwardPaintToComposer()) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(Handle(), &ps);
                Paint(dc);
                EndPaint(Handle(), &ps);
            }
            return 0;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wparam));
            return 0;
        default:
            return DefWindowProcA(Handle(), message, wparam, lparam);
    }
}

}  // namespace controls
