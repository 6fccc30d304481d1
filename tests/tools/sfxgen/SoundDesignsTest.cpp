// The committed sounds are exactly what sfxgen makes, and each sounds as intended by the numbers:
// silent edges, a level that leaves the music headroom, a bright chime, a low thud, two distinct
// menu clicks.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tools/sfxgen/SoundDesigns.h"
#include "tools/sfxgen/SoundMeasures.h"

namespace sfxgen {
namespace {

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

SoundMeasures measured(int resource) {
    for (const SoundFile& file : soundFiles()) {
        if (file.resource == resource) {
            return measure(toUnsigned8(file.design()), file.rate);
        }
    }
    ADD_FAILURE() << "no sound " << resource;
    return {};
}

TEST(CommittedSounds, GeneratorMakesExactlyTheCommittedFiles) {
    for (const SoundFile& file : soundFiles()) {
        const std::vector<std::uint8_t> made = makeSoundFile(file);
        ASSERT_EQ(made.size(), file.fileBytes) << file.fileName;
        EXPECT_TRUE(made == readFile(std::string(VESKAR_SOUNDS_DIR) + "/" + file.fileName))
            << file.fileName << " differs; regenerate with: cmake --build BUILD --target sounds";
    }
}

TEST(SoundDesigns, StartAndEndInSilenceBelowTheMusicsPeaks) {
    for (const SoundFile& file : soundFiles()) {
        const SoundMeasures m = measured(file.resource);
        EXPECT_EQ(m.firstSample, 128) << file.fileName;
        EXPECT_EQ(m.lastSample, 128) << file.fileName;
        EXPECT_LT(m.startDb, -30.0) << file.fileName << ": no click at the start";
        EXPECT_LT(m.endDb, -30.0) << file.fileName << ": no click at the end";
        EXPECT_GE(m.attackSeconds, 0.0005) << file.fileName;
        EXPECT_LE(m.peakDb, -6.0) << file.fileName;
        EXPECT_GE(m.peakDb, -12.0) << file.fileName;
    }
}

TEST(SoundDesigns, EachSoundHasItsOwnCharacter) {
    const SoundMeasures match = measured(124);
    const SoundMeasures land = measured(125);
    const SoundMeasures select = measured(126);
    const SoundMeasures move = measured(127);
    EXPECT_GT(match.centroidHz, 1500.0) << "a bright chime";
    EXPECT_LT(land.centroidHz, 800.0) << "a low thud";
    EXPECT_GT(select.centroidHz - move.centroidHz, 300.0) << "select is the brighter click";
    EXPECT_GT(select.rmsDb, move.rmsDb) << "and the firmer one";
}

}  // namespace
}  // namespace sfxgen
