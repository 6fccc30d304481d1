// Everything the game remembers between runs: one 524-byte record of names, key bindings, high
// scores and switches, read from VESKAR.INI at start-up, kept in memory for the whole run, saved
// whenever it changes and again at shutdown, and the working copies of the key bindings that the
// game screens and the key menus use. Message-loop thread only.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t NAME_FIELD_SIZE = 14;  // 13 characters and the terminator
inline constexpr std::size_t NAME_SLOTS = 8;
inline constexpr std::size_t HIGH_SCORE_COUNT = 10;
inline constexpr std::size_t KEY_FIELD_SIZE = 16;
inline constexpr std::size_t KEY_ACTIONS = 4;  // Left, Right, Fast, Rotate
inline constexpr char SETTINGS_FILE_NAME[] = "VESKAR.INI";
inline constexpr std::size_t FILE_NAME_SIZE = 14;
inline constexpr std::size_t DIRECTORY_SIZE = 4096;
// Held in `digestSalt` while the digest is computed, so that a digest made by an ordinary MD5 tool
// over the file does not verify.
inline constexpr std::uint32_t DIGEST_SALT = 2958147;

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
// The file holds the record as it lies in memory.
static_assert(std::endian::native == std::endian::little, "the file's integers are little-endian");
static_assert(sizeof(SettingsRecord) == 524);
static_assert(offsetof(SettingsRecord, playerNames) == 40);
static_assert(offsetof(SettingsRecord, playerKeys) == 152);
static_assert(offsetof(SettingsRecord, reservedZero) == 184);
static_assert(offsetof(SettingsRecord, reservedFixed) == 188);
static_assert(offsetof(SettingsRecord, highScoreNames) == 192);
static_assert(offsetof(SettingsRecord, highScores) == 332);
static_assert(offsetof(SettingsRecord, soundOn) == 372);
static_assert(offsetof(SettingsRecord, musicOn) == 373);
static_assert(offsetof(SettingsRecord, reserved) == 374);
static_assert(offsetof(SettingsRecord, digest) == 502);
static_assert(offsetof(SettingsRecord, reservedTail) == 518);
static_assert(offsetof(SettingsRecord, digestSalt) == 520);

// What the last read found at the file's name.
enum class SettingsFileState {
    Valid,       // a complete record whose digest matches
    Missing,     // no file: the defaults, saved at the first change or at shutdown
    Damaged,     // short or edited: the defaults, which replace it when they are saved
    Unreadable,  // there, but not a regular file or refused by the system: the defaults, and the
                 // file is never replaced in this run
};

class Settings {
  public:
    Settings();  // the file name, and the defaults until a file is read

    // Captures the current directory for every save, reads the file there, falling back to the
    // defaults when it is missing, short, edited or unreadable, and fills the working key arrays.
    // An unreadable file is named on standard error.
    void read();
    // Shutdown's save: copies the working key arrays back and replaces the file in the folder
    // captured by read with the record and a fresh digest, unless the file was unreadable.
    void write();
    // Saves as write does when names, keys, switches or scores differ from what was last read or
    // saved; otherwise does nothing. Called after every message the program handles.
    void saveChanges();
    // Stores the record's digest: MD5 over the 524 bytes with the digest zeroed and the salt in
    // `digestSalt`, which is zero again afterwards.
    void computeDigest();
    // Whether the stored digest matches the record. The record keeps the recomputed digest.
    [[nodiscard]] bool verifyDigest();

    // Overwrites every field but the two reserved tail bytes and the salt with the defaults.
    void loadDefaults();
    // The working key arrays from the first four bytes of each player's key field.
    void copyKeysToWorking();
    // The low byte of each working key back into the first four bytes of each player's key field.
    void copyKeysFromWorking();

    SettingsRecord record{};
    std::array<char, FILE_NAME_SIZE> fileName{};        // relative: opened in the current directory
    bool loaded = false;                                // the last read found a valid file
    std::array<char, DIRECTORY_SIZE> startDirectory{};  // current when the file was read; empty if unknown
    SettingsFileState fileState = SettingsFileState::Missing;
    std::string path;  // where the file is read and saved: fileName in startDirectory

  private:
    [[nodiscard]] SettingsFileState readFile();
    void cleanNames();
    // Replaces the file with the record, or says why it could not.
    void save();
    void reportSaveFailure(const std::string& reason);
    // The bytes a save compares: everything but the digest and the salt.
    [[nodiscard]] bool differsFromSaved() const;
    void rememberSaved();

    SettingsRecord saved{};         // the record as last read or saved
    bool saveFailureShown = false;  // the Windows build shows one box per run
};

extern Settings settings;
extern std::array<int, KEY_ACTIONS> player1Keys;
extern std::array<int, KEY_ACTIONS> player2Keys;

// Copies a name field into `destination` (capacity bytes, at least 1): at most 13 characters, always
// terminated, whether or not the field holds a terminator.
void copyName(const NameField& field, char* destination, std::size_t capacity);
// Stores text into a name field: cut to 13 characters, NUL-padded.
void storeName(NameField& field, const char* text);
