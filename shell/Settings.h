// Everything the game remembers between runs: one 524-byte record of names, key bindings, high
// scores and switches, kept in memory for the whole run, and the working copies of the key bindings
// that the game screens and the key menus use. Message-loop thread only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t NAME_FIELD_SIZE = 14;  // 13 characters and the terminator
inline constexpr std::size_t NAME_SLOTS = 8;
inline constexpr std::size_t HIGH_SCORE_COUNT = 10;
inline constexpr std::size_t KEY_FIELD_SIZE = 16;
inline constexpr std::size_t KEY_ACTIONS = 4;  // Left, Right, Fast, Rotate

using NameField = std::array<char, NAME_FIELD_SIZE>;

// The file's layout, byte for byte: integers little-endian, texts NUL-terminated and NUL-padded.
struct SettingsRecord {
    std::array<char, 40> header;
    std::array<NameField, NAME_SLOTS> playerNames;  // 0 and 1 are the players; the rest are kept only
    std::array<std::array<std::uint8_t, KEY_FIELD_SIZE>, 2> playerKeys;  // bytes 0..3: virtual-key codes
    std::uint32_t reservedZero;
    std::array<std::uint8_t, 4> reservedFixed;
    std::array<NameField, HIGH_SCORE_COUNT> highScoreNames;  // best first
    std::array<std::uint32_t, HIGH_SCORE_COUNT> highScores;  // best first, compared unsigned
    std::uint8_t soundOn;                                    // menu sounds
    std::uint8_t musicOn;                                    // read at start-up only
    std::array<std::uint8_t, 128> reserved;
    std::array<std::uint8_t, 16> digest;
    std::array<std::uint8_t, 2> reservedTail;
    std::uint32_t digestSalt;  // 0 in every file; holds the salt only while a digest is computed
};
static_assert(sizeof(SettingsRecord) == 524);
static_assert(offsetof(SettingsRecord, playerKeys) == 152);
static_assert(offsetof(SettingsRecord, highScoreNames) == 192);
static_assert(offsetof(SettingsRecord, highScores) == 332);
static_assert(offsetof(SettingsRecord, soundOn) == 372);
static_assert(offsetof(SettingsRecord, digest) == 502);
static_assert(offsetof(SettingsRecord, digestSalt) == 520);

class Settings {
  public:
    Settings();  // the defaults, until a file is read

    // Overwrites every field but the two reserved tail bytes and the salt with the defaults.
    void loadDefaults();
    // The working key arrays from the first four bytes of each player's key field.
    void copyKeysToWorking();

    SettingsRecord record{};
};

extern Settings settings;
extern std::array<int, KEY_ACTIONS> player1Keys;
extern std::array<int, KEY_ACTIONS> player2Keys;

// Copies a name field into `destination` (capacity bytes, at least 1): at most 13 characters, always
// terminated, whether or not the field holds a terminator.
void copyName(const NameField& field, char* destination, std::size_t capacity);
// Stores text into a name field: cut to 13 characters, NUL-padded.
void storeName(NameField& field, const char* text);
