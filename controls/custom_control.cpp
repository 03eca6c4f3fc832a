#include "controls/custom_control.h"

#include "controls/window_class.h"

namespace controls {
namespace {

const char kClassName[] = "UninstallerControl";

}  // namespace

CustomControl::CustomControl(Control& parent, int x, int y, int width, int height, DWORD style)
    : Control(&parent) {
    RegisterWindowClassOnce(kClassName, WindowProc, nullptr);
    CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                    parent.Handle(), nullptr, GetModuleHandleA(nullptr), this);
}

LRESULT CALLBACK CustomControl::WindowProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    auto* self = static_cast<CustomControl*>(ControlForMessage(window, message, lparam));
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
