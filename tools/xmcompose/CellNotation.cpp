// Parsing of the pattern-cell text into the bytes the module stores.
#include "tools/xmcompose/CellNotation.h"

#include <array>
#include <string>
#include <vector>

namespace xmcompose {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isEmptyField(std::string_view text) {
    return text.find_first_not_of('.') == std::string_view::npos;
}

bool parseInstrument(std::string_view text, std::uint8_t& instrument) {
    if (text.size() != 2) {
        return false;
    }
    if (isEmptyField(text)) {
        instrument = 0;
        return true;
    }
    if (text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
        return false;
    }
    instrument = static_cast<std::uint8_t>((text[0] - '0') * 10 + (text[1] - '0'));
    return instrument != 0;
}

bool parseVolume(std::string_view text, std::uint8_t& volume) {
    if (text.size() != 2) {
        return false;
    }
    if (isEmptyField(text)) {
        volume = 0;
        return true;
    }
    const int low = hexDigit(text[1]);
    if (low < 0) {
        return false;
    }
    if (text[0] >= '0' && text[0] <= '4') {
        const int value = (text[0] - '0') * 16 + low;
        if (value > 0x40) {
            return false;
        }
        volume = static_cast<std::uint8_t>(0x10 + value);
        return true;
    }
    // Command letters in the order of their volume-column ranges 0x60..0xF0.
    static constexpr std::string_view COMMANDS = "-+dusvplrm";
    const size_t command = COMMANDS.find(text[0]);
    if (command == std::string_view::npos) {
        return false;
    }
    volume = static_cast<std::uint8_t>(0x60 + command * 16 + low);
    return true;
}

bool parseEffect(std::string_view text, std::uint8_t& effect, std::uint8_t& parameter) {
    if (text.size() != 3) {
        return false;
    }
    if (isEmptyField(text)) {
        effect = 0;
        parameter = 0;
        return true;
    }
    const char letter = text[0];
    if (letter >= '0' && letter <= '9') {
        effect = static_cast<std::uint8_t>(letter - '0');
    } else if (letter >= 'A' && letter <= 'Z') {
        effect = static_cast<std::uint8_t>(letter - 'A' + 10);
    } else {
        return false;
    }
    const int high = hexDigit(text[1]);
    const int low = hexDigit(text[2]);
    if (high < 0 || low < 0) {
        return false;
    }
    parameter = static_cast<std::uint8_t>(high * 16 + low);
    return true;
}

std::vector<std::string_view> splitBlanks(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
            ++i;
        }
        if (i > start) {
            fields.push_back(text.substr(start, i - start));
        }
    }
    return fields;
}

}  // namespace

bool parseNote(std::string_view text, std::uint8_t& note) {
    if (text.size() != 3) {
        return false;
    }
    if (text == "...") {
        note = 0;
        return true;
    }
    if (text == "===") {
        note = KEY_OFF_NOTE;
        return true;
    }
    static constexpr std::array<int, 7> SEMITONE = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (text[0] < 'A' || text[0] > 'G') {
        return false;
    }
    int semitone = SEMITONE[text[0] - 'A'];
    if (text[1] == '#') {
        ++semitone;
    } else if (text[1] != '-') {
        return false;
    }
    if (text[2] < '0' || text[2] > '7' || semitone > 11) {
        return false;
    }
    note = static_cast<std::uint8_t>((text[2] - '0') * 12 + semitone + 1);
    return true;
}

bool parseCell(std::string_view text, Cell& cell) {
    const std::vector<std::string_view> fields = splitBlanks(text);
    if (fields.size() != 4) {
        return false;
    }
    return parseNote(fields[0], cell.note) && parseInstrument(fields[1], cell.instrument) &&
           parseVolume(fields[2], cell.volume) && parseEffect(fields[3], cell.effect, cell.parameter);
}

}  // namespace xmcompose
