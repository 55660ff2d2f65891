#include "shaft_line.h"

#include <gtest/gtest.h>

#include <cmath>

#include "rotor_builders.h"

namespace shaftline {
namespace {

using testing::MakeRotor;
using testing::ShaftLine;

RotorArray SolvedLine(int count) {
    RotorArray rotors = ShaftLine(count);
    EXPECT_TRUE(RunCalculation(rotors, count).empty());
    return rotors;
}

TEST(CalculationRun, FlagsEvenPositionsSolvesAndDerivesTheBreaks) {
    RotorArray rotors = SolvedLine(3);
    EXPECT_FALSE(rotors[1]->GetEvenPosition());
    EXPECT_TRUE(rotors[2]->GetEvenPosition());
    EXPECT_FALSE(rotors[3]->GetEvenPosition());
    EXPECT_EQ(rotors[1]->GetCouplingBreak(), 0);
    EXPECT_EQ(rotors[2]->GetCouplingBreak(),
              rotors[1]->GetRightJournalAngle() - rotors[2]->GetLeftJournalAngle());
    EXPECT_EQ(rotors[3]->GetCouplingBreak(),
              rotors[2]->GetRightJournalAngle() - rotors[3]->GetLeftJournalAngle());
    EXPECT_LT(rotors[1]->GetLeftJournalAngle(), 0);
    EXPECT_GT(rotors[1]->GetRightJournalAngle(), 0);
    EXPECT_EQ(rotors[2]->SectionsView()[1].Deflection, 0);  // weightless coupling piece
}

TEST(CalculationRun, EntriesAboveTheCountAreNotVisited) {
    RotorArray rotors = ShaftLine(5);
    TRotor* fourth = rotors[4].get();
    ASSERT_TRUE(RunCalculation(rotors, 3).empty());
    EXPECT_EQ(rotors[4].get(), fourth);
    EXPECT_FALSE(rotors[4]->GetEvenPosition());
}

std::string AllMessages(const std::vector<RotorProblem>& problems) {
    std::string all;
    for (const auto& p : problems) all += p.message + "\n";
    return all;
}

TEST(CalculationRun, RefusesBadInputWithEveryProblemAndChangesNothing) {
    RotorArray rotors = ShaftLine(3);
    rotors[1]->SetDiameter(2, 0);
    rotors[3]->SetYoung(4, -1);
    rotors[3]->SetInnerDiameter(1, 400);
    const std::vector<RotorProblem> problems = RunCalculation(rotors, 3);
    ASSERT_EQ(problems.size(), 3u) << AllMessages(problems);
    EXPECT_EQ(problems[0].rotor, 1);
    EXPECT_EQ(problems[0].section, 2);
    EXPECT_EQ(problems[0].message, "Ротор 1, участок 2: диаметр вала должен быть больше нуля");
    EXPECT_EQ(problems[1].rotor, 3);
    EXPECT_EQ(problems[1].section, 1);
    EXPECT_EQ(problems[2].message, "Ротор 3, участок 4: модуль Юнга должен быть больше нуля");
    for (int k = 1; k <= 3; ++k) {
        EXPECT_FALSE(rotors[k]->GetEvenPosition());
        EXPECT_EQ(rotors[k]->SectionsView()[1].Mass, 0);
        EXPECT_EQ(rotors[k]->GetLeftJournalAngle(), 0);
    }
}

struct GeometryCase {
    const char* name;
    std::vector<testing::SectionInput> sections;
    int section;
    const char* message;
};

void PrintTo(const GeometryCase& c, std::ostream* os) {
    *os << c.name;
}

class GeometryValidation : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(GeometryValidation, NamesRotorAndSection) {
    RotorArray rotors;
    rotors[1] = MakeRotor(GetParam().sections);
    const auto problems = RunCalculation(rotors, 1);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].section, GetParam().section);
    EXPECT_EQ(problems[0].message, GetParam().message) << AllMessages(problems);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeometryValidation,
    ::testing::Values(
        GeometryCase{"decreasing",
                     {{500, 100}, {400, 100}, {900, 100}},
                     2,
                     "Ротор 1, участок 2: координата меньше координаты предыдущего участка"},
        GeometryCase{"negative_first",
                     {{-10, 100}, {400, 100}},
                     1,
                     "Ротор 1, участок 1: координата меньше координаты предыдущего участка"},
        GeometryCase{"first_zero",
                     {{0, 100}, {400, 100}},
                     1,
                     "Ротор 1, участок 1: первый участок имеет нулевую длину"},
        GeometryCase{"last_two_equal",
                     {{300, 100}, {600, 100}, {600, 100}},
                     3,
                     "Ротор 1, участок 3: координаты двух последних участков совпадают"},
        GeometryCase{"bore_too_large",
                     {{300, 100, 100}},
                     1,
                     "Ротор 1, участок 1: внутренний диаметр должен быть не меньше нуля и меньше "
                     "диаметра вала"}),
    [](const auto& info) { return std::string(info.param.name); });

