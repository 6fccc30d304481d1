// The pattern replayer: the tick clock, row starts with jumps and breaks, and the first-tick and
// other-tick passes over the channels.
#include "audio/player/Replayer.h"

#include "audio/player/Effects.h"

namespace {

const PatternCell EMPTY_CELL{};

// Stands in for a channel instrument the module does not have: no envelopes, no fade-out, keymap 0.
const Instrument& EmptyInstrument() {
    static const Instrument empty;
    return empty;
}

// The pattern played at order position, or nullptr when the order table names none the module has.
const Pattern* PatternAt(const Module& module, std::int32_t orderPosition) {
    if (orderPosition < 0 || orderPosition >= ORDER_TABLE_SIZE) {
        return nullptr;
    }
    const size_t index = module.orderTable[static_cast<size_t>(orderPosition)];
    return index < module.patterns.size() ? &module.patterns[index] : nullptr;
}

std::int32_t RowsAt(const Module& module, std::int32_t orderPosition) {
    const Pattern* pattern = PatternAt(module, orderPosition);
    return pattern != nullptr ? pattern->rows : EMPTY_PATTERN_ROWS;
}

// The cell of channel at row of the pattern at the current order position (an empty cell if absent).
const PatternCell& CellAt(const Module& module, std::int32_t row, std::int32_t channel) {
    const Pattern* pattern = PatternAt(module, module.orderPosition);
    if (pattern == nullptr || row < 0 || row >= pattern->rows) {
        return EMPTY_CELL;
    }
    const size_t index = static_cast<size_t>(row) * static_cast<size_t>(module.channelCount) + channel;
    return index < pattern->cells.size() ? pattern->cells[index] : EMPTY_CELL;
}

std::int32_t PlayedChannels(const Module& module) {
    return std::clamp<std::int32_t>(module.channelCount, 0, MAX_CHANNELS);
}

const Instrument& InstrumentOf(const Module& module, const Channel& channel) {
    return channel.instrument < module.instruments.size() ? module.instruments[channel.instrument]
                                                          : EmptyInstrument();
}

// The sample the channel's instrument maps its key note to. Key notes past the keymap (from note
// values the format does not have) and slots past the instrument's sixteen play the empty sample.
Sample& SampleOf(const Module& module, const Channel& channel) {
    if (channel.instrument >= module.instruments.size() || channel.keyNote >= KEYMAP_SIZE) {
        return EmptySample();
    }
    const Instrument& instrument = module.instruments[channel.instrument];
    const std::uint8_t slot = instrument.keymap[channel.keyNote];
    if (slot >= SAMPLES_PER_INSTRUMENT || instrument.samples[slot] == nullptr) {
        return EmptySample();
    }
    return *instrument.samples[slot];
}

// Steps both envelopes and the fade-out, as every tick of a row does.
void StepEnvelopes(Channel& channel, const Instrument& instrument) {
    if ((instrument.volumeType & 1) != 0 && channel.volumeEnvelopeDone == 0) {
        StepEnvelope(channel, instrument, EnvelopeKind::Volume);
    }
    if ((instrument.panningType & 1) != 0 && channel.panningEnvelopeDone == 0) {
        StepEnvelope(channel, instrument, EnvelopeKind::Panning);
    }
}

void FadeOut(Channel& channel, const Instrument& instrument) {
    if (channel.keyOff != 0) {
        channel.fadeout = std::max(channel.fadeout - instrument.fadeout, 0);
        channel.updateFlags |= UPDATE_VOLUME;
    }
}

// Period of the channel's realNote with the sample's finetune, in the module's frequency mode.
std::int32_t NotePeriod(const Module& module, const Channel& channel, const Sample& sample) {
    if ((module.flags & FLAG_LINEAR_FREQUENCIES) != 0) {
        return 7680 - channel.realNote * 64 - sample.finetune / 2;
    }
    return AmigaPeriod(channel.realNote, sample.finetune);
}

// Steps 1 to 5 of a channel's row: instrument and note columns, the lookup, and the new note's period.
Sample& TakeNote(Module& module, Channel& channel, const PatternCell& cell, bool porta) {
    const bool hasNote = cell.note != NOTE_NONE && cell.note != NOTE_KEY_OFF;
    if (cell.instrument != 0 && !porta) {
        channel.instrument = cell.instrument - 1;
    }
    if (hasNote && !porta) {
        channel.keyNote = cell.note - 1;
    }
    Sample& sample = SampleOf(module, channel);
    if (channel.lastEffect == 7 && cell.effect != 7) {
        channel.volume += channel.volumeDelta;  // the last tremolo offset stays in the volume
    }
    channel.lastEffect = cell.effect;
    channel.volumeDelta = 0;
    channel.updateFlags = 0;
    if (hasNote) {
        channel.realNote = static_cast<std::uint8_t>(cell.note + sample.relativeNote - 1);
        channel.targetPeriod = NotePeriod(module, channel, sample);
        if (!porta) {
            channel.period = channel.targetPeriod;
        }
        channel.updateFlags = UPDATE_TRIGGER;
    }
    return sample;
}

void ProcessRowChannel(Module& module, Channel& channel, const PatternCell& cell,
                       std::int32_t& loopTargetRow) {
    const bool porta = cell.effect == 3 || cell.effect == 5;
    const std::int32_t savedVolume = channel.volume;
    const std::int32_t savedPeriod = channel.period;
    const std::int32_t savedPanning = channel.panning;
    Sample& sample = TakeNote(module, channel, cell, porta);
    const Instrument& instrument = InstrumentOf(module, channel);
    channel.periodDelta = 0;
    channel.updateFlags |= UPDATE_FREQUENCY | UPDATE_VOLUME;
    if (cell.instrument != 0) {
        ResetForInstrument(channel, sample);
    }
    if (cell.volume != 0) {
        VolumeColumnRow(channel, cell.volume);
    }
    if (cell.note == NOTE_KEY_OFF || cell.effect == 20) {
        channel.keyOff = 1;
    }
    StepEnvelopes(channel, instrument);
    if ((instrument.volumeType & 1) == 0 && channel.keyOff != 0) {
        channel.volumeEnvelopeValue = 0;  // key off silences an instrument without volume envelope
    }
    FadeOut(channel, instrument);
    if (const EffectAction action = RowAction(cell.effect)) {
        EffectContext context{module,     channel,       cell,        instrument,  sample,
                              module.row, loopTargetRow, savedVolume, savedPeriod, savedPanning};
        action(context);
    }
    AutoVibrato(channel, instrument);
    UpdateVoice(channel, sample, module);
}

// The first tick of a row; returns the row a pattern loop goes back to, or -1.
std::int32_t ProcessRow(Module& module) {
    std::int32_t loopTargetRow = -1;
    module.nextOrder = -1;
    module.nextRow = -1;
    module.jumpSeen = false;
    if (RowsAt(module, module.orderPosition) == 0) {
        return loopTargetRow;  // a pattern of 0 rows has no cells: its row does nothing
    }
    std::array<Channel, MAX_CHANNELS>& channels = Channels();
    const std::int32_t count = PlayedChannels(module);
    for (std::int32_t index = 0; index < count; ++index) {
        ProcessRowChannel(module, channels[static_cast<size_t>(index)], CellAt(module, module.row, index),
                          loopTargetRow);
    }
    return loopTargetRow;
}

void ProcessTick(Module& module) {
    std::array<Channel, MAX_CHANNELS>& channels = Channels();
    const std::int32_t count = PlayedChannels(module);
    for (std::int32_t index = 0; index < count; ++index) {
        Channel& channel = channels[static_cast<size_t>(index)];
        const PatternCell& cell = CellAt(module, module.row, index);
        const Instrument& instrument = InstrumentOf(module, channel);
        Sample& sample = SampleOf(module, channel);
        channel.volumeDelta = 0;
        channel.periodDelta = 0;
        channel.updateFlags = 0;
        StepEnvelopes(channel, instrument);
        FadeOut(channel, instrument);
        VolumeColumnTick(channel, cell.volume);
        if (const EffectAction action = TickAction(cell.effect)) {
            std::int32_t noLoop = -1;  // pattern loops act on a row's first tick only
            EffectContext context{module,     channel, cell,           instrument,     sample,
                                  module.row, noLoop,  channel.volume, channel.period, channel.panning};
            action(context);
        }
        AutoVibrato(channel, instrument);
        UpdateVoice(channel, sample, module);
    }
}

// Moves to the pending order entry and row and keeps both inside the song. True when the row was
// reached by moving to an order entry (song start, next entry, jump, break, wrap).
bool StartRow(Module& module) {
    const bool songStart = module.nextOrder < 0 && module.nextRow < 0;
    const bool enteredOrder = songStart || module.nextOrder >= 0;
    if (module.nextOrder >= 0) {
        module.orderPosition = module.nextOrder;
    }
    if (module.nextRow >= 0) {
        module.row = module.nextRow;
    }
    if (module.orderPosition < 0 || module.orderPosition >= module.songLength) {
        module.orderPosition = 0;
    }
    // A break or loop may name a row the pattern does not have: the row start plays row 0 instead.
    if (module.row < 0 || module.row >= RowsAt(module, module.orderPosition)) {
        module.row = 0;
    }
    return enteredOrder;
}

// After the row's cells: without a jump or break, the next row (or the loop start) follows, or the next
// order entry when the pattern has no such row.
void ScheduleNextRow(Module& module, std::int32_t loopTargetRow) {
    if (module.nextRow != -1) {
        return;
    }
    module.nextRow = loopTargetRow >= 0 ? loopTargetRow : module.row + 1;
    if (module.nextRow >= RowsAt(module, module.orderPosition)) {
        module.nextOrder = module.orderPosition + 1;
        if (module.nextOrder >= module.songLength) {
            module.nextOrder = module.restartPosition;
        }
        module.nextRow = 0;
    }
}

}  // namespace

