// The game's command line: what each option sets, and the one-line error for anything else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/main/CommandLine.h"

using veskar::platform::CommandLine;
using Action = CommandLine::Action;

namespace {

CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "veskar");
    return veskar::platform::parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

}  // namespace

TEST(CommandLine, OptionsSetScaleFullScreenHelpAndVersion) {
    struct Case {
        std::vector<const char*> arguments;
        Action action;
        int scale;
        bool fullscreen;
    };
    const Case cases[] = {
        {{}, Action::Run, 1, false},
        {{"--scale", "2"}, Action::Run, 2, false},
        {{"--scale=8", "--scale", "3"}, Action::Run, 3, false},  // the last one counts
        {{"--fullscreen"}, Action::Run, 1, true},
        {{"--help"}, Action::Help, 1, false},
        {{"-h"}, Action::Help, 1, false},
        {{"--version", "--nonsense"}, Action::Version, 1, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments);
        const std::string first = c.arguments.empty() ? "nothing" : c.arguments[0];
        EXPECT_EQ(line.action, c.action) << first;
        EXPECT_EQ(line.scale, c.scale) << first;
        EXPECT_EQ(line.fullscreen, c.fullscreen) << first;
    }
}

TEST(CommandLine, MistakesFailWithOneLineNamingThemAndPointingToHelp) {
    struct Case {
        std::vector<const char*> arguments;
        const char* named;  // what the message must quote
    };
    const Case cases[] = {
        {{"--foo"}, "'--foo'"},
        {{"-x"}, "'-x'"},
        {{"--fullscreen=yes"}, "'--fullscreen=yes'"},
        {{"--scale", "2", "level9"}, "'level9'"},
        {{"--scale"}, "'--scale'"},
        {{"--scale", "0"}, "'0'"},
        {{"--scale", "9"}, "'9'"},
        {{"--scale", "2x"}, "'2x'"},
        {{"--scale", "-2"}, "'-2'"},
        {{"--scale", "100000000000"}, "'100000000000'"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.action, Action::Fail) << c.named;
        EXPECT_TRUE(line.error.starts_with("veskar: ")) << line.error;
        EXPECT_NE(line.error.find(c.named), std::string::npos) << line.error;
        EXPECT_TRUE(line.error.ends_with(" (try --help)")) << line.error;
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
    }
}
