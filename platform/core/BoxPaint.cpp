// Fills and bevels of the layer's panels.
#include "platform/core/BoxPaint.h"

#include <algorithm>

namespace veskar::platform {

void fillBox(HBITMAP__& target, int left, int top, int right, int bottom, std::uint32_t color) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, target.width);
    bottom = std::min(bottom, target.height);
    for (int y = top; y < bottom; ++y) {
        std::fill(target.row(y) + left, target.row(y) + std::max(left, right), color);
    }
}

void raisedBox(HBITMAP__& target, int left, int top, int right, int bottom) {
    fillBox(target, left, top, right, bottom, BOX_DARK);
    fillBox(target, left, top, right - 1, bottom - 1, BOX_LIGHT);
    fillBox(target, left + 1, top + 1, right - 1, bottom - 1, BOX_SHADOW);
    fillBox(target, left + 1, top + 1, right - 2, bottom - 2, BOX_FACE);
}

void sunkenBox(HBITMAP__& target, int left, int top, int right, int bottom, std::uint32_t inside) {
    fillBox(target, left, top, right, bottom, BOX_LIGHT);
    fillBox(target, left, top, right - 1, bottom - 1, BOX_SHADOW);
    fillBox(target, left + 1, top + 1, right - 1, bottom - 1, BOX_FACE);
    fillBox(target, left + 1, top + 1, right - 2, bottom - 2, BOX_DARK);
    fillBox(target, left + 2, top + 2, right - 2, bottom - 2, inside);
}

}  // namespace veskar::platform
