#include "sketch_geometry.h"

#include <gtest/gtest.h>

#include <limits>

using shaftline::SectionArray;
using shaftline::SettledSketch;
using shaftline::SketchPass;
using shaftline::SketchRect;

namespace {

struct Section {
    double coord = 0;          ///< mm, right end
    double diameter = 0;       ///< mm
    double discDiameter = 0;   ///< mm
    double discThickness = 0;  ///< mm
};

SectionArray Sections(std::initializer_list<Section> rows) {
    SectionArray a{};
    std::size_t k = 1;
    for (const Section& r : rows) {
        a[k].Coord = r.coord;
        a[k].Diameter = r.diameter;
        a[k].DiscDiameter = r.discDiameter;
        a[k].DiscThickness = r.discThickness;
        ++k;
    }
    return a;
}

}  // namespace

namespace shaftline {
void PrintTo(const SketchRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
}  // namespace shaftline

// One pass at a given paint height: every edge of the first piece.
struct PassCase {
    const char* name;
    Section section;
    double scale;
    int paintHeight;
    SketchRect shaft;
    SketchRect disc;
};

void PrintTo(const PassCase& c, std::ostream* os) {
    *os << c.name;
}

class SketchPassTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(SketchPassTest, GivesTheRectanglesOfTheSection) {
    const PassCase& c = GetParam();
    const auto d = SketchPass(Sections({c.section}), 1, c.scale, c.paintHeight);
    ASSERT_EQ(d.pieces.size(), 1u);
    EXPECT_EQ(d.pieces[0].shaft, c.shaft);
    EXPECT_EQ(d.pieces[0].disc, c.disc);
    EXPECT_EQ(d.width, c.shaft.right);
    EXPECT_EQ(d.height, std::max({0, c.shaft.bottom, c.disc.bottom}));
}

INSTANTIATE_TEST_SUITE_P(
    Sketch, SketchPassTest,
    ::testing::Values(
        // Centre line at 449 / 2 = 224.
        PassCase{
            "plain_shaft", {1000, 500, 0, 0}, 0.4, 449, {0, 24, 800, 424}, {400, 224, 400, 224}},
        PassCase{"disc_centred_on_its_piece",
                 {1000, 500, 800, 100},
                 0.4,
                 640,
                 {0, 120, 800, 520},
                 {360, 0, 440, 640}},
        // 2.5 rounds to 2 below and truncates to 2 above; 3.5 rounds to 4 below, 3 above.
        PassCase{
            "half_rounds_to_even_below", {10, 5, 7, 0}, 0.5, 20, {0, 8, 10, 12}, {5, 7, 5, 14}},
        // Length 2.7 scaled keeps 2 before doubling; the width is even.
        PassCase{"length_truncated_before_doubling",
                 {5.4, 2, 0, 0},
                 0.5,
                 10,
                 {0, 4, 4, 6},
                 {2, 5, 2, 5}},
        PassCase{"thickness_truncated_before_doubling",
                 {100, 10, 20, 3},
                 0.5,
                 40,
                 {0, 15, 100, 25},
                 {49, 10, 51, 30}},
        // A tall shaft on a small area reaches above the top row.
        PassCase{
            "above_the_top_row", {10, 300, 0, 0}, 1.0, 100, {0, -250, 20, 350}, {10, 50, 10, 50}},
        PassCase{"largest_scale", {100, 40, 0, 0}, 1.0, 80, {0, 0, 200, 80}, {100, 40, 100, 40}},
        PassCase{"smallest_scale", {1000, 500, 0, 0}, 0.02, 20, {0, 0, 40, 20}, {20, 10, 20, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SketchGeometry, OneSectionSettlesToTwiceItsLowerHalfHeight) {
    const SectionArray s = Sections({{1000, 500, 0, 0}});
    const auto d = SettledSketch(s, 1, 20.0 / 50.0, 449);
    EXPECT_EQ(d.width, 800);
    EXPECT_EQ(d.height, 400);
    ASSERT_EQ(d.pieces.size(), 1u);
    EXPECT_EQ(d.pieces[0].shaft, (SketchRect{0, 0, 800, 400}));
}

TEST(SketchGeometry, SettlingReachesTwiceTheLargestLowerHalfWithinAPixel) {
    const SectionArray s = Sections({{1000, 500, 0, 0}, {1500, 300, 800, 100}});
    // The largest lower half-height is the disc's near(800 × 0.4) = 320. From above the height
    // settles on 640; from below on 639, where half the height is 319 and the disc's top row
    // lies one pixel above the area.
    for (int start : {640, 641, 5000, 1 << 24}) {
        const auto d = SettledSketch(s, 2, 0.4, start);
        EXPECT_EQ(d.height, 640) << "from " << start;
        EXPECT_EQ(d.pieces[1].disc, (SketchRect{960, 0, 1040, 640})) << "from " << start;
    }
    for (int start : {0, 1, 449, 639}) {
        const auto d = SettledSketch(s, 2, 0.4, start);
        EXPECT_EQ(d.height, 639) << "from " << start;
        EXPECT_EQ(d.pieces[1].disc, (SketchRect{960, -1, 1040, 639})) << "from " << start;
    }
}

TEST(SketchGeometry, SettlingIsBounded) {
    const SectionArray s = Sections({{1000, 500, 0, 0}});
    // One pass from 449 leaves 424 and stops there when no more passes are allowed.
    EXPECT_EQ(SettledSketch(s, 1, 0.4, 449, 1).height, 424);
    EXPECT_EQ(SettledSketch(s, 1, 0.4, 449, 2).height, 412);
}

TEST(SketchGeometry, OddLowerHalfSettlesWithTheCentreInTheMiddle) {
    // near(0.4 × 503) = near(201.2) = 201; trunc gives 201 above.
    const auto d = SettledSketch(Sections({{100, 503, 0, 0}}), 1, 0.4, 449);
    EXPECT_EQ(d.height, 402);
    EXPECT_EQ(d.pieces[0].shaft, (SketchRect{0, 0, 80, 402}));
}

TEST(SketchGeometry, ScaleOfPositionFiftyDoublesPositionTwentyFive) {
    const SectionArray s = Sections({{1000, 500, 600, 50}});
    const auto half = SettledSketch(s, 1, 25.0 / 50.0, 5000);
    const auto full = SettledSketch(s, 1, 50.0 / 50.0, 5000);
    EXPECT_EQ(full.width, 2 * half.width);
    EXPECT_EQ(full.height, 2 * half.height);
    EXPECT_EQ(full.pieces[0].disc.right - full.pieces[0].disc.left,
              2 * (half.pieces[0].disc.right - half.pieces[0].disc.left));
}

TEST(SketchGeometry, PiecesLieEdgeToEdge) {
    const SectionArray s =
        Sections({{120, 200, 0, 0}, {300, 250, 700, 60}, {301, 100, 0, 0}, {900, 180, 0, 0}});
    const auto d = SketchPass(s, 4, 0.4, 400);
    ASSERT_EQ(d.pieces.size(), 4u);
    EXPECT_EQ(d.pieces[0].shaft.left, 0);
    for (std::size_t k = 1; k < d.pieces.size(); ++k)
        EXPECT_EQ(d.pieces[k].shaft.left, d.pieces[k - 1].shaft.right) << "piece " << k;
    // 2 × trunc(48) + 2 × trunc(72) + 2 × trunc(0.4) + 2 × trunc(239.6)
    EXPECT_EQ(d.width, 96 + 144 + 0 + 478);
}

TEST(SketchGeometry, NoSectionsDrawNothingAndShrinkTheArea) {
    const auto d = SettledSketch(Sections({{1000, 500, 0, 0}}), 0, 0.4, 449);
    EXPECT_TRUE(d.pieces.empty());
    EXPECT_EQ(d.width, 0);
    EXPECT_EQ(d.height, 0);
}

TEST(SketchGeometry, SectionCountIsKeptWithinTheRecords) {
    SectionArray s{};
    for (std::size_t k = 1; k < s.size(); ++k) {
        s[k].Coord = 10.0 * static_cast<double>(k);
        s[k].Diameter = 10;
    }
    EXPECT_EQ(SketchPass(s, 500, 0.5, 10).pieces.size(), 50u);
    EXPECT_TRUE(SketchPass(s, -3, 0.5, 10).pieces.empty());
}

TEST(SketchGeometry, BackwardSectionGivesNegativeWidthWithoutFailing) {
    const auto d = SketchPass(Sections({{100, 10, 0, 0}, {50, 10, 40, 10}}), 2, 1.0, 20);
    EXPECT_EQ(d.pieces[1].shaft, (SketchRect{200, 0, 100, 20}));
    // The disc sits at the middle of the piece's absolute width, counted from its left edge.
    EXPECT_EQ(d.pieces[1].disc, (SketchRect{240, -30, 260, 50}));
    EXPECT_EQ(d.width, 100);
}

TEST(SketchGeometry, AbsurdSizesStayWithinPixelLimits) {
    const double huge = std::numeric_limits<double>::max();
    const SectionArray s = Sections(
        {{huge, huge, huge, huge}, {std::numeric_limits<double>::quiet_NaN(), -huge, 0, 0}});
    const auto d = SettledSketch(s, 2, 1.0, std::numeric_limits<int>::max());
    ASSERT_EQ(d.pieces.size(), 2u);
    for (const auto& piece : d.pieces) {
        for (int v : {piece.shaft.left, piece.shaft.top, piece.shaft.right, piece.shaft.bottom}) {
            EXPECT_LE(std::abs(v), 1 << 26);
        }
    }
    EXPECT_GT(d.height, 0);
}
