// A static text label, left-aligned, showing "&" literally. A single-line
// label sizes itself to its text; a word-wrap label keeps the size it is
// given and cuts off what does not fit.
#pragma once

#include "controls/control.h"

namespace controls {

class Label : public Control {
public:
    enum class Kind { SingleLineAutoSize, WordWrap };

    Label(Control& parent, Kind kind, int x, int y, int width, int height, const std::string& text);

    void SetText(const std::string& text) override;
    void SetFont(const FontSpec& font) override;

    // Draws the text itself, so a transparent label can be composed.
    void PrintTo(HDC dc) override;

private:
    UINT DrawFlags() const;
    void AdjustSize();

    Kind kind_;
};

}  // namespace controls
