// Loading, releasing and clipped drawing of bitmap surfaces.
#include "shell/Surface.h"

Surface::~Surface() {
    release();
}

void Surface::load(HDC dc, HINSTANCE instance, int resourceNumber) {
    bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(static_cast<WORD>(resourceNumber)));
    if (bitmap == nullptr) {
        return;  // stays empty: zero size, no context, draws nothing
    }
    memoryDC = CreateCompatibleDC(dc);
    previousBitmap = SelectObject(memoryDC, bitmap);
    BITMAP description{};
    if (GetObjectA(bitmap, sizeof description, &description) != 0) {
        width = description.bmWidth;
        height = description.bmHeight;
    }
    loaded = true;
}

void Surface::release() {
    if (loaded) {
        DeleteObject(SelectObject(memoryDC, previousBitmap));
        DeleteDC(memoryDC);
        memoryDC = nullptr;
        bitmap = nullptr;
        previousBitmap = nullptr;
        width = 0;
        height = 0;
    }
    loaded = false;
}

void Surface::drawWhole(HDC dst) const {
    BitBlt(dst, 0, 0, width, height, memoryDC, 0, 0, SRCCOPY);
}

void Surface::drawClipped(HDC dst, int x, int y, int left, int top, int right, int bottom, int sx,
                          int sy) const {
    drawPartClipped(dst, x, y, width, height, left, top, right, bottom, sx, sy);
}

void Surface::drawPartClipped(HDC dst, int x, int y, int w, int h, int left, int top, int right, int bottom,
                              int sx, int sy) const {
    // A piece that only touches an edge is not rejected; its transfer is then empty.
    if (x > right || y > bottom || x + w < left || y + h < top) {
        return;
    }
    if (x < left) {
        const int cut = left - x;
        x = left;
        w -= cut;
        sx += cut;
    }
    if (y < top) {
        const int cut = top - y;
        y = top;
        h -= cut;
        sy += cut;
    }
    if (x + w > right) {
        w = right - x;
    }
    if (y + h > bottom) {
        h = bottom - y;
    }
    BitBlt(dst, x, y, w, h, memoryDC, sx, sy, SRCCOPY);
}
