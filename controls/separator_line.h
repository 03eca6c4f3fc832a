// A separator line: a thin panel with a half-sunken border that shows its
// face colour between the border lines.
#pragma once

#include "controls/custom_control.h"

namespace controls {

class SeparatorLine : public CustomControl {
public:
    SeparatorLine(Control& parent, int x, int y, int width, int height);

protected:
    void Paint(HDC dc) override;
};

}  // namespace controls
