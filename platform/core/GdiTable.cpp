// The table of live drawing objects: creation, checked lookup and deletion by handle.
#include "platform/core/GdiObjects.h"
#include "platform/core/WindowRecord.h"

#include <algorithm>

namespace veskar::platform {

namespace {

inline constexpr std::size_t SPARE_PIXELS_FROM = 65536;  // a window-sized buffer, not a sprite

void destroy(const void* handle, GdiKind kind) {
    switch (kind) {
        case GdiKind::Bitmap:
            delete static_cast<HBITMAP>(const_cast<void*>(handle));
            break;
        case GdiKind::Brush:
            delete static_cast<HBRUSH>(const_cast<void*>(handle));
            break;
        case GdiKind::MemoryDC:
            delete static_cast<HDC>(const_cast<void*>(handle));
            break;
        case GdiKind::WindowDC:
            break;  // owned by its window
    }
}

}  // namespace

GdiTable::~GdiTable() {
    for (const auto& [handle, kind] : kinds) {
        destroy(handle, kind);
    }
}

HBITMAP GdiTable::addBitmap(int width, int height, std::uint32_t fill) {
    auto* bitmap = new HBITMAP__(width, height, fill);
    kinds[bitmap] = GdiKind::Bitmap;
    return bitmap;
}

HBITMAP GdiTable::addScratchBitmap(int width, int height, std::optional<std::uint32_t> fill) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (sparePixels.size() != count) {
        return addBitmap(width, height, fill.value_or(0));
    }
    auto* bitmap = new HBITMAP__(width, height, std::move(sparePixels));
    sparePixels.clear();
    if (fill) {
        std::fill(bitmap->pixels.begin(), bitmap->pixels.end(), *fill);
    }
    kinds[bitmap] = GdiKind::Bitmap;
    return bitmap;
}

HBRUSH GdiTable::addBrush(std::uint32_t color) {
    auto* brush = new HBRUSH__{color};
    kinds[brush] = GdiKind::Brush;
    return brush;
}

HDC GdiTable::addMemoryDC() {
    auto* dc = new HDC__{};
    kinds[dc] = GdiKind::MemoryDC;
    return dc;
}

HDC GdiTable::addWindowDC(HWND window) {
    window->dc.window = window;
    kinds[&window->dc] = GdiKind::WindowDC;
    return &window->dc;
}

bool GdiTable::isKind(const void* handle, GdiKind kind) const {
    const auto found = kinds.find(handle);
    return found != kinds.end() && found->second == kind;
}

HBITMAP GdiTable::bitmap(const void* handle) const {
    return isKind(handle, GdiKind::Bitmap) ? static_cast<HBITMAP>(const_cast<void*>(handle)) : nullptr;
}

HBRUSH GdiTable::brush(const void* handle) const {
    return isKind(handle, GdiKind::Brush) ? static_cast<HBRUSH>(const_cast<void*>(handle)) : nullptr;
}

HDC GdiTable::dc(const void* handle) const {
    if (isKind(handle, GdiKind::MemoryDC) || isKind(handle, GdiKind::WindowDC)) {
        return static_cast<HDC>(const_cast<void*>(handle));
    }
    return nullptr;
}

bool GdiTable::remove(const void* handle) {
    const auto found = kinds.find(handle);
    if (found == kinds.end()) {
        return false;
    }
    const GdiKind kind = found->second;
    kinds.erase(found);
    if (kind == GdiKind::Bitmap) {
        auto* bitmap = static_cast<HBITMAP>(const_cast<void*>(handle));
        if (bitmap->pixels.size() >= SPARE_PIXELS_FROM) {
            sparePixels = std::move(bitmap->pixels);
        }
    }
    destroy(handle, kind);
    return true;
}

}  // namespace veskar::platform

void HBITMAP__::settleOutside(int left, int top, int right, int bottom) {
    if (!pendingFill) {
        return;
    }
    const std::uint32_t color = *pendingFill;
    pendingFill.reset();
    left = std::clamp(left, 0, width);
    right = std::clamp(right, left, width);
    top = std::clamp(top, 0, height);
    bottom = std::clamp(bottom, top, height);
    if (left == right) {
        top = bottom;  // an empty rectangle keeps nothing from the fill
    }
    for (int y = 0; y < height; ++y) {
        std::uint32_t* line = row(y);
        if (y < top || y >= bottom) {
            std::fill_n(line, width, color);
        } else {
            std::fill_n(line, left, color);
            std::fill(line + right, line + width, color);
        }
    }
}
