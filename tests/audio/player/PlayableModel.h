// The promises the loader makes to the replayer and mixer about every module it accepts, as test
// assertions.
#pragma once

#include <gtest/gtest.h>

#include "audio/player/Module.h"

// The promises the loader makes to the replayer and mixer.
inline void ExpectPlayableModel(const Module& module) {
    ASSERT_GE(module.channelCount, 1);
    ASSERT_LE(module.channelCount, MAX_CHANNELS);
    ASSERT_GE(module.songLength, 1);
    ASSERT_LE(module.songLength, ORDER_TABLE_SIZE);
    ASSERT_LT(module.restartPosition, module.songLength);
    ASSERT_EQ(static_cast<std::int32_t>(module.patterns.size()), module.patternCount);
    for (int order = 0; order < module.songLength; ++order)
        ASSERT_LT(module.orderTable[order], module.patternCount);
    for (const Pattern& pattern : module.patterns) {
        ASSERT_GE(pattern.rows, 0);
        ASSERT_LE(pattern.rows, MAX_ROWS);
        if (!pattern.cells.empty()) {
            ASSERT_EQ(pattern.cells.size(), static_cast<std::size_t>(pattern.rows) * module.channelCount);
        }
    }
    for (const Instrument& instrument : module.instruments) {
        ASSERT_LE(instrument.volumePointCount, MAX_ENVELOPE_POINTS);
        for (const Sample* sample : instrument.samples) {
            ASSERT_NE(sample, nullptr);
            ASSERT_LE(std::uint64_t{sample->loopStart} + sample->loopLength, sample->length);
            if (sample->length > 0) {
                ASSERT_GE(sample->data.size(), std::size_t{sample->length} + SAMPLE_GUARD_FRAMES);
            }
        }
    }
}
