// Device contexts, bitmaps, brushes and the clipped opaque block copy.
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/WinGdi.h"
#include "platform/WinUser.h"
#include "platform/core/PlatformState.h"
#include "platform/core/WindowFrame.h"

using veskar::platform::GdiKind;
using veskar::platform::state;
using veskar::platform::TILE;
using veskar::platform::TileOrigin;
using veskar::platform::WindowFrame;

namespace {

inline constexpr int MAX_BITMAP_SIDE = 16384;
// A whole copy into a bitmap this large (a paint's buffer, not a sprite) is written only as needed.
inline constexpr std::int64_t LATER_COPY_PIXELS = 64 * 64;

// Fixed system colours as COLORREF, by index 0..20 (a classic grey desktop scheme).
// clang-format off
inline constexpr COLORREF SYSTEM_COLORS[] = {
    RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255),
};
// clang-format on

// The colour a brush handle paints: a live brush, or a system colour index + 1.
bool brushColor(HBRUSH brush, std::uint32_t& color) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= std::size(SYSTEM_COLORS)) {
        color = veskar::platform::pixelOf(SYSTEM_COLORS[value - 1]);
        return true;
    }
    if (HBRUSH live = state().gdi.brush(brush)) {
        color = live->color;
        return true;
    }
    return false;
}

// What a context draws on: the selected bitmap of a memory context, or a window's frame.
struct Canvas {
    std::uint32_t* bits = nullptr;
    std::size_t stride = 0;  // pixels from one row to the next
    int width = 0;
    int height = 0;
    HBITMAP bitmap = nullptr;
    WindowFrame* frame = nullptr;

    [[nodiscard]] std::uint32_t* row(int y) const { return bits + static_cast<std::size_t>(y) * stride; }
};

Canvas canvasOf(HDC dc) {
    if (dc->window != nullptr) {
        WindowFrame& frame = dc->window->frame;
        return {frame.row(0), frame.view().stride, frame.width(), frame.height(), nullptr, &frame};
    }
    HBITMAP bitmap = dc->bitmap;
    return {bitmap->row(0), static_cast<std::size_t>(bitmap->width), bitmap->width, bitmap->height, bitmap,
            nullptr};
}

// A block cut to both pictures: `columns` by `rows` pixels from (fromX, fromY) to (toX, toY).
struct Block {
    int toX = 0;
    int toY = 0;
    int fromX = 0;
    int fromY = 0;
    int columns = 0;
    int rows = 0;
};

// The order of rows that copies a block correctly even within one picture: an overlapping copy
// downwards goes bottom row first.
int rowAt(const Canvas& to, const Canvas& from, const Block& block, int i) {
    const bool upward = to.bits == from.bits && block.toY > block.fromY;
    return upward ? block.rows - 1 - i : i;
}

void copyBlock(const Canvas& to, const Canvas& from, const Block& block) {
    const std::size_t bytes = static_cast<std::size_t>(block.columns) * sizeof(std::uint32_t);
    for (int i = 0; i < block.rows; ++i) {
        const int row = rowAt(to, from, block, i);
        std::memmove(to.row(block.toY + row) + block.toX, from.row(block.fromY + row) + block.fromX, bytes);
    }
}

inline constexpr std::size_t COMPARE_CHUNK = 16;  // pixels: one cache line

bool equalPixels(const std::uint32_t* a, const std::uint32_t* b, std::size_t count) {
    return std::memcmp(a, b, count * sizeof(std::uint32_t)) == 0;
}

