// A font described by value; each control makes its own from the description.
#pragma once

#include <windows.h>

#include <string>

#include "controls/handles.h"

namespace controls {

struct FontSpec {
    std::string face = "MS Sans Serif";
    int height = -11;  // negative: character height in pixels
    bool bold = false;
    BYTE charset = DEFAULT_CHARSET;
    COLORREF color = RGB(0, 0, 0);
};

UniqueFont CreateFontFromSpec(const FontSpec& font);

}  // namespace controls
