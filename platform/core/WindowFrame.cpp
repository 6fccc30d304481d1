// A window's pixels, wherever they live, and the record of what changed since the display showed them.
#include "platform/core/WindowFrame.h"

#include <algorithm>
#include <cstring>

namespace veskar::platform {

namespace {

// Copies a width by height picture between memories whose rows lie the given pixels apart.
void copyPicture(std::uint32_t* to, std::size_t toStride, const std::uint32_t* from, std::size_t fromStride,
                 int width, int height) {
    for (int y = 0; y < height; ++y) {
        std::memcpy(to + static_cast<std::size_t>(y) * toStride,
                    from + static_cast<std::size_t>(y) * fromStride,
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    }
}

}  // namespace

WindowFrame::WindowFrame(int width, int height)
    : columns(width),
      rows(height),
      own(static_cast<std::size_t>(width) * height, 0),
      bits(own.data()),
      pitch(static_cast<std::size_t>(width)),
      changed(static_cast<std::size_t>(height)),
      holds(static_cast<std::size_t>((width + TILE - 1) / TILE) * ((height + TILE - 1) / TILE),
            Holds::Unknown),
      drawn(holds.size()),
      tilesAcross((width + TILE - 1) / TILE) {
    runs.reserve(static_cast<std::size_t>(height));
    markAllChanged();
}

void WindowFrame::moveTo(std::uint32_t* memory, std::size_t stride) {
    if (memory == bits) {
        return;
    }
    copyPicture(memory, stride, bits, pitch, columns, rows);
    bits = memory;
    pitch = stride;
}

void WindowFrame::moveHome() {
    if (inOwnMemory()) {
        return;
    }
    copyPicture(own.data(), static_cast<std::size_t>(columns), bits, pitch, columns, rows);
    bits = own.data();
    pitch = static_cast<std::size_t>(columns);
}

void WindowFrame::markChanged(int left, int top, int right, int bottom) {
    if (left >= right || top >= bottom) {
        return;
    }
    for (int y = top; y < bottom; ++y) {
        Columns& row = changed[static_cast<std::size_t>(y)];
        if (row.right <= row.left) {
            row = {left, right};
        } else {
            row = {std::min(row.left, left), std::max(row.right, right)};
        }
    }
    if (!hasChanges()) {
        firstChanged = top;
        lastChanged = bottom;
    } else {
        firstChanged = std::min(firstChanged, top);
        lastChanged = std::max(lastChanged, bottom);
    }
}

std::span<const RECT> WindowFrame::takeChanges() {
    runs.clear();
    bool open = false;  // the last rectangle's rows go on
    for (int y = firstChanged; y < lastChanged; ++y) {
        Columns& row = changed[static_cast<std::size_t>(y)];
        if (row.right <= row.left) {
            open = false;
            continue;
        }
        if (open) {
            RECT& run = runs.back();
            run.left = std::min<LONG>(run.left, row.left);
            run.right = std::max<LONG>(run.right, row.right);
            run.bottom = y + 1;
        } else {
            runs.push_back(RECT{row.left, y, row.right, y + 1});
            open = true;
        }
        row = {};
    }
    firstChanged = 0;
    lastChanged = 0;
    return runs;
}

bool WindowFrame::tileHolds(int column, int row, const TileOrigin& origin) const {
    return origin == tileOrigin && holds[tileIndex(column, row)] == Holds::Origin;
}

void WindowFrame::useOrigin(const TileOrigin& origin) {
    if (origin != tileOrigin) {
        std::fill(holds.begin(), holds.end(), Holds::Unknown);
        tileOrigin = origin;
    }
}

void WindowFrame::noteTile(int column, int row, const TileOrigin& origin, bool holdsOrigin) {
    if (holdsOrigin) {
        useOrigin(origin);
    }
    holds[tileIndex(column, row)] = holdsOrigin ? Holds::Origin : Holds::Unknown;
}

bool WindowFrame::tileHoldsDrawing(int column, int row, const TileOrigin& origin,
                                   const TileRecipe& recipe) const {
    const std::size_t tile = tileIndex(column, row);
    return origin == tileOrigin && holds[tile] == Holds::Drawing && drawn[tile].sameAs(recipe);
}

void WindowFrame::noteDrawnTile(int column, int row, const TileOrigin& origin, const TileRecipe& recipe) {
    const std::size_t tile = tileIndex(column, row);
    if (!recipe.known) {
        holds[tile] = Holds::Unknown;
        return;
    }
    useOrigin(origin);
    holds[tile] = Holds::Drawing;
    drawn[tile] = recipe;
}

void WindowFrame::forgetTiles(int left, int top, int right, int bottom) {
    left = std::clamp(left, 0, columns);
    right = std::clamp(right, left, columns);
    top = std::clamp(top, 0, rows);
    bottom = std::clamp(bottom, top, rows);
    if (left == right || top == bottom) {
        return;
    }
    for (int row = top / TILE; row <= (bottom - 1) / TILE; ++row) {
        for (int column = left / TILE; column <= (right - 1) / TILE; ++column) {
            holds[tileIndex(column, row)] = Holds::Unknown;
        }
    }
}

}  // namespace veskar::platform
