// The sound effects in the real program on the test backend: loaded at start-up, and heard over
// the music, which the recordings keep apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "audio/effects/SoundEffect.h"
#include "platform/testing/TestAudio.h"
#include "platform/testing/TestBackend.h"
#include "shell/Music.h"
#include "tests/support/ScratchFolder.h"

using veskar::platform::TestBackend;
namespace testing_audio = veskar::platform::testing;

namespace {

std::vector<std::int16_t> frames(const std::vector<std::int16_t>& recording, std::size_t from,
                                 std::size_t count) {
    const auto start = recording.begin() + static_cast<std::ptrdiff_t>(from * 2);
    return {start, start + static_cast<std::ptrdiff_t>(count * 2)};
}

bool sounds(const std::vector<std::int16_t>& values) {
    return std::any_of(values.begin(), values.end(), [](std::int16_t v) { return v != 0; });
}

}  // namespace

TEST(SoundEndToEnd, EffectsSoundOverTheMusicAndCutEachOtherOff) {
    const std::filesystem::path music = std::filesystem::path(VESKAR_DAT_PATH).parent_path();
    ASSERT_TRUE(std::filesystem::exists(music / MUSIC_FILE_NAME)) << "the committed music is missing";
    // The program writes VESKAR.INI where it runs: a scratch folder with a copy of the music.
    ScratchFolder folder;
    std::filesystem::copy_file(music / MUSIC_FILE_NAME, folder.path / MUSIC_FILE_NAME);
    testing_audio::setAudioDeviceAvailable(true);
    auto& backend = TestBackend::reset();
    bool allLoaded = false;
    std::vector<std::int16_t> matchAlone;
    constexpr std::size_t CUT = 1000;      // frames of the landing before the match cuts it off
    constexpr std::size_t LISTEN = 20000;  // frames heard after that
    backend.at(50, [&] {
        allLoaded = SoundMatch.loaded && SoundLand.loaded && SoundMenuSelect.loaded && SoundMenuMove.loaded;
        testing_audio::clearRecordedAudio();
        SoundMatch.Play();
        testing_audio::advanceAudio(LISTEN);
        matchAlone = testing_audio::recordedEffects();
        testing_audio::clearRecordedAudio();
        SoundLand.Play();
        testing_audio::advanceAudio(CUT);
        SoundMatch.Play();
        testing_audio::advanceAudio(LISTEN);
    });
    backend.requestClose(100);
    const int status = WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    (void)sndPlaySoundA(nullptr, 0);  // the match still sounds: stopping it closes the device
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(allLoaded) << "the four sounds are loaded at start-up";
    const std::vector<std::int16_t>& effects = testing_audio::recordedEffects();
    const std::vector<std::int16_t>& musicPart = testing_audio::recordedMusic();
    ASSERT_EQ(effects.size(), (CUT + LISTEN) * 2);
    EXPECT_TRUE(sounds(frames(effects, 0, CUT))) << "the landing";
    EXPECT_TRUE(sounds(frames(musicPart, 0, CUT + LISTEN))) << "the music plays on under the effects";
    EXPECT_NE(testing_audio::recordedAudio(), musicPart) << "the effects are in the mix";
    // After the short fade of the landing, the match sounds from its start, alone.
    const std::size_t fade = 128;
    EXPECT_EQ(frames(effects, CUT + fade, LISTEN - fade), frames(matchAlone, fade, LISTEN - fade));
}
