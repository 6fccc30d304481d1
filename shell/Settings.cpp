// The settings record's defaults, the working key arrays and the name fields' safe copies.
#include "shell/Settings.h"

#include <algorithm>
#include <cstring>

namespace {

inline constexpr char HEADER_TEXT[] = "RZ Productions FileGameDefs v. 1.0\n\x1A";
inline constexpr std::array<std::uint8_t, 4> FIXED_BYTES{'V', 'S', 'K', 'R'};
inline constexpr std::array<std::array<std::uint8_t, KEY_ACTIONS>, 2> DEFAULT_KEYS{{
    {0x4F, 0x50, 0x41, 0x58},  // O, P, A, X
    {0x25, 0x27, 0x28, 0x26},  // cursor left, right, down, up
}};
inline constexpr std::array<const char*, HIGH_SCORE_COUNT> DEFAULT_HIGH_SCORE_NAMES{
    "TAMBLE",    "VELK", "ZANDO",     "FOLVERIN", "HUSKET",
    "BRANTOWEL", "PIRK", "DUNMARROW", "QUELLOW",  "ORVENTHALIS"};

std::size_t nameLength(const NameField& field) {
    std::size_t length = 0;
    while (length < NAME_FIELD_SIZE - 1 && field[length] != '\0') {
        ++length;
    }
    return length;
}

}  // namespace

Settings settings;
std::array<int, KEY_ACTIONS> player1Keys{};
std::array<int, KEY_ACTIONS> player2Keys{};

Settings::Settings() {
    loadDefaults();
}

void Settings::loadDefaults() {
    record.header.fill(0);
    std::memcpy(record.header.data(), HEADER_TEXT, sizeof HEADER_TEXT - 1);
    for (NameField& name : record.playerNames) {
        name.fill(0);
    }
    storeName(record.playerNames[0], "VELK");
    storeName(record.playerNames[1], "ZANDO");
    for (std::size_t player = 0; player < 2; ++player) {
        record.playerKeys[player].fill(0);
        std::memcpy(record.playerKeys[player].data(), DEFAULT_KEYS[player].data(), KEY_ACTIONS);
    }
    record.reservedZero = 0;
    record.reservedFixed = FIXED_BYTES;
    for (std::size_t i = 0; i < HIGH_SCORE_COUNT; ++i) {
        storeName(record.highScoreNames[i], DEFAULT_HIGH_SCORE_NAMES[i]);
        record.highScores[i] = 8192u >> i;
    }
    record.soundOn = 1;
    record.musicOn = 1;
    record.reserved.fill(0);
    record.digest.fill(0);
}

void Settings::copyKeysToWorking() {
    for (std::size_t action = 0; action < KEY_ACTIONS; ++action) {
        player1Keys[action] = record.playerKeys[0][action];
        player2Keys[action] = record.playerKeys[1][action];
    }
}

void copyName(const NameField& field, char* destination, std::size_t capacity) {
    const std::size_t length = std::min(nameLength(field), capacity - 1);
    std::memcpy(destination, field.data(), length);
    destination[length] = '\0';
}

void storeName(NameField& field, const char* text) {
    field.fill(0);
    const std::size_t length = strnlen(text, NAME_FIELD_SIZE - 1);
    std::memcpy(field.data(), text, length);
}
