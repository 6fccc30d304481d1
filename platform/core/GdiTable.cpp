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
// Drawings a pending copy makes room for at once: a game's paint draws into some hundreds of tiles.
inline constexpr std::size_t DRAWINGS_AHEAD = 512;

// The part of the tile at (column, row) that the copy over [left, right) x [top, bottom) covers.
veskar::platform::TileStroke strokeIn(const veskar::platform::TileStroke& copy, int column, int row, int left,
                                      int top, int right, int bottom) {
    using veskar::platform::TILE;
    veskar::platform::TileStroke stroke = copy;
    stroke.left = static_cast<std::uint8_t>(std::max(left, column * TILE) - column * TILE);
    stroke.top = static_cast<std::uint8_t>(std::max(top, row * TILE) - row * TILE);
    stroke.right = static_cast<std::uint8_t>(std::min(right, (column + 1) * TILE) - column * TILE);
    stroke.bottom = static_cast<std::uint8_t>(std::min(bottom, (row + 1) * TILE) - row * TILE);
    return stroke;
}

bool covers(const veskar::platform::TileStroke& stroke, int columns, int rows) {
    return stroke.left == 0 && stroke.top == 0 && stroke.right == columns && stroke.bottom == rows;
}

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

std::uint64_t newStamp() {
    return ++lastStamp;
}

}  // namespace

HBITMAP__::HBITMAP__(int w, int h, std::uint32_t fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill), stamp(newStamp()) {}

HBITMAP__::HBITMAP__(int w, int h, std::vector<std::uint32_t>&& storage)
    : width(w), height(h), pixels(std::move(storage)), stamp(newStamp()) {}

std::uint32_t HBITMAP__::pixel(int x, int y) const {
    using veskar::platform::TILE;
    if (pendingFill) {
        return *pendingFill;
    }
    if (pendingCopy) {
        const Drawing* drawing = drawingAt(x / TILE, y / TILE);
        if (drawing != nullptr && drawing->painted) {
            return pixels[static_cast<std::size_t>(y) * width + x];
        }
        // The last stroke over the pixel, else the background.
        for (std::size_t stroke = drawing != nullptr ? drawing->recipe.count : 0; stroke-- > 0;) {
            const veskar::platform::TileStroke& over = drawing->recipe.strokes[stroke];
            const int column = x % TILE;
            const int row = y % TILE;
            if (column >= over.left && column < over.right && row >= over.top && row < over.bottom) {
                return drawing->sources[stroke]->pixel(x + over.dx, y + over.dy);
            }
        }
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
            paintTile(column, row);
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
            writeTileOutside(column, row, left, top, right, bottom);
            veskar::platform::TileRecipe& recipe = drawingOf(column, row).recipe;
            if (copy == nullptr) {
                recipe.known = false;
            } else {
                recipe.add(strokeIn(*copy, column, row, left, top, right, bottom));
            }
        }
    }
}

bool HBITMAP__::drawLater(int left, int top, int right, int bottom, HBITMAP source,
                          const veskar::platform::TileStroke& copy) {
    using veskar::platform::TILE;
    if (!pendingCopy || left >= right || top >= bottom) {
        return false;
    }
    for (int row = top / TILE; row <= (bottom - 1) / TILE; ++row) {
        for (int column = left / TILE; column <= (right - 1) / TILE; ++column) {
            const Drawing* drawing = drawingAt(column, row);
            if (drawing != nullptr && (drawing->painted || !drawing->recipe.known ||
                                       drawing->recipe.count >= veskar::platform::TileRecipe::MOST_STROKES)) {
                return false;
            }
        }
    }
    settleCopiers();
    stamp = newStamp();
    listSource(source);
    for (int row = top / TILE; row <= (bottom - 1) / TILE; ++row) {
        for (int column = left / TILE; column <= (right - 1) / TILE; ++column) {
            Drawing& drawing = drawingOf(column, row);
            drawing.sources[drawing.recipe.count] = source;
            drawing.recipe.add(strokeIn(copy, column, row, left, top, right, bottom));
        }
    }
    return true;
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
    pendingCopy = PendingCopy{source, x, y, {}, {}, {}};
    pendingCopy->written.assign(static_cast<std::size_t>(tilesAcross()) * tilesDown(), 0);
    pendingCopy->drawings.reserve(std::min<std::size_t>(pendingCopy->written.size(), DRAWINGS_AHEAD));
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
    const auto unlist = [this](HBITMAP source) {
        std::vector<HBITMAP>& copiers = source->copiedBy;
        copiers.erase(std::remove(copiers.begin(), copiers.end(), this), copiers.end());
    };
    unlist(pendingCopy->source);
    for (HBITMAP source : pendingCopy->strokeSources) {
        unlist(source);
    }
    pendingCopy.reset();
}

