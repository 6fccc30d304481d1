// Jewels: six colours far apart, set on the wells' dark blue; vanishing strips that start with the
// whole jewel and lose some of it in every frame.
#include "tests/resources/ArtworkColours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int SIDE = 32;

std::string stillName(int colour) {
    return "jewel" + std::to_string(colour + 1) + ".bmp";
}
std::string stripName(int colour) {
    return "jewel" + std::to_string(colour + 1) + "_crumble.bmp";
}

// Pixels of a 32 x 32 frame that are not the text background.
int coverage(const BmpFile& bmp, int frame) {
    int count = 0;
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            count += bmp.at(frame * SIDE + x, y) == TEXT_BLUE ? 0 : 1;
        }
    }
    return count;
}

// Hue in degrees of the jewel's mean colour.
double meanHue(const BmpFile& bmp) {
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            const Colour c = bmp.at(x, y);
            if (!(c == TEXT_BLUE)) {
                r += c.r;
                g += c.g;
                b += c.b;
            }
        }
    }
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    if (high == low) {
        return 0;
    }
    double hue = 0;
    if (high == r) {
        hue = 60.0 * std::fmod((g - b) / (high - low) + 6.0, 6.0);
    } else if (high == g) {
        hue = 60.0 * ((b - r) / (high - low) + 2.0);
    } else {
        hue = 60.0 * ((r - g) / (high - low) + 4.0);
    }
    return hue;
}

TEST(Jewels, SixColoursAreFarApartInHue) {
    double hues[6];
    for (int i = 0; i < 6; ++i) {
        hues[i] = meanHue(loadBitmap(stillName(i)));
    }
    for (int i = 0; i < 6; ++i) {
        for (int j = i + 1; j < 6; ++j) {
            const double apart = std::abs(hues[i] - hues[j]);
            EXPECT_GE(std::min(apart, 360.0 - apart), 30.0) << "jewels " << i + 1 << " and " << j + 1;
        }
    }
}

TEST(Jewels, JewelsSitOnTheWellBackgroundAndFillTheirCell) {
    for (int i = 0; i < 6; ++i) {
        const BmpFile bmp = loadBitmap(stillName(i));
        EXPECT_EQ(bmp.at(0, 0), TEXT_BLUE) << stillName(i);
        EXPECT_EQ(bmp.at(31, 31), TEXT_BLUE) << stillName(i);
        EXPECT_FALSE(bmp.at(16, 16) == TEXT_BLUE) << stillName(i);
        EXPECT_GT(coverage(bmp, 0), SIDE * SIDE / 3) << stillName(i);
    }
}

TEST(Jewels, FirstFrameOfEachStripIsTheStillJewel) {
    for (int i = 0; i < 6; ++i) {
        const BmpFile still = loadBitmap(stillName(i));
        const BmpFile strip = loadBitmap(stripName(i));
        for (int y = 0; y < SIDE; ++y) {
            for (int x = 0; x < SIDE; ++x) {
                ASSERT_EQ(strip.at(x, y), still.at(x, y)) << stripName(i) << " at " << x << "," << y;
            }
        }
    }
}

TEST(Jewels, EachFrameShowsLessOfTheJewelUntilAlmostNothingIsLeft) {
    for (int i = 0; i < 6; ++i) {
        const BmpFile strip = loadBitmap(stripName(i));
        for (int frame = 1; frame < 6; ++frame) {
            EXPECT_LT(coverage(strip, frame), coverage(strip, frame - 1))
                << stripName(i) << " frame " << frame;
        }
        EXPECT_GT(coverage(strip, 5), 0) << stripName(i);
        EXPECT_LT(coverage(strip, 5) * 8, coverage(strip, 0)) << stripName(i);
    }
}

}  // namespace
