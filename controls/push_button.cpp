#include "controls/push_button.h"

namespace controls {

PushButton::PushButton(Control& parent, int x, int y, int width, int height) : Control(&parent) {
    Attach(CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, width,
                           height, parent.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    // Never draw a focus rectangle on it.
    SendMessageA(Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

bool PushButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    // A click sent by message (BM_CLICK) still arrives while the button is
    // disabled; a disabled button reports none.
    if (OnClick && Enabled()) OnClick();
    return true;
}

HCURSOR PushButton::Cursor() const {
    // The system's hand cursor; null (the arrow) where there is none.
    return LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
}

}  // namespace controls