// Inputs whose magnitudes the calculation cannot carry are refused with that reason, never with
// the angle message the overflow would otherwise bring.
struct MagnitudeCase {
    const char* name;
    testing::SectionInput section;
    const char* message;
};

void PrintTo(const MagnitudeCase& c, std::ostream* os) {
    *os << c.name;
}

class MagnitudeValidation : public ::testing::TestWithParam<MagnitudeCase> {};

TEST_P(MagnitudeValidation, RefusesBeforeSolving) {
    RotorArray rotors;
    testing::SectionInput last = GetParam().section;
    rotors[1] = MakeRotor({{100, 200}, last});
    const auto problems = RunCalculation(rotors, 1);
    ASSERT_EQ(problems.size(), 1u) << AllMessages(problems);
    EXPECT_EQ(problems[0].section, 2);
    EXPECT_EQ(problems[0].message, std::string("Ротор 1, участок 2: ") + GetParam().message);
    EXPECT_EQ(rotors[1]->SectionsView()[1].Mass, 0) << "nothing solved";
}

constexpr const char* kLengthRange = "вне допустимого диапазона от 10⁻⁶ до 10⁶ мм";

INSTANTIATE_TEST_SUITE_P(
    Cases, MagnitudeValidation,
    ::testing::Values(MagnitudeCase{"diameter_whose_fourth_power_overflows",
                                    {300, 1e77},
                                    "диаметр вала вне допустимого диапазона от 10⁻⁶ до 10⁶ мм"},
                      MagnitudeCase{"diameter_just_above",
                                    {300, 1.000001e6},
                                    "диаметр вала вне допустимого диапазона от 10⁻⁶ до 10⁶ мм"},
                      MagnitudeCase{"diameter_underflowing",
                                    {300, 1e-80},
                                    "диаметр вала вне допустимого диапазона от 10⁻⁶ до 10⁶ мм"},
                      MagnitudeCase{"coordinate_too_far",
                                    {2e6, 200},
                                    "координата вне допустимого диапазона от 10⁻⁶ до 10⁶ мм"},
                      MagnitudeCase{"young_below_one",
                                    {300, 200, 0, 0, 0, 0.5},
                                    "модуль Юнга вне допустимого диапазона от 1 до 10⁸ кгс/мм²"},
                      MagnitudeCase{"young_above_1e8",
                                    {300, 200, 0, 0, 0, 2e8},
                                    "модуль Юнга вне допустимого диапазона от 1 до 10⁸ кгс/мм²"},
                      MagnitudeCase{"disc_diameter",
                                    {300, 200, 0, -2e6, 10},
                                    "диаметр диска по модулю больше допустимых 10⁶ мм"},
                      MagnitudeCase{"disc_thickness",
                                    {300, 200, 0, 500, 1e300},
                                    "толщина диска по модулю больше допустимых 10⁶ мм"},
                      MagnitudeCase{"blade_mass",
                                    {300, 200, 0, 500, 50, 2.1e4, 1e300, 10},
                                    "масса лопатки по модулю больше допустимых 10⁶ кг"},
                      MagnitudeCase{"blade_count",
                                    {300, 200, 0, 500, 50, 2.1e4, 1, -1e7},
                                    "число лопаток по модулю больше допустимых 10⁶"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculationRun, DenormalCoordinatesAreRefused) {
    RotorArray rotors;
    rotors[1] = MakeRotor({{5e-324, 200}, {1e-323, 200}});
    const auto problems = RunCalculation(rotors, 1);
    ASSERT_EQ(problems.size(), 2u) << AllMessages(problems);
    EXPECT_EQ(problems[0].message, std::string("Ротор 1, участок 1: координата ") + kLengthRange);
}

TEST(CalculationRun, InputsAtTheLimitsKeepEverySolverValueFinite) {
    // Far from anything real, but accepted: the stoutest and the most slender section side by
    // side, the stiffest and the softest material, the heaviest disc with the most blades. Every
    // value up to the deflections stays finite; only the chord angles may have no arcsine.
    const std::vector<testing::SectionInput> extremes[] = {
        {{kMinLength, kMaxLength, 0, kMaxLength, kMaxLength, kMaxYoung, kMaxBladeMass,
          kMaxBladeCount},
         {kMaxLength / 2, kMinLength, 0, 0, 0, kMinYoung},
         {kMaxLength, kMaxLength, kMaxLength / 2, 0, 0, kMaxYoung}},
        {{kMaxLength / 2, kMinLength, 0, kMaxLength, kMaxLength, kMinYoung, -kMaxBladeMass,
          kMaxBladeCount},
         {kMaxLength, kMaxLength, 0, 0, 0, kMaxYoung}},
    };
    for (const auto& sections : extremes) {
        const std::unique_ptr<TRotor> rotor = MakeRotor(sections);
        ASSERT_TRUE(ValidateRotor(*rotor, 1).empty()) << AllMessages(ValidateRotor(*rotor, 1));
        rotor->CalcDeflection();
        for (const TRotorSection& s : rotor->SectionsView()) {
            for (double v : {s.Mass, s.Inertia, s.StiffnessRatio, s.ReducedMoment, s.Shear,
                             s.ShearStep, s.Moment, s.MomentStep, s.DiscCorrection, s.Deflection})
                EXPECT_TRUE(std::isfinite(v)) << v;
        }
        EXPECT_TRUE(std::isfinite(rotor->GetLeftReaction()));
        EXPECT_TRUE(std::isfinite(rotor->GetRefInertia()));
    }
}

TEST(CalculationRun, ZeroSpanAndSectionCountAreRefused) {
    RotorArray rotors;
    rotors[1] = MakeRotor({{0, 100}});
    auto problems = RunCalculation(rotors, 1);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[1].message, "Ротор 1: длина ротора равна нулю");

    rotors[1] = std::make_unique<TRotor>();
    problems = RunCalculation(rotors, 1);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].message, "Ротор 1: число участков 0 вне допустимого диапазона 1..50");

    rotors[1] = MakeRotor({{300, 100}});
    EXPECT_EQ(RunCalculation(rotors, 20).size(), 1u);  // count above 19
    EXPECT_EQ(RunCalculation(rotors, 2)[0].message, "Ротор 2: нет данных ротора");
}

