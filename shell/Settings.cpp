// The settings record's file and digest, its defaults, the working key arrays and the name fields'
// safe copies.
#include "shell/Settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Platform.h"
#include "shell/FileAccess.h"
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

#ifdef _WIN32
inline constexpr char PATH_SEPARATOR = '\\';
#else
inline constexpr char PATH_SEPARATOR = '/';
#endif

// The bitmap fonts draw the codes 32 to 126; a name shows any other code as a space.
inline constexpr unsigned char FIRST_DRAWN = 32;
inline constexpr unsigned char LAST_DRAWN = 126;

std::string joinPath(const char* folder, const char* name) {
    if (folder[0] == '\0') {
        return name;  // the folder is unknown: the current one
    }
    std::string path = folder;
    if (path.back() != '/' && path.back() != PATH_SEPARATOR) {
        path += PATH_SEPARATOR;
    }
    return path + name;
}

#ifdef _WIN32
// Where the settings live when the start folder cannot hold them (a game unpacked under Program
// Files): %APPDATA%\Veskar\VESKAR.INI. Empty without APPDATA.
std::string roamingPath() {
    const char* base = std::getenv("APPDATA");
    if (base == nullptr || base[0] == '\0') {
        return {};
    }
    return joinPath(base, "Veskar") + PATH_SEPARATOR + SETTINGS_FILE_NAME;
}

// A save refused because the folder is not the player's to write.
bool refusedHere(const FileOutcome& outcome) {
    return outcome.status == FileOutcome::Status::Failed &&
           (outcome.error == EACCES || outcome.error == EPERM || outcome.error == EROFS);
}
#endif

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
        startDirectory.fill(0);  // unknown: the saves then go to whatever directory is current
    }
    path = joinPath(startDirectory.data(), fileName.data());
#ifdef _WIN32
    const std::string roaming = roamingPath();
    std::size_t ignored = 0;
    std::uint8_t probe = 0;
    if (!roaming.empty() &&
        readRegularFile(roaming, {&probe, 1}, ignored).status != FileOutcome::Status::Missing) {
        path = roaming;
    }
#endif
    fileState = readFile();
    loaded = fileState == SettingsFileState::Valid;
    if (loaded) {
        cleanNames();
    } else {
        loadDefaults();
    }
    copyKeysToWorking();
    rememberSaved();
}

SettingsFileState Settings::readFile() {
    std::size_t count = 0;
    const FileOutcome outcome =
        readRegularFile(path, {reinterpret_cast<std::uint8_t*>(&record), sizeof record}, count);
    switch (outcome.status) {
        case FileOutcome::Status::Done:
            // The rest of a longer file is ignored.
            return count == sizeof record && verifyDigest() ? SettingsFileState::Valid
                                                            : SettingsFileState::Damaged;
        case FileOutcome::Status::Missing:
            return SettingsFileState::Missing;
        case FileOutcome::Status::NotRegular:
        case FileOutcome::Status::Failed:
            break;
    }
    // Someone's names, keys and scores may be in there: keep the file whole, and say why they are not shown.
    std::fprintf(stderr,
                 "veskar: cannot read the settings in %s (%s); playing with the defaults, which are not "
                 "saved over it\n",
                 path.c_str(), outcome.reason().c_str());
    return SettingsFileState::Unreadable;
}

// Anyone can compute the digest, so a file that passes it may still hold names without a terminator
// or with codes the fonts cannot draw: every name ends within its field, at 13 characters at most,
// and shows other codes as spaces.
void Settings::cleanNames() {
    const auto clean = [](NameField& name) {
        name[NAME_FIELD_SIZE - 1] = '\0';
        for (char& character : name) {
            const auto code = static_cast<unsigned char>(character);
            if (code != 0 && (code < FIRST_DRAWN || code > LAST_DRAWN)) {
                character = ' ';
            }
        }
    };
    std::for_each(record.playerNames.begin(), record.playerNames.end(), clean);
    std::for_each(record.highScoreNames.begin(), record.highScoreNames.end(), clean);
}

void Settings::write() {
    copyKeysFromWorking();
    save();
}

void Settings::saveChanges() {
    copyKeysFromWorking();
    if (differsFromSaved()) {
        save();
    }
}

void Settings::save() {
    rememberSaved();  // a failed save is tried again at the next change, not at every message
    if (fileState == SettingsFileState::Unreadable) {
        return;
    }
    computeDigest();
    FileOutcome outcome = replaceFile(path, &record, sizeof record);
#ifdef _WIN32
    const std::string roaming = roamingPath();
    if (refusedHere(outcome) && !roaming.empty() && path != roaming) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(roaming).parent_path(), ignored);
        outcome = replaceFile(roaming, &record, sizeof record);
        if (outcome.done()) {
            path = roaming;
        }
    }
#endif
    if (!outcome.done()) {
        reportSaveFailure(outcome.reason());
    }
}

void Settings::reportSaveFailure(const std::string& reason) {
#ifdef _WIN32
    // Nobody reads standard error of a windowed program.
    if (saveFailureShown) {
        return;
    }
    saveFailureShown = true;
    const std::string text = "The settings cannot be saved to " + path + ":\n" + reason;
    MessageBoxA(nullptr, text.c_str(), "VESKAR", MB_OK | MB_ICONWARNING);
#else
    std::fprintf(stderr, "veskar: cannot save the settings to %s: %s\n", path.c_str(), reason.c_str());
#endif
}

bool Settings::differsFromSaved() const {
    const auto* now = reinterpret_cast<const std::uint8_t*>(&record);
    const auto* then = reinterpret_cast<const std::uint8_t*>(&saved);
    return std::memcmp(now, then, offsetof(SettingsRecord, digest)) != 0 ||
           record.reservedTail != saved.reservedTail;
}

void Settings::rememberSaved() {
    saved = record;
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
