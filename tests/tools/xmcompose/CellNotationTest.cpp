// The pattern-cell text: notes, instrument numbers, volume-column commands and effects.
#include <gtest/gtest.h>

#include "tools/xmcompose/CellNotation.h"

namespace xmcompose {
namespace {

Cell parsed(const char* text) {
    Cell cell;
    EXPECT_TRUE(parseCell(text, cell)) << text;
    return cell;
}

TEST(CellNotation, ReadsAFullCell) {
    const Cell cell = parsed("C-4 01 40 A04");
    EXPECT_EQ(cell.note, 49);  // C-0 is note 1
    EXPECT_EQ(cell.instrument, 1);
    EXPECT_EQ(cell.volume, 0x50);  // volume 0x40 is stored as 0x10 + 0x40
    EXPECT_EQ(cell.effect, 10);
    EXPECT_EQ(cell.parameter, 0x04);
}

TEST(CellNotation, EmptyFieldsAreZero) {
    const Cell cell = parsed("... .. .. ...");
    EXPECT_TRUE(cell.empty());
}

TEST(CellNotation, NotesSpanEightOctavesAndKeyOff) {
    uint8_t note = 0;
    ASSERT_TRUE(parseNote("C-0", note));
    EXPECT_EQ(note, 1);
    ASSERT_TRUE(parseNote("B-7", note));
    EXPECT_EQ(note, 96);
    ASSERT_TRUE(parseNote("F#2", note));
    EXPECT_EQ(note, 2 * 12 + 6 + 1);
    ASSERT_TRUE(parseNote("===", note));
    EXPECT_EQ(note, KEY_OFF_NOTE);
    EXPECT_FALSE(parseNote("C-8", note));
    EXPECT_FALSE(parseNote("H-4", note));
    EXPECT_FALSE(parseNote("B#4", note));
    EXPECT_FALSE(parseNote("C+4", note));
}

TEST(CellNotation, InstrumentNumbersAreDecimal) {
    EXPECT_EQ(parsed("... 12 .. ...").instrument, 12);
    Cell cell;
    EXPECT_FALSE(parseCell("... 00 .. ...", cell));
    EXPECT_FALSE(parseCell("... 1A .. ...", cell));
}

TEST(CellNotation, VolumeColumnCommandsTakeTheirRanges) {
    EXPECT_EQ(parsed("... .. 00 ...").volume, 0x10);
    EXPECT_EQ(parsed("... .. 2C ...").volume, 0x3C);
    EXPECT_EQ(parsed("... .. -4 ...").volume, 0x64);
    EXPECT_EQ(parsed("... .. +F ...").volume, 0x7F);
    EXPECT_EQ(parsed("... .. d2 ...").volume, 0x82);
    EXPECT_EQ(parsed("... .. u3 ...").volume, 0x93);
    EXPECT_EQ(parsed("... .. s4 ...").volume, 0xA4);
    EXPECT_EQ(parsed("... .. v5 ...").volume, 0xB5);
    EXPECT_EQ(parsed("... .. p8 ...").volume, 0xC8);
    EXPECT_EQ(parsed("... .. l1 ...").volume, 0xD1);
    EXPECT_EQ(parsed("... .. r1 ...").volume, 0xE1);
    EXPECT_EQ(parsed("... .. m9 ...").volume, 0xF9);
    Cell cell;
    EXPECT_FALSE(parseCell("... .. 41 ...", cell));
    EXPECT_FALSE(parseCell("... .. x1 ...", cell));
}

TEST(CellNotation, EffectLettersMapToEffectNumbers) {
    EXPECT_EQ(parsed("... .. .. 047").effect, 0);
    EXPECT_EQ(parsed("... .. .. 047").parameter, 0x47);
    EXPECT_EQ(parsed("... .. .. 305").effect, 3);
    EXPECT_EQ(parsed("... .. .. D00").effect, 13);
    EXPECT_EQ(parsed("... .. .. E93").effect, 14);
    EXPECT_EQ(parsed("... .. .. F70").parameter, 0x70);
    EXPECT_EQ(parsed("... .. .. R43").effect, 27);
    Cell cell;
    EXPECT_FALSE(parseCell("... .. .. a04", cell));
    EXPECT_FALSE(parseCell("... .. .. A0G", cell));
}

TEST(CellNotation, RejectsAWrongFieldCount) {
    Cell cell;
    EXPECT_FALSE(parseCell("C-4 01 40", cell));
    EXPECT_FALSE(parseCell("C-4 01 40 A04 A04", cell));
    EXPECT_FALSE(parseCell("", cell));
}

}  // namespace
}  // namespace xmcompose
