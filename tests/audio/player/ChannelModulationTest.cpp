// Channel operations against hand-derived values: Amiga periods, vibrato and tremolo waveforms,
// tremor, auto-vibrato, envelope steps, tone portamento and the reset for a new instrument.
#include <gtest/gtest.h>

#include "tests/audio/player/ReplayerTestModule.h"

namespace {

// |sin| table of the vibrato for positions 0..16.
constexpr int SINE[17] = {0, 25, 49, 74, 97, 120, 142, 162, 181, 197, 212, 225, 236, 244, 251, 254, 255};

Instrument EnvelopeInstrument(std::vector<EnvelopePoint> points, uint8_t type) {
    Instrument instrument;
    for (size_t i = 0; i < points.size(); ++i) {
        instrument.volumeEnvelope[i] = points[i];
    }
    instrument.volumePointCount = static_cast<uint8_t>(points.size());
    instrument.volumeType = type;
    return instrument;
}

// The volume envelope values of ticks ticks, starting from a fresh note.
std::vector<int> VolumeEnvelopeRun(Channel& channel, const Instrument& instrument, int ticks) {
    std::vector<int> values;
    for (int i = 0; i < ticks; ++i) {
        if (channel.volumeEnvelopeDone == 0) {
            StepEnvelope(channel, instrument, EnvelopeKind::Volume);
        }
        values.push_back(channel.volumeEnvelopeValue);
    }
    return values;
}

Channel FreshChannel() {
    Channel channel{};
    ResetForInstrument(channel, EmptySample());
    return channel;
}

}  // namespace

TEST(AmigaPeriod, MatchesTheTableAtItsAnchors) {
    EXPECT_EQ(AmigaPeriod(0, 0), 27392);
    EXPECT_EQ(AmigaPeriod(48, 0), 1712);  // C of the middle octave
    EXPECT_EQ(AmigaPeriod(60, 0), 856);
}

TEST(AmigaPeriod, FinetuneMovesTowardTheNeighbouringNote) {
    const int32_t note0 = AmigaPeriod(0, 0);
    const int32_t note1 = AmigaPeriod(1, 0);
    const int32_t up = AmigaPeriod(0, 127);
    EXPECT_LT(up, note0);
    EXPECT_GT(up, note1);
    EXPECT_LE(up - note1, (note0 - note1) / 64);  // almost the period of note 1
    const int32_t down = AmigaPeriod(48, -64);
    EXPECT_GT(down, AmigaPeriod(48, 0));
    EXPECT_LT(down, AmigaPeriod(47, 0));
}

TEST(Vibrato, SineFollowsTheTableAndPointsDownFirst) {
    Channel channel = FreshChannel();
    channel.vibratoDepth = 32;  // delta = table value with the low two bits cleared
    for (int p = 0; p <= 16; ++p) {
        channel.vibratoPosition = static_cast<int8_t>(p);
        Vibrato(channel);
        EXPECT_EQ(channel.periodDelta, -(SINE[p] & ~3)) << "position " << p;
    }
    channel.vibratoPosition = -16;
    Vibrato(channel);
    EXPECT_EQ(channel.periodDelta, 252);
    EXPECT_NE(channel.updateFlags & UPDATE_FREQUENCY, 0);
}

TEST(Vibrato, DepthFifteenAtPositionSixteen) {
    Channel channel = FreshChannel();
    channel.vibratoDepth = 15;
    channel.vibratoPosition = 16;
    Vibrato(channel);
    EXPECT_EQ(channel.periodDelta, -116);
}

TEST(Vibrato, RampAndSquareShapes) {
    Channel channel = FreshChannel();
    channel.vibratoDepth = 32;
    channel.waveControl = 1;
    channel.vibratoPosition = 10;
    Vibrato(channel);
    EXPECT_EQ(channel.periodDelta, -80);
    channel.vibratoPosition = -1;
    Vibrato(channel);
    EXPECT_EQ(channel.periodDelta, 4);  // 255 - 248 = 7, low bits cleared
    channel.waveControl = 2;
    channel.vibratoPosition = -5;
    Vibrato(channel);
    EXPECT_EQ(channel.periodDelta, 252);
}

TEST(Vibrato, PositionWrapsIntoItsHalfPeriods) {
    Channel channel = FreshChannel();
    channel.vibratoSpeed = 4;
    channel.vibratoPosition = 30;
    AdvanceVibrato(channel);
    EXPECT_EQ(channel.vibratoPosition, -30);
    AdvanceVibrato(channel);
    EXPECT_EQ(channel.vibratoPosition, -26);
}

