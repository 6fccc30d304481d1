// DIALOG statements: the styles the resource compiler gives each statement, and the binary
// template walked field by field as the platform reads it.
#include <gtest/gtest.h>

#include <cstdio>

#include "tools/rcembed/RcScript.h"

using veskar::rcembed::encodeDialog;
using veskar::rcembed::parseRcScript;
using veskar::rcembed::RcScript;

namespace {

// Reads a template in order, as the dialog manager does.
struct Cursor {
    const std::vector<std::uint8_t>& bytes;
    std::size_t at = 0;

    std::uint16_t u16() {
        const std::uint16_t value = static_cast<std::uint16_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
        at += 2;
        return value;
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::string text() {
        std::string value;
        for (std::uint16_t unit = u16(); unit != 0; unit = u16())
            value += static_cast<char>(unit);
        return value;
    }
    void align() { at = (at + 3) & ~std::size_t{3}; }
};

std::string readScript(const char* path) {
    std::string text;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

}  // namespace

TEST(RcDialog, TheNameDialogBecomesTheClassicTemplate) {
    RcScript script;
    std::string error;
    ASSERT_TRUE(parseRcScript(readScript(VESKAR_RC_PATH), script, error)) << error;
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].id, 132);
    const std::vector<std::uint8_t> bytes = encodeDialog(script.dialogs[0]);
    Cursor in{bytes};
    EXPECT_EQ(in.u32(), 0x80C800C0u) << "pop-up, caption, system menu, modal frame, own font";
    EXPECT_EQ(in.u32(), 0u);
    EXPECT_EQ(in.u16(), 2) << "controls";
    for (const int side : {0, 0, 237, 46})
        EXPECT_EQ(in.u16(), side);
    EXPECT_EQ(in.u16(), 0) << "no menu";
    EXPECT_EQ(in.u16(), 0) << "standard class";
    EXPECT_EQ(in.text(), "String Input");
    EXPECT_EQ(in.u16(), 8) << "points";
    EXPECT_EQ(in.text(), "MS Sans Serif");
    struct Expected {
        std::uint32_t style;
        int x, y, width, height, id, classAtom;
        const char* text;
    };
    const Expected controls[] = {{0x50810080u, 5, 20, 225, 15, 1006, 0x81, ""},
                                 {0x50020000u, 5, 5, 205, 10, 1007, 0x82, "String to read"}};
    for (const Expected& control : controls) {
        in.align();
        EXPECT_EQ(in.at % 4, 0u);
        EXPECT_EQ(in.u32(), control.style) << control.id;
        EXPECT_EQ(in.u32(), 0u);
        for (const int side : {control.x, control.y, control.width, control.height})
            EXPECT_EQ(in.u16(), side) << control.id;
        EXPECT_EQ(in.u16(), control.id);
        EXPECT_EQ(in.u16(), 0xFFFF) << "a predefined class follows";
        EXPECT_EQ(in.u16(), control.classAtom);
        EXPECT_EQ(in.text(), control.text);
        EXPECT_EQ(in.u16(), 0) << "no creation data";
    }
    EXPECT_EQ(in.at, bytes.size()) << "nothing after the last control";
}

TEST(RcDialog, StylesFollowTheResourceCompilersDefaults) {
    const char* text = R"(1 DIALOG DISCARDABLE 0, 0, 10, 10
CAPTION "A"
STYLE WS_POPUP
BEGIN
    LTEXT "x", 5, 1, 2, 3, 4
    LTEXT "y", 6, 1, 2, 3, 4, SS_NOPREFIX
    EDITTEXT 7, 1, 2, 3, 4, NOT WS_TABSTOP
    DEFPUSHBUTTON "OK", IDOK, 1, 2, 3, 4
    CTEXT "z", -1, -1, 2, 3, 4, SS_CENTER|0x100, WS_EX_CLIENTEDGE
END
2 DIALOG 0, 0, 10, 10 { }
)";
    RcScript script;
    std::string error;
    ASSERT_TRUE(parseRcScript(text, script, error)) << error;
    ASSERT_EQ(script.dialogs.size(), 2u);
    const auto& dialog = script.dialogs[0];
    EXPECT_EQ(dialog.style, 0x80C00000u) << "a caption before STYLE still counts";
    EXPECT_EQ(script.dialogs[1].style, 0x80880000u) << "without STYLE: bordered pop-up with system menu";
    const std::uint32_t styles[] = {0x50020000u, 0x50000080u, 0x50800000u, 0x50010001u, 0x50000101u};
    ASSERT_EQ(dialog.controls.size(), std::size(styles));
    for (std::size_t i = 0; i < std::size(styles); ++i)
        EXPECT_EQ(dialog.controls[i].style, styles[i]) << i;
    EXPECT_EQ(dialog.controls[3].id, 1);
    EXPECT_EQ(dialog.controls[4].id, 0xFFFF);
    EXPECT_EQ(dialog.controls[4].x, -1);
    EXPECT_EQ(dialog.controls[4].exStyle, 0x200u);
}

TEST(RcDialog, RefusesWhatItCannotCompile) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 DIALOG 0, 0, 10", "line 1: ',' expected"},
        {"1 DIALOG 0, 0, 10, 70000 BEGIN END", "line 1: '70000' does not fit 16 bits"},
        {"1 DIALOG 0, 0, 1, 1\nSTYLE WS_FANCY\nBEGIN END",
         "line 2: number or style name expected, found 'WS_FANCY'"},
        {"1 DIALOG 0, 0, 1, 1\nMENU 5\nBEGIN END", "line 2: 'MENU' is not supported in a DIALOG"},
        {"1 DIALOG 0, 0, 1, 1 BEGIN\nLISTBOX 5, 1, 1, 1, 1\nEND",
         "line 2: unsupported dialog control 'LISTBOX'"},
        {"1 DIALOG 0, 0, 1, 1 BEGIN LTEXT \"\xE9\", 5, 1, 1, 1, 1 END", "line 1: dialog texts must be ASCII"},
        {"1 DIALOG 0, 0, 1, 1 BEGIN EDITTEXT 5, 1, 1, 1, 1", "line 1: DIALOG without END"},
        {"1 DIALOG 0, 0, 1, 1", "line 1: DIALOG without BEGIN"},
        {"1 DIALOG 0,0,1,1 {}\n1 DIALOG 0,0,1,1 {}", "line 2: DIALOG 1 defined twice"},
    };
    for (const auto& [text, expected] : cases) {
        RcScript script;
        std::string error;
        EXPECT_FALSE(parseRcScript(text, script, error)) << text;
        EXPECT_EQ(error, expected) << text;
    }
}
