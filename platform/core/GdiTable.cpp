// The table of live drawing objects: creation, checked lookup and deletion by handle.
#include "platform/core/GdiObjects.h"
#include "platform/core/WindowRecord.h"

#include <algorithm>
#include <cstring>

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
        bitmap->forgetCopies();  // before its pixels go
        if (bitmap->pixels.size() >= SPARE_PIXELS_FROM) {
            sparePixels = std::move(bitmap->pixels);
        }
    }
    destroy(handle, kind);
    return true;
}

}  // namespace veskar::platform

namespace {

std::uint64_t lastStamp = 0;  // drawing happens on the message-loop thread only
// Recipes a pending copy makes room for at once: a game's paint writes some hundreds of tiles.
inline constexpr std::size_t RECIPES_AHEAD = 512;

std::uint64_t newStamp() {
    return ++lastStamp;
}

}  // namespace

HBITMAP__::HBITMAP__(int w, int h, std::uint32_t fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill), stamp(newStamp()) {}

HBITMAP__::HBITMAP__(int w, int h, std::vector<std::uint32_t>&& storage)
    : width(w), height(h), pixels(std::move(storage)), stamp(newStamp()) {}

std::uint32_t HBITMAP__::pixel(int x, int y) const {
    if (pendingFill) {
        return *pendingFill;
    }
    if (pendingCopy && !tileWritten(x / veskar::platform::TILE, y / veskar::platform::TILE)) {
        return pendingCopy->source->pixel(pendingCopy->x + x, pendingCopy->y + y);
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
}

void HBITMAP__::settle() {
    settleFillOutside(0, 0, 0, 0);
    if (!pendingCopy) {
        return;
    }
    for (int row = 0; row < tilesDown(); ++row) {
        for (int column = 0; column < tilesAcross(); ++column) {
            if (!tileWritten(column, row)) {
                writeTile(column, row);
            }
        }
    }
    dropCopy();
}

void HBITMAP__::prepareWrite(int left, int top, int right, int bottom,
                             const veskar::platform::TileStroke* copy) {
    settleCopiers();
    stamp = newStamp();
    settleFillOutside(left, top, right, bottom);
    left = std::clamp(left, 0, width);
    right = std::clamp(right, left, width);
    top = std::clamp(top, 0, height);
    bottom = std::clamp(bottom, top, height);
    if (!pendingCopy || left == right || top == bottom) {
        return;
    }
    using veskar::platform::TILE;
    for (int row = top / TILE; row <= (bottom - 1) / TILE; ++row) {
        for (int column = left / TILE; column <= (right - 1) / TILE; ++column) {
            if (!tileWritten(column, row)) {
                writeTileOutside(column, row, left, top, right, bottom);
            }
            const std::size_t tile = static_cast<std::size_t>(row) * tilesAcross() + column;
            veskar::platform::TileRecipe& recipe = pendingCopy->recipes[pendingCopy->written[tile] - 1];
            if (copy == nullptr) {
                recipe.known = false;
                continue;
            }
            veskar::platform::TileStroke stroke = *copy;
            stroke.left = static_cast<std::uint8_t>(std::max(left, column * TILE) - column * TILE);
            stroke.top = static_cast<std::uint8_t>(std::max(top, row * TILE) - row * TILE);
            stroke.right = static_cast<std::uint8_t>(std::min(right, (column + 1) * TILE) - column * TILE);
            stroke.bottom = static_cast<std::uint8_t>(std::min(bottom, (row + 1) * TILE) - row * TILE);
            recipe.add(stroke);
        }
    }
}

void HBITMAP__::fillLater(std::uint32_t color) {
    settleCopiers();
    stamp = newStamp();
    dropCopy();
    pendingFill = color;
}

void HBITMAP__::copyLater(HBITMAP source, int x, int y) {
    settleCopiers();
    stamp = newStamp();
    pendingFill.reset();
    dropCopy();
    pendingCopy = PendingCopy{source, x, y, {}, {}};
    pendingCopy->written.assign(static_cast<std::size_t>(tilesAcross()) * tilesDown(), 0);
    pendingCopy->recipes.reserve(std::min<std::size_t>(pendingCopy->written.size(), RECIPES_AHEAD));
    source->copiedBy.push_back(this);
}

void HBITMAP__::forgetCopies() {
    settleCopiers();
    dropCopy();
}

void HBITMAP__::settleCopiers() {
    std::vector<HBITMAP> copiers;
    copiers.swap(copiedBy);
    for (HBITMAP copier : copiers) {
        copier->settle();
    }
}

void HBITMAP__::dropCopy() {
    if (!pendingCopy) {
        return;
    }
    std::vector<HBITMAP>& copiers = pendingCopy->source->copiedBy;
    copiers.erase(std::remove(copiers.begin(), copiers.end(), this), copiers.end());
    pendingCopy.reset();
}

namespace {

// Copies `count` pixels; a whole tile's row as one fixed-size move.
void copyPixels(std::uint32_t* to, const std::uint32_t* from, int count) {
    if (count == veskar::platform::TILE) {
        std::memcpy(to, from, sizeof(std::uint32_t) * veskar::platform::TILE);
        return;
    }
    for (int index = 0; index < count; ++index) {
        to[index] = from[index];
    }
}

}  // namespace

void HBITMAP__::writeTile(int column, int row) {
    writeTileOutside(column, row, 0, 0, 0, 0);
}

void HBITMAP__::writeTileOutside(int column, int row, int left, int top, int right, int bottom) {
    using veskar::platform::TILE;
    const int tileLeft = column * TILE;
    const int tileTop = row * TILE;
    const int tileRight = std::min(width, tileLeft + TILE);
    const int tileBottom = std::min(height, tileTop + TILE);
    const std::size_t written = static_cast<std::size_t>(row) * tilesAcross() + column;
    pendingCopy->recipes.emplace_back();
    pendingCopy->written[written] = static_cast<std::uint32_t>(pendingCopy->recipes.size());
    if (left <= tileLeft && top <= tileTop && right >= tileRight && bottom >= tileBottom) {
        return;  // all of it is about to be overwritten
    }
    // Rows of a whole tile are copied whole, as one fixed-size move each, the part that the caller
    // overwrites included: cheaper than cutting the rows.
    const HBITMAP source = pendingCopy->source;
    for (int y = tileTop; y < tileBottom; ++y) {
        copyPixels(this->row(y) + tileLeft, source->row(pendingCopy->y + y) + pendingCopy->x + tileLeft,
                   tileRight - tileLeft);
    }
}

void HBITMAP__::settleFillOutside(int left, int top, int right, int bottom) {
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