TEST(Tremolo, KeepsTheVolumeWithinRange) {
    Channel channel = FreshChannel();
    channel.tremoloDepth = 15;
    channel.tremoloSpeed = 1;
    channel.volume = 60;
    channel.tremoloPosition = 16;  // 255 * 15 >> 6 = 59
    Tremolo(channel);
    EXPECT_EQ(channel.volumeDelta, 4);
    EXPECT_EQ(channel.tremoloPosition, 17);
    channel.tremoloPosition = -16;
    Tremolo(channel);
    EXPECT_EQ(channel.volumeDelta, -59);
    channel.volume = 30;
    channel.tremoloPosition = -16;
    Tremolo(channel);
    EXPECT_EQ(channel.volumeDelta, -30);
    channel.volume = 0;
    channel.waveControl = 0x10;  // ramp
    channel.tremoloPosition = 4;
    Tremolo(channel);
    EXPECT_EQ(channel.volumeDelta, (32 * 15) >> 6);
}

TEST(Tremor, ThirtyTwoGivesFourOnAndThreeOff) {
    Channel channel = FreshChannel();
    channel.volume = 40;
    channel.tremorOn = 4;
    channel.tremorOff = 3;
    std::vector<int> heard;
    for (int tick = 0; tick < 14; ++tick) {
        channel.volumeDelta = 0;
        Tremor(channel);
        heard.push_back(channel.volume + channel.volumeDelta);
    }
    const std::vector<int> expected = {40, 40, 40, 40, 0, 0, 0, 40, 40, 40, 40, 0, 0, 0};
    EXPECT_EQ(heard, expected);
}

TEST(AutoVibrato, SweepReachesFullDepthOnTheNinthTick) {
    Channel channel = FreshChannel();
    Instrument instrument;
    instrument.vibratoType = 1;  // square: +64
    instrument.vibratoDepth = 16;
    instrument.vibratoSweep = 8;
    std::vector<int> deltas;
    for (int tick = 0; tick < 10; ++tick) {
        channel.periodDelta = 0;
        AutoVibrato(channel, instrument);
        deltas.push_back(channel.periodDelta);
    }
    const std::vector<int> expected = {0, 2, 4, 6, 8, 10, 12, 14, 16, 16};
    EXPECT_EQ(deltas, expected);
}

TEST(AutoVibrato, WaveformsAndPositionWrap) {
    Channel channel = FreshChannel();
    Instrument instrument;
    instrument.vibratoDepth = 64;
    instrument.vibratoRate = 64;
    const std::pair<uint8_t, std::vector<int>> cases[] = {
        {2, {0, -32, 64, 32}}, {3, {0, 32, 64, -32}}, {1, {64, 64, -64, -64}}, {7, {0, 0, 0, 0}}};
    for (const auto& [type, expected] : cases) {
        instrument.vibratoType = type;
        channel.autoVibratoPosition = 0;
        std::vector<int> deltas;
        for (int tick = 0; tick < 4; ++tick) {
            channel.periodDelta = 0;
            AutoVibrato(channel, instrument);
            deltas.push_back(channel.periodDelta);
        }
        EXPECT_EQ(deltas, expected) << "type " << int(type);
        EXPECT_EQ(channel.autoVibratoPosition, 0);  // 4 x 64 wrapped
    }
}

TEST(StepEnvelope, SustainHoldsUntilKeyOffThenRunsToTheEnd) {
    Instrument instrument = EnvelopeInstrument({{0, 0}, {4, 64}, {8, 32}}, 1 | 2);
    instrument.volumeSustain = 1;
    Channel channel = FreshChannel();
    const std::vector<int> held = VolumeEnvelopeRun(channel, instrument, 7);
    EXPECT_EQ(held, (std::vector<int>{0, 16, 32, 48, 64, 64, 64}));
    channel.keyOff = 1;
    const std::vector<int> released = VolumeEnvelopeRun(channel, instrument, 6);
    EXPECT_EQ(released, (std::vector<int>{64, 56, 48, 40, 32, 32}));
    EXPECT_EQ(channel.volumeEnvelopeDone, 1);
}

TEST(StepEnvelope, LoopRestartsTheClockAtTheLoopStart) {
    Instrument instrument = EnvelopeInstrument({{0, 0}, {2, 20}, {4, 40}, {10, 0}}, 1 | 4);
    instrument.volumeLoopStart = 0;
    instrument.volumeLoopEnd = 2;
    Channel channel = FreshChannel();
    const std::vector<int> values = VolumeEnvelopeRun(channel, instrument, 10);
    EXPECT_EQ(values, (std::vector<int>{0, 10, 20, 30, 0, 10, 20, 30, 0, 10}));
    EXPECT_EQ(channel.volumeEnvelopeDone, 0);
}