// Copies `columns` pixels of `source` to row y of the frame from column x on: only the pixels that
// differ are written, and noted for the display, so that an unchanged picture is neither written nor
// shown again.
void copyRowToFrame(WindowFrame& frame, int x, int y, const std::uint32_t* source, std::size_t columns) {
    std::uint32_t* target = frame.row(y) + x;
    if (std::memcmp(target, source, columns * sizeof(std::uint32_t)) == 0) {
        return;
    }
    // Some pixel differs, so both scans stop inside the row; they skip equal runs a chunk at a
    // time, since most of a changed row is usually the same.
    std::size_t first = 0;
    while (first + COMPARE_CHUNK <= columns && equalPixels(target + first, source + first, COMPARE_CHUNK)) {
        first += COMPARE_CHUNK;
    }
    while (target[first] == source[first]) {
        ++first;
    }
    std::size_t last = columns;
    while (last >= first + COMPARE_CHUNK &&
           equalPixels(target + last - COMPARE_CHUNK, source + last - COMPARE_CHUNK, COMPARE_CHUNK)) {
        last -= COMPARE_CHUNK;
    }
    while (target[last - 1] == source[last - 1]) {
        --last;
    }
    std::memmove(target + first, source + first, (last - first) * sizeof(std::uint32_t));
    frame.markChanged(x + static_cast<int>(first), y, x + static_cast<int>(last), y + 1);
}

void copyToFrame(const Canvas& to, const Canvas& from, const Block& block) {
    for (int i = 0; i < block.rows; ++i) {
        const int row = rowAt(to, from, block, i);
        copyRowToFrame(*to.frame, block.toX, block.toY + row, from.row(block.fromY + row) + block.fromX,
                       static_cast<std::size_t>(block.columns));
    }
    to.frame->forgetTiles(block.toX, block.toY, block.toX + block.columns, block.toY + block.rows);
}

// What showing a tile of a buffer with a pending copy takes.
enum class TileWork : std::uint8_t { Nothing, FromSource, FromBuffer };

TileWork tileWork(const WindowFrame& frame, const HBITMAP__& buffer, const TileOrigin& origin, int column,
                  int row) {
    if (buffer.tileWritten(column, row)) {
        return frame.tileHoldsDrawing(column, row, origin, buffer.tileRecipe(column, row))
                   ? TileWork::Nothing
                   : TileWork::FromBuffer;
    }
    return frame.tileHolds(column, row, origin) ? TileWork::Nothing : TileWork::FromSource;
}

// Shows a whole buffer whose background copy is pending at the frame's top-left corner: a tile
// drawn into comes from the buffer, and one that shows the background comes from the background
// itself, unless the frame already holds just those pixels there: the same background, with the
// same copies drawn over it. A running game draws most tiles as it drew them a frame before, so
// most of the frame is neither copied nor compared.
void copyTilesToFrame(WindowFrame& frame, HBITMAP__& buffer) {
    const HBITMAP__::PendingCopy& copy = *buffer.pendingCopy;
    const HBITMAP__& source = *copy.source;
    const TileOrigin origin{&source, source.stamp, copy.x, copy.y};
    std::array<TileWork, MAX_BITMAP_SIDE / TILE> work{};
    const int across = buffer.tilesAcross();
    for (int band = 0; band < buffer.tilesDown(); ++band) {
        for (int column = 0; column < across; ++column) {
            work[static_cast<std::size_t>(column)] = tileWork(frame, buffer, origin, column, band);
            if (work[static_cast<std::size_t>(column)] == TileWork::FromBuffer) {
                buffer.paintTile(column, band);
            }
        }
        const int bottom = std::min(buffer.height, (band + 1) * TILE);
        for (int y = band * TILE; y < bottom; ++y) {
            // Runs of tiles that take the same work, each as one stretch of the row.
            for (int column = 0; column < across;) {
                const TileWork kind = work[static_cast<std::size_t>(column)];
                int end = column + 1;
                while (end < across && work[static_cast<std::size_t>(end)] == kind) {
                    ++end;
                }
                const int left = column * TILE;
                const auto columns = static_cast<std::size_t>(std::min(buffer.width, end * TILE) - left);
                if (kind == TileWork::FromBuffer) {
                    copyRowToFrame(frame, left, y, buffer.row(y) + left, columns);
                } else if (kind == TileWork::FromSource) {
                    copyRowToFrame(frame, left, y, source.row(copy.y + y) + copy.x + left, columns);
                }
                column = end;
            }
        }
        for (int column = 0; column < across; ++column) {
            if (buffer.tileWritten(column, band)) {
                frame.noteDrawnTile(column, band, origin, buffer.tileRecipe(column, band));
            } else {
                frame.noteTile(column, band, origin, true);
            }
        }
    }
}

}  // namespace

