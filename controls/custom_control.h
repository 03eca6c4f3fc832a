// Controls of this layer's own window class: panels and separator lines.
// They paint everything themselves, so the same drawing serves the screen
// and off-screen composition.
#pragma once

#include "controls/control.h"

namespace controls {

class CustomControl : public Control {
public:
    void PrintTo(HDC dc) override { Paint(dc); }

protected:
    CustomControl(Control& parent, int x, int y, int width, int height, DWORD style = 0);

    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void Paint(HDC dc) = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

}  // namespace controls
