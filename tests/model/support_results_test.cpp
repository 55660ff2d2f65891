#include "support_results.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart_points.h"
#include "rotor_builders.h"

namespace shaftline {
namespace {

// Rises 0 except for the condenser terms, which carry `left` and `right` unchanged.
SupportData Terms(double left, double right) {
    SupportData d{};
    for (int c : {1, 3, 5, 10, 12, 14}) d[c] = 20;
    d[6] = left;
    d[15] = right;
    return d;
}

SupportData WarmSupports() {
    return {9000, 45, 800, 60, 600, 50, -0.35, -0.2, 0.12, 9000, 40, 800, 55, 600, 48, 0, 0, 0.1};
}

struct HostileSupport {
    const char* name;
    SupportData data;
    const char* message;
};

void PrintTo(const HostileSupport& c, std::ostream* os) {
    *os << c.name;
}

SupportData ThreeHugeTerms() {
    SupportData d = WarmSupports();
    d[6] = d[7] = d[8] = 1e308;
    return d;
}

SupportData HugeHeightsAndTemperatures() {
    SupportData d = WarmSupports();
    for (int c = 9; c < 15; ++c) d[c] = 1e300;
    return d;
}

class HostileSupportTest : public ::testing::TestWithParam<HostileSupport> {};

TEST_P(HostileSupportTest, RefusedNamingRotorAndSupportAndKeepsThePreviousRises) {
    RotorArray rotors = testing::ShaftLine(3);
    ASSERT_TRUE(RunCalculation(rotors, 3).empty());
    ASSERT_TRUE(ApplyCheckedSupportRises(*rotors[3], 3, WarmSupports()).empty());
    const double left = rotors[3]->LeftSupportRise, right = rotors[3]->RightSupportRise;

    const auto problems = ApplyCheckedSupportRises(*rotors[3], 3, GetParam().data);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rotor, 3);
    EXPECT_EQ(problems[0].message.rfind(GetParam().message, 0), 0u) << problems[0].message;
    EXPECT_EQ(rotors[3]->LeftSupportRise, left);
    EXPECT_EQ(rotors[3]->RightSupportRise, right);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileSupportTest,
    ::testing::Values(
        HostileSupport{"three_terms_of_1e308", ThreeHugeTerms(),
                       "Ротор 3, левая опора: подъём опоры не является конечным числом"},
        HostileSupport{"heights_and_temperatures_of_1e300", HugeHeightsAndTemperatures(),
                       "Ротор 3, правая опора: подъём опоры не является конечным числом"},
        HostileSupport{"finite_rises_too_far_apart", Terms(1e308, -1e308),
                       "Ротор 3, левая и правая опоры: упругая линия в монтажном состоянии"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SupportValues, FiniteRisesPassAndReachTheAssemblyLine) {
    auto rotor = testing::TurbineRotor();
    rotor->CalcDeflection();
    ASSERT_TRUE(ApplyCheckedSupportRises(*rotor, 1, Terms(1e300, 1e300)).empty());
    EXPECT_EQ(rotor->LeftSupportRise, 1e300);
    EXPECT_EQ(*AssemblyHeight(*rotor, 0), -1e300);
}

TEST(SupportValues, AlignmentIsAllOrNothing) {
    RotorArray rotors = testing::ShaftLine(3);
    ASSERT_TRUE(RunCalculation(rotors, 3).empty());
    const TRotor* second = rotors[2].get();
    std::vector<SupportData> supports(3, WarmSupports());
    supports[2] = ThreeHugeTerms();
    supports[0] = HugeHeightsAndTemperatures();
    const auto problems = AlignWithSupportRises(rotors, 3, 2, supports);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].rotor, 1);
    EXPECT_EQ(problems[1].rotor, 3);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(rotors[k]->LeftSupportRise, 0) << k;
        EXPECT_EQ(rotors[k]->GetOwnLeftAngle(), 0) << k;
        for (const TRotorSection& s : rotors[k]->SectionsView()) EXPECT_EQ(s.LineOffset, 0) << k;
    }

    // Mended, the same call aligns as the alignment and the rises do one after the other, in
    // the same records.
    supports.assign(3, WarmSupports());
    RotorArray expected;
    for (int k = 1; k <= 3; ++k) expected[k] = std::make_unique<TRotor>(*rotors[k]);
    AlignShaftLine(expected, 3, 2);
    for (int k = 1; k <= 3; ++k) ApplySupportRises(*expected[k], supports[k - 1]);
    ASSERT_TRUE(AlignWithSupportRises(rotors, 3, 2, supports).empty());
    EXPECT_EQ(rotors[2].get(), second);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(rotors[k]->LeftSupportRise, expected[k]->LeftSupportRise);
        EXPECT_EQ(rotors[k]->GetLeftJournalAngle(), expected[k]->GetLeftJournalAngle());
        EXPECT_EQ(rotors[k]->SectionsView()[1].LineOffset,
                  expected[k]->SectionsView()[1].LineOffset);
    }
}

TEST(SupportValues, WithoutABaseOnlyTheRisesAreStored) {
    RotorArray rotors = testing::ShaftLine(2);
    ASSERT_TRUE(RunCalculation(rotors, 2).empty());
    const double angle = rotors[2]->GetLeftJournalAngle();
    ASSERT_TRUE(AlignWithSupportRises(rotors, 2, std::nullopt, {Terms(1, 2), Terms(3, 4)}).empty());
    EXPECT_EQ(rotors[2]->LeftSupportRise, 3);
    EXPECT_EQ(rotors[2]->GetLeftJournalAngle(), angle);
    EXPECT_EQ(rotors[1]->SectionsView()[1].LineOffset, 0);
}

}  // namespace
}  // namespace shaftline
