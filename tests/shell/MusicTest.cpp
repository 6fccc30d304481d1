// Music start and music stop of the shell on the test backend's audio device.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/output/Output.h"
#include "platform/testing/TestAudio.h"
#include "shell/Music.h"

namespace testing_audio = veskar::platform::testing;

TEST(Music, SwitchedOffOpensNoDevice) {
    testing_audio::setAudioDeviceAvailable(true);
    musicStart(false);
    EXPECT_FALSE(musicRunning);
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
    musicStop();
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
}

TEST(Music, MissingFileLeavesTheDeviceOpenUntilStop) {
    testing_audio::setAudioDeviceAvailable(true);
    const auto previous = std::filesystem::current_path();
    const auto empty = std::filesystem::temp_directory_path() / "veskar_music_test_empty";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    musicStart(true);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(musicRunning);
    EXPECT_EQ(musicModule, nullptr);
    EXPECT_TRUE(testing_audio::audioDeviceOpen());
    EXPECT_EQ(PlayingModule(), nullptr);
    musicStop();
    EXPECT_FALSE(musicRunning);
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
    musicStop();  // harmless twice
}

TEST(Music, NoDeviceIsSilentAndStopDoesNothing) {
    testing_audio::setAudioDeviceAvailable(false);
    musicStart(true);
    EXPECT_FALSE(musicRunning);
    EXPECT_EQ(PlayingModule(), nullptr);
    musicStop();
    testing_audio::setAudioDeviceAvailable(true);
}

TEST(Music, PlaysTheGamesOwnMusicAndStopsCleanly) {
    const std::filesystem::path music = std::filesystem::path(VESKAR_DAT_PATH).parent_path();
    ASSERT_TRUE(std::filesystem::exists(music / MUSIC_FILE_NAME)) << "the committed music is missing";
    testing_audio::setAudioDeviceAvailable(true);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(music);
    musicStart(true);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(musicRunning);
    ASSERT_NE(musicModule, nullptr);
    EXPECT_EQ(PlayingModule(), musicModule.get());
    testing_audio::clearRecordedAudio();
    testing_audio::advanceAudio(44100);
    bool sound = false;
    for (std::int16_t value : testing_audio::recordedAudio())
        sound = sound || value != 0;
    EXPECT_TRUE(sound);
    musicStop();
    EXPECT_EQ(musicModule, nullptr);
    EXPECT_EQ(PlayingModule(), nullptr);
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
}
