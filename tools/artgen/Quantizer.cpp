// Median-cut colour reduction with a deterministic order at every step.
#include "tools/artgen/Quantizer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

namespace {

struct ColourCount {
    Rgb colour;
    std::uint64_t count = 0;
};

using Box = std::vector<ColourCount>;

std::uint32_t key(Rgb c) {
    return (static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) | c.b;
}

int component(Rgb c, int axis) {
    return axis == 0 ? c.r : (axis == 1 ? c.g : c.b);
}

// Widest channel of the box and its range; range 0 means the box cannot be split.
std::pair<int, int> widestAxis(const Box& box) {
    std::pair<int, int> best{0, 0};
    for (int axis = 0; axis < 3; ++axis) {
        int low = 255;
        int high = 0;
        for (const ColourCount& entry : box) {
            low = std::min(low, component(entry.colour, axis));
            high = std::max(high, component(entry.colour, axis));
        }
        if (high - low > best.second) {
            best = {axis, high - low};
        }
    }
    return best;
}

// Splits the box at the count-weighted median of its widest channel; false when it cannot be split.
bool splitBox(Box& box, Box& upper) {
    const auto widest = widestAxis(box);
    const int axis = widest.first;
    if (widest.second == 0 || box.size() < 2) {
        return false;
    }
    std::sort(box.begin(), box.end(), [axis](const ColourCount& a, const ColourCount& b) {
        const int ca = component(a.colour, axis);
        const int cb = component(b.colour, axis);
        return ca != cb ? ca < cb : key(a.colour) < key(b.colour);
    });
    std::uint64_t total = 0;
    for (const ColourCount& entry : box) {
        total += entry.count;
    }
    std::size_t cut = 1;
    std::uint64_t running = box[0].count;
    while (cut < box.size() - 1 && running * 2 < total) {
        running += box[cut].count;
        ++cut;
    }
    upper.assign(box.begin() + static_cast<std::ptrdiff_t>(cut), box.end());
    box.resize(cut);
    return true;
}

Rgb average(const Box& box) {
    std::array<std::uint64_t, 3> sum{};
    std::uint64_t total = 0;
    for (const ColourCount& entry : box) {
        sum[0] += entry.colour.r * entry.count;
        sum[1] += entry.colour.g * entry.count;
        sum[2] += entry.colour.b * entry.count;
        total += entry.count;
    }
    const auto mean = [total](std::uint64_t s) { return static_cast<std::uint8_t>((s + total / 2) / total); };
    return {mean(sum[0]), mean(sum[1]), mean(sum[2])};
}

std::vector<Rgb> medianCut(Box all, std::size_t boxesWanted) {
    std::vector<Box> boxes;
    if (!all.empty()) {
        boxes.push_back(std::move(all));
    }
    while (boxes.size() < boxesWanted) {
        std::size_t pick = boxes.size();
        int widest = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const int range = widestAxis(boxes[i]).second;
            if (range > widest) {
                widest = range;
                pick = i;
            }
        }
        Box upper;
        if (pick == boxes.size() || !splitBox(boxes[pick], upper)) {
            break;
        }
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes) {
        palette.push_back(average(box));
    }
    return palette;
}

std::uint8_t nearest(const std::vector<Rgb>& palette, Rgb c) {
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = c.r - palette[i].r;
        const long dg = c.g - palette[i].g;
        const long db = c.b - palette[i].b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

IndexedImage quantize(const Canvas& picture, const std::vector<Rgb>& exact, std::size_t maxColours) {
    std::map<std::uint32_t, std::uint64_t> histogram;
    for (const Rgb& c : picture.pixels()) {
        ++histogram[key(c)];
    }
    IndexedImage image{picture.width(), picture.height(), exact, {}};
    Box rest;
    for (const auto& [k, count] : histogram) {
        const Rgb c{static_cast<std::uint8_t>(k >> 16), static_cast<std::uint8_t>(k >> 8),
                    static_cast<std::uint8_t>(k)};
        if (std::find(exact.begin(), exact.end(), c) == exact.end()) {
            rest.push_back({c, count});
        }
    }
    const std::size_t room = maxColours > exact.size() ? maxColours - exact.size() : 0;
    for (const Rgb& c : medianCut(std::move(rest), room)) {
        image.palette.push_back(c);
    }
    std::map<std::uint32_t, std::uint8_t> lookup;
    for (const auto& [k, count] : histogram) {
        const Rgb c{static_cast<std::uint8_t>(k >> 16), static_cast<std::uint8_t>(k >> 8),
                    static_cast<std::uint8_t>(k)};
        lookup[k] = nearest(image.palette, c);
    }
    image.indices.reserve(picture.pixels().size());
    for (const Rgb& c : picture.pixels()) {
        image.indices.push_back(lookup[key(c)]);
    }
    return image;
}
