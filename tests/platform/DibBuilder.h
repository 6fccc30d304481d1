// Test helpers: device-independent bitmaps built in code, and a module of resources made from them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/core/ResourceModule.h"

namespace veskar::testing {

inline void putU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putU16(out, static_cast<std::uint16_t>(value));
    putU16(out, static_cast<std::uint16_t>(value >> 16));
}

// A DIB as a bitmap resource stores it: 40-byte header, colour table (palette as 0xRRGGBB), rows.
// `value(x, y)` (y counted from the top) gives a palette index for 1 to 8 bits, 0xRRGGBB otherwise.
inline std::vector<std::uint8_t> makeDib(int width, int height, int bits,
                                         const std::vector<std::uint32_t>& palette,
                                         const std::function<std::uint32_t(int, int)>& value,
                                         bool topDown = false) {
    std::vector<std::uint8_t> out;
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(width));
    putU32(out, static_cast<std::uint32_t>(topDown ? -height : height));
    putU16(out, 1);
    putU16(out, static_cast<std::uint16_t>(bits));
    putU32(out, 0);  // uncompressed
    putU32(out, 0);
    putU32(out, 2835);
    putU32(out, 2835);
    putU32(out, static_cast<std::uint32_t>(palette.size()));
    putU32(out, 0);
    for (std::uint32_t color : palette) {
        putU32(out, color & 0xFFFFFF);  // blue, green, red, reserved in memory order
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, y);
            switch (bits) {
                case 1:
                    row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 == 0 ? 4 : 0));
                    break;
                case 8:
                    row[x] = static_cast<std::uint8_t>(v);
                    break;
                case 24:
                    row[x * 3] = static_cast<std::uint8_t>(v);
                    row[x * 3 + 1] = static_cast<std::uint8_t>(v >> 8);
                    row[x * 3 + 2] = static_cast<std::uint8_t>(v >> 16);
                    break;
                default:
                    for (int b = 0; b < 4; ++b)
                        row[x * 4 + b] = static_cast<std::uint8_t>(v >> (8 * b));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// A 24-bit DIB whose every pixel is `color(x, y)`.
inline std::vector<std::uint8_t> makeTrueColorDib(int width, int height,
                                                  const std::function<std::uint32_t(int, int)>& color) {
    return makeDib(width, height, 24, {}, color);
}

// A module of resources held in memory for as long as the object lives.
class TestModule {
  public:
    void addBitmap(WORD id, std::vector<std::uint8_t> dib) { add(nullptr, 2, id, std::move(dib)); }
    void addIcon(WORD id, std::vector<std::uint8_t> ico) { add(nullptr, 14, id, std::move(ico)); }
    void addDialog(WORD id, std::vector<std::uint8_t> bytes) { add(nullptr, 5, id, std::move(bytes)); }
    void addNamed(const char* type, WORD id, std::vector<std::uint8_t> bytes) {
        add(type, 0, id, std::move(bytes));
    }
    void addString(WORD id, std::string text) {
        texts.push_back(std::move(text));
        strings.push_back({id, texts.back().c_str()});
    }
    HINSTANCE handle() {
        module = HINSTANCE__{entries, strings};
        return &module;
    }

  private:
    void add(const char* type, WORD typeId, WORD id, std::vector<std::uint8_t> bytes) {
        storage.push_back(std::move(bytes));
        entries.push_back(HRSRC__{type, typeId, id, HGLOBAL__{storage.back().data(), storage.back().size()}});
    }
    std::deque<std::vector<std::uint8_t>> storage;
    std::deque<std::string> texts;
    std::vector<HRSRC__> entries;
    std::vector<veskar::platform::StringResource> strings;
    HINSTANCE__ module;
};

}  // namespace veskar::testing