TEST(CalculationRun, ChordSteeperThanItsSectionIsRefusedNotStoredAsNaN) {
    // A heavy disc on a very slender shaft: the end chord's sine exceeds 1.
    RotorArray rotors = ShaftLine(3);
    rotors[3] = MakeRotor({{10, 1, 0, 3000, 500, 2.1e4, 500, 100}, {20, 1}});
    const auto problems = RunCalculation(rotors, 3);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rotor, 3);
    EXPECT_NE(problems[0].message.find("Ротор 3: угол поворота шейки не определён"),
              std::string::npos);
    // Every record is back to what the transfer gave it: inputs kept, no result, no flag.
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(rotors[k]->SectionsView()[1].Mass, 0) << k;
        EXPECT_EQ(rotors[k]->SectionsView()[1].Deflection, 0) << k;
        EXPECT_EQ(rotors[k]->GetLeftJournalAngle(), 0) << k;
        EXPECT_FALSE(rotors[k]->GetEvenPosition()) << k;
    }
    EXPECT_EQ(rotors[3]->SectionsView()[1].DiscDiameter, 3000);
    EXPECT_EQ(rotors[3]->SectionsView()[2].Coord, 20);
    EXPECT_EQ(rotors[1]->GetSectionCount(), 6);
    EXPECT_TRUE(rotors[1]->GetShrunkOnDiscs());
    // Mended, the same records calculate.
    rotors[3] = testing::TurbineRotor();
    EXPECT_TRUE(RunCalculation(rotors, 3).empty());
}

