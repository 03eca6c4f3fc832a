// The system's progress bar, range 0 to 100 as the control comes.
#pragma once

#include "controls/control.h"

namespace controls {

class ProgressBar : public Control {
public:
    ProgressBar(Control& parent, int x, int y, int width, int height);

    int Position() const;
    // Sets the position and has the bar redrawn.
    void SetPosition(int position);
};

}  // namespace controls
