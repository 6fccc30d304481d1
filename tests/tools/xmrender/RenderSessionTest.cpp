// Offline rendering through the game's block loop: row timelines, tick lengths and the end of the song.
#include <gtest/gtest.h>

#include "tests/audio/player/XmBuilder.h"
#include "tools/xmrender/RenderSession.h"

namespace {

// songLength orders of one empty 4-row pattern, with effects placed in channel 0.
XmDesign FlowDesign(int orders, std::uint16_t speed, std::uint16_t bpm) {
    XmDesign design = SimpleDesign(2);
    design.songLength = static_cast<std::uint16_t>(orders);
    design.speed = speed;
    design.bpm = bpm;
    design.patterns[0].rows = 4;
    design.patterns[0].packed = PlainCells(std::vector<PatternCell>(8, PatternCell{}));
    return design;
}

std::vector<TimelineRow> Timeline(const XmDesign& design, std::int64_t maxFrames, bool stopAtEnd,
                                  std::int64_t* rendered = nullptr) {
    auto module = LoadBytes(BuildXm(design));
    EXPECT_NE(module, nullptr);
    if (module == nullptr)
        return {};
    RenderSession session(*module);
    EXPECT_TRUE(session.begin(44100));
    const std::int64_t frames =
        session.render(maxFrames, stopAtEnd, [](const std::int16_t*, std::int64_t) {});
    if (rendered != nullptr)
        *rendered = frames;
    return session.timeline();
}

}  // namespace

TEST(RenderSession, RowsOfSpeedSixAt125BpmLast6Times882Frames) {
    std::int64_t rendered = 0;
    const auto rows = Timeline(FlowDesign(2, 6, 125), 44100 * 60, true, &rendered);
    ASSERT_EQ(rows.size(), 8u);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        EXPECT_EQ(rows[index].frame, static_cast<std::int64_t>(index) * 6 * 882);
        EXPECT_EQ(rows[index].order, static_cast<int>(index / 4));
        EXPECT_EQ(rows[index].row, static_cast<int>(index % 4));
        EXPECT_EQ(rows[index].speed, 6);
        EXPECT_EQ(rows[index].bpm, 125);
    }
    // The song has played once when it would go back to order 0.
    EXPECT_EQ(rendered, 8 * 6 * 882);
}

TEST(RenderSession, SpeedAndTempoChangesShowInTheTimeline) {
    XmDesign design = FlowDesign(1, 6, 125);
    std::vector<PatternCell> cells(8, PatternCell{});
    cells[2] = PatternCell{0, 0, 0, 0x0F, 0x03};  // row 1: speed 3
    cells[4] = PatternCell{0, 0, 0, 0x0F, 0x96};  // row 2: 150 BPM (735 frames a tick)
    design.patterns[0].packed = PlainCells(cells);
    std::int64_t rendered = 0;
    const auto rows = Timeline(design, 44100 * 60, true, &rendered);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].frame, 6 * 882);
    EXPECT_EQ(rows[2].frame, 6 * 882 + 3 * 882);
    EXPECT_EQ(rows[2].speed, 3);
    // The new tick length applies from the tick that set it.
    EXPECT_EQ(rows[3].frame, 6 * 882 + 3 * 882 + 3 * 735);
    EXPECT_EQ(rows[3].bpm, 150);
}

TEST(RenderSession, JumpBackToAPlayedOrderEndsTheSong) {
    XmDesign design = FlowDesign(3, 1, 125);
    std::vector<PatternCell> cells(8, PatternCell{});
    cells[2] = PatternCell{0, 0, 0, 0x0B, 0x01};  // row 1: jump to order 1
    design.patterns[0].packed = PlainCells(cells);
    const auto rows = Timeline(design, 44100 * 60, true);
    // Order 0 rows 0-1, order 1 rows 0-1; order 1 again ends it.
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2].order, 1);
    EXPECT_EQ(rows[2].row, 0);
    EXPECT_EQ(rows[3].row, 1);
}

TEST(RenderSession, FixedLengthIgnoresTheSongEnd) {
    std::int64_t rendered = 0;
    const auto rows = Timeline(FlowDesign(1, 6, 125), 44100 * 2, false, &rendered);
    EXPECT_EQ(rendered, 44100 * 2);
    // 2 s of 5292-frame rows: rows starting at frames 0 .. 84672 (17 rows).
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows.back().frame, 16 * 5292);
    EXPECT_EQ(rows[4].order, 0);
    EXPECT_EQ(rows[4].row, 0);
}

TEST(RenderSession, SongLongerThanTheLimitStopsAtTheLimit) {
    std::int64_t rendered = 0;
    const auto rows = Timeline(FlowDesign(1, 31, 32), 44100, true, &rendered);  // rows of 31 x 3445 frames
    EXPECT_EQ(rendered, 44100);
    ASSERT_EQ(rows.size(), 1u);
}
