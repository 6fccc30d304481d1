// Effects and volume-column commands of the replayer, stepped tick by tick on modules built in code.
#include <gtest/gtest.h>

#include "tests/audio/player/ReplayerTestModule.h"

using namespace replayer_test;

namespace {

constexpr uint8_t NOTE_C4 = 49;  // keyNote 48

// One channel, one pattern of 8 rows, an instrument with one looping sample.
struct OneChannelSong {
    OneChannelSong() : module(MakeModule(1, 1, 8, {0})) { instrument = AddInstrument(*module); }
    PatternCell& cell(int row) { return CellOf(*module, 0, row, 0); }
    void start() { StartSong(*module); }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            ModuleTick(*module);
        }
    }
    Channel& channel() { return Channels()[0]; }

    std::unique_ptr<Module> module;
    uint8_t instrument = 0;
};

}  // namespace

TEST(ReplayerEffects, ArpeggioAddsSemitonesByTick) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x00, 0x47};
    song.start();
    std::vector<int> deltas;
    for (int tick = 0; tick < 6; ++tick) {
        song.ticks(1);
        deltas.push_back(song.channel().periodDelta);
    }
    EXPECT_EQ(deltas, (std::vector<int>{0, 256, 448, 0, 256, 448}));
}

TEST(ReplayerEffects, AmigaArpeggioUsesThePeriodTable) {
    OneChannelSong song;
    song.module->flags = 0;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x00, 0xC0};
    song.start();
    song.ticks(2);
    EXPECT_EQ(song.channel().period, 1712);
    EXPECT_EQ(song.channel().periodDelta, 856 - 1712);
}

TEST(ReplayerEffects, VolumeColumnSlideActsOnEveryTickIncludingTheFirst) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0x65, 0, 0};
    song.start();
    std::vector<int> volumes;
    for (int tick = 0; tick < 6; ++tick) {
        song.ticks(1);
        volumes.push_back(song.channel().volume);
    }
    EXPECT_EQ(volumes, (std::vector<int>{59, 54, 49, 44, 39, 34}));
}

TEST(ReplayerEffects, KeyOffWithoutVolumeEnvelopeSilencesOnTheFirstTick) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0, 0};
    song.cell(1) = {NOTE_KEY_OFF, 0, 0, 0, 0};
    song.start();
    song.ticks(6);
    EXPECT_GT(song.channel().voice->volume, 0);
    song.ticks(1);
    EXPECT_EQ(song.channel().voice->volume, 0);
    EXPECT_EQ(song.channel().keyOff, 1);
}

TEST(ReplayerEffects, KxxKeysOffWhateverItsParameter) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0, 0};
    song.cell(1) = {0, 0, 0, 20, 0x05};
    song.start();
    song.ticks(7);
    EXPECT_EQ(song.channel().keyOff, 1);
    EXPECT_EQ(song.channel().voice->volume, 0);
}

TEST(ReplayerEffects, TonePortamentoNoteKeepsTheSoundingNote) {
    OneChannelSong song;
    const uint8_t second = AddInstrument(*song.module);
    song.module->instruments[1].ownedSamples[0]->volume = 20;
    song.cell(0) = {NOTE_C4, song.instrument, 0x30, 0, 0};
    song.cell(1) = {NOTE_C4 + 12, second, 0, 0x03, 0x10};
    song.start();
    song.ticks(6);
    Voice* voice = song.channel().voice;
    const int32_t startPeriod = song.channel().period;
    song.ticks(1);
    EXPECT_EQ(song.channel().voice, voice);  // no new note, no hand-over
    EXPECT_EQ(song.channel().instrument, 0);
    EXPECT_EQ(song.channel().keyNote, 48);
    EXPECT_EQ(song.channel().period, startPeriod);
    EXPECT_EQ(song.channel().volume, 64);  // the instrument column still resets the volume
    song.ticks(1);
    EXPECT_EQ(song.channel().period, startPeriod - 64);
    EXPECT_EQ(song.channel().portaTarget, startPeriod - 12 * 64);
}

