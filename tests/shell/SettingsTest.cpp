// The settings file read and written by the Settings object: the defaults' bytes, the digest's
// protection against any edit, files of other lengths, the write's folder, and names the fonts
// cannot draw. What stands in place of the file, and failing saves: SettingsFileSafetyTest.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "shell/Settings.h"
#include "tests/shell/ScratchFolder.h"
#include "tests/shell/SettingsFiles.h"

namespace {

Bytes field(const char* text, std::size_t size) {
    Bytes bytes(size, 0);
    std::memcpy(bytes.data(), text, std::strlen(text));
    return bytes;
}

// Every field of a file written from the defaults, as an outside reader finds it (offset, bytes).
std::vector<std::pair<std::size_t, Bytes>> defaultFields() {
    std::vector<std::pair<std::size_t, Bytes>> fields{
        {0, field("RZ Productions FileGameDefs v. 1.0\n\x1A", 40)},
        {40, field("VELK", 14)},
        {54, field("ZANDO", 14)},
        {68, Bytes(84, 0)},
        {152, field("OPAX", 16)},
        {168, field("\x25\x27\x28\x26", 16)},
        {184, Bytes(4, 0)},
        {372, {1, 1}},
        {374, Bytes(128, 0)},
        {518, Bytes(6, 0)}};
    const char* names[] = {"TAMBLE",    "VELK", "ZANDO",     "FOLVERIN", "HUSKET",
                           "BRANTOWEL", "PIRK", "DUNMARROW", "QUELLOW",  "ORVENTHALIS"};
    for (std::size_t place = 0; place < 10; ++place) {
        const std::uint32_t score = 8192u >> place;
        fields.push_back({192 + 14 * place, field(names[place], 14)});
        fields.push_back({332 + 4 * place, {std::uint8_t(score), std::uint8_t(score >> 8), 0, 0}});
    }
    return fields;
}

bool holdsDefaults(const Settings& subject) {
    const Settings defaults;
    return std::memcmp(&subject.record, &defaults.record, 518) == 0;  // the reserved tail and salt are kept
}

class SettingsFile : public ::testing::Test {
  protected:
    static Settings readNow() {
        Settings fresh;
        fresh.read();
        return fresh;
    }
    // The file of a run that changed a name, a key, a switch and a score.
    static Bytes changedFile() {
        Settings changed = readNow();
        storeName(changed.record.playerNames[0], "THIRTEENCHARS");
        changed.record.soundOn = 0;
        changed.record.highScores[0] = 9999;
        player1Keys[0] = 'Q';
        changed.write();
        return readBytes("VESKAR.INI");
    }
    ScratchFolder folder;
};

}  // namespace

TEST_F(SettingsFile, FirstRunWritesEveryDefaultFieldUnderAVerifyingDigest) {
    Settings first = readNow();
    EXPECT_FALSE(first.loaded);
    first.write();
    const Bytes file = readBytes("VESKAR.INI");
    ASSERT_EQ(file.size(), RECORD_SIZE);
    EXPECT_TRUE(digestVerifies(file));
    for (const auto& [offset, expected] : defaultFields()) {
        EXPECT_EQ(Bytes(file.begin() + offset, file.begin() + offset + expected.size()), expected) << offset;
    }
}

TEST_F(SettingsFile, KeepsNamesKeysSwitchesAndScoresAcrossAWriteAndARead) {
    const Bytes file = changedFile();
    EXPECT_EQ(file[40 + 13], 0) << "a 13-character name keeps its terminator";
    player1Keys = {};
    const Settings next = readNow();
    ASSERT_TRUE(next.loaded);
    EXPECT_STREQ(next.record.playerNames[0].data(), "THIRTEENCHARS");
    EXPECT_EQ(next.record.soundOn, 0);
    EXPECT_EQ(next.record.highScores[0], 9999u);
    EXPECT_EQ(player1Keys[0], 'Q');
}

TEST_F(SettingsFile, AnyChangedByteOutsideTheSaltGivesTheDefaults) {
    const Bytes good = changedFile();
    for (std::size_t offset = 0; offset < RECORD_SIZE; ++offset) {
        Bytes damaged = good;
        damaged[offset] ^= 0xFF;
        writeBytes("VESKAR.INI", damaged);
        const Settings next = readNow();
        const bool inSalt = offset >= SALT_OFFSET;
        EXPECT_EQ(next.loaded, inSalt) << "byte " << offset;
        EXPECT_EQ(holdsDefaults(next), !inSalt) << "byte " << offset;
    }
}

TEST_F(SettingsFile, OnlyACompleteFirst524BytesCount) {
    const Bytes good = changedFile();
    for (const auto& [size, accepted] :
         {std::pair{0, false}, {1, false}, {523, false}, {524, true}, {600, true}}) {
        Bytes file = good;
        file.resize(static_cast<std::size_t>(size), 0x5A);
        writeBytes("VESKAR.INI", file);
        const Settings next = readNow();
        EXPECT_EQ(next.loaded, accepted) << size;
        EXPECT_EQ(holdsDefaults(next), !accepted) << size;
    }
}

TEST_F(SettingsFile, WritesToTheFolderCurrentWhenItWasRead) {
    Settings subject = readNow();
    std::filesystem::create_directory("elsewhere");
    std::filesystem::current_path("elsewhere");
    subject.write();
    EXPECT_FALSE(std::filesystem::exists(folder.path / "elsewhere" / "VESKAR.INI"));
    EXPECT_TRUE(digestVerifies(readBytes((folder.path / "VESKAR.INI").string())));
}

TEST_F(SettingsFile, NamesShowCodesTheFontsCannotDrawAsSpaces) {
    Settings written = readNow();
    storeName(written.record.playerNames[1], "Zo\xEB\x7F!");
    storeName(written.record.highScoreNames[0], "\tTAB");
    written.write();
    const Settings next = readNow();
    ASSERT_TRUE(next.loaded);
    EXPECT_STREQ(next.record.playerNames[1].data(), "Zo  !");
    EXPECT_STREQ(next.record.highScoreNames[0].data(), " TAB");
}
