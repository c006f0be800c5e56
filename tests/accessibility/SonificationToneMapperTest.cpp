// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/accessibility/SonificationController.h"
#include "orvane/accessibility/SonificationTone.h"
#include "orvane/accessibility/SonificationToneMapper.h"
#include "orvane/package/OrvaneUIPackage.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>

using namespace orvane;

namespace {

std::shared_ptr<SonificationToneMapper> mapper(double minimum, double maximum) {
    return SonificationToneMapper::create(SonificationScale::PENTATONIC, SonificationStyle::PIANO, minimum, maximum);
}

// Key number of the tone a value maps to; -1 for no tone.
int keyOf(const SonificationToneMapper& m, double value) {
    auto tone = m.map(value);
    return tone ? tone->getKeyNumber() : -1;
}

bool isMissingTone(const std::shared_ptr<SonificationTone>& tone) {
    return tone && tone->getKeyNumber() == 0 && tone->getLocalPath() &&
           tone->getLocalPath()->ends_with("/OrvaneUI/assets/sonification/mp3/missing.mp3");
}

class Sonification : public ::testing::Test {
protected:
    void SetUp() override {
        OrvaneUIPackage::instance();
        FileSystemManager::setCacheDirectory(test::tempDir());
    }
};

} // namespace

TEST_F(Sonification, ScaleIsTheBlackKeysWithTheirSoundFiles) {
    auto controller = SonificationController::create();
    auto scale = controller->getScale(SonificationScale::PENTATONIC, SonificationStyle::PIANO);
    ASSERT_TRUE(scale);
    ASSERT_EQ(scale->size(), 36u);
    const int expected[36] = {2,  5,  7,  10, 12, 14, 17, 19, 22, 24, 26, 29, 31, 34, 36, 38, 41, 43,
                              46, 48, 50, 53, 55, 58, 60, 62, 65, 67, 70, 72, 74, 77, 79, 82, 84, 86};
    for (size_t i = 0; i < 36; ++i) {
        const auto& tone = (*scale)[i];
        ASSERT_TRUE(tone);
        EXPECT_EQ(tone->getKeyNumber(), expected[i]);
        ASSERT_TRUE(tone->getLocalPath()) << expected[i];
        char name[96];
        std::snprintf(name, sizeof name, "/OrvaneUI/assets/sonification/mp3/piano/key%02d_p_Flat.mp3", expected[i]);
        EXPECT_TRUE(tone->getLocalPath()->ends_with(name)) << *tone->getLocalPath();
        EXPECT_TRUE(std::filesystem::is_regular_file(*tone->getLocalPath()));
    }
    // Each call hands out a list of its own.
    EXPECT_NE(controller->getScale(SonificationScale::PENTATONIC, SonificationStyle::PIANO), scale);
    auto bumper = SonificationTone::createBumper();
    ASSERT_TRUE(bumper->getLocalPath());
    EXPECT_TRUE(bumper->getLocalPath()->ends_with("/sonification/mp3/bumper.mp3"));
    EXPECT_TRUE(isMissingTone(SonificationTone::createMissing()));
    // A key without a sound file gives a tone without a path rather than failing.
    EXPECT_FALSE(SonificationTone::create(SonificationStyle::PIANO, 0)->getLocalPath());
    EXPECT_FALSE(SonificationTone::create(SonificationStyle::PIANO, 89)->getLocalPath());
}

TEST_F(Sonification, BandEdgesOfARangeFromZeroTo36) {
    auto m = mapper(0, 36);
    ASSERT_TRUE(m->isWellFormed());
    ASSERT_EQ(m->getBreakpoints()->size(), 37u);
    for (size_t i = 0; i < 37; ++i) EXPECT_EQ((*m->getBreakpoints())[i], static_cast<double>(i));
    EXPECT_EQ(m->getTones()->size(), 36u);

    // A band includes its upper edge; outside the range there is no tone.
    const std::pair<double, int> edges[] = {{0, 2},       {0.5, 2},   {1, 2},   {std::nextafter(1.0, 2.0), 5},
                                            {1.5, 5},     {2, 5},     {35.5, 86}, {36, 86},
                                            {36.5, -1},   {-0.1, -1}, {std::nextafter(0.0, -1.0), -1},
                                            {INFINITY, -1}, {-INFINITY, -1}};
    for (auto [value, key] : edges) EXPECT_EQ(keyOf(*m, value), key) << value;
    EXPECT_TRUE(isMissingTone(m->map(NAN)));
    // Band i (counting from 0) plays the i-th black key.
    const auto& keys = SonificationController::blackKeys();
    for (size_t i = 0; i < 36; ++i) EXPECT_EQ(keyOf(*m, static_cast<double>(i) + 0.5), keys[i]);
}