HBITMAP__::Drawing& HBITMAP__::drawingOf(int column, int row) {
    std::uint32_t& index = pendingCopy->written[static_cast<std::size_t>(row) * tilesAcross() + column];
    if (index == 0) {
        pendingCopy->drawings.emplace_back();
        index = static_cast<std::uint32_t>(pendingCopy->drawings.size());
    }
    return pendingCopy->drawings[index - 1];
}

// A source's pixels must not change while strokes still read them: listed among its copiers, this
// bitmap is settled first.
void HBITMAP__::listSource(HBITMAP source) {
    std::vector<HBITMAP>& sources = pendingCopy->strokeSources;
    if (source == pendingCopy->source || std::find(sources.begin(), sources.end(), source) != sources.end()) {
        return;
    }
    sources.push_back(source);
    source->copiedBy.push_back(this);
}

void HBITMAP__::paintTile(int column, int row) {
    writeTileOutside(column, row, 0, 0, 0, 0);
}

void HBITMAP__::writeTileOutside(int column, int row, int left, int top, int right, int bottom) {
    using veskar::platform::TILE;
    Drawing& drawing = drawingOf(column, row);
    if (drawing.painted) {
        return;
    }
    drawing.painted = true;
    const int tileLeft = column * TILE;
    const int tileTop = row * TILE;
    const int tileRight = std::min(width, tileLeft + TILE);
    const int tileBottom = std::min(height, tileTop + TILE);
    if (left <= tileLeft && top <= tileTop && right >= tileRight && bottom >= tileBottom) {
        return;  // all of it is about to be overwritten
    }
    // The strokes from the last one that covers the whole tile on; the background only if none does.
    const veskar::platform::TileRecipe& recipe = drawing.recipe;
    std::size_t first = recipe.count;
    while (first > 0 && !covers(recipe.strokes[first - 1], tileRight - tileLeft, tileBottom - tileTop)) {
        --first;
    }
    if (first == 0) {
        // Rows of a whole tile are copied whole, as one fixed-size move each, the part that the caller
        // overwrites included: cheaper than cutting the rows.
        const HBITMAP source = pendingCopy->source;
        for (int y = tileTop; y < tileBottom; ++y) {
            copyPixels(this->row(y) + tileLeft, source->row(pendingCopy->y + y) + pendingCopy->x + tileLeft,
                       tileRight - tileLeft);
        }
    } else {
        --first;
    }
    for (std::size_t stroke = first; stroke < recipe.count; ++stroke) {
        const veskar::platform::TileStroke& over = recipe.strokes[stroke];
        const HBITMAP__& from = *drawing.sources[stroke];
        for (int y = tileTop + over.top; y < tileTop + over.bottom; ++y) {
            std::memcpy(this->row(y) + tileLeft + over.left,
                        from.row(y + over.dy) + tileLeft + over.left + over.dx,
                        static_cast<std::size_t>(over.right - over.left) * sizeof(std::uint32_t));
        }
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
