// The pixels of a window's client area: what the display shows, and which of them changed since it
// last showed them. They may live in memory of the backend's that the display reads directly (SDL's
// window surface), so that showing a frame copies nothing; otherwise they live in the frame's own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/WinTypes.h"

namespace veskar::platform {

// The side of the square tiles in which a window remembers what it shows and a paint's buffer
// writes its background: a jewel covers four.
inline constexpr int TILE = 16;

// Where a tile's pixels came from: a bitmap's from (x, y) on, as they were at stamp.
struct TileOrigin {
    const void* bitmap = nullptr;
    std::uint64_t stamp = 0;
    int x = 0;
    int y = 0;

    bool operator==(const TileOrigin&) const = default;
};

// One opaque copy drawn into a tile of a paint's buffer: the pixels of the bitmap whose pixels had
// `stamp`, from dx, dy further than where they land, over columns [left, right) and rows
// [top, bottom) of the tile.
struct TileStroke {
    std::uint64_t stamp = 0;
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::uint8_t left = 0;
    std::uint8_t top = 0;
    std::uint8_t right = 0;
    std::uint8_t bottom = 0;

    bool operator==(const TileStroke&) const = default;
};

// What a tile of a paint's buffer holds over its background: the copies drawn into it, in order.
// Two tiles over the same background with equal recipes hold the same pixels. A recipe is unknown
// once anything else is drawn into the tile, or more copies than it keeps.
struct TileRecipe {
    static constexpr std::size_t MOST_STROKES = 4;  // a tile meets at most four jewels

    std::array<TileStroke, MOST_STROKES> strokes{};
    std::uint8_t count = 0;
    bool known = true;

    void add(const TileStroke& stroke) {
        if (known && count < MOST_STROKES) {
            strokes[count++] = stroke;
        } else {
            known = false;
        }
    }
    [[nodiscard]] bool sameAs(const TileRecipe& other) const {
        if (!known || !other.known || count != other.count) {
            return false;
        }
        for (std::size_t index = 0; index < count; ++index) {
            if (!(strokes[index] == other.strokes[index])) {
                return false;
            }
        }
        return true;
    }
};

// Read access to a picture of 32-bit 0x00RRGGBB pixels whose rows lie `stride` pixels apart.
struct FrameView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    [[nodiscard]] const std::uint32_t* row(int y) const {
        return pixels + static_cast<std::size_t>(y) * stride;
    }
};

class WindowFrame {
  public:
    // A frame of width by height pixels, all black and all owed to the display.
    WindowFrame(int width, int height);
    WindowFrame(const WindowFrame&) = delete;
    WindowFrame& operator=(const WindowFrame&) = delete;

    [[nodiscard]] int width() const { return columns; }
    [[nodiscard]] int height() const { return rows; }
    [[nodiscard]] std::uint32_t* row(int y) { return bits + static_cast<std::size_t>(y) * pitch; }
    [[nodiscard]] const std::uint32_t* row(int y) const { return bits + static_cast<std::size_t>(y) * pitch; }
    [[nodiscard]] FrameView view() const { return {bits, columns, rows, pitch}; }

    // Moves the pixels into `memory`, whose rows lie `stride` pixels apart and which holds the whole
    // frame, copying them there; the frame then lives in it until moveHome.
    void moveTo(std::uint32_t* memory, std::size_t stride);
    // Copies the pixels back into the frame's own memory, where they live from then on.
    void moveHome();
    [[nodiscard]] bool inOwnMemory() const { return bits == own.data(); }

    // Notes that columns [left, right) of rows [top, bottom) may differ from what the display shows;
    // the rectangle must lie inside the frame.
    void markChanged(int left, int top, int right, int bottom);
    // Notes that the display shows something else than the frame (a box over it, or nothing yet).
    void markAllChanged() { markChanged(0, 0, columns, rows); }
    [[nodiscard]] bool hasChanges() const { return firstChanged < lastChanged; }
    // The changed parts as rectangles (each run of changed rows, across the columns changed in any
    // of them), top to bottom; forgets them, as the display is about to show them. The span lasts
    // until the next call.
    [[nodiscard]] std::span<const RECT> takeChanges();

    // Whether tile (column, row) is known to hold `origin`'s pixels, so that copying them again
    // would change nothing.
    [[nodiscard]] bool tileHolds(int column, int row, const TileOrigin& origin) const;
    // Notes whether tile (column, row) now holds `origin`'s pixels; the frame remembers one origin.
    void noteTile(int column, int row, const TileOrigin& origin, bool holds);
    // Whether tile (column, row) is known to hold `origin`'s pixels with `recipe` drawn over them.
    [[nodiscard]] bool tileHoldsDrawing(int column, int row, const TileOrigin& origin,
                                        const TileRecipe& recipe) const;
    // Notes that tile (column, row) now holds `origin`'s pixels with `recipe` drawn over them.
    void noteDrawnTile(int column, int row, const TileOrigin& origin, const TileRecipe& recipe);
    // Forgets what the tiles that meet [left, right) x [top, bottom) hold: something else was drawn.
    void forgetTiles(int left, int top, int right, int bottom);

  private:
    struct Columns {
        int left = 0;
        int right = 0;  // right <= left: nothing changed in the row
    };

    int columns = 0;
    int rows = 0;
    std::vector<std::uint32_t> own;
    std::uint32_t* bits = nullptr;
    std::size_t pitch = 0;
    std::vector<Columns> changed;  // one entry per row
    int firstChanged = 0;          // the rows [firstChanged, lastChanged) hold every change
    int lastChanged = 0;
    std::vector<RECT> runs;  // what takeChanges hands out, kept to spare an allocation per frame
    // What each tile is known to hold, row by row.
    enum class Holds : std::uint8_t { Unknown, Origin, Drawing };

    void useOrigin(const TileOrigin& origin);
    [[nodiscard]] std::size_t tileIndex(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(tilesAcross) +
               static_cast<std::size_t>(column);
    }

    TileOrigin tileOrigin;
    std::vector<Holds> holds;       // Origin: tileOrigin's pixels; Drawing: drawn's over them
    std::vector<TileRecipe> drawn;  // what was drawn over tileOrigin, for Drawing tiles
    int tilesAcross = 0;
};

}  // namespace veskar::platform
