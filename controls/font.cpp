#include "controls/font.h"

namespace controls {

UniqueFont CreateFontFromSpec(const FontSpec& spec) {
    return UniqueFont(CreateFontA(spec.height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  FALSE, FALSE, spec.charset, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                  spec.face.c_str()));
}

}  // namespace controls
