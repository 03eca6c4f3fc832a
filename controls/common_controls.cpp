#include "controls/common_controls.h"

#include <windows.h>
#include <commctrl.h>

namespace controls {

void InitCommonControlsOnce() {
    InitCommonControls();
}

void InitStandardControlClasses() {
    // Looked up at run time: systems without the extended call still run.
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    if (!comctl) return;
    auto init = reinterpret_cast<InitEx>(
        reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
    if (!init) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    init(&icc);
}

}  // namespace controls
