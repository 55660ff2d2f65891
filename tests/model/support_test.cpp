#include "support.h"

#include <gtest/gtest.h>

#include <cmath>

#include "rotor_builders.h"

namespace shaftline {
namespace {

SupportData Left(std::initializer_list<double> nine) {
    SupportData d{};
    int i = 0;
    for (double v : nine) d[i++] = v;
    for (int c = 9; c < 18; ++c) d[c] = 0;
    return d;
}

struct RiseCase {
    const char* name;
    SupportData data;
    double left;
};

void PrintTo(const RiseCase& c, std::ostream* os) {
    *os << c.name;
}

class SupportRiseTest : public ::testing::TestWithParam<RiseCase> {};

TEST_P(SupportRiseTest, LeftRise) {
    EXPECT_NEAR(CalcSupportRises(GetParam().data).left, GetParam().left, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SupportRiseTest,
    ::testing::Values(RiseCase{"all_zero", Left({0, 0, 0, 0, 0, 0, 0, 0, 0}), -0.0},
                      RiseCase{"reference_temperatures",
                               Left({8000, 20, 1500, 20, 900, 20, 0.1, -0.05, 0.02}), 0.07},
                      RiseCase{"foundation_only", Left({10000, 45, 0, 0, 0, 0, 0, 0, 0}), 3.0},
                      RiseCase{"cold_foundation_sinks", Left({10000, 10, 0, 20, 0, 20, 0, 0, 0}),
                               -1.2},
                      RiseCase{"every_term", Left({9000, 35, 1200, 60, 800, 70, 0.15, -0.1, 0.05}),
                               9000 * 1.2e-5 * 15 + 1200 * 1.1e-5 * 40 + 800 * 1.1e-5 * 50 + 0.1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SupportRise, RightSupportReadsColumnsNineToSeventeen) {
    SupportData d{};
    d[9] = 10000;
    d[10] = 45;
    d[15] = 0.5;
    const SupportRises r = CalcSupportRises(d);
    EXPECT_EQ(r.left, 0);
    EXPECT_NEAR(r.right, 3.5, 1e-12);
    TRotor rotor;
    ApplySupportRises(rotor, d);
    EXPECT_EQ(rotor.LeftSupportRise, 0);
    EXPECT_NEAR(rotor.RightSupportRise, 3.5, 1e-12);
}

TEST(AssemblyTilt, DefinedOnlyForARealLengthAndASmallerRiseDifference) {
    EXPECT_DOUBLE_EQ(*AssemblyTilt(1.0, 0.5, 5000), std::asin(0.0001));
    EXPECT_DOUBLE_EQ(*AssemblyTilt(0.5, 1.0, 5000), std::asin(0.0001));
    EXPECT_EQ(*AssemblyTilt(0.3, 0.3, 5000), 0);
    EXPECT_FALSE(AssemblyTilt(1, 0, 0).has_value());
    EXPECT_FALSE(AssemblyTilt(10, 0, 5).has_value());
    EXPECT_DOUBLE_EQ(*AssemblyTilt(5, 0, 5), std::asin(1.0));
}

class SupportStatesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rotor = testing::MakeRotor({{2500, 400}, {5000, 400}});
        rotor->CalcDeflection();
        rotor->SetLineOffset(0, 0.2);
        rotor->SetLineOffset(2, 0.7);
        rotor->SetOwnLeftAngle(-1e-4);
        rotor->SetOwnRightAngle(1e-4);
    }
    std::unique_ptr<TRotor> rotor;
};

TEST_F(SupportStatesTest, LeftRiseAboveRightTurnsBothAnglesUp) {
    const SupportStates s = ComputeSupportStates(*rotor, {1.0, 0.5});
    const double tilt = std::asin(0.0001);
    EXPECT_DOUBLE_EQ(*s.assemblyLeftAngle, rotor->GetLeftJournalAngle() + tilt);
    EXPECT_DOUBLE_EQ(*s.assemblyRightAngle, rotor->GetRightJournalAngle() + tilt);
    EXPECT_DOUBLE_EQ(s.assemblyLeftElevation, 0.2 - 1.0);
    EXPECT_DOUBLE_EQ(s.assemblyRightElevation, 0.7 - 0.5);
    EXPECT_EQ(s.nominalLeftElevation, 0.2);
    EXPECT_EQ(s.nominalRightElevation, 0.7);
    EXPECT_EQ(s.ownLeftAngle, -1e-4);
    EXPECT_EQ(s.ownRightAngle, 1e-4);
}

TEST_F(SupportStatesTest, SwappedRisesTurnBothAnglesDownAndEqualRisesNotAtAll) {
    const SupportStates down = ComputeSupportStates(*rotor, {0.5, 1.0});
    EXPECT_DOUBLE_EQ(*down.assemblyLeftAngle, rotor->GetLeftJournalAngle() - std::asin(0.0001));
    const SupportStates level = ComputeSupportStates(*rotor, {0.4, 0.4});
    EXPECT_EQ(*level.assemblyLeftAngle, rotor->GetLeftJournalAngle());
    EXPECT_EQ(*level.assemblyRightAngle, rotor->GetRightJournalAngle());
}

TEST_F(SupportStatesTest, UndefinedTiltLeavesTheAssemblyAnglesWithoutValue) {
    const SupportStates s = ComputeSupportStates(*rotor, {6000, 0});
    EXPECT_FALSE(s.assemblyTilt.has_value());
    EXPECT_FALSE(s.assemblyLeftAngle.has_value());
    EXPECT_FALSE(s.assemblyRightAngle.has_value());
    EXPECT_DOUBLE_EQ(s.assemblyLeftElevation, 0.2 - 6000);
}

}  // namespace
}  // namespace shaftline
