// The binary dialog template, laid out as the desktop API's resource compiler writes it.
#include "tools/rcembed/RcScript.h"

namespace veskar::rcembed {
namespace {

constexpr std::uint32_t DS_SETFONT = 0x40;
constexpr std::uint16_t ATOM_FOLLOWS = 0xFFFF;  // a predefined class given by its number

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

// A terminated UTF-16 text; the parser admits ASCII only, so each byte is one code unit.
void putText(std::vector<std::uint8_t>& out, const std::string& text) {
    for (const char c : text) {
        put16(out, static_cast<unsigned char>(c));
    }
    put16(out, 0);
}

void putRectangle(std::vector<std::uint8_t>& out, std::int16_t x, std::int16_t y, std::int16_t width,
                  std::int16_t height) {
    for (const std::int16_t side : {x, y, width, height}) {
        put16(out, static_cast<std::uint16_t>(side));
    }
}

}  // namespace

std::vector<std::uint8_t> encodeDialog(const DialogResource& dialog) {
    std::vector<std::uint8_t> out;
    put32(out, dialog.style);
    put32(out, dialog.exStyle);
    put16(out, static_cast<std::uint16_t>(dialog.controls.size()));
    putRectangle(out, dialog.x, dialog.y, dialog.width, dialog.height);
    put16(out, 0);  // no menu
    put16(out, 0);  // the standard dialog class
    putText(out, dialog.caption);
    if (dialog.style & DS_SETFONT) {
        put16(out, dialog.fontSize);
        putText(out, dialog.fontName);
    }
    for (const DialogControl& control : dialog.controls) {
        while (out.size() % 4 != 0) {
            out.push_back(0);
        }
        put32(out, control.style);
        put32(out, control.exStyle);
        putRectangle(out, control.x, control.y, control.width, control.height);
        put16(out, control.id);
        put16(out, ATOM_FOLLOWS);
        put16(out, control.classAtom);
        putText(out, control.text);
        put16(out, 0);  // no creation data
    }
    return out;
}

}  // namespace veskar::rcembed
