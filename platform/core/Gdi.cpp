// Device contexts, bitmaps, brushes and the clipped opaque block copy.
#include <algorithm>
#include <cstring>

#include "platform/WinGdi.h"
#include "platform/WinUser.h"
#include "platform/core/PlatformState.h"

using veskar::platform::GdiKind;
using veskar::platform::state;

namespace {

inline constexpr int MAX_BITMAP_SIDE = 16384;

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
    HBITMAP to = platform.gdi.target(dst);
    HBITMAP from = platform.gdi.target(src);
    // Work in 64 bits so that extreme coordinates cannot overflow, then cut the block so that it
    // starts inside both bitmaps and ends inside both.
    std::int64_t left =
        std::max<std::int64_t>({0, -static_cast<std::int64_t>(x), -static_cast<std::int64_t>(srcX)});
    std::int64_t top =
        std::max<std::int64_t>({0, -static_cast<std::int64_t>(y), -static_cast<std::int64_t>(srcY)});
    std::int64_t right = std::min<std::int64_t>(
        {width, static_cast<std::int64_t>(to->width) - x, static_cast<std::int64_t>(from->width) - srcX});
    std::int64_t bottom = std::min<std::int64_t>(
        {height, static_cast<std::int64_t>(to->height) - y, static_cast<std::int64_t>(from->height) - srcY});
    if (right <= left || bottom <= top) {
        return TRUE;
    }
    const auto columns = static_cast<std::size_t>(right - left);
    const bool upward = to == from && y > srcY;  // overlapping copy inside one bitmap: bottom row first
    for (std::int64_t i = 0; i < bottom - top; ++i) {
        const std::int64_t row = upward ? bottom - 1 - i : top + i;
        std::memmove(to->row(static_cast<int>(y + row)) + x + left,
                     from->row(static_cast<int>(srcY + row)) + srcX + left, columns * sizeof(std::uint32_t));
    }
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
    HBITMAP target = platform.gdi.target(dc);
    const int left = std::clamp<LONG>(rect->left, 0, target->width);
    const int right = std::clamp<LONG>(rect->right, 0, target->width);
    const int top = std::clamp<LONG>(rect->top, 0, target->height);
    const int bottom = std::clamp<LONG>(rect->bottom, 0, target->height);
    if (top >= bottom || left >= right) {
        return 1;
    }
    // The first row pixel by pixel, the others copied from it in wide stores: every game frame
    // starts with a whole-window erase.
    const std::size_t columns = static_cast<std::size_t>(right - left);
    std::fill_n(target->row(top) + left, columns, color);
    for (int row = top + 1; row < bottom; ++row) {
        std::memcpy(target->row(row) + left, target->row(top) + left, columns * sizeof(std::uint32_t));
    }
    return 1;
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(SYSTEM_COLORS))) {
        return 0;
    }
    return SYSTEM_COLORS[index];
}
