// UpdateVoice: the volume, panning and frequency arithmetic that a channel hands its mixer voice, the
// trigger and the restart.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/audio/player/ReplayerTestModule.h"

using namespace replayer_test;

namespace {

struct VoiceFixture {
    VoiceFixture() : module(MakeModule(1, 1, 4, {0})) {
        StartSong(*module);
        channel = &Channels()[0];
        sample.length = 100;
        sample.loopLength = 100;
        sample.data.assign(100 + SAMPLE_GUARD_FRAMES, 0);
        ResetForInstrument(*channel, sample);
        channel->volume = 64;
        channel->panning = 128;
    }
    void update(uint8_t flags) {
        channel->updateFlags = flags;
        UpdateVoice(*channel, sample, *module);
    }
    Voice& voice() { return *channel->voice; }

    std::unique_ptr<Module> module;
    Channel* channel = nullptr;
    Sample sample;
};

}  // namespace

TEST(UpdateVoice, VolumeScalesAllFactorsTo127) {
    VoiceFixture fixture;
    fixture.update(UPDATE_VOLUME | UPDATE_PANNING);
    EXPECT_EQ(fixture.voice().volume, 127);
    EXPECT_EQ(fixture.voice().firstGainTarget, 127 * 127 / 255);
    EXPECT_EQ(fixture.voice().secondGainTarget, 128 * 127 / 255);
    fixture.channel->volume = 32;
    fixture.channel->fadeout = 32768;
    fixture.module->globalVolume = 48;
    fixture.update(UPDATE_VOLUME);
    EXPECT_EQ(fixture.voice().volume, 23);  // 32 * 64 * 32768 * 48 * 255 / 2^35 = 23.9
    fixture.channel->volumeDelta = -32;
    fixture.update(UPDATE_VOLUME);
    EXPECT_EQ(fixture.voice().volume, 0);
}

TEST(UpdateVoice, PanningZeroIsLeftAnd255Right) {
    const struct {
        int32_t panning, first, second;  // first = left, second = right
    } cases[] = {{0, 127, 0}, {255, 0, 127}, {64, 191 * 127 / 255, 64 * 127 / 255}};
    for (const auto& test : cases) {
        VoiceFixture fixture;
        fixture.channel->panning = test.panning;
        fixture.update(UPDATE_VOLUME | UPDATE_PANNING);
        EXPECT_EQ(fixture.voice().firstGainTarget, test.first) << test.panning;
        EXPECT_EQ(fixture.voice().secondGainTarget, test.second) << test.panning;
    }
}

TEST(UpdateVoice, PanningEnvelopeSwingsWithinTheRoomLeft) {
    VoiceFixture fixture;
    fixture.channel->panningEnvelopeValue = 64;
    fixture.update(UPDATE_PANNING);
    EXPECT_EQ(fixture.voice().panning, 255);  // 4 * 32 + 128, clamped
    fixture.channel->panning = 200;
    fixture.channel->panningEnvelopeValue = 0;
    fixture.update(UPDATE_PANNING);
    EXPECT_EQ(fixture.voice().panning, 200 - 1 * 32);  // (128 - 72) / 32 = 1
    fixture.channel->panning = -40;                    // an unlimited volume-column slide
    fixture.update(UPDATE_PANNING);
    EXPECT_EQ(fixture.voice().panning, 0);
}

TEST(UpdateVoice, LinearFrequencyAndStep) {
    VoiceFixture fixture;
    fixture.channel->period = 4608;  // 8363 Hz
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepInteger, 0u);
    EXPECT_EQ(fixture.voice().stepFraction, static_cast<uint32_t>((8363ULL << 32) / 44100));
    fixture.channel->period = 4608 - 768;  // one octave up
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepFraction, static_cast<uint32_t>((16726ULL << 32) / 44100));
    fixture.channel->periodDelta = 768 * 3;  // a positive delta raises the pitch: 8 x 8363 Hz
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepInteger, 133808u / 44100);
}

