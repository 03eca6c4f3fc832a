#include "controls/font.h"

namespace controls {

UniqueFont CreateFontFromSpec(const FontSpec& font) {
    return UniqueFont(CreateFontA(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                  font.face.c_str()));
}

}  // namespace controls
