// Test helpers: WM_PAINT answered as the game answers it, and bitmaps whose pixels a test sets.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Platform.h"
#include "platform/core/GdiObjects.h"

namespace veskar::testing {

// Paints as the game does: `draw` into a width by height memory buffer, then the buffer copied to
// the window whole. Returns what a handled WM_PAINT returns.
inline LRESULT paintThroughBuffer(HWND window, int width, int height,
                                  const std::function<void(HDC buffer, HBITMAP bitmap)>& draw) {
    PAINTSTRUCT paint{};
    HDC windowDC = BeginPaint(window, &paint);
    HDC buffer = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, width, height);
    HGDIOBJ previous = SelectObject(buffer, bitmap);
    draw(buffer, bitmap);
    BitBlt(windowDC, 0, 0, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, previous);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(window, &paint);
    return 0;
}

// Fills the rectangle of dc with one colour, through a brush made for it.
inline void fillWith(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A bitmap selected into a memory context of its own, its pixels written directly (past the
// drawing calls).
struct Picture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;

    Picture(int w, int h, const std::function<std::uint32_t(int, int)>& content) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, w, h);
        SelectObject(dc, bitmap);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                bitmap->row(y)[x] = content(x, y);
            }
        }
    }
    void fill(int left, int top, int right, int bottom, COLORREF color) const {
        fillWith(dc, RECT{left, top, right, bottom}, color);
    }
};

}  // namespace veskar::testing
