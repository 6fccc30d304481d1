// The settings record's file and digest, its defaults, the working key arrays and the name fields'
// safe copies.
#include "shell/Settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/Platform.h"
#include "shell/FileReplace.h"
#include "shell/Md5.h"

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
    std::memcpy(fileName.data(), SETTINGS_FILE_NAME, std::min(sizeof SETTINGS_FILE_NAME, FILE_NAME_SIZE - 1));
    fileName[FILE_NAME_SIZE - 1] = '\0';
    loadDefaults();
}

void Settings::read() {
    startDirectory.fill(0);
    const DWORD length =
        GetCurrentDirectoryA(static_cast<DWORD>(startDirectory.size()), startDirectory.data());
    if (length == 0 || length >= startDirectory.size()) {
        startDirectory.fill(0);  // unknown: the write then goes to whatever directory is current
    }
    loaded = readFile();
    if (loaded) {
        terminateNames();
    } else {
        loadDefaults();
    }
    copyKeysToWorking();
}

bool Settings::readFile() {
    std::FILE* file = std::fopen(fileName.data(), "rb");
    if (file == nullptr) {
        return false;
    }
    const bool complete =
        std::fread(&record, 1, sizeof record, file) == sizeof record;  // the rest is ignored
    std::fclose(file);
    return complete && verifyDigest();
}

// Anyone can compute the digest, so a file that passes it may still hold names without a terminator:
// every name ends within its field, at 13 characters at most.
void Settings::terminateNames() {
    for (NameField& name : record.playerNames) {
        name[NAME_FIELD_SIZE - 1] = '\0';
    }
    for (NameField& name : record.highScoreNames) {
        name[NAME_FIELD_SIZE - 1] = '\0';
    }
}

void Settings::write() {
    copyKeysFromWorking();
    SetCurrentDirectoryA(startDirectory.data());  // fails for an empty path: the write stays here
    computeDigest();
    (void)replaceFile(fileName.data(), &record, sizeof record);  // a failure keeps the old file
}

void Settings::computeDigest() {
    record.digest.fill(0);
    record.digestSalt = DIGEST_SALT;
    (void)computeMd5(&record, sizeof record, record.digest.data());  // 524 bytes are always in range
    record.digestSalt = 0;
}

bool Settings::verifyDigest() {
    const std::array<std::uint8_t, 16> stored = record.digest;
    computeDigest();
    return record.digest == stored;
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

void Settings::copyKeysFromWorking() {
    for (std::size_t action = 0; action < KEY_ACTIONS; ++action) {
        record.playerKeys[0][action] = static_cast<std::uint8_t>(player1Keys[action] & 0xFF);
        record.playerKeys[1][action] = static_cast<std::uint8_t>(player2Keys[action] & 0xFF);
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