TEST(ReplayerEffects, VolumeColumnPortamentoTakesTheNewPeriodAtOnce) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0, 0};
    song.cell(1) = {NOTE_C4 + 12, 0, 0xF4, 0, 0};
    song.start();
    song.ticks(6);
    Voice* voice = song.channel().voice;
    song.ticks(2);
    EXPECT_EQ(song.channel().voice, voice);  // not restarted
    EXPECT_EQ(song.channel().period, 7680 - 60 * 64);
    EXPECT_EQ(song.channel().tonePortaSpeed, 64);
}

TEST(ReplayerEffects, NewNoteHandsTheOldOneToThePartnerVoice) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0, 0};
    song.cell(1) = {NOTE_C4 + 2, song.instrument, 0, 0, 0};
    song.start();
    song.ticks(1);
    Voice& first = Voices()[0];
    ASSERT_EQ(song.channel().voice, &first);
    first.position = 17;
    song.ticks(6);
    Voice& partner = Voices()[32];
    EXPECT_EQ(song.channel().voice, &partner);
    EXPECT_EQ(first.firstGainTarget, 0);
    EXPECT_EQ(first.secondGainTarget, 0);
    EXPECT_EQ(first.position, 17u);  // the old note keeps playing while it fades
    EXPECT_EQ(partner.index, 32);
    EXPECT_EQ(partner.position, 0u);
    EXPECT_EQ(partner.firstGain, 0);
    EXPECT_GT(partner.firstGainTarget, 0);
}

TEST(ReplayerEffects, TremoloOffsetStaysWhenTheNextRowHasAnotherEffect) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0x30, 0x07, 0x4F};
    song.cell(1) = {0, 0, 0, 0x0A, 0x00};
    song.start();
    song.ticks(6);
    const int32_t offset = song.channel().volumeDelta;
    EXPECT_NE(offset, 0);
    song.ticks(1);
    EXPECT_EQ(song.channel().volume, 32 + offset);
    EXPECT_EQ(song.channel().volumeDelta, 0);
}

TEST(ReplayerEffects, MultiRetrigChangesVolumeAndRestarts) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0x30, 27, 0xA2};  // +2 every 2 ticks
    song.start();
    song.ticks(1);
    Voice* voice = song.channel().voice;
    song.ticks(1);
    EXPECT_EQ(song.channel().volume, 32);
    song.ticks(1);
    EXPECT_EQ(song.channel().volume, 34);
    EXPECT_NE(song.channel().voice, voice);  // retriggered: handed over
    song.ticks(2);
    EXPECT_EQ(song.channel().volume, 36);
}

TEST(ReplayerEffects, NoteDelayStartsTheNoteOnItsTick) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0x20, 0x0E, 0xD2};
    song.start();
    song.ticks(1);
    EXPECT_EQ(song.channel().voice->sample, nullptr);
    EXPECT_EQ(song.channel().volume, 0);
    song.ticks(1);
    EXPECT_EQ(song.channel().voice->sample, nullptr);
    song.ticks(1);
    EXPECT_NE(song.channel().voice->sample, nullptr);
    EXPECT_EQ(song.channel().volume, 16);  // the volume column applies again
}

TEST(ReplayerEffects, NoteCutSilencesOnItsTick) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x0E, 0xC3};
    song.start();
    song.ticks(3);
    EXPECT_EQ(song.channel().volume, 64);
    song.ticks(1);
    EXPECT_EQ(song.channel().volume, 0);
    EXPECT_EQ(song.channel().voice->volume, 0);
}

TEST(ReplayerEffects, SampleOffsetStartsInsideTheSample) {
    OneChannelSong song;
    song.module->instruments[0].ownedSamples[0]->length = 1024;
    song.module->instruments[0].ownedSamples[0]->loopLength = 1024;
    song.module->instruments[0].ownedSamples[0]->data.assign(1024 + SAMPLE_GUARD_FRAMES, 0);
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x09, 0x02};
    song.cell(1) = {NOTE_C4, song.instrument, 0, 0x09, 0x08};  // 2048: past the end
    song.start();
    song.ticks(1);
    EXPECT_EQ(song.channel().voice->position, 512u);
    song.channel().voice->position = 700;
    Voice* voice = song.channel().voice;
    song.ticks(6);
    EXPECT_EQ(song.channel().voice, voice);  // not triggered anew
    EXPECT_EQ(voice->position, 0u);          // the current sample restarts at 0
    EXPECT_EQ(song.channel().sampleOffsetMemory, 8);
}

