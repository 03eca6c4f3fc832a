#include "controls/control.h"

#include <commctrl.h>

namespace controls {

Control::~Control() {
    DestroyControls();
}

void Control::DestroyControls() {
    while (!children_.empty()) children_.pop_back();
    if (window_) {
        // Detach first: the messages DestroyWindow sends must not reach a
        // half-destroyed object.
        RemoveWindowSubclass(window_, SubclassProc, 0);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(window_, nullptr));
    }
}

void Control::Attach(HWND window) {
    window_ = window;
    if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Control* Control::FromHandle(HWND window) {
    return window ? reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

RECT Control::Bounds() const {
    RECT r{};
    if (!window_) return r;
    GetWindowRect(window_, &r);
    if (HWND parent = ParentHandle()) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

int Control::Width() const {
    RECT r = Bounds();
    return r.right - r.left;
}

int Control::Height() const {
    RECT r = Bounds();
    return r.bottom - r.top;
}

void Control::SetBounds(int x, int y, int width, int height) {
    SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetWidth(int width) {
    SetWindowPos(window_, nullptr, 0, 0, width, Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetHeight(int height) {
    SetWindowPos(window_, nullptr, 0, 0, Width(), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetText(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
    Invalidate();
}

std::string Control::Text() const {
    int length = GetWindowTextLengthA(window_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Control::SetFont(const FontSpec& font) {
    font_spec_ = font;
    font_ = CreateFontFromSpec(font);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    Invalidate();
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(window_, enabled ? TRUE : FALSE);
}

bool Control::Enabled() const {
    return IsWindowEnabled(window_) != FALSE;
}

void Control::SetColor(COLORREF color) {
    color_ = color;
    brush_.reset();
    Invalidate();
}

void Control::Invalidate() {
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH Control::OnControlColor(HDC dc) {
    SetTextColor(dc, font_spec_.color);
    if (transparent_) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, color_);
    if (!brush_) brush_.reset(CreateSolidBrush(color_));
    return brush_.get();
}

void Control::PrintTo(HDC dc) {
    SendMessageA(window_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

Control* Control::ComposingAncestor() {
    for (Control* c = this; c; c = c->parent_) {
        if (c->ComposesArea()) return c;
    }
    return nullptr;
}

bool Control::ForwardPaintToComposer() {
    Control* composer = parent_ ? parent_->ComposingAncestor() : nullptr;
    if (!composer) return false;
    PAINTSTRUCT ps;
    BeginPaint(window_, &ps);
    EndPaint(window_, &ps);
    // The whole area is composed again and copied in one step; its child
    // windows are left out so that this cannot come back here.
    RedrawWindow(composer->window_, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    return true;
}

void Control::PrintChildrenTo(HDC dc) {
    // Children are created on top of their elder siblings, so creation
    // order is back-to-front order.
    for (const auto& child : children_) {
        HWND w = child->window_;
        if (!w || !IsWindowVisible(w)) continue;
        SavedDcState saved(dc);
        if (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
            RECT bounds = child->Bounds();
            DrawEdge(dc, &bounds, EDGE_SUNKEN, BF_RECT);
        }
        POINT origin{0, 0};
        MapWindowPoints(w, window_, &origin, 1);
        RECT client{};
        GetClientRect(w, &client);
        OffsetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        child->PrintTo(dc);
        child->PrintChildrenTo(dc);
    }
}

bool Control::ReflectToChild(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (Control* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
                if (child->OnCommand(HIWORD(wparam))) {
                    result = 0;
                    return true;
                }
            }
            return false;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (Control* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
                result =
                    reinterpret_cast<LRESULT>(child->OnControlColor(reinterpret_cast<HDC>(wparam)));
                return true;
            }
            return false;
        case WM_SETCURSOR:
            if (LOWORD(lparam) == HTCLIENT) {
                Control* child = FromHandle(reinterpret_cast<HWND>(wparam));
                HCURSOR cursor = child ? child->Cursor() : nullptr;
                if (cursor) {
                    SetCursor(cursor);
                    result = TRUE;
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

void Control::SubclassSystemControl() {
    SetWindowSubclass(window_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Control*>(data);
    if (message == WM_PAINT && self->ForwardPaintToComposer()) return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, SubclassProc, 0);
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace controls
