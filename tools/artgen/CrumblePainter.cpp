// Shatter animation: the jewel is cut into shards around seed points, and every later frame draws
// each surviving shard moved outward and down, shrunk about its own centre and faded.
#include "tools/artgen/CrumblePainter.h"

#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/JewelPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int SHARDS = 11;

struct Shard {
    double seedX = 0, seedY = 0;      // cut seed, pixels
    double centreX = 0, centreY = 0;  // centre of the shard's pixels
    double speed = 0;                 // outward drift, pixels per frame at full speed
    double lifetime = 0;              // fraction of the animation the shard lasts
};

// Small linear congruential generator, so the shards are the same on every run.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525U + 1013904223U;
        return double(state_ >> 8) / double(1U << 24);
    }

  private:
    std::uint32_t state_;
};

std::vector<Shard> cutShards(int colourIndex) {
    Dice dice(0x5eed0000U + std::uint32_t(colourIndex) * 7919U);
    std::vector<Shard> shards(SHARDS);
    for (int i = 0; i < SHARDS; ++i) {
        const double angle = (i + dice.next() * 0.7) * 6.2831853 / SHARDS;
        const double radius = i == 0 ? 0.0 : 4.0 + dice.next() * 9.0;
        shards[std::size_t(i)] = {16.0 + std::cos(angle) * radius, 16.0 + std::sin(angle) * radius, 0, 0,
                                  0.6 + dice.next() * 0.8,         0.45 + dice.next() * 0.5};
    }
    shards[1].lifetime = shards[4].lifetime = 1.2;  // a few splinters remain in the last frame
    shards[7].lifetime = 1.1;
    return shards;
}

int shardAt(const std::vector<Shard>& shards, int x, int y) {
    int best = 0;
    double bestDistance = 1e9;
    for (std::size_t i = 0; i < shards.size(); ++i) {
        const double d = std::hypot(x + 0.5 - shards[i].seedX, y + 0.5 - shards[i].seedY);
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

std::vector<int> shardMap(std::vector<Shard>& shards) {
    std::vector<int> map(JEWEL_SIZE * JEWEL_SIZE);
    std::vector<double> sums(shards.size() * 3, 0.0);
    for (int y = 0; y < JEWEL_SIZE; ++y) {
        for (int x = 0; x < JEWEL_SIZE; ++x) {
            const int s = shardAt(shards, x, y);
            map[std::size_t(y * JEWEL_SIZE + x)] = s;
            sums[std::size_t(s) * 3] += x + 0.5;
            sums[std::size_t(s) * 3 + 1] += y + 0.5;
            sums[std::size_t(s) * 3 + 2] += 1.0;
        }
    }
    for (std::size_t i = 0; i < shards.size(); ++i) {
        const double count = std::max(1.0, sums[i * 3 + 2]);
        shards[i].centreX = sums[i * 3] / count;
        shards[i].centreY = sums[i * 3 + 1] / count;
    }
    return map;
}

bool onCrack(const std::vector<int>& map, int x, int y) {
    const int own = map[std::size_t(y * JEWEL_SIZE + x)];
    const auto other = [&](int nx, int ny) {
        return nx >= 0 && ny >= 0 && nx < JEWEL_SIZE && ny < JEWEL_SIZE &&
               map[std::size_t(ny * JEWEL_SIZE + nx)] != own;
    };
    return other(x + 1, y) || other(x, y + 1);
}

struct FrameContext {
    const JewelLayer& jewel;
    const std::vector<Shard>& shards;
    const std::vector<int>& map;
    double t;  // 0 whole .. 1 last frame
};

// Colour and coverage of one destination pixel of a frame, looked up backwards through each shard's
// movement; later shards lie over earlier ones.
std::pair<Rgb, double> framePixel(const FrameContext& f, int x, int y) {
    std::pair<Rgb, double> result{TEXT_BACKGROUND, 0.0};
    for (std::size_t i = 0; i < f.shards.size(); ++i) {
        const Shard& s = f.shards[i];
        if (f.t >= s.lifetime) {
            continue;
        }
        const double spread = f.t * f.t;  // shards part slowly at first, then fly
        const double scale = 1.0 - 0.72 * f.t;
        const double dx = s.centreX - 16.0;
        const double dy = s.centreY - 16.0;
        const double length = std::max(1.0, std::hypot(dx, dy));
        const double moveX = dx / length * s.speed * 9.0 * spread;
        const double moveY = dy / length * s.speed * 9.0 * spread + 6.0 * spread;
        const int sx = int(std::floor(s.centreX + (x + 0.5 - s.centreX - moveX) / scale));
        const int sy = int(std::floor(s.centreY + (y + 0.5 - s.centreY - moveY) / scale));
        if (sx < 0 || sy < 0 || sx >= JEWEL_SIZE || sy >= JEWEL_SIZE) {
            continue;
        }
        const std::size_t at = std::size_t(sy * JEWEL_SIZE + sx);
        if (f.map[at] != int(i) || f.jewel.coverage[at] < 0.5) {
            continue;
        }
        Rgb c = mix(f.jewel.colour[at], Rgb{255, 255, 255}, 0.3 * f.t);
        c = onCrack(f.map, sx, sy) ? scaled(c, 0.35) : mix(c, TEXT_BACKGROUND, 0.45 * f.t);
        result = {c, f.jewel.coverage[at]};
    }
    return result;
}

}  // namespace

Canvas paintCrumbleStrip(int colourIndex) {
    const JewelLayer jewel = paintJewelLayer(colourIndex, JEWEL_SIZE);
    std::vector<Shard> shards = cutShards(colourIndex);
    const std::vector<int> map = shardMap(shards);
    Canvas strip(JEWEL_SIZE * CRUMBLE_FRAMES, JEWEL_SIZE, TEXT_BACKGROUND);
    strip.paste(composeJewel(jewel, TEXT_BACKGROUND), 0, 0);
    for (int frame = 1; frame < CRUMBLE_FRAMES; ++frame) {
        const FrameContext context{jewel, shards, map, double(frame) / (CRUMBLE_FRAMES - 1)};
        for (int y = 0; y < JEWEL_SIZE; ++y) {
            for (int x = 0; x < JEWEL_SIZE; ++x) {
                const auto [colour, coverage] = framePixel(context, x, y);
                strip.blend(frame * JEWEL_SIZE + x, y, colour, coverage);
            }
        }
    }
    return strip;
}
