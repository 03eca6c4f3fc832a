#include "controls/progress_bar.h"

#include <commctrl.h>

#include "controls/common_controls.h"

namespace controls {

ProgressBar::ProgressBar(Control& parent, int x, int y, int width, int height) : Control(&parent) {
    InitStandardControlClasses();
    Attach(CreateWindowExA(WS_EX_CLIENTEDGE, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, x, y,
                           width, height, parent.Handle(), nullptr, GetModuleHandleA(nullptr),
                           nullptr));
    SubclassSystemControl();
}

int ProgressBar::Position() const {
    return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
}

void ProgressBar::SetPosition(int position) {
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
    Invalidate();
}

}  // namespace controls
