#include <gtest/gtest.h>

#include "sketch_geometry.h"

using shaftline::SectionArray;
using shaftline::SettledSketch;
using shaftline::SketchPass;
using shaftline::SketchRect;

namespace {

struct Section {
    double coord = 0;         ///< mm, right end
    double diameter = 0;      ///< mm
    double discDiameter = 0;  ///< mm
    double discThickness = 0; ///< mm
};

SectionArray Sections(std::initializer_list<Section> rows) {
    SectionArray a{};
    int k = 1;
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

TEST(SketchGeometry, OneSectionSettlesToTwiceItsLowerHalfHeight) {
    const SectionArray s = Sections({{1000, 500, 0, 0}});
    const auto d = SettledSketch(s, 1, 20.0 / 50.0, 449);
    EXPECT_EQ(d.width, 800);
    EXPECT_EQ(d.height, 400);
    ASSERT_EQ(d.pieces.size(), 1u);
    EXPECT_EQ(d.pieces[0].shaft, (SketchRect{0, 0, 800, 400}));
}