HDC CreateCompatibleDC(HDC dc) {
    auto& platform = state();
    if (dc != nullptr && platform.gdi.dc(dc) == nullptr) {
        return nullptr;
    }
    HDC memory = platform.gdi.addMemoryDC();
    HBITMAP stock = platform.gdi.addBitmap(1, 1);
    stock->stock = true;
    stock->selectedInto = memory;
    memory->bitmap = stock;
    return memory;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    auto& platform = state();
    if ((dc != nullptr && platform.gdi.dc(dc) == nullptr) || width < 1 || height < 1 ||
        width > MAX_BITMAP_SIDE || height > MAX_BITMAP_SIDE) {
        return nullptr;
    }
    return platform.gdi.addScratchBitmap(width, height, platform.freshBitmapFill);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    auto& platform = state();
    if (!platform.gdi.isKind(dc, GdiKind::MemoryDC)) {
        return nullptr;
    }
    if (HBITMAP bitmap = platform.gdi.bitmap(object)) {
        if (bitmap->selectedInto == dc) {
            return bitmap;
        }
        if (bitmap->selectedInto != nullptr) {
            return nullptr;  // a bitmap lives in one context at a time
        }
        HBITMAP previous = dc->bitmap;
        previous->selectedInto = nullptr;
        bitmap->selectedInto = dc;
        dc->bitmap = bitmap;
        return previous;
    }
    if (HBRUSH brush = platform.gdi.brush(object)) {
        HBRUSH previous = dc->brush;
        dc->brush = brush;
        return previous;
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    auto& platform = state();
    if (HBITMAP bitmap = platform.gdi.bitmap(object)) {
        if (bitmap->stock || bitmap->selectedInto != nullptr) {
            return FALSE;
        }
        return platform.gdi.remove(bitmap) ? TRUE : FALSE;
    }
    if (HBRUSH brush = platform.gdi.brush(object)) {
        // A context still holding the brush keeps only its handle value, which is never followed.
        return platform.gdi.remove(brush) ? TRUE : FALSE;
    }
    return FALSE;
}

BOOL DeleteDC(HDC dc) {
    auto& platform = state();
    if (!platform.gdi.isKind(dc, GdiKind::MemoryDC) || dc == platform.screenDC) {
        return FALSE;
    }
    HBITMAP selected = dc->bitmap;
    selected->selectedInto = nullptr;
    if (selected->stock) {
        platform.gdi.remove(selected);
    }
    return platform.gdi.remove(dc) ? TRUE : FALSE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    HBITMAP bitmap = state().gdi.bitmap(object);
    if (bitmap == nullptr) {
        return 0;
    }
    if (buffer == nullptr) {
        return sizeof(BITMAP);
    }
    if (size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    const BITMAP description{0, bitmap->width, bitmap->height, bitmap->width * 4, 1, 32, nullptr};
    std::memcpy(buffer, &description, sizeof description);
    return sizeof(BITMAP);
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    auto& platform = state();
    if (rop != SRCCOPY || width < 0 || height < 0 || platform.gdi.dc(dst) == nullptr ||
        platform.gdi.dc(src) == nullptr) {
        return FALSE;
    }
    const Canvas to = canvasOf(dst);
    const Canvas from = canvasOf(src);
    // Work in 64 bits so that extreme coordinates cannot overflow, then cut the block so that it
    // starts inside both pictures and ends inside both.
    std::int64_t left =
        std::max<std::int64_t>({0, -static_cast<std::int64_t>(x), -static_cast<std::int64_t>(srcX)});
    std::int64_t top =
        std::max<std::int64_t>({0, -static_cast<std::int64_t>(y), -static_cast<std::int64_t>(srcY)});
    std::int64_t right = std::min<std::int64_t>(
        {width, static_cast<std::int64_t>(to.width) - x, static_cast<std::int64_t>(from.width) - srcX});
    std::int64_t bottom = std::min<std::int64_t>(
        {height, static_cast<std::int64_t>(to.height) - y, static_cast<std::int64_t>(from.height) - srcY});
    if (right <= left || bottom <= top) {
        return TRUE;
    }
    const Block block{static_cast<int>(x + left),     static_cast<int>(y + top),
                      static_cast<int>(srcX + left),  static_cast<int>(srcY + top),
                      static_cast<int>(right - left), static_cast<int>(bottom - top)};
    const bool wholeFrom = from.bitmap != nullptr && block.fromX == 0 && block.fromY == 0 &&
                           block.columns == from.width && block.rows == from.height;
    if (to.frame != nullptr && wholeFrom && from.bitmap->pendingCopy && block.toX == 0 && block.toY == 0) {
        copyTilesToFrame(*to.frame, *from.bitmap);
        return TRUE;
    }
    if (from.bitmap != nullptr) {
        from.bitmap->settle();  // the copy reads what a pending fill or copy would have written
    }
    if (to.frame != nullptr) {
        copyToFrame(to, from, block);
        return TRUE;
    }
    const bool wholeTo =
        block.toX == 0 && block.toY == 0 && block.columns == to.width && block.rows == to.height;
    if (wholeTo && from.bitmap != nullptr && from.bitmap != to.bitmap &&
        static_cast<std::int64_t>(to.width) * to.height >= LATER_COPY_PIXELS) {
        // A paint's background: written only where the paint draws, or the window needs it.
        to.bitmap->copyLater(from.bitmap, block.fromX, block.fromY);
        return TRUE;
    }
    const int blockRight = block.toX + block.columns;
    const int blockBottom = block.toY + block.rows;
    const veskar::platform::TileStroke copy{from.bitmap != nullptr ? from.bitmap->stamp : 0,
                                            block.fromX - block.toX, block.fromY - block.toY};
    const bool fromOther = from.bitmap != nullptr && from.bitmap != to.bitmap;
    // A sprite over a paint's background: drawn when its tiles are needed, if at all.
    if (fromOther && to.bitmap->drawLater(block.toX, block.toY, blockRight, blockBottom, from.bitmap, copy)) {
        return TRUE;
    }
    to.bitmap->prepareWrite(block.toX, block.toY, blockRight, blockBottom, fromOther ? &copy : nullptr);
    copyBlock(to, from, block);
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return state().gdi.addBrush(veskar::platform::pixelOf(color));
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto& platform = state();
    std::uint32_t color = 0;
    if (rect == nullptr || platform.gdi.dc(dc) == nullptr || !brushColor(brush, color)) {
        return 0;
    }
    const Canvas target = canvasOf(dc);
    const int left = std::clamp<LONG>(rect->left, 0, target.width);
    const int right = std::clamp<LONG>(rect->right, 0, target.width);
    const int top = std::clamp<LONG>(rect->top, 0, target.height);
    const int bottom = std::clamp<LONG>(rect->bottom, 0, target.height);
    if (top >= bottom || left >= right) {
        return 1;
    }
    if (target.bitmap != nullptr) {
        if (left == 0 && top == 0 && right == target.width && bottom == target.height) {
            // Every paint starts by erasing its whole buffer, and most then cover it with a
            // background: the fill waits until something needs its pixels.
            target.bitmap->fillLater(color);
            return 1;
        }
        target.bitmap->prepareWrite(left, top, right, bottom);
    }
    for (int row = top; row < bottom; ++row) {
        std::fill(target.row(row) + left, target.row(row) + right, color);
    }
    if (target.frame != nullptr) {
        target.frame->markChanged(left, top, right, bottom);
        target.frame->forgetTiles(left, top, right, bottom);
    }
    return 1;
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(SYSTEM_COLORS))) {
        return 0;
    }
    return SYSTEM_COLORS[index];
}
