#include "controls/separator_line.h"

namespace controls {

SeparatorLine::SeparatorLine(Control& parent, int x, int y, int width, int height)
    : CustomControl(parent, x, y, width, height) {}

void SeparatorLine::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    UniqueBrush face(CreateSolidBrush(Color()));
    FillRect(dc, &client, face.get());
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}

}  // namespace controls
