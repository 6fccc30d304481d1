// The objects behind the drawing handles: 32-bit bitmaps, solid brushes, device contexts and icons,
// and the table of live objects through which every handle the game passes in is checked.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/WinTypes.h"

struct HBITMAP__ {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row-major, top row first, 0x00RRGGBB
    HDC selectedInto = nullptr;         // the memory context holding it, if any
    bool stock = false;                 // the 1 by 1 bitmap of a fresh memory context
    // A fill of the whole bitmap not yet written to `pixels`: every pixel is this colour. A paint's
    // buffer is erased and then covered by a background, so the fill is written only where a later
    // operation needs it (settle, settleOutside).
    std::optional<std::uint32_t> pendingFill;

    HBITMAP__(int w, int h, std::uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    HBITMAP__(int w, int h, std::vector<std::uint32_t>&& storage)
        : width(w), height(h), pixels(std::move(storage)) {}
    [[nodiscard]] std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    // The pixel at (x, y), a pending fill included; (x, y) must lie inside.
    [[nodiscard]] std::uint32_t pixel(int x, int y) const {
        return pendingFill ? *pendingFill : pixels[static_cast<std::size_t>(y) * width + x];
    }
    // Writes a pending fill, before the pixels are read or partly written.
    void settle() { settleOutside(0, 0, 0, 0); }
    // Writes a pending fill everywhere except in the rectangle [left, right) x [top, bottom), which
    // the caller is about to overwrite whole.
    void settleOutside(int left, int top, int right, int bottom);
};

struct HBRUSH__ {
    std::uint32_t color = 0;  // 0x00RRGGBB
};

struct HDC__ {
    HWND window = nullptr;     // set for a window's context, which always draws on the window
    HBITMAP bitmap = nullptr;  // the selected bitmap of a memory context
    HBRUSH brush = nullptr;
};

struct HICON__ {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top row first; 0xAARRGGBB with alpha 0xFF opaque
};

struct HCURSOR__ {};

namespace veskar::platform {

enum class GdiKind { Bitmap, Brush, MemoryDC, WindowDC };

// Live drawing objects by handle. Owns every bitmap, brush and context the game creates.
class GdiTable {
  public:
    GdiTable() = default;
    GdiTable(const GdiTable&) = delete;
    GdiTable& operator=(const GdiTable&) = delete;
    ~GdiTable();

    HBITMAP addBitmap(int width, int height, std::uint32_t fill = 0);
    // A bitmap whose content is left undefined unless `fill` is given. The pixels of the last large
    // bitmap deleted are reused when the size matches: a paint's back buffer is made and deleted on
    // every frame, and fresh memory costs a page fault per 4 KiB.
    HBITMAP addScratchBitmap(int width, int height, std::optional<std::uint32_t> fill);
    HBRUSH addBrush(std::uint32_t color);
    HDC addMemoryDC();
    HDC addWindowDC(HWND window);
    // The object if `handle` is live and of that kind, else null.
    [[nodiscard]] HBITMAP bitmap(const void* handle) const;
    [[nodiscard]] HBRUSH brush(const void* handle) const;
    [[nodiscard]] HDC dc(const void* handle) const;
    [[nodiscard]] bool isKind(const void* handle, GdiKind kind) const;
    // Frees the object; false for an unknown handle.
    bool remove(const void* handle);
    // How many objects are live (window contexts included), to find leaks.
    [[nodiscard]] std::size_t liveObjects() const { return kinds.size(); }

  private:
    std::unordered_map<const void*, GdiKind> kinds;
    std::vector<std::uint32_t> sparePixels;  // of the last large bitmap deleted
};

// Converts a COLORREF (0x00BBGGRR) to a pixel (0x00RRGGBB).
[[nodiscard]] constexpr std::uint32_t pixelOf(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

}  // namespace veskar::platform
