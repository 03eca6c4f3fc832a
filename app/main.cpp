// Program entry: build the window, run its message loop, tear it down.
#include <windows.h>

#include <memory>

#include "app/error_report.h"
#include "app/main_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::unique_ptr<controls::Form> window;
    app::CreateMainForm(window);
    if (!window->Failure()) window->RunMessageLoop();
    if (const auto& failure = window->Failure()) {
        app::ShowErrorReport(*failure);
        return 1;
    }
    window.reset();
    return 0;
}
