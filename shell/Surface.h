// A bitmap resource decoded once and kept selected into its own memory device context, so that
// drawing it is a single opaque block copy (whole, or one frame of a strip, cut to a rectangle).
#pragma once

#include "platform/Platform.h"

class Surface {
  public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface();

    // Loads bitmap `resourceNumber` of `instance` into a memory context compatible with `dc`.
    // Called once, on the message-loop thread. A missing or undecodable bitmap leaves the surface
    // empty (zero size, not loaded), and drawing it draws nothing.
    void load(HDC dc, HINSTANCE instance, int resourceNumber);
    // Frees the bitmap and its context; harmless when not loaded.
    void release();
    // Copies the whole picture to the top-left corner of `dst`, as every background is drawn.
    void drawWhole(HDC dst) const;
    // Draws the width by height piece at source (sx, sy) to (x, y), cut to the clip rectangle
    // (left and top inclusive, right and bottom exclusive).
    void drawClipped(HDC dst, int x, int y, int left, int top, int right, int bottom, int sx, int sy) const;
    // The same for a w by h piece, such as one square frame of an animation strip.
    void drawPartClipped(HDC dst, int x, int y, int w, int h, int left, int top, int right, int bottom,
                         int sx, int sy) const;

    int width = 0;   // pixels; 0 when not loaded
    int height = 0;  // pixels; 0 when not loaded; also the side of one frame of a strip
    bool loaded = false;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;  // what memoryDC held before `bitmap`
    HDC memoryDC = nullptr;
};
