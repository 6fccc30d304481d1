// The objects behind the drawing handles: 32-bit bitmaps, solid brushes, device contexts and icons,
// and the table of live objects through which every handle the game passes in is checked.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/core/WindowFrame.h"

struct HBITMAP__ {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row-major, top row first, 0x00RRGGBB
    HDC selectedInto = nullptr;         // the memory context holding it, if any
    bool stock = false;                 // the 1 by 1 bitmap of a fresh memory context
    // A fill of the whole bitmap not yet written to `pixels`: every pixel is this colour. A paint's
    // buffer is erased and then covered by a background, so the fill is written only where a later
    // operation needs it (settle, prepareWrite).
    std::optional<std::uint32_t> pendingFill;
    // A copy of all of another bitmap not yet written to `pixels`: a paint's background. Each tile
    // (TILE pixels square, from the top-left corner) shows source's pixels from (x, y) on until
    // something is drawn into it. Copies from other bitmaps (sprites, letters) are kept as the tile's
    // strokes and painted over its background only when its pixels are needed; anything else drawn
    // paints the tile first.
    struct Drawing {
        veskar::platform::TileRecipe recipe;  // what is drawn over the background
        std::array<const HBITMAP__*, veskar::platform::TileRecipe::MOST_STROKES> sources{};
        bool painted = false;  // `pixels` hold the tile: its background and what is drawn over it
    };
    struct PendingCopy {
        HBITMAP source = nullptr;
        int x = 0;
        int y = 0;
        std::vector<std::uint32_t> written;  // one a tile, row by row: 0, or its drawing's index + 1
        std::vector<Drawing> drawings;
        std::vector<HBITMAP> strokeSources;  // the other bitmaps strokes read, which list this one
    };
    std::optional<PendingCopy> pendingCopy;
    std::vector<HBITMAP> copiedBy;  // the bitmaps with a pending copy of this one
    // New whenever the pixels may have changed, unique among all bitmaps ever made: a window knows
    // by it that it still shows a bitmap's pixels.
    std::uint64_t stamp = 0;

    HBITMAP__(int w, int h, std::uint32_t fill = 0);
    HBITMAP__(int w, int h, std::vector<std::uint32_t>&& storage);
    HBITMAP__(const HBITMAP__&) = delete;
    HBITMAP__& operator=(const HBITMAP__&) = delete;
    ~HBITMAP__() { forgetCopies(); }

    [[nodiscard]] std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    [[nodiscard]] const std::uint32_t* row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * width;
    }
    [[nodiscard]] int tilesAcross() const {
        return (width + veskar::platform::TILE - 1) / veskar::platform::TILE;
    }
    [[nodiscard]] int tilesDown() const {
        return (height + veskar::platform::TILE - 1) / veskar::platform::TILE;
    }
    // Whether something was drawn into tile (column, row) of a pending copy.
    [[nodiscard]] bool tileWritten(int column, int row) const { return written(column, row) != 0; }
    // What was drawn into drawn tile (column, row) of a pending copy.
    [[nodiscard]] const veskar::platform::TileRecipe& tileRecipe(int column, int row) const {
        return drawingAt(column, row)->recipe;
    }
    // The pixel at (x, y), a pending fill or copy included; (x, y) must lie inside.
    [[nodiscard]] std::uint32_t pixel(int x, int y) const;
    // Writes a pending fill or copy, before the pixels are read or written in place.
    void settle();
    // Readies the rectangle [left, right) x [top, bottom), which the caller is about to overwrite
    // whole: a pending fill or copy is written everywhere it still shows outside it. `copy` (its
    // stamp and offsets) says that the rectangle receives another bitmap's pixels, which the
    // recipes of a pending copy's tiles then note; without it they become unknown.
    void prepareWrite(int left, int top, int right, int bottom,
                      const veskar::platform::TileStroke* copy = nullptr);
    // Draws `source`'s pixels (settled, and another bitmap) from (left + copy.dx, top + copy.dy) on
    // over [left, right) x [top, bottom), which lies inside, as strokes of a pending copy's tiles,
    // to be painted when needed. False, and nothing done, when some tile cannot keep one more.
    [[nodiscard]] bool drawLater(int left, int top, int right, int bottom, HBITMAP source,
                                 const veskar::platform::TileStroke& copy);
    // Gives tile (column, row) of a pending copy its pixels, what is drawn into it included.
    void paintTile(int column, int row);
    // Makes every pixel `color`, written later.
    void fillLater(std::uint32_t color);
    // Makes the bitmap a copy of `source` from (x, y) on, which must hold width by height pixels
    // there and have nothing pending itself; written tile by tile as needed.
    void copyLater(HBITMAP source, int x, int y);
    // Before the pixels go: the bitmaps copying this one get their copies written, and this one's
    // own pending copy is dropped.
    void forgetCopies();

  private:
    [[nodiscard]] std::uint32_t written(int column, int row) const {
        return pendingCopy->written[static_cast<std::size_t>(row) * tilesAcross() + column];
    }
    // The drawing of tile (column, row) of a pending copy, or null when nothing was drawn into it.
    [[nodiscard]] const Drawing* drawingAt(int column, int row) const {
        const std::uint32_t index = written(column, row);
        return index != 0 ? &pendingCopy->drawings[index - 1] : nullptr;
    }
    Drawing& drawingOf(int column, int row);
    void listSource(HBITMAP source);
    void settleFillOutside(int left, int top, int right, int bottom);
    void settleCopiers();
    void dropCopy();
    // Paints the tile (its background and its strokes), unless the rectangle [left, right) x
    // [top, bottom), which the caller is about to overwrite, covers all of it; marks it painted
    // either way.
    void writeTileOutside(int column, int row, int left, int top, int right, int bottom);
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
