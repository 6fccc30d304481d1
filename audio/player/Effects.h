// The replayer's effect actions, split by family, and what each action sees of the row being played.
// Internal to the replayer: ProcessRow and ProcessTick call these through EffectTable.
#pragma once

#include <algorithm>
#include <cstdint>

#include "audio/player/Channel.h"
#include "audio/player/Module.h"

// Everything one channel's effect needs on one tick.
struct EffectContext {
    Module& module;
    Channel& channel;
    const PatternCell& cell;       // the cell of the row being played
    const Instrument& instrument;  // the channel's instrument, or the empty instrument
    Sample& sample;                // the sample looked up this tick, or the shared empty sample
    std::int32_t row;              // the row whose cells are being played
    std::int32_t& loopTargetRow;   // row a pattern loop returns to after this row, -1 for none
    std::int32_t savedVolume;      // volume, period and panning from before this row's cells (EDy)
    std::int32_t savedPeriod;
    std::int32_t savedPanning;
};

using EffectAction = void (*)(EffectContext& context);

// Periods are held within +-PERIOD_LIMIT: far past the audible range, so endless slides of a damaged
// module cannot overflow.
inline constexpr std::int32_t PERIOD_LIMIT = 1 << 24;

inline void AddToPeriod(Channel& channel, std::int32_t delta) {
    channel.period = std::clamp(channel.period + delta, -PERIOD_LIMIT, PERIOD_LIMIT);
}

inline std::uint8_t HighNibble(std::uint8_t parameter) {
    return parameter >> 4;
}
inline std::uint8_t LowNibble(std::uint8_t parameter) {
    return parameter & 0x0F;
}

// A non-zero parameter replaces the memory; the memory is then the effective parameter.
inline std::uint8_t Remember(std::uint8_t& memory, std::uint8_t parameter) {
    if (parameter != 0) {
        memory = parameter;
    }
    return memory;
}

// The action of effect number effect on a row's first tick, or on its other ticks (nullptr: nothing).
[[nodiscard]] EffectAction RowAction(std::uint8_t effect);
[[nodiscard]] EffectAction TickAction(std::uint8_t effect);

// Pitch: arpeggio, portamentos, tone portamento, vibrato (EffectsPitch.cpp).
void ArpeggioTick(EffectContext& context);
void PortaUpRow(EffectContext& context);
void PortaUpTick(EffectContext& context);
void PortaDownRow(EffectContext& context);
void PortaDownTick(EffectContext& context);
void TonePortaRow(EffectContext& context);
void TonePortaTick(EffectContext& context);
void VibratoRow(EffectContext& context);
void VibratoTick(EffectContext& context);
void TonePortaVolumeSlideRow(EffectContext& context);
void TonePortaVolumeSlideTick(EffectContext& context);
void VibratoVolumeSlideRow(EffectContext& context);
void VibratoVolumeSlideTick(EffectContext& context);
void ExtraFinePortaRow(EffectContext& context);

// Volume and panning: tremolo, slides, set volume, global volume, tremor, envelope position,
// panning (EffectsVolume.cpp).
void VolumeSlide(Channel& channel);
void TremoloRow(EffectContext& context);
void TremoloTick(EffectContext& context);
void VolumeSlideRow(EffectContext& context);
void VolumeSlideTick(EffectContext& context);
void SetVolumeRow(EffectContext& context);
void GlobalVolumeRow(EffectContext& context);
void GlobalVolumeSlideRow(EffectContext& context);
void GlobalVolumeSlideTick(EffectContext& context);
void TremorRow(EffectContext& context);
void TremorTick(EffectContext& context);
void EnvelopePositionRow(EffectContext& context);
void SetPanningRow(EffectContext& context);
void PanningSlideRow(EffectContext& context);
void PanningSlideTick(EffectContext& context);

// Song flow: position jump, pattern break, speed and tempo, pattern loop and delay (EffectsFlow.cpp).
void PositionJumpRow(EffectContext& context);
void PatternBreakRow(EffectContext& context);
void SetSpeedRow(EffectContext& context);
void PatternLoopRow(EffectContext& context);
void PatternDelayRow(EffectContext& context);

// Notes: sample offset, retriggers, note cut and note delay (EffectsNote.cpp).
void SampleOffsetRow(EffectContext& context);
void MultiRetrigRow(EffectContext& context);
void MultiRetrigTick(EffectContext& context);
void RetriggerTick(EffectContext& context);
void NoteCutTick(EffectContext& context);
void NoteDelayRow(EffectContext& context);
void NoteDelayTick(EffectContext& context);

// The extended effects Exy, dispatched on x (EffectsExtended.cpp).
void ExtendedRow(EffectContext& context);
void ExtendedTick(EffectContext& context);

// The volume column on a row's first tick and on its other ticks (VolumeColumn.cpp).
void VolumeColumnRow(Channel& channel, std::uint8_t volume);
void VolumeColumnTick(Channel& channel, std::uint8_t volume);
