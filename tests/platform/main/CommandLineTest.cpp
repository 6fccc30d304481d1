// The game's command line: what each option sets, and the one-line error for anything else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/main/CommandLine.h"

using veskar::platform::CommandLine;
using veskar::platform::parseCommandLine;
using Action = CommandLine::Action;

namespace {

CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "veskar");
    return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

std::string joined(const std::vector<const char*>& arguments) {
    std::string line = "veskar";
    for (const char* argument : arguments) {
        line += std::string(" ") + argument;
    }
    return line;
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
        {{"--scale=8"}, Action::Run, 8, false},
        {{"--scale", "2", "--scale", "1"}, Action::Run, 1, false},
        {{"--fullscreen"}, Action::Run, 1, true},
        {{"--fullscreen", "--scale", "3"}, Action::Run, 3, true},
        {{"--help"}, Action::Help, 1, false},
        {{"--version", "--nonsense"}, Action::Version, 1, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments);
        const std::string shown = joined(c.arguments);
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.scale, c.scale) << shown;
        EXPECT_EQ(line.fullscreen, c.fullscreen) << shown;
        EXPECT_TRUE(line.error.empty()) << shown;
    }
}

TEST(CommandLine, MistakesFailWithOneLineNamingThemAndPointingToHelp) {
    struct Case {
        std::vector<const char*> arguments;
        std::string named;  // what the message must quote
    };
    const Case cases[] = {
        {{"--foo"}, "'--foo'"},
        {{"-h"}, "'-h'"},
        {{"--fullscreen=yes"}, "'--fullscreen=yes'"},
        {{"--scale", "2", "level9"}, "'level9'"},
        {{"--scale"}, "'--scale'"},
        {{"--scale", "0"}, "'0'"},
        {{"--scale", "9"}, "'9'"},
        {{"--scale", "-2"}, "'-2'"},
        {{"--scale", "2x"}, "'2x'"},
        {{"--scale", "100000000000"}, "'100000000000'"},
        {{"--scale="}, "''"},
        {{"--help=me"}, "'--help=me'"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.action, Action::Fail) << joined(c.arguments);
        EXPECT_TRUE(line.error.starts_with("veskar: ")) << line.error;
        EXPECT_NE(line.error.find(c.named), std::string::npos) << line.error;
        EXPECT_TRUE(line.error.ends_with(" (try --help)")) << line.error;
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
    }
}

TEST(CommandLine, HelpNamesEveryOption) {
    const std::string usage = veskar::platform::usageText();
    for (const char* option : {"--scale N", "--fullscreen", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}