void ModuleTick(Module& module) {
    if (module.tick == 0) {
        const bool enteredOrder = StartRow(module);
        const std::int32_t loopTargetRow = ProcessRow(module);
        // The hook sees the row with the speed and tempo its own effects set, as it plays.
        if (module.rowStartHook != nullptr) {
            module.rowStartHook(module.rowStartContext, module, enteredOrder);
        }
        ScheduleNextRow(module, loopTargetRow);
    } else {
        ProcessTick(module);
    }
    ++module.tick;
    if (module.tick >= module.speed + module.patternDelayTicks) {
        module.patternDelayTicks = 0;
        module.tick = 0;
    }
}

void SetBpm(Module& module, std::int32_t bpm) {
    module.bpm = bpm >= 1 ? bpm : MINIMUM_BPM;
    const double beatLength = 1000.0 / (module.bpm * static_cast<double>(0.4f));  // milliseconds per tick
    const double frames = beatLength * module.outputRate * static_cast<double>(0.001f);
    module.samplesPerTick = std::max(static_cast<std::int32_t>(frames), 1);  // a tick always moves the mix on
}

void ResetPlayback(Module& module, std::int32_t outputRate) {
    module.outputRate = std::max(outputRate, 1);
    module.globalVolume = module.initialGlobalVolume;
    module.globalVolumeSlideMemory = 0;
    module.nextOrder = -1;
    module.nextRow = -1;
    module.jumpSeen = false;
    module.speed = module.defaultSpeed;
    module.row = 0;
    module.orderPosition = 0;
    module.samplesLeftInTick = 0;
    module.tick = 0;
    module.patternDelayTicks = 0;
    SetBpm(module, module.defaultBpm);
    // E5y changes a sample itself; a new start plays it as the file has it, as a fresh load would.
    for (Instrument& instrument : module.instruments) {
        for (const std::unique_ptr<Sample>& sample : instrument.ownedSamples) {
            sample->finetune = sample->fileFinetune;
        }
    }
    ResetChannels();
}
