#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "param_names.h"
#include "rotor.h"

namespace shaftline {
namespace {

TEST(RotorModel, FreshRotorIsEmptyWithBothFactorTables) {
    TRotor rotor;
    EXPECT_EQ(rotor.GetSectionCount(), 0);
    EXPECT_EQ(rotor.GetLeftJournalAngle(), 0);
    EXPECT_EQ(rotor.GetRightJournalAngle(), 0);
    EXPECT_EQ(rotor.GetCouplingBreak(), 0);
    EXPECT_FALSE(rotor.GetBaseRotor());
    EXPECT_FALSE(rotor.GetEvenPosition());
    EXPECT_FALSE(rotor.GetShrunkOnDiscs());

    SectionArray copy;
    copy.fill(TRotorSection{.Coord = 99});
    rotor.GetSections(copy);
    for (const TRotorSection& s : copy) {
        EXPECT_EQ(s.Coord, 0);
        EXPECT_EQ(s.Deflection, 0);
        EXPECT_EQ(s.LineOffset, 0);
    }
    EXPECT_EQ(rotor.GetShrunkDiscTable()[0].Ratio, 0.75);
    EXPECT_EQ(rotor.GetShrunkDiscTable()[8].Factor, 0.26);
    EXPECT_EQ(rotor.GetSolidForgedTable()[10].Ratio, 1.0);
    EXPECT_EQ(rotor.GetSolidForgedTable()[10].Factor, 0.27);
}

TEST(RotorModel, SettersFillTheNamedFieldOfTheRecord) {
    TRotor rotor;
    rotor.SetSectionCount(2);
    rotor.SetCoord(2, 100);
    rotor.SetDiscDiameter(2, 500);
    rotor.SetDiameter(2, 200);
    rotor.SetDiscThickness(2, 40);
    rotor.SetInnerDiameter(2, 50);
    rotor.SetYoung(2, 2.1e5);
    rotor.SetBladeMass(2, 1.5);
    rotor.SetBladeCount(2, 60);
    rotor.SetLineOffset(0, -0.25);
    SectionArray s;
    rotor.GetSections(s);
    EXPECT_EQ(s[2].Coord, 100);
    EXPECT_EQ(s[2].DiscDiameter, 500);
    EXPECT_EQ(s[2].Diameter, 200);
    EXPECT_EQ(s[2].DiscThickness, 40);
    EXPECT_EQ(s[2].InnerDiameter, 50);
    EXPECT_EQ(s[2].Young, 2.1e5);
    EXPECT_EQ(s[2].BladeMass, 1.5);
    EXPECT_EQ(s[2].BladeCount, 60);
    EXPECT_EQ(s[0].LineOffset, -0.25);
    EXPECT_EQ(s[1].Diameter, 0);
    EXPECT_EQ(s[3].Coord, 0);
}

struct FactorCase {
    bool shrunk;
    double ratio;
    double factor;
};

void PrintTo(const FactorCase& c, std::ostream* os) {
    *os << (c.shrunk ? "shrunk-on discs" : "solid-forged") << ", ratio " << c.ratio << " -> "
        << c.factor;
}

class TableFactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(TableFactorTest, NearestTabulatedRatioWithTiesToTheLargerOne) {
    TRotor rotor;
    EXPECT_EQ(rotor.TableFactor(GetParam().shrunk, GetParam().ratio), GetParam().factor);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableFactorTest,
    ::testing::Values(FactorCase{true, 0.5, 1.0},     // below the table: no stiffening
                      FactorCase{true, 0.0, 1.0},     // no disc
                      FactorCase{true, 0.75, 1.0},    // first row itself
                      FactorCase{true, 0.87, 1.0},    // nearer to 0.75
                      FactorCase{true, 0.875, 0.95},  // tie between 0.75 and 1.0
                      FactorCase{true, 1.25, 0.82},   // tie between 1.0 and 1.5
                      FactorCase{true, 3.0, 0.40}, FactorCase{true, 4.4, 0.26},
                      FactorCase{true, 9.0, 0.26},  // beyond the table: last row
                      FactorCase{false, 0.0, 1.0},
                      FactorCase{false, 0.5, 0.43},  // no below-range shortcut here
                      FactorCase{false, 0.04, 1.0}, FactorCase{false, 0.05, 0.92},  // tie
                      FactorCase{false, 0.74, 0.32}, FactorCase{false, 2.5, 0.27}),
    [](const auto& info) {
        return std::string(info.param.shrunk ? "shrunk_" : "solid_") +
               testing::NumberName(info.param.ratio);
    });

TEST(RotorModel, TableFactorNeverInterpolates) {
    TRotor rotor;
    std::set<double> shrunk, solid;
    for (const auto& row : rotor.GetShrunkDiscTable()) shrunk.insert(row.Factor);
    for (const auto& row : rotor.GetSolidForgedTable()) solid.insert(row.Factor);
    for (double ratio = 0; ratio < 6; ratio += 0.013) {
        EXPECT_TRUE(shrunk.count(rotor.TableFactor(true, ratio))) << ratio;
        EXPECT_TRUE(solid.count(rotor.TableFactor(false, ratio))) << ratio;
    }
}

}  // namespace
}  // namespace shaftline
