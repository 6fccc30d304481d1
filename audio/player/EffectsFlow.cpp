// Song-flow effects: position jump, pattern break, speed and tempo, pattern loop and pattern delay.
// Jumps and breaks take effect at the next row start through nextOrder and nextRow.
#include "audio/player/Effects.h"
#include "audio/player/Replayer.h"

namespace {

// Highest row a pattern break can name; larger values break to row 0.
constexpr std::int32_t HIGHEST_BREAK_ROW = 63;

}  // namespace

void PositionJumpRow(EffectContext& context) {
    Module& module = context.module;
    module.nextRow = 0;
    module.nextOrder = context.cell.parameter < module.songLength ? context.cell.parameter : 0;
    module.jumpSeen = true;
}

// A break after a jump in the same row keeps the jump's order and sets its row.
void PatternBreakRow(EffectContext& context) {
    Module& module = context.module;
    const std::uint8_t parameter = context.cell.parameter;
    const std::int32_t row = HighNibble(parameter) * 10 + LowNibble(parameter);
    module.nextRow = row > HIGHEST_BREAK_ROW ? 0 : row;
    if (!module.jumpSeen) {
        module.nextOrder = module.orderPosition + 1;
    }
    if (module.nextOrder >= module.songLength) {
        module.nextOrder = 0;
    }
}

void SetSpeedRow(EffectContext& context) {
    const std::uint8_t parameter = context.cell.parameter;
    if (parameter < 32) {
        context.module.speed = parameter;
    } else {
        SetBpm(context.module, parameter);
    }
}

// E60 marks the loop start; E6y (y > 0) plays the section y more times: the row after this one is the
// loop start, unless a break or jump names another.
void PatternLoopRow(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t count = LowNibble(context.cell.parameter);
    if (count == 0) {
        channel.loopStartRow = context.row;
        return;
    }
    channel.loopCount = channel.loopCount == 0 ? count : channel.loopCount - 1;
    if (channel.loopCount != 0) {
        context.loopTargetRow = channel.loopStartRow;
    }
}

void PatternDelayRow(EffectContext& context) {
    context.module.patternDelayTicks = context.module.speed * LowNibble(context.cell.parameter);
}
