// A push button that is no tab stop and shows the hand cursor.
#pragma once

#include <functional>

#include "controls/control.h"

namespace controls {

class PushButton : public Control {
public:
    PushButton(Control& parent, int x, int y, int width, int height);

    std::function<void()> OnClick;

    bool OnCommand(WORD code) override;
    HCURSOR Cursor() const override;
};

}  // namespace controls
