// Song consistency checks, each failing with a message that names what is wrong.
#include "tools/xmcompose/SongCheck.h"

#include "tools/xmcompose/SampleSynth.h"

namespace xmcompose {
namespace {

bool envelopeValid(const Envelope& envelope) {
    const int count = static_cast<int>(envelope.points.size());
    for (int i = 1; i < count; ++i) {
        if (envelope.points[i].tick <= envelope.points[i - 1].tick) {
            return false;
        }
    }
    if (envelope.sustain >= count && count > 0) {
        return false;
    }
    if (envelope.loopStart >= 0 && (envelope.loopEnd >= count || envelope.loopStart > envelope.loopEnd)) {
        return false;
    }
    return count > 0 || (envelope.sustain < 0 && envelope.loopStart < 0);
}

bool fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

bool checkLoop(const InstrumentDesign& design, std::string& problem) {
    if (design.loop == LoopMode::None) {
        if (design.body < 16) {
            problem = "a one-shot needs a body of at least 16 frames";
        }
        return problem.empty();
    }
    if (design.loopCycles == 0) {
        problem = "a loop needs loopcycles";
    } else if (design.loop == LoopMode::PingPong && design.loopCycles * design.cycle % 2 != 0) {
        problem = "a ping-pong loop needs an even loopcycles x cycle";
    } else if (design.attack > design.body) {
        problem = "attack is longer than the body";
    }
    for (const Source& source : design.sources) {
        if (source.kind != SourceKind::Partial && source.kind != SourceKind::Fm) {
            problem = "looping samples take only partial and fm sources";
        }
    }
    return problem.empty();
}

bool checkInstrument(const InstrumentDesign& design, int number, std::string& error) {
    const std::string name = "instrument " + std::to_string(number) + ": ";
    std::string problem;
    int relativeNote = 0;
    int finetune = 0;
    tuneSample(design.cycle, design.transpose, relativeNote, finetune);
    if (design.sources.empty()) {
        problem = "needs at least one source";
    } else if (!checkLoop(design, problem)) {
        // problem names the loop fault
    } else if (design.body + static_cast<std::int64_t>(design.loopCycles) * design.cycle >
               MAX_SAMPLE_FRAMES) {
        problem = "the sample would be longer than " + std::to_string(MAX_SAMPLE_FRAMES) + " frames";
    } else if (relativeNote < -96 || relativeNote > 95) {
        problem = "cycle and transpose tune the sample outside -96..95 semitones";
    } else if (!envelopeValid(design.volumeEnvelope) || !envelopeValid(design.panningEnvelope)) {
        problem = "envelope ticks must increase and sustain/loop name existing points";
    }
    return problem.empty() || fail(error, name + problem);
}

}  // namespace

bool checkSong(const Song& song, std::string& error) {
    if (song.orders.empty()) {
        return fail(error, "the song needs an order list");
    }
    if (song.orders.size() > MAX_ORDERS) {
        return fail(error, "at most 256 order entries");
    }
    if (song.restart >= static_cast<int>(song.orders.size())) {
        return fail(error, "restart is past the order list");
    }
    for (const int entry : song.orders) {
        if (!song.patterns[entry].defined) {
            return fail(error, "order names pattern " + std::to_string(entry) + ", not defined");
        }
    }
    for (int number = 1; number <= MAX_INSTRUMENTS; ++number) {
        const InstrumentDesign& design = song.instruments[number];
        if (design.defined && !checkInstrument(design, number, error)) {
            return false;
        }
    }
    for (int index = 0; index < MAX_PATTERNS; ++index) {
        for (const Cell& cell : song.patterns[index].cells) {
            if (cell.instrument > 0 && !song.instruments[cell.instrument].defined) {
                return fail(error, "pattern " + std::to_string(index) + " uses instrument " +
                                       std::to_string(cell.instrument) + ", not defined");
            }
        }
    }
    return true;
}

}  // namespace xmcompose
