// Reading the classic dialog template: header, menu, class, caption, font, then items on 4-byte
// boundaries.
#include "platform/core/DialogTemplate.h"

#include <algorithm>

#include "platform/WinUser.h"
#include "platform/core/Windows1252.h"

namespace veskar::platform {
namespace {

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> source) : bytes(source) {}

    bool word(WORD& value) {
        if (at + 2 > bytes.size()) {
            return false;
        }
        value = static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8));
        at += 2;
        return true;
    }
    bool dword(DWORD& value) {
        WORD low = 0;
        WORD high = 0;
        if (!word(low) || !word(high)) {
            return false;
        }
        value = low | (static_cast<DWORD>(high) << 16);
        return true;
    }
    bool shorts(std::int16_t& x, std::int16_t& y, std::int16_t& width, std::int16_t& height) {
        WORD values[4];
        for (WORD& value : values) {
            if (!word(value)) {
                return false;
            }
        }
        x = static_cast<std::int16_t>(values[0]);
        y = static_cast<std::int16_t>(values[1]);
        width = static_cast<std::int16_t>(values[2]);
        height = static_cast<std::int16_t>(values[3]);
        return true;
    }
    // A terminated UTF-16 text, in Windows-1252.
    bool text(std::string& value) {
        value.clear();
        for (;;) {
            WORD unit = 0;
            if (!word(unit)) {
                return false;
            }
            if (unit == 0) {
                return true;
            }
            unsigned char byte = '?';
            value += static_cast<char>(windows1252Of(unit, byte) ? byte : '?');
        }
    }
    // A menu, class or title field: none (0), a number after 0xFFFF, or a text.
    bool numberOrText(WORD& number, std::string& value) {
        WORD first = 0;
        if (!word(first)) {
            return false;
        }
        number = 0;
        value.clear();
        if (first == 0) {
            return true;
        }
        if (first == 0xFFFF) {
            return word(number);
        }
        at -= 2;
        return text(value);
    }
    bool skip(std::size_t count) {
        if (count > bytes.size() - at) {
            return false;
        }
        at += count;
        return true;
    }
    void align() { at = std::min((at + 3) & ~std::size_t{3}, bytes.size()); }

  private:
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

bool readItem(Reader& in, DialogItemTemplate& item) {
    WORD textNumber = 0;
    std::string className;
    WORD extra = 0;
    in.align();
    if (!in.dword(item.style) || !in.dword(item.exStyle) ||
        !in.shorts(item.x, item.y, item.width, item.height) || !in.word(item.id) ||
        !in.numberOrText(item.classAtom, className) || !in.numberOrText(textNumber, item.text) ||
        !in.word(extra)) {
        return false;
    }
    // Creation data: its size counts the size word itself.
    return extra == 0 || in.skip(extra - 2u);
}

}  // namespace

bool readDialogTemplate(std::span<const std::uint8_t> bytes, DialogTemplate& dialog) {
    dialog = DialogTemplate{};
    Reader in(bytes);
    WORD count = 0;
    WORD menu = 0;
    WORD classNumber = 0;
    std::string ignored;
    if (!in.dword(dialog.style) || (dialog.style >> 16) == 0xFFFF) {
        return false;  // too short, or an extended template (version 1, signature 0xFFFF)
    }
    if (!in.dword(dialog.exStyle) || !in.word(count) ||
        !in.shorts(dialog.x, dialog.y, dialog.width, dialog.height) || !in.numberOrText(menu, ignored) ||
        !in.numberOrText(classNumber, ignored) || !in.text(dialog.caption)) {
        return false;
    }
    WORD pointSize = 0;
    if ((dialog.style & DS_SETFONT) && (!in.word(pointSize) || !in.text(ignored))) {
        return false;
    }
    for (WORD i = 0; i < count; ++i) {  // every item takes at least 18 bytes: bounded by the data
        DialogItemTemplate item;
        if (!readItem(in, item)) {
            return false;
        }
        dialog.items.push_back(std::move(item));
    }
    return true;
}

}  // namespace veskar::platform
