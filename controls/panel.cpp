#include "controls/panel.h"

namespace controls {

Panel::Panel(Control& parent, int x, int y, int width, int height, bool composes_area)
    // A composing panel draws over its children itself, so it must not clip them.
    : CustomControl(parent, x, y, width, height, composes_area ? 0 : WS_CLIPCHILDREN),
      composes_area_(composes_area) {}

LRESULT Panel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT && composes_area_) {
        PaintComposed();
        return 0;
    }
    return CustomControl::HandleMessage(message, wparam, lparam);
}

void Panel::Paint(HDC dc) {
    if (!Transparent()) {
        RECT client{};
        GetClientRect(Handle(), &client);
        UniqueBrush brush(CreateSolidBrush(Color()));
        FillRect(dc, &client, brush.get());
    }
    if (OnPaint) OnPaint(*this, dc);
}

void Panel::PaintComposed() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    UniqueMemoryDc memory(CreateCompatibleDC(screen));
    UniqueBitmap picture(CreateCompatibleBitmap(screen, client.right, client.bottom));
    if (memory && picture) {
        {
            SelectedObject selected(memory.get(), picture.get());
            Paint(memory.get());
            PrintChildrenTo(memory.get());
            BitBlt(screen, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(Handle(), &ps);
}

}  // namespace controls
