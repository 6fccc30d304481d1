// Sound effects with the program's own WAVE resources on the test backend: loading, playing through
// the one-shot sound, releasing, and the silence of an effect that is not loaded.
#include "audio/SoundEffect.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/testing/TestAudio.h"

namespace testing_audio = veskar::platform::testing;

namespace {

// Frames of the effects recording with any sound in them.
std::size_t soundingFrames() {
    const std::vector<std::int16_t>& effects = testing_audio::RecordedEffects();
    std::size_t sounding = 0;
    for (std::size_t i = 0; i + 1 < effects.size(); i += 2) {
        sounding += (effects[i] != 0 || effects[i + 1] != 0) ? 1 : 0;
    }
    return sounding;
}

class SoundEffectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_audio::SetAudioDeviceAvailable(true);
        testing_audio::ClearRecordedAudio();
    }
    void TearDown() override {
        (void)sndPlaySoundA(nullptr, 0);
        testing_audio::ClearRecordedAudio();
    }
};

}  // namespace

TEST_F(SoundEffectTest, EveryGameSoundLoadsAndPlaysForItsLength) {
    const struct {
        int resource;
        int frames;  // at the device's 44100 Hz
    } sounds[] = {{124, 9414 * 4}, {125, 1345 * 4}, {126, 946 * 2}, {127, 946 * 2}};
    for (const auto& sound : sounds) {
        SoundEffect effect;
        EXPECT_NE(effect.Load(sound.resource), nullptr) << sound.resource;
        EXPECT_TRUE(effect.loaded);
        testing_audio::ClearRecordedAudio();
        effect.Play();
        testing_audio::AdvanceAudio(sound.frames + 1000);
        const std::vector<std::int16_t>& effects = testing_audio::RecordedEffects();
        EXPECT_GT(soundingFrames(), static_cast<std::size_t>(sound.frames) / 2) << sound.resource;
        EXPECT_TRUE(std::all_of(effects.end() - 2000, effects.end(), [](std::int16_t v) { return v == 0; }))
            << sound.resource << " plays once";
    }
}

TEST_F(SoundEffectTest, ReleasedOrMissingSoundIsSilent) {
    SoundEffect effect;
    effect.Play();
    EXPECT_FALSE(testing_audio::AudioDeviceOpen()) << "never loaded";
    EXPECT_NE(effect.Load(125), nullptr);
    effect.Release();
    EXPECT_FALSE(effect.loaded);
    effect.Play();
    EXPECT_FALSE(testing_audio::AudioDeviceOpen()) << "released";
    EXPECT_NE(effect.Load(125), nullptr);
    EXPECT_EQ(effect.Load(999), nullptr) << "the first load is released before the lookup";
    EXPECT_FALSE(effect.loaded);
    effect.Play();
    EXPECT_FALSE(testing_audio::AudioDeviceOpen()) << "a failed reload plays nothing";
}
