// The stereo picture against libxmp, used as a black-box reference player: a channel panned hard
// left, hard right and part of the way to each side comes out on the same side, in the same
// proportion, from both players.
#include <gtest/gtest.h>
#include <xmp.h>

#include <vector>

#include "audio/player/OfflineRenderer.h"
#include "tests/audio/player/XmBuilder.h"

namespace {

inline constexpr int RATE = 44100;
inline constexpr int ROWS_PER_PANNING = 4;
inline constexpr int FRAMES_PER_PANNING = ROWS_PER_PANNING * 6 * 882;  // speed 6, 125 BPM
inline constexpr std::uint8_t PANNINGS[] = {0x00, 0xFF, 0x40, 0xC0};

// One looping note on channel 0, panned anew by 8xx every ROWS_PER_PANNING rows.
std::vector<std::uint8_t> PanningModule() {
    XmDesign design = SimpleDesign(2);
    const int rows = ROWS_PER_PANNING * static_cast<int>(std::size(PANNINGS));
    std::vector<PatternCell> cells(static_cast<std::size_t>(rows) * 2, PatternCell{});
    for (std::size_t index = 0; index < std::size(PANNINGS); ++index)
        cells[index * ROWS_PER_PANNING * 2] = PatternCell{49, 1, 0, 0x08, PANNINGS[index]};
    design.patterns[0].rows = static_cast<std::uint16_t>(rows);
    design.patterns[0].packed = PlainCells(cells);
    XmSampleDesign& sample = design.instruments[0].samples[0];
    sample.type = 0x01;
    sample.loopLength = sample.length;
    return BuildXm(design);
}

std::vector<std::int16_t> RenderOurs(const std::vector<std::uint8_t>& bytes, int frames) {
    auto module = LoadBytes(bytes);
    std::vector<std::int16_t> pcm;
    OfflineRenderer renderer;
    if (module == nullptr || !renderer.begin(*module, RATE))
        return pcm;
    while (static_cast<int>(pcm.size()) < frames * 2) {
        const std::int16_t* block = renderer.next();
        pcm.insert(pcm.end(), block, block + renderer.blockFrames() * 2);
    }
    return pcm;
}

std::vector<std::int16_t> RenderReference(std::vector<std::uint8_t> bytes, int frames) {
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(frames) * 2, 0);
    xmp_context context = xmp_create_context();
    if (xmp_load_module_from_memory(context, bytes.data(), static_cast<long>(bytes.size())) == 0) {
        xmp_start_player(context, RATE, 0);
        xmp_set_player(context, XMP_PLAYER_MIX, 100);  // full stereo separation
        xmp_set_player(context, XMP_PLAYER_INTERP, XMP_INTERP_LINEAR);
        xmp_play_buffer(context, pcm.data(), static_cast<int>(pcm.size() * sizeof(std::int16_t)), 1);
        xmp_end_player(context);
        xmp_release_module(context);
    }
    xmp_free_context(context);
    return pcm;
}

// The left channel's share of the energy within the middle of each panning's rows.
std::vector<double> LeftShares(const std::vector<std::int16_t>& pcm) {
    std::vector<double> shares;
    for (std::size_t part = 0; part < std::size(PANNINGS); ++part) {
        double left = 0.0;
        double right = 0.0;
        const std::size_t start = part * FRAMES_PER_PANNING + FRAMES_PER_PANNING / 4;
        for (std::size_t frame = start; frame < start + FRAMES_PER_PANNING / 2 && frame * 2 + 1 < pcm.size();
             ++frame) {
            left += static_cast<double>(pcm[frame * 2]) * pcm[frame * 2];
            right += static_cast<double>(pcm[frame * 2 + 1]) * pcm[frame * 2 + 1];
        }
        shares.push_back(left + right > 0.0 ? left / (left + right) : -1.0);
    }
    return shares;
}

}  // namespace

TEST(StereoPicture, PanningMatchesTheReferencePlayer) {
    const std::vector<std::uint8_t> bytes = PanningModule();
    const int frames = FRAMES_PER_PANNING * static_cast<int>(std::size(PANNINGS));
    const std::vector<double> ours = LeftShares(RenderOurs(bytes, frames));
    const std::vector<double> reference = LeftShares(RenderReference(bytes, frames));
    for (std::size_t part = 0; part < std::size(PANNINGS); ++part) {
        SCOPED_TRACE(static_cast<int>(PANNINGS[part]));
        ASSERT_GE(reference[part], 0.0) << "the reference player played nothing";
        EXPECT_NEAR(ours[part], reference[part], 0.05);
    }
    EXPECT_GT(ours[0], 0.99);  // panning 0: left
    EXPECT_LT(ours[1], 0.01);  // panning 255: right
}
