#include "controls/label.h"

namespace controls {

Label::Label(Control& parent, Kind kind, int x, int y, int width, int height,
             const std::string& text)
    : Control(&parent), kind_(kind) {
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX |
                  (kind == Kind::WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
    Attach(CreateWindowExA(0, "STATIC", text.c_str(), style, x, y, width, height, parent.Handle(),
                           nullptr, GetModuleHandleA(nullptr), nullptr));
    SubclassSystemControl();
    AdjustSize();
}

void Label::SetText(const std::string& text) {
    Control::SetText(text);
    AdjustSize();
}

void Label::SetFont(const FontSpec& font) {
    Control::SetFont(font);
    AdjustSize();
}

UINT Label::DrawFlags() const {
    return DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS |
           (kind_ == Kind::WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
}

// Auto-size: the text's extent in the label's font, measured as one line,
// plus one pixel each way; the top-left corner stays.
void Label::AdjustSize() {
    if (kind_ != Kind::SingleLineAutoSize || !Handle()) return;
    std::string text = Text();
    SIZE extent{0, 0};
    if (!text.empty()) {
        WindowDc dc(Handle());
        HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        SelectedObject selected(dc.get(), font);
        RECT r{0, 0, 0, 0};
        DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DrawFlags() | DT_CALCRECT);
        extent = SIZE{r.right - r.left, r.bottom - r.top};
    }
    SetWindowPos(Handle(), nullptr, 0, 0, extent.cx + 1, extent.cy + 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::PrintTo(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!Transparent()) {
        UniqueBrush brush(CreateSolidBrush(Color()));
        FillRect(dc, &client, brush.get());
    }
    std::string text = Text();
    SelectedObject selected(dc, font_ ? font_.get() : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, font_spec_.color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DrawFlags());
}

}  // namespace controls
