// Which action each effect number takes on a row's first tick and on its other ticks.
#include <array>

#include "audio/player/Effects.h"

namespace {

constexpr int EFFECT_NUMBERS = 34;  // 0..33 (X is the last effect with an action)

// Indexed by effect number; nullptr does nothing. K (20) has no action of its own: the row pass keys off.
constexpr std::array<EffectAction, EFFECT_NUMBERS> ROW_ACTIONS = {
    nullptr,                  // 0 arpeggio
    PortaUpRow,               // 1
    PortaDownRow,             // 2
    TonePortaRow,             // 3
    VibratoRow,               // 4
    TonePortaVolumeSlideRow,  // 5
    VibratoVolumeSlideRow,    // 6
    TremoloRow,               // 7
    SetPanningRow,            // 8
    SampleOffsetRow,          // 9
    VolumeSlideRow,           // A
    PositionJumpRow,          // B
    SetVolumeRow,             // C
    PatternBreakRow,          // D
    ExtendedRow,              // E
    SetSpeedRow,              // F
    GlobalVolumeRow,          // G
    GlobalVolumeSlideRow,     // H
    nullptr,                  // I
    nullptr,                  // J
    nullptr,                  // K key off
    EnvelopePositionRow,      // L
    nullptr,                  // M
    nullptr,                  // N
    nullptr,                  // O
    PanningSlideRow,          // P
    nullptr,                  // Q
    MultiRetrigRow,           // R
    nullptr,                  // S
    TremorRow,                // T
    nullptr,                  // U
    nullptr,                  // V
    nullptr,                  // W
    ExtraFinePortaRow,        // X
};

constexpr std::array<EffectAction, EFFECT_NUMBERS> TICK_ACTIONS = {
    ArpeggioTick,              // 0
    PortaUpTick,               // 1
    PortaDownTick,             // 2
    TonePortaTick,             // 3
    VibratoTick,               // 4
    TonePortaVolumeSlideTick,  // 5
    VibratoVolumeSlideTick,    // 6
    TremoloTick,               // 7
    nullptr,                   // 8
    nullptr,                   // 9
    VolumeSlideTick,           // A
    nullptr,                   // B
    nullptr,                   // C
    nullptr,                   // D
    ExtendedTick,              // E
    nullptr,                   // F
    nullptr,                   // G
    GlobalVolumeSlideTick,     // H
    nullptr,                   // I
    nullptr,                   // J
    nullptr,                   // K
    nullptr,                   // L
    nullptr,                   // M
    nullptr,                   // N
    nullptr,                   // O
    PanningSlideTick,          // P
    nullptr,                   // Q
    MultiRetrigTick,           // R
    nullptr,                   // S
    TremorTick,                // T
    nullptr,                   // U
    nullptr,                   // V
    nullptr,                   // W
    nullptr,                   // X
};

}  // namespace

EffectAction RowAction(std::uint8_t effect) {
    return effect < EFFECT_NUMBERS ? ROW_ACTIONS[effect] : nullptr;
}

EffectAction TickAction(std::uint8_t effect) {
    return effect < EFFECT_NUMBERS ? TICK_ACTIONS[effect] : nullptr;
}
