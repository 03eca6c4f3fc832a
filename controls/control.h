// The base of every control: a child window owned by its parent control,
// with geometry, text, font and colour, and the hooks through which the
// parent hands on the notifications Windows sends to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/font.h"

namespace controls {

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return window_; }
    Control* Parent() const { return parent_; }

    // Creates a child control owned by this one. Children are destroyed
    // with their parent, the last created first.
    template <typename T, typename... Args>
    T& Add(Args&&... args) {
        auto child = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *child;
        children_.push_back(std::move(child));
        return ref;
    }

    // Bounding rectangle in the parent's client coordinates.
    RECT Bounds() const;
    int Width() const;
    int Height() const;
    void SetBounds(int x, int y, int width, int height);
    void SetWidth(int width);    // keeps the left edge
    void SetHeight(int height);  // keeps the top edge

    virtual void SetText(const std::string& text);
    std::string Text() const;

    virtual void SetFont(const FontSpec& font);
    const FontSpec& Font() const { return font_spec_; }

    void SetEnabled(bool enabled);
    bool Enabled() const;

    // Transparent controls paint no background of their own.
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    bool Transparent() const { return transparent_; }

    // The colour behind the text of an opaque control.
    void SetColor(COLORREF color);
    COLORREF Color() const { return color_; }

    // Asks for a repaint of the control's area.
    void Invalidate();

    // Notifications Windows sends to the parent, handed on to the child.
    virtual bool OnCommand(WORD /*code*/) { return false; }
    virtual HBRUSH OnControlColor(HDC dc);
    virtual HCURSOR Cursor() const { return nullptr; }

    // Draws the control's client area into a device context whose origin is
    // the control's client origin; used when an area is composed off-screen.
    virtual void PrintTo(HDC dc);

    // Nearest ancestor (or this) that composes its area off-screen.
    virtual bool ComposesArea() const { return false; }
    Control* ComposingAncestor();

    // The control object behind a window created by this layer, if any.
    static Control* FromHandle(HWND window);

    // Hands the notification messages parents receive on to their children.
    // Returns true when the message was handled, with its result.
    static bool ReflectToChild(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    // Paints a composed area: the control's children, back to front, into a
    // device context positioned at the control's client origin.
    void PrintChildrenTo(HDC dc);

    // Takes a created window as this control's own.
    void Attach(HWND window);

protected:
    explicit Control(Control* parent) : parent_(parent) {}

    // For controls inside a composed area: consumes a paint request and has
    // the composing ancestor repaint that area instead. Returns false when
    // the control is not inside such an area.
    bool ForwardPaintToComposer();

    HWND ParentHandle() const { return parent_ ? parent_->window_ : nullptr; }

    // Destroys the children, the last created first, then the window.
    void DestroyControls();

    // Lets a system control class be watched for WM_PAINT (see
    // ForwardPaintToComposer) and destroyed through this object.
    void SubclassSystemControl();

    FontSpec font_spec_;
    UniqueFont font_;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR data);

    Control* parent_;
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<Control>> children_;
    bool transparent_ = false;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    UniqueBrush brush_;
};

}  // namespace controls