// ---- alignment ------------------------------------------------------------------------------

double EndOffset(const TRotor& r) {
    return r.SectionsView()[r.GetSectionCount()].LineOffset;
}
double StartOffset(const TRotor& r) {
    return r.SectionsView()[0].LineOffset;
}

TEST(Alignment, BaseAtTheLeftEnd) {
    RotorArray rotors = SolvedLine(3);
    const double l2 = rotors[2]->GetLeftJournalAngle(), r1 = rotors[1]->GetRightJournalAngle();
    AlignShaftLine(rotors, 3, 1);
    const double d2 = rotors[2]->GetCouplingBreak(), d3 = rotors[3]->GetCouplingBreak();
    for (int j = 0; j <= rotors[2]->GetSectionCount(); ++j) {
        EXPECT_DOUBLE_EQ(rotors[2]->SectionsView()[j].LineOffset,
                         std::sin(d2) * rotors[2]->SectionsView()[j].Coord);
    }
    EXPECT_EQ(StartOffset(*rotors[2]), 0);
    EXPECT_DOUBLE_EQ(StartOffset(*rotors[3]), EndOffset(*rotors[2]));
    const auto& s3 = rotors[3]->SectionsView();
    EXPECT_NEAR(EndOffset(*rotors[3]),
                std::sin(d2 + d3) * s3[rotors[3]->GetSectionCount()].Coord + EndOffset(*rotors[2]),
                1e-15);
    // Base untouched; own angles kept; shifted angles add the magnitudes at the couplings.
    for (const auto& s : rotors[1]->SectionsView()) EXPECT_EQ(s.LineOffset, 0);
    EXPECT_EQ(rotors[1]->GetOwnRightAngle(), r1);
    EXPECT_EQ(rotors[2]->GetOwnLeftAngle(), l2);
    EXPECT_DOUBLE_EQ(rotors[2]->GetLeftJournalAngle(), l2 + std::fabs(r1) + std::fabs(l2));
}

TEST(Alignment, BaseAtTheRightEnd) {
    RotorArray rotors = SolvedLine(3);
    const double r2 = rotors[2]->GetRightJournalAngle(), l3 = rotors[3]->GetLeftJournalAngle();
    AlignShaftLine(rotors, 3, 3);
    const double d3 = rotors[3]->GetCouplingBreak();
    const auto& s2 = rotors[2]->SectionsView();
    const int n2 = rotors[2]->GetSectionCount();
    for (int j = 0; j <= n2; ++j) {
        EXPECT_DOUBLE_EQ(s2[j].LineOffset, std::sin(d3) * (s2[n2].Coord - s2[j].Coord));
    }
    EXPECT_EQ(EndOffset(*rotors[2]), 0);
    EXPECT_DOUBLE_EQ(EndOffset(*rotors[1]), StartOffset(*rotors[2]));
    EXPECT_DOUBLE_EQ(rotors[2]->GetRightJournalAngle(), r2 - (std::fabs(l3) + std::fabs(r2)));
}

