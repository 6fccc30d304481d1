// One pattern channel of the music player: the notes, memories and modulation clocks the replayer keeps
// from row to row, and the channel operations that turn them into voice parameters.
#pragma once

#include <array>
#include <cstdint>

#include "audio/player/Module.h"

struct Voice;

// Update flags: each pass clears them, effects set them, UpdateVoice acts on them.
inline constexpr std::uint8_t UPDATE_FREQUENCY = 1;
inline constexpr std::uint8_t UPDATE_VOLUME = 2;
inline constexpr std::uint8_t UPDATE_PANNING = 4;
inline constexpr std::uint8_t UPDATE_TRIGGER = 8;
inline constexpr std::uint8_t UPDATE_RESTART = 32;  // restart the voice's current sample at frame 0

struct Channel {
    std::uint8_t keyNote;      // note - 1 (0..95) of the last note given without tone portamento
    std::uint8_t updateFlags;  // UPDATE_* bits
    Voice* voice;              // the channel's current mixer voice (i or its partner i +- 32)
    std::int32_t period;
    std::int32_t volume;       // 0..64 (Cxx can set more)
    std::int32_t panning;      // 0..255 nominal
    std::int32_t volumeDelta;  // tremolo/tremor offset, cleared every tick
    std::int32_t periodDelta;  // vibrato/arpeggio/auto-vibrato offset, cleared every tick
    std::int32_t volumeEnvelopeTick;
    std::int32_t volumeEnvelopePoint;
    std::int32_t volumeEnvelopeFixed;  // 16.16 fixed point
    std::int32_t volumeEnvelopeValue;  // 0..64, 64 without an envelope
    std::int32_t volumeEnvelopeStep;   // 16.16 increment per tick
    std::uint8_t volumeEnvelopeDone;
    std::int32_t panningEnvelopeTick;
    std::int32_t panningEnvelopePoint;
    std::int32_t panningEnvelopeFixed;
    std::int32_t panningEnvelopeValue;  // 32 = centre
    std::int32_t panningEnvelopeStep;
    std::uint8_t panningEnvelopeDone;
    std::int32_t fadeout;              // 65536 down to 0
    std::int32_t autoVibratoPosition;  // 0..255
    std::int32_t autoVibratoSweep;     // 0 up to the instrument's sweep
    std::uint8_t keyOff;
    std::uint8_t instrument;  // 0-based
    std::uint8_t realNote;    // note + sample's relativeNote - 1 (wraps at 8 bits)
    std::int32_t targetPeriod;
    std::uint8_t lastEffect;
    std::int32_t sampleOffsetMemory;
    std::uint8_t portaDownMemory;
    std::uint8_t portaUpMemory;
    std::uint8_t extraFineDownMemory;
    std::uint8_t extraFineUpMemory;
    std::uint8_t volumeSlideMemory;  // shared by Axy, 5xy and 6xy
    std::uint8_t panningSlideMemory;
    std::uint8_t retrigVolume;
    std::uint8_t retrigInterval;
    std::int32_t portaTarget;
    std::uint8_t tonePortaSpeed;
    std::int8_t vibratoPosition;  // -32..31
    std::uint8_t vibratoSpeed;
    std::uint8_t vibratoDepth;
    std::int8_t tremoloPosition;  // -32..31
    std::uint8_t tremoloSpeed;
    std::uint8_t tremoloDepth;
    std::uint8_t tremorCounter;
    std::uint8_t tremorOn;
    std::uint8_t tremorOff;
    std::int32_t loopStartRow;
    std::int32_t loopCount;
    std::uint8_t waveControl;  // low nibble vibrato, high nibble tremolo; a nibble >= 4 keeps the position
    std::uint8_t fineVolumeMemory;  // shared by EAy and EBy
    std::uint8_t finePortaUpMemory;
    std::uint8_t finePortaDownMemory;
};

// Which of an instrument's two envelopes StepEnvelope advances.
enum class EnvelopeKind { Volume, Panning };

// The process-wide channel records, one per pattern channel (audio thread only while music plays).
[[nodiscard]] std::array<Channel, MAX_CHANNELS>& Channels();

// Zeroes every channel record and binds channel i to voice i.
void ResetChannels();

// Moves period toward portaTarget by tonePortaSpeed * 4 without passing it; frequency update.
void TonePortamento(Channel& channel);
// Sets periodDelta from the vibrato waveform at vibratoPosition; does not advance the position.
void Vibrato(Channel& channel);
// Advances vibratoPosition by vibratoSpeed, wrapping into -32..31.
void AdvanceVibrato(Channel& channel);
// Sets volumeDelta from the tremolo waveform, kept within 0..64 of the volume, and advances the position.
void Tremolo(Channel& channel);
// Adds the instrument's auto-vibrato to periodDelta and advances its sweep and position.
void AutoVibrato(Channel& channel, const Instrument& instrument);
// Silences the channel (volumeDelta = -volume) during the off phase of the tremor cycle.
void Tremor(Channel& channel);
// Advances the chosen envelope of instrument by one tick. Point, sustain and loop indices that the
// instrument does not have are treated as absent, so a damaged instrument never reads outside its points.
void StepEnvelope(Channel& channel, const Instrument& instrument, EnvelopeKind kind);
// Moves the volume envelope to tick position (the Lxx effect).
void SetVolumeEnvelopePosition(Channel& channel, const Instrument& instrument, std::int32_t position);
// Period of note (0-based, 8-bit) with finetune on the Amiga table.
[[nodiscard]] std::int32_t AmigaPeriod(std::uint8_t note, std::int8_t finetune);
// Restarts volume, panning, envelopes, fade-out, key-off and the modulation positions for sample.
void ResetForInstrument(Channel& channel, const Sample& sample);
// Applies the channel's update flags to its voice: trigger (with hand-over to the partner voice),
// volume, panning, frequency and restart.
void UpdateVoice(Channel& channel, const Sample& sample, const Module& module);