TEST(ReplayerEffects, GlobalVolumeAndItsSlide) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 16, 0x50};  // at most 64
    song.cell(1) = {0, 0, 0, 17, 0x04};
    song.start();
    song.ticks(1);
    EXPECT_EQ(song.module->globalVolume, 64);
    song.ticks(5);
    song.ticks(6);
    EXPECT_EQ(song.module->globalVolume, 64 - 5 * 4);
    EXPECT_EQ(song.module->globalVolumeSlideMemory, 4);
}

TEST(ReplayerEffects, SlidesRememberTheirLastParameter) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x0A, 0x02};
    song.cell(1) = {0, 0, 0, 0x0A, 0x00};
    song.cell(2) = {0, 0, 0, 0x0E, 0xB3};
    song.cell(3) = {0, 0, 0, 0x0E, 0xA0};  // shares EBy's memory
    song.start();
    song.ticks(12);
    EXPECT_EQ(song.channel().volume, 64 - 20);
    song.ticks(1);
    EXPECT_EQ(song.channel().volume, 41);
    song.ticks(6);
    EXPECT_EQ(song.channel().volume, 44);
}

TEST(ReplayerEffects, PortamentosAndFinePortamentos) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x01, 0x02};
    song.cell(1) = {0, 0, 0, 0x0E, 0x23};
    song.cell(2) = {0, 0, 0, 33, 0x15};
    song.start();
    const int32_t base = 7680 - 48 * 64;
    song.ticks(6);
    EXPECT_EQ(song.channel().period, base - 5 * 8);
    song.ticks(1);
    EXPECT_EQ(song.channel().period, base - 40 + 12);
    song.ticks(6);
    EXPECT_EQ(song.channel().period, base - 28 - 5);
}

TEST(ReplayerEffects, PanningCommands) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0xC4, 0, 0};
    song.cell(1) = {0, 0, 0, 0x08, 0xF0};
    song.cell(2) = {0, 0, 0, 25, 0x40};
    song.cell(3) = {0, 0, 0xD3, 0x0E, 0x82};
    song.start();
    song.ticks(1);
    EXPECT_EQ(song.channel().panning, 64);
    song.ticks(6);
    EXPECT_EQ(song.channel().panning, 240);
    song.ticks(6);
    EXPECT_EQ(song.channel().panning, 240);  // the slide runs on the other ticks
    song.ticks(5);
    EXPECT_EQ(song.channel().panning, 255);
    song.ticks(6);
    EXPECT_EQ(song.channel().panning, 32 - 5 * 3);  // E82 after the first D3, then D3 on every tick
    EXPECT_EQ(song.channel().voice->panning, 32 - 15);
}

TEST(ReplayerEffects, TremorAlternatesAudibleAndSilentTicks) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 29, 0x11};  // 2 on, 2 off
    song.start();
    std::vector<int> heard;
    for (int tick = 0; tick < 6; ++tick) {
        song.ticks(1);
        heard.push_back(song.channel().voice->volume > 0 ? 1 : 0);
    }
    EXPECT_EQ(heard, (std::vector<int>{1, 1, 0, 0, 1, 1}));
}

TEST(ReplayerEffects, RetriggerRestartsEveryYTicks) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x0E, 0x92};
    song.start();
    song.ticks(1);
    std::vector<int> voices;
    for (int tick = 1; tick < 6; ++tick) {
        song.ticks(1);
        voices.push_back(song.channel().voice->index);
    }
    EXPECT_EQ(voices, (std::vector<int>{0, 32, 32, 0, 0}));
}

TEST(ReplayerEffects, VibratoBothColumns) {
    OneChannelSong song;
    song.cell(0) = {NOTE_C4, song.instrument, 0, 0x04, 0x8F};
    song.cell(1) = {0, 0, 0xB8, 0, 0};
    song.start();
    song.ticks(2);
    EXPECT_EQ(song.channel().vibratoPosition, 8);
    EXPECT_EQ(song.channel().periodDelta, 0);
    song.ticks(1);
    EXPECT_EQ(song.channel().periodDelta, -(((181 * 15) >> 5) & ~3));  // position 8
    song.ticks(4);
    EXPECT_EQ(song.channel().vibratoDepth, 8);
}