TEST(Alignment, BaseInTheMiddle) {
    RotorArray rotors = SolvedLine(3);
    const double ol2 = rotors[2]->GetLeftJournalAngle(), or1 = rotors[1]->GetRightJournalAngle();
    const double l1 = rotors[1]->GetLeftJournalAngle();
    AlignShaftLine(rotors, 3, 2);
    const double d2 = rotors[2]->GetCouplingBreak(), d3 = rotors[3]->GetCouplingBreak();
    const auto& s1 = rotors[1]->SectionsView();
    const int n1 = rotors[1]->GetSectionCount();
    for (int j = 0; j <= n1; ++j) {
        EXPECT_DOUBLE_EQ(s1[j].LineOffset, std::sin(d2) * (s1[n1].Coord - s1[j].Coord));
    }
    for (int j = 0; j <= rotors[3]->GetSectionCount(); ++j) {
        EXPECT_DOUBLE_EQ(rotors[3]->SectionsView()[j].LineOffset,
                         std::sin(d3) * rotors[3]->SectionsView()[j].Coord);
    }
    EXPECT_DOUBLE_EQ(rotors[1]->GetLeftJournalAngle(), l1 - (std::fabs(ol2) + std::fabs(or1)));
    for (const auto& s : rotors[2]->SectionsView()) EXPECT_EQ(s.LineOffset, 0);
}

TEST(Alignment, LongLineIsContinuousAtEveryCoupling) {
    for (int base : {1, 7, 10, 19}) {
        RotorArray rotors = SolvedLine(19);
        AlignShaftLine(rotors, 19, base);
        for (int k = 1; k < 19; ++k) {
            const double left = EndOffset(*rotors[k]), right = StartOffset(*rotors[k + 1]);
            if (k + 1 == base || k == base) continue;  // next to the base both start at 0
            EXPECT_NEAR(left, right, 1e-12 * (1 + std::fabs(left)))
                << "base " << base << " k " << k;
        }
        if (base > 1) {
            EXPECT_EQ(EndOffset(*rotors[base - 1]), 0);
        }
        if (base < 19) {
            EXPECT_EQ(StartOffset(*rotors[base + 1]), 0);
        }
        // The line offsets far from the base sum the breaks of every coupling crossed.
        if (base == 1) {
            const auto& s = rotors[3]->SectionsView();
            const double slope = (s[1].LineOffset - s[0].LineOffset) / s[1].Coord;
            EXPECT_NEAR(slope,
                        std::sin(rotors[2]->GetCouplingBreak() + rotors[3]->GetCouplingBreak()),
                        1e-12);
        }
    }
}

TEST(Alignment, EachSideSumsExactlyTheBreaksItCrosses) {
    RotorArray rotors = SolvedLine(7);
    AlignShaftLine(rotors, 7, 4);
    auto d = [&](int k) { return rotors[k]->GetCouplingBreak(); };
    auto slope = [&](int k) {
        const auto& s = rotors[k]->SectionsView();
        return (s[1].LineOffset - s[0].LineOffset) / s[1].Coord;
    };
    // Left of the base: rotor k lies at the breaks of the couplings k+1..4.
    EXPECT_NEAR(slope(3), -std::sin(d(4)), 1e-12);
    EXPECT_NEAR(slope(2), -std::sin(d(3) + d(4)), 1e-12);
    EXPECT_NEAR(slope(1), -std::sin(d(2) + d(3) + d(4)), 1e-12);
    // Right of the base: rotor k at the breaks of the couplings 5..k.
    EXPECT_NEAR(slope(5), std::sin(d(5)), 1e-12);
    EXPECT_NEAR(slope(7), std::sin(d(5) + d(6) + d(7)), 1e-12);
}

TEST(Alignment, OneRotorKeepsItsAnglesAsOwn) {
    RotorArray rotors = SolvedLine(1);
    AlignShaftLine(rotors, 1, 1);
    EXPECT_EQ(rotors[1]->GetOwnLeftAngle(), rotors[1]->GetLeftJournalAngle());
    EXPECT_EQ(rotors[1]->GetOwnRightAngle(), rotors[1]->GetRightJournalAngle());
    for (const auto& s : rotors[1]->SectionsView()) EXPECT_EQ(s.LineOffset, 0);
}

TEST(Alignment, MissingRotorsAreListed) {
    RotorArray rotors = ShaftLine(2);
    rotors[2].reset();
    EXPECT_EQ(MissingRotors(rotors, 4), (std::vector<int>{2, 3, 4}));
    EXPECT_TRUE(MissingRotors(rotors, 1).empty());
}

}  // namespace
}  // namespace shaftline
