// A sound effect with the program's own WAVE resources on the test backend: loaded, it plays through
// the one-shot sound for its length; released, missing or failed to reload, it is silent.
#include "audio/effects/SoundEffect.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/testing/TestAudio.h"

namespace testing_audio = veskar::platform::testing;

TEST(SoundEffect, PlaysWhileLoadedOnly) {
    testing_audio::setAudioDeviceAvailable(true);
    SoundEffect effect;
    effect.Play();
    EXPECT_FALSE(testing_audio::audioDeviceOpen()) << "never loaded";
    EXPECT_NE(effect.Load(125), nullptr);
    EXPECT_TRUE(effect.loaded);
    testing_audio::clearRecordedAudio();
    effect.Play();
    testing_audio::advanceAudio(8000);
    // 1345 samples at 11025 Hz: 5380 frames at the device's 44100 Hz, then silence.
    const std::vector<std::int16_t>& effects = testing_audio::recordedEffects();
    const auto isSound = [](std::int16_t v) { return v != 0; };
    EXPECT_TRUE(std::any_of(effects.begin() + 4000 * 2, effects.begin() + 5380 * 2, isSound));
    EXPECT_FALSE(std::any_of(effects.begin() + 5380 * 2, effects.end(), isSound));
    (void)sndPlaySoundA(nullptr, 0);
    effect.Release();
    EXPECT_FALSE(effect.loaded);
    effect.Play();
    EXPECT_FALSE(testing_audio::audioDeviceOpen()) << "released";
    EXPECT_NE(effect.Load(125), nullptr);
    EXPECT_EQ(effect.Load(999), nullptr) << "the first load is released before the lookup";
    EXPECT_FALSE(effect.loaded);
    effect.Play();
    EXPECT_FALSE(testing_audio::audioDeviceOpen()) << "a failed reload plays nothing";
}