TEST(StepEnvelope, DamagedIndicesAndPointsStayInside) {
    // A loop start past the points is ignored, a sustain past them never holds, a point count above 12
    // uses the 12 points there are, and points whose ticks go backwards give a flat segment.
    Instrument instrument = EnvelopeInstrument({{0, 10}, {5, 20}, {3, 60}}, 1 | 2 | 4);
    instrument.volumeLoopStart = 200;
    instrument.volumeLoopEnd = 1;
    instrument.volumeSustain = 250;
    instrument.volumePointCount = 255;
    instrument.volumeEnvelope[1].y = 65535;  // held to 64
    Channel channel = FreshChannel();
    const std::vector<int> values = VolumeEnvelopeRun(channel, instrument, 12);
    EXPECT_EQ(values[5], 64);
    for (int value : values) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 64);
    }
    for (int i = 0; i < 100000; ++i) {
        StepEnvelope(channel, instrument, EnvelopeKind::Volume);
    }
    EXPECT_EQ(channel.volumeEnvelopeValue, 64);
}

TEST(StepEnvelope, PanningEnvelopeUsesItsOwnClock) {
    Instrument instrument;
    instrument.panningEnvelope[0] = {0, 0};
    instrument.panningEnvelope[1] = {2, 64};
    instrument.panningPointCount = 2;
    instrument.panningType = 1;
    Channel channel = FreshChannel();
    StepEnvelope(channel, instrument, EnvelopeKind::Panning);
    StepEnvelope(channel, instrument, EnvelopeKind::Panning);
    EXPECT_EQ(channel.panningEnvelopeValue, 32);
    EXPECT_EQ(channel.volumeEnvelopeValue, 64);
    EXPECT_NE(channel.updateFlags & UPDATE_PANNING, 0);
}

TEST(SetVolumeEnvelopePosition, JumpsIntoTheSegment) {
    Instrument instrument = EnvelopeInstrument({{0, 0}, {10, 40}, {20, 0}}, 1);
    Channel channel = FreshChannel();
    SetVolumeEnvelopePosition(channel, instrument, 10);  // first point with 10 <= x is point 1
    EXPECT_EQ(channel.volumeEnvelopeDone, 0);
    EXPECT_EQ(channel.volumeEnvelopePoint, 2);
    EXPECT_EQ(channel.volumeEnvelopeTick, 10);
    EXPECT_EQ(channel.volumeEnvelopeValue, 40);
    SetVolumeEnvelopePosition(channel, instrument, 30);
    EXPECT_EQ(channel.volumeEnvelopeDone, 1);
    EXPECT_EQ(channel.volumeEnvelopeValue, 0);
}

TEST(TonePortamento, SlidesWithoutPassingTheTarget) {
    Channel channel = FreshChannel();
    channel.period = 1000;
    channel.portaTarget = 1010;
    channel.tonePortaSpeed = 2;
    TonePortamento(channel);
    EXPECT_EQ(channel.period, 1008);
    TonePortamento(channel);
    EXPECT_EQ(channel.period, 1010);
    channel.portaTarget = 990;
    TonePortamento(channel);
    TonePortamento(channel);
    TonePortamento(channel);
    EXPECT_EQ(channel.period, 990);
}

TEST(ResetForInstrument, RestartsEnvelopesAndKeepsChosenWavePositions) {
    Sample sample;
    sample.volume = 48;
    sample.panning = 200;
    Channel channel{};
    channel.keyOff = 1;
    channel.fadeout = 100;
    channel.vibratoPosition = 12;
    channel.tremoloPosition = 9;
    channel.waveControl = 0x04;  // vibrato keeps its position, tremolo restarts
    channel.volumeEnvelopeDone = 1;
    ResetForInstrument(channel, sample);
    EXPECT_EQ(channel.volume, 48);
    EXPECT_EQ(channel.panning, 200);
    EXPECT_EQ(channel.keyOff, 0);
    EXPECT_EQ(channel.fadeout, 65536);
    EXPECT_EQ(channel.volumeEnvelopeValue, 64);
    EXPECT_EQ(channel.panningEnvelopeValue, 32);
    EXPECT_EQ(channel.volumeEnvelopeDone, 0);
    EXPECT_EQ(channel.vibratoPosition, 12);
    EXPECT_EQ(channel.tremoloPosition, 0);
    EXPECT_EQ(channel.updateFlags, UPDATE_VOLUME | UPDATE_PANNING);
}
