// The resource script parser: file resources by number and type, the string table, comments,
// and clear refusals with line numbers.
#include <gtest/gtest.h>

#include "tools/rcembed/RcScript.h"

using veskar::rcembed::parseRcScript;
using veskar::rcembed::RcScript;
using veskar::rcembed::ResourceKind;

TEST(RcScript, ReadsFileResourcesAndStrings) {
    const char* text = R"(// comment line
#include "resource.h"
101 ICON "icons/veskar.ico"
/* a block
   comment */
102 BITMAP "bitmaps/menu_background.bmp"
124 WAVE "sounds/match.wav"

STRINGTABLE
BEGIN
    1 "VESKAR"
    2, "VESKAR_CLASS"
    3 "say ""hi""\n"
END
)";
    RcScript script;
    std::string error;
    ASSERT_TRUE(parseRcScript(text, script, error)) << error;
    ASSERT_EQ(script.files.size(), 3u);
    EXPECT_EQ(script.files[0].id, 101);
    EXPECT_EQ(script.files[0].kind, ResourceKind::Icon);
    EXPECT_EQ(script.files[1].kind, ResourceKind::Bitmap);
    EXPECT_EQ(script.files[1].path, "bitmaps/menu_background.bmp");
    EXPECT_EQ(script.files[1].line, 6);
    EXPECT_EQ(script.files[2].kind, ResourceKind::Named);
    EXPECT_EQ(script.files[2].typeName, "WAVE");
    ASSERT_EQ(script.strings.size(), 3u);
    EXPECT_EQ(script.strings[1].id, 2);
    EXPECT_EQ(script.strings[1].text, "VESKAR_CLASS");
    EXPECT_EQ(script.strings[2].text, "say \"hi\"\n");
}

TEST(RcScript, BracesStandForBeginAndEnd) {
    RcScript script;
    std::string error;
    ASSERT_TRUE(parseRcScript("STRINGTABLE { 7 \"x\" }", script, error)) << error;
    ASSERT_EQ(script.strings.size(), 1u);
    EXPECT_EQ(script.strings[0].id, 7);
}

TEST(RcScript, RefusesWhatItCannotEmbed) {
    const std::pair<const char*, const char*> cases[] = {
        {"101 ICON", "line 1: quoted file name expected"},
        {"101 ICON \"a.ico", "line 1: unterminated string"},
        {"\n\n70000 BITMAP \"a.bmp\"", "line 3: resource number out of range"},
        {"BITMAP \"a.bmp\"", "line 1: resource number expected, found 'BITMAP'"},
        {"132 DIALOGEX 0, 0, 237, 46", "line 1: DIALOGEX resources are not supported yet"},
        {"1 BITMAP \"a\"\n1 BITMAP \"b\"", "line 2: BITMAP 1 defined twice"},
        {"STRINGTABLE BEGIN 1 \"a\" 1 \"b\" END", "line 1: string 1 defined twice"},
        {"STRINGTABLE BEGIN 1 \"a\"", "line 1: string number expected in STRINGTABLE"},
        {"STRINGTABLE", "line 1: STRINGTABLE without BEGIN"},
        {"/* open", "line 1: unterminated comment"},
    };
    for (const auto& [text, expected] : cases) {
        RcScript script;
        std::string error;
        EXPECT_FALSE(parseRcScript(text, script, error)) << text;
        EXPECT_EQ(error, expected) << text;
    }
}

TEST(RcScript, SameNumberInDifferentTypesIsAllowed) {
    RcScript script;
    std::string error;
    EXPECT_TRUE(parseRcScript("5 BITMAP \"a\"\n5 WAVE \"b\"\n5 ICON \"c\"", script, error)) << error;
    EXPECT_EQ(script.files.size(), 3u);
}

TEST(RcScript, TheGameScriptParses) {
    RcScript script;
    std::string error;
    std::string text;
    FILE* file = std::fopen(VESKAR_RC_PATH, "rb");
    ASSERT_NE(file, nullptr);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    ASSERT_TRUE(parseRcScript(text, script, error)) << error;
    EXPECT_GE(script.files.size(), 18u);
    ASSERT_GE(script.strings.size(), 2u);
    EXPECT_EQ(script.strings[0].text, "VESKAR");
}