TEST(UpdateVoice, AmigaFrequencyAndTheLowestRate) {
    VoiceFixture fixture;
    fixture.module->flags = 0;
    fixture.channel->period = 1712;
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepFraction, static_cast<uint32_t>(((14317056ULL / 1712) << 32) / 44100));
    fixture.channel->period = 1000000;  // 14 Hz: mixed at 100 Hz
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepFraction, static_cast<uint32_t>((100ULL << 32) / 44100));
}

TEST(UpdateVoice, PeriodZeroLeavesTheFrequency) {
    VoiceFixture fixture;
    fixture.module->flags = 0;
    fixture.channel->period = 1712;
    fixture.update(UPDATE_FREQUENCY);
    const uint32_t before = fixture.voice().stepFraction;
    fixture.channel->period = 8;
    fixture.channel->periodDelta = -8;
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepFraction, before);
}

TEST(UpdateVoice, ExtremePeriodsStayInRange) {
    VoiceFixture fixture;
    fixture.channel->period = -2000000000;
    fixture.channel->periodDelta = -2000000000;
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_LE(fixture.voice().stepInteger, (1u << 24) / 44100 + 1);
    fixture.module->flags = 0;
    fixture.update(UPDATE_FREQUENCY);
    EXPECT_EQ(fixture.voice().stepFraction, static_cast<uint32_t>((100ULL << 32) / 44100));
}

TEST(UpdateVoice, TriggerStartsAtTheOffsetFromSilence) {
    VoiceFixture fixture;
    fixture.voice().startOffset = 40;
    fixture.voice().firstGain = 5000;
    fixture.voice().direction = DIRECTION_BACKWARD;
    fixture.update(UPDATE_TRIGGER);
    EXPECT_EQ(fixture.voice().sample, &fixture.sample);
    EXPECT_EQ(fixture.voice().position, 40u);
    EXPECT_EQ(fixture.voice().startOffset, 0u);
    EXPECT_EQ(fixture.voice().firstGain, 0);
    EXPECT_EQ(fixture.voice().direction, DIRECTION_FORWARD);
}

TEST(UpdateVoice, TriggerPastTheSampleStartsAtZero) {
    VoiceFixture fixture;
    fixture.voice().startOffset = 100;
    fixture.update(UPDATE_TRIGGER);
    EXPECT_EQ(fixture.voice().position, 0u);
}

TEST(UpdateVoice, EmptySampleLeavesTheVoiceIdle) {
    VoiceFixture fixture;
    fixture.channel->updateFlags = UPDATE_TRIGGER;
    UpdateVoice(*fixture.channel, EmptySample(), *fixture.module);
    EXPECT_EQ(fixture.voice().sample, nullptr);
}

TEST(UpdateVoice, HandOverAlternatesBetweenPartners) {
    VoiceFixture fixture;
    Channel& channel = Channels()[5];
    channel = *fixture.channel;
    channel.voice = &Voices()[5];
    std::vector<int> indices;
    for (int note = 0; note < 4; ++note) {
        channel.updateFlags = UPDATE_TRIGGER;
        UpdateVoice(channel, fixture.sample, *fixture.module);
        indices.push_back(channel.voice->index);
    }
    EXPECT_EQ(indices, (std::vector<int>{5, 37, 5, 37}));
}

TEST(UpdateVoice, RestartBitRewindsTheVoice) {
    VoiceFixture fixture;
    fixture.update(UPDATE_TRIGGER);
    fixture.voice().position = 77;
    fixture.voice().fraction = 1234;
    fixture.voice().startOffset = 9;
    fixture.update(UPDATE_RESTART);
    EXPECT_EQ(fixture.voice().position, 0u);
    EXPECT_EQ(fixture.voice().fraction, 0u);
    EXPECT_EQ(fixture.voice().startOffset, 0u);
}
