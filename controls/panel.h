// A panel: a window without text that holds other controls. A panel that
// composes its area paints itself and all its descendants into one
// off-screen picture and copies it to the screen in one step, so nothing in
// it flickers when a child changes.
#pragma once

#include <functional>

#include "controls/custom_control.h"

namespace controls {

class Panel : public CustomControl {
public:
    Panel(Control& parent, int x, int y, int width, int height, bool composes_area = false);

    bool ComposesArea() const override { return composes_area_; }

    // Replaces the panel's own painting; drawn in the panel's client
    // coordinates, over its background unless the panel is transparent.
    std::function<void(Panel& sender, HDC dc)> OnPaint;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Paint(HDC dc) override;

private:
    void PaintComposed();

    bool composes_area_;
};

}  // namespace controls
