// The floor for start-up and memory: one empty window of the program's
// size at its place, and a message loop; linked like the program.
// Built a second time with MINIMAL_COMMON_CONTROLS (and the program's
// manifest) it also loads version 6 of the common controls, as the
// program does: that tells what the common controls cost of the gap.
#include <windows.h>
#ifdef MINIMAL_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef MINIMAL_COMMON_CONTROLS
    InitCommonControls();
#endif
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = "MinimalWindow";
    RegisterClassA(&window_class);
    RECT frame{0, 0, 497, 360};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window = CreateWindowExA(0, "MinimalWindow", "Minimal", WS_OVERLAPPEDWINDOW, 323, 235,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
