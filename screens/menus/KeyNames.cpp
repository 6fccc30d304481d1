// The table of 128 key names.
#include "screens/menus/KeyNames.h"

#include <array>
#include <cstdio>

namespace {

inline constexpr std::size_t KEY_CODES = 128;
inline constexpr std::size_t NAME_SIZE = 24;

struct Entry {
    std::array<char, NAME_SIZE> name{};
    bool assignable = false;
};

using Table = std::array<Entry, KEY_CODES>;

void name(Table& table, std::size_t code, const char* text) {
    std::snprintf(table[code].name.data(), NAME_SIZE, "%s", text);
    table[code].assignable = true;
}

// "<first + i><suffix>" for a run of codes: digits, letters, numpad digits and function keys.
void nameRun(Table& table, std::size_t firstCode, std::size_t count, const char* format, int firstValue) {
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(table[firstCode + i].name.data(), NAME_SIZE, format, firstValue + static_cast<int>(i));
        table[firstCode + i].assignable = true;
    }
}

Table makeTable() {
    Table table;
    for (Entry& entry : table) {
        std::snprintf(entry.name.data(), NAME_SIZE, "Incorrect");
    }
    const std::pair<std::size_t, const char*> named[] = {
        {0, "No Key"},
        {1, "Left mouse button"},
        {2, "Right mouse button"},
        {4, "Mid mouse button"},
        {8, "Backspace"},
        {9, "Tab"},
        {12, "Clear"},
        {13, "Return"},
        {16, "Shift"},
        {17, "Control"},
        {19, "Pause"},
        {20, "Caps Lock"},
        {27, "Escape"},
        {32, "Space"},
        {33, "Prior"},
        {34, "Next"},
        {35, "End"},
        {36, "Home"},
        {37, "Left cursor"},
        {38, "Up cursor"},
        {39, "Right cursor"},
        {40, "Down cursor"},
        {42, "Print"},
        {45, "Insert"},
        {46, "Delete"},
        {106, "Numpad *"},
        {107, "Numpad +"},
        {108, "Separator"},
        {109, "Numpad -"},
        {110, "Numpad ."},
        {111, "Numpad /"},
    };
    for (const auto& [code, text] : named) {
        name(table, code, text);
    }
    nameRun(table, '0', 10, "%c key", '0');
    nameRun(table, 'A', 26, "%c key", 'A');
    nameRun(table, 96, 10, "Numpad %d", 0);
    nameRun(table, 112, 12, "F%d Key", 1);
    return table;
}

const Table& table() {
    static const Table keys = makeTable();
    return keys;
}

}  // namespace

KeyName keyName(std::uint32_t code) {
    const Entry& entry = table()[code % KEY_CODES];
    return {entry.name.data(), entry.assignable};
}