TEST_F(Sonification, EndsOfAnyRangeMapToTheFirstAndLastTone) {
    // Ranges whose band width does not divide exactly: the maximum itself must
    // still fall in the last band.
    for (auto [lo, hi] : {std::pair{0.1, 0.3}, std::pair{-3.3, 1e-3}, std::pair{1.0 / 3, 2.0 / 3},
                          std::pair{-7e-9, -1e-9}, std::pair{12345.678, 98765.4321}}) {
        auto m = mapper(lo, hi);
        ASSERT_TRUE(m->isWellFormed()) << lo << " " << hi;
        EXPECT_EQ(keyOf(*m, lo), 2) << lo << " " << hi;
        EXPECT_EQ(keyOf(*m, hi), 86) << lo << " " << hi;
        EXPECT_EQ(keyOf(*m, std::nextafter(hi, INFINITY)), -1);
        const auto& bp = *m->getBreakpoints();
        EXPECT_TRUE(std::is_sorted(bp.begin(), bp.end()));
    }
    // A range spanning nearly all doubles: the width overflows, the bands must not.
    auto wide = mapper(-DBL_MAX, DBL_MAX);
    ASSERT_TRUE(wide->isWellFormed());
    for (double b : *wide->getBreakpoints()) EXPECT_TRUE(std::isfinite(b));
    EXPECT_EQ(keyOf(*wide, -DBL_MAX), 2);
    EXPECT_EQ(keyOf(*wide, 0), 43);  // the middle breakpoint closes band 17
    EXPECT_EQ(keyOf(*wide, 1), 46);
    EXPECT_EQ(keyOf(*wide, DBL_MAX), 86);
}

TEST_F(Sonification, RangeOfZeroWidthMapsToTheFirstTone) {
    auto m = mapper(5, 5);
    ASSERT_TRUE(m->isWellFormed());
    EXPECT_EQ(*m->getBreakpoints(), (std::vector<double>{5, 5}));
    EXPECT_EQ(keyOf(*m, 5), 2);
    EXPECT_EQ(keyOf(*m, std::nextafter(5.0, 6.0)), -1);
    EXPECT_EQ(keyOf(*m, 4.999), -1);
    EXPECT_TRUE(isMissingTone(m->map(NAN)));

    // Ends a rounding error apart count as equal, in either order.
    double big = 1e300, above = std::nextafter(big, INFINITY);
    auto near = mapper(big, above);
    ASSERT_TRUE(near->isWellFormed());
    EXPECT_EQ(near->getBreakpoints()->size(), 2u);
    EXPECT_EQ(keyOf(*near, big), 2);
    EXPECT_EQ(keyOf(*near, above), 2);
    double one = 1.0, below = std::nextafter(1.0, 0.0);
    auto reversed = mapper(one, below);
    ASSERT_TRUE(reversed->isWellFormed());
    EXPECT_EQ(keyOf(*reversed, one), 2);
    EXPECT_EQ(keyOf(*reversed, below), 2);
}

TEST_F(Sonification, InvertedOrNonFiniteRangesAreNotWellFormed) {
    for (auto [lo, hi] : {std::pair{10.0, 0.0}, std::pair{1.0, 0.999}, std::pair<double, double>{NAN, 1.0},
                          std::pair<double, double>{0.0, NAN}, std::pair<double, double>{NAN, NAN},
                          std::pair<double, double>{0.0, INFINITY}, std::pair<double, double>{-INFINITY, 0.0},
                          std::pair<double, double>{-INFINITY, INFINITY}}) {
        auto m = mapper(lo, hi);
        EXPECT_FALSE(m->isWellFormed()) << lo << " " << hi;
        EXPECT_FALSE(m->getBreakpoints());
        EXPECT_FALSE(m->getTones());
        for (double v : {lo, hi, 0.0, 5.0, -1.0, static_cast<double>(INFINITY)}) {
            if (std::isnan(v)) continue;
            EXPECT_FALSE(m->map(v)) << lo << " " << hi << " " << v;
        }
        EXPECT_TRUE(isMissingTone(m->map(NAN)));
    }
}
