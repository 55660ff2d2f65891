#include "chart_points.h"

#include <gtest/gtest.h>

#include "rotor_builders.h"

namespace shaftline {
namespace {

RotorArray Solved(int count) {
    RotorArray rotors = testing::ShaftLine(count);
    EXPECT_TRUE(RunCalculation(rotors, count).empty());
    return rotors;
}

double LastCoord(const TRotor& r) {
    return r.SectionsView()[r.GetSectionCount()].Coord;
}

TEST(ChartPoints, OneRotorGivesItsSectionsFromZero) {
    RotorArray rotors = Solved(1);
    const auto nominal = NominalChartPoints(rotors, 1);
    ASSERT_EQ(nominal.size(), 1u);
    EXPECT_EQ(nominal[0].series, 0);
    EXPECT_EQ(nominal[0].rotor, 1);
    const int n = rotors[1]->GetSectionCount();
    ASSERT_EQ(nominal[0].points.size(), static_cast<std::size_t>(n + 1));
    EXPECT_EQ(nominal[0].points.front().first, 0);
    EXPECT_EQ(nominal[0].points.back().first, LastCoord(*rotors[1]));
    EXPECT_EQ(nominal[0].points[2].second, rotors[1]->SectionsView()[2].Deflection);
}

TEST(ChartPoints, EvenRotorsShiftButAreNotDrawn) {
    RotorArray rotors = Solved(3);
    const auto nominal = NominalChartPoints(rotors, 3);
    ASSERT_EQ(nominal.size(), 2u);
    EXPECT_EQ(nominal[1].series, 2);
    EXPECT_EQ(nominal[1].rotor, 3);
    EXPECT_DOUBLE_EQ(nominal[1].points.front().first,
                     LastCoord(*rotors[1]) + LastCoord(*rotors[2]));
}

TEST(ChartPoints, EmptyEntriesAreSkippedWithoutShift) {
    RotorArray rotors = Solved(3);
    rotors[2].reset();
    const auto nominal = NominalChartPoints(rotors, 3);
    ASSERT_EQ(nominal.size(), 2u);
    EXPECT_DOUBLE_EQ(nominal[1].points.front().first, LastCoord(*rotors[1]));
}

TEST(ChartPoints, NineteenRotorsAndNeverPastTheLastEntry) {
    RotorArray rotors = Solved(19);
    const auto nominal = NominalChartPoints(rotors, 25);
    ASSERT_EQ(nominal.size(), 10u);
    EXPECT_EQ(nominal.back().series, 18);
    EXPECT_EQ(AssemblyChartPoints(rotors, 25).size(), 10u);
}

TEST(ChartPoints, AssemblyLineTakesAwayTheStraightLineBetweenTheRises) {
    RotorArray rotors = Solved(3);
    AlignShaftLine(rotors, 3, 2);
    rotors[1]->SetLeftSupportRise(0.4);
    rotors[1]->SetRightSupportRise(0.4);
    rotors[3]->SetLeftSupportRise(1.0);
    rotors[3]->SetRightSupportRise(0.0);
    const auto nominal = NominalChartPoints(rotors, 3);
    const auto assembly = AssemblyChartPoints(rotors, 3);
    ASSERT_EQ(assembly.size(), 2u);
    for (std::size_t j = 0; j < nominal[0].points.size(); ++j) {
        EXPECT_EQ(assembly[0].points[j].first, nominal[0].points[j].first);
        EXPECT_DOUBLE_EQ(assembly[0].points[j].second, nominal[0].points[j].second - 0.4);
    }
    // Rotor 3 tips from 1.0 at its left support down to 0 at its right support.
    EXPECT_DOUBLE_EQ(assembly[1].points.front().second, nominal[1].points.front().second - 1.0);
    EXPECT_DOUBLE_EQ(assembly[1].points.back().second, nominal[1].points.back().second);
}

TEST(ChartPoints, RotorOfZeroLengthGivesNoAssemblyPoints) {
    RotorArray rotors;
    rotors[1] = std::make_unique<TRotor>();
    rotors[1]->SetSectionCount(1);
    const auto assembly = AssemblyChartPoints(rotors, 1);
    ASSERT_EQ(assembly.size(), 1u);
    EXPECT_TRUE(assembly[0].points.empty());
    EXPECT_EQ(NominalChartPoints(rotors, 1)[0].points.size(), 2u);
}

}  // namespace
}  // namespace shaftline
