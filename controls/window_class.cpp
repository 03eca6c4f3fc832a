#include "controls/window_class.h"

#include "controls/control.h"

namespace controls {

void RegisterWindowClassOnce(const char* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &existing)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

Control* ControlForMessage(HWND window, UINT message, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        if (created) created->Attach(window);
    }
    return Control::FromHandle(window);
}

}  // namespace controls
