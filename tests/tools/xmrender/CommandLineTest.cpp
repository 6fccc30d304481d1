// xmrender's command line: a WAV file of the requested length, the timeline file, and the one-line
// refusal of a file that is not a module.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "tests/audio/player/XmBuilder.h"

namespace {

std::filesystem::path Temporary(const std::string& name) {
    return std::filesystem::temp_directory_path() / name;
}

int RunXmrender(const std::string& arguments) {
    const std::string command = std::string(XMRENDER_PATH) + " " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream stream(path, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

TEST(XmrenderCommand, WritesWavOfTheRequestedLengthAndRate) {
    const auto module = Temporary("xmrender_test_song.xm");
    const auto wav = Temporary("xmrender_test_song.wav");
    const auto timeline = Temporary("xmrender_test_song.txt");
    WriteBytes(module, BuildXm(SimpleDesign(2)));
    ASSERT_EQ(RunXmrender(module.string() + " " + wav.string() + " --seconds 1.5 --rate 22050 --timeline " +
                          timeline.string()),
              0);
    EXPECT_EQ(std::filesystem::file_size(wav), 44u + 33075u * 4);
    std::ifstream stream(timeline);
    std::string first;
    std::getline(stream, first);
    EXPECT_EQ(first, "0\t0\t0\t0\t6\t125");
    std::filesystem::remove(module);
    std::filesystem::remove(wav);
    std::filesystem::remove(timeline);
}

TEST(XmrenderCommand, RefusesAFileThatIsNotAModule) {
    const auto bogus = Temporary("xmrender_test_bogus.xm");
    WriteBytes(bogus, {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd', 'u', 'l', 'e'});
    EXPECT_EQ(
        RunXmrender(bogus.string() + " " + Temporary("xmrender_test_bogus.wav").string() + " 2>/dev/null"),
        1);
    EXPECT_EQ(RunXmrender("--bench 1 " + bogus.string() + " 2>/dev/null"), 1);
    EXPECT_EQ(RunXmrender(Temporary("xmrender_test_absent.xm").string() + " out.wav 2>/dev/null"), 1);
    std::filesystem::remove(bogus);
}

TEST(XmrenderCommand, BenchPrintsRealTimeFactorLast) {
    const auto module = Temporary("xmrender_test_bench.xm");
    WriteBytes(module, BuildXm(SimpleDesign(2)));
    const auto output = Temporary("xmrender_test_bench.txt");
    ASSERT_EQ(RunXmrender("--bench 5 " + module.string() + " > " + output.string()), 0);
    std::ifstream stream(output);
    std::string line;
    std::string last;
    while (std::getline(stream, line))
        last = line;
    EXPECT_EQ(last.rfind("xrealtime ", 0), 0u) << last;
    EXPECT_GT(std::atof(last.c_str() + 10), 0.0);
    std::filesystem::remove(module);
    std::filesystem::remove(output);
}
