// Modules built in code for the replayer's tests, and a row timeline recorded through the row hook.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/player/Channel.h"
#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Replayer.h"
#include "audio/player/Voice.h"

namespace replayer_test {

// A module of channelCount channels and patternCount empty patterns of rows rows, played in the order
// given; speed 6, BPM 125, linear frequencies; playback reset at 44100 Hz.
inline std::unique_ptr<Module> MakeModule(int channelCount, int patternCount, int rows,
                                          const std::vector<uint8_t>& order) {
    auto module = std::make_unique<Module>();
    module->channelCount = static_cast<int16_t>(channelCount);
    module->patternCount = patternCount;
    for (int i = 0; i < patternCount; ++i) {
        Pattern pattern;
        pattern.rows = rows;
        pattern.cells.resize(static_cast<size_t>(rows * channelCount));
        module->patterns.push_back(std::move(pattern));
    }
    module->songLength = static_cast<int16_t>(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        module->orderTable[i] = order[i];
    }
    module->flags = FLAG_LINEAR_FREQUENCIES;
    module->defaultSpeed = 6;
    module->defaultBpm = 125;
    module->initialGlobalVolume = 64;
    module->tickHandler = ModuleTick;
    return module;
}

// Clears the voices as opening the output does and resets the module's playback at 44100 Hz.
inline void StartSong(Module& module) {
    ResetMixer(44100);
    ResetPlayback(module, 44100);
}

inline PatternCell& CellOf(Module& module, int pattern, int row, int channel) {
    return module.patterns[static_cast<size_t>(pattern)]
        .cells[static_cast<size_t>(row * module.channelCount + channel)];
}

inline void SetEffect(Module& module, int pattern, int row, int channel, uint8_t effect, uint8_t parameter) {
    PatternCell& cell = CellOf(module, pattern, row, channel);
    cell.effect = effect;
    cell.parameter = parameter;
}

// Adds an instrument whose every note plays one looping 16-bit sample of frames frames (volume 64,
// panning 128) and returns its 1-based number for pattern cells.
inline uint8_t AddInstrument(Module& module, uint32_t frames = 64) {
    Instrument instrument;
    auto sample = std::make_unique<Sample>();
    sample->length = frames;
    sample->loopStart = 0;
    sample->loopLength = frames;
    sample->loopType = LOOP_FORWARD;
    sample->volume = 64;
    sample->panning = 128;
    sample->data.assign(frames + SAMPLE_GUARD_FRAMES, 1000);
    instrument.samples[0] = sample.get();
    instrument.ownedSamples.push_back(std::move(sample));
    instrument.sampleCount = 1;
    module.instruments.push_back(std::move(instrument));
    module.instrumentCount = static_cast<int16_t>(module.instruments.size());
    return static_cast<uint8_t>(module.instruments.size());
}

struct RowStart {
    int64_t frame;  // output frame at which the row's first tick starts
    int32_t order;
    int32_t pattern;
    int32_t row;
    int32_t speed;
    int32_t bpm;
    bool enteredOrder;
    bool operator==(const RowStart&) const = default;
};

// Steps the song tick by tick, as the mixing loop does, recording every row start.
class Timeline {
  public:
    explicit Timeline(Module& module) : module(module) {
        module.rowStartHook = &Timeline::Record;
        module.rowStartContext = this;
    }
    ~Timeline() {
        module.rowStartHook = nullptr;
        module.rowStartContext = nullptr;
    }

    // Runs ticks until rowCount rows have started (at most a bounded number of ticks).
    void RunRows(size_t rowCount) {
        for (int guard = 0; rows.size() < rowCount && guard < 1000000; ++guard) {
            Tick();
        }
    }

    void Tick() {
        ModuleTick(module);
        frame += module.samplesPerTick;
    }

    std::vector<RowStart> rows;
    int64_t frame = 0;

  private:
    static void Record(void* context, const Module& module, bool enteredOrder) {
        auto* self = static_cast<Timeline*>(context);
        self->rows.push_back({self->frame, module.orderPosition, module.orderTable[module.orderPosition],
                              module.row, module.speed, module.bpm, enteredOrder});
    }

    Module& module;
};

}  // namespace replayer_test
