// Unicode to Windows-1252: ASCII and Latin-1 map to themselves; 0x80..0x9F hold typographic marks.
#include "platform/core/Windows1252.h"

#include <algorithm>
#include <cstdint>

namespace veskar::platform {
namespace {

// The code points of bytes 0x80..0x9F; 0 where the code page leaves the byte undefined.
constexpr char32_t HIGH_CONTROLS[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Decodes one UTF-8 sequence at `at`; false (and `at` past the bad byte) when malformed.
bool decode(std::string_view text, std::size_t& at, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        codePoint = lead;
        return true;
    }
    const int extra = lead >= 0xF0 && lead <= 0xF4  ? 3
                      : lead >= 0xE0                ? 2
                      : lead >= 0xC2 && lead < 0xE0 ? 1
                                                    : -1;
    if (extra < 0 || lead > 0xF4) {
        return false;
    }
    char32_t value = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            return false;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    constexpr char32_t SMALLEST[4] = {0, 0x80, 0x800, 0x10000};
    codePoint = value;
    return value >= SMALLEST[extra] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

}  // namespace

bool windows1252Of(char32_t codePoint, unsigned char& byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    // The undefined bytes' zeros never match: code point 0 was taken by the ASCII case.
    const auto found = std::find(std::begin(HIGH_CONTROLS), std::end(HIGH_CONTROLS), codePoint);
    if (found == std::end(HIGH_CONTROLS)) {
        return false;
    }
    byte = static_cast<unsigned char>(0x80 + (found - std::begin(HIGH_CONTROLS)));
    return true;
}

std::string utf8ToWindows1252(std::string_view text) {
    std::string converted;
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t codePoint = 0;
        unsigned char byte = 0;
        if (decode(text, at, codePoint) && windows1252Of(codePoint, byte)) {
            converted += static_cast<char>(byte);
        }
    }
    return converted;
}

}  // namespace veskar::platform
