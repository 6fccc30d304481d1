// Typed and pasted text in the layer's code page: UTF-8 in, Windows-1252 out, with what the code
// page cannot hold dropped.
#include <gtest/gtest.h>

#include "platform/core/Windows1252.h"

using veskar::platform::utf8ToWindows1252;

TEST(Windows1252, ConvertsWhatTheCodePageHoldsAndDropsTheRest) {
    const std::pair<const char*, const char*> cases[] = {
        {"Zoe", "Zoe"},
        {"Zo\xC3\xAB", "Zo\xEB"},  // e with diaeresis, Latin-1
        {"\xE2\x82\xAC"
         "5",
         "\x80"
         "5"},                                             // the euro sign lives at 0x80
        {"\xE2\x80\x99\xC5\xBD\xC5\xB8", "\x92\x8E\x9F"},  // quote, Z caron, Y diaeresis
        {"a\tb", "a\tb"},
        {"x\xF0\x9F\x99\x82y", "xy"},  // an emoji has no code
        {"\xC2\x81", ""},              // nor a C1 control
        {"\xD0\x96", ""},              // nor Cyrillic
        {"a\xC3", "a"},                // cut sequence
        {"\xC0\xAF"
         "b",
         "b"},  // overlong
        {"\xED\xA0\x80"
         "c",
         "c"},             // surrogate
        {"\xFF\xE9", ""},  // stray bytes
    };
    for (const auto& [utf8, expected] : cases)
        EXPECT_EQ(utf8ToWindows1252(utf8), expected) << utf8;
}
