#include "coupling_alignment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "rotor_builders.h"
#include "support_results.h"

namespace shaftline {
namespace {

constexpr std::size_t kAssembly = static_cast<std::size_t>(SupportState::kAssembly);

SupportData Warm(int k) {
    return {9000, 40.0 + k, 800, 60, 600, 50, -0.3, -0.2, 0.1,
            9000, 44.0 + k, 800, 55, 600, 48, 0.05, 0,    0.1};
}

// A calculated line of `count` records, aligned to `base` when there is one, with rises.
struct Line {
    RotorArray rotors;
    int count = 0;
    std::optional<int> base;
    CoupledShaftLine coupled;
};

Line MakeLine(int count, std::optional<int> base) {
    Line line{testing::ShaftLine(count), count, base, {}};
    EXPECT_TRUE(RunCalculation(line.rotors, count).empty());
    std::vector<SupportData> supports;
    for (int k = 1; k <= count; ++k) supports.push_back(Warm(k));
    EXPECT_TRUE(AlignWithSupportRises(line.rotors, count, base, supports).empty());
    OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(line.rotors, count);
    EXPECT_TRUE(coupled.value) << coupled.problem;
    if (coupled.value) line.coupled = std::move(*coupled.value);
    return line;
}

AlignmentResult Align(const Line& line, const AlignmentInputs& inputs) {
    OrProblem<AlignmentResult> r =
        CalcAlignment(line.rotors, line.count, line.base, line.coupled, inputs);
    EXPECT_TRUE(r.value) << r.problem;
    return r.value.value_or(AlignmentResult{});
}

class NominalLine : public ::testing::TestWithParam<int> {};

// The alignment lays the rotors out with sines of the angles: the couplings close to third
// order, whichever record is the base.
TEST_P(NominalLine, ReadingsVanishAtEveryCoupling) {
    const Line line = MakeLine(7, GetParam());
    const AlignmentResult r = Align(line, {});
    ASSERT_EQ(r.couplings.size(), 3u);
    for (const CouplingAlignment& c : r.couplings) {
        const CouplingReading& nominal =
            c.targets[static_cast<std::size_t>(SupportState::kNominal)];
        EXPECT_LT(std::fabs(nominal.offset), 1e-4) << c.geometry.number;
        EXPECT_LT(std::fabs(nominal.angle), 1e-6) << c.geometry.number;
        EXPECT_GT(std::fabs(c.targets[kAssembly].offset), 1e-3) << "rises shift the targets";
    }
}
INSTANTIATE_TEST_SUITE_P(Bases, NominalLine, ::testing::Values(1, 2, 4, 7));

TEST(NominalLine, WithoutBaseIsTheLevelLine) {
    const Line line = MakeLine(5, std::nullopt);
    for (const CouplingAlignment& c : Align(line, {}).couplings) {
        EXPECT_EQ(c.targets[0].offset, c.targets[1].offset);
        EXPECT_EQ(c.targets[0].angle, c.targets[1].angle);
        // Open couplings of sagging rotors break by the journal angles.
        const TRotor& left = *line.rotors[static_cast<std::size_t>(c.leftRotor)];
        const TRotor& right = *line.rotors[static_cast<std::size_t>(c.rightRotor)];
        EXPECT_NEAR(c.targets[0].angle, left.GetRightJournalAngle() - right.GetLeftJournalAngle(),
                    1e-15);
        EXPECT_GT(c.targets[0].angle, 1e-6);
    }
}

struct RigidMotion {
    const char* name;
    std::array<double, 4> moves;  // J(p−2)..J(p+1), mm
    double offset;                // expected change, mm
    double angle;                 // expected change, rad, as a multiple of 1/L of the rotor
    bool overRightRotor;
};

void PrintTo(const RigidMotion& m, std::ostream* os) {
    *os << m.name;
}

class CouplingGeometryMotion : public ::testing::TestWithParam<RigidMotion> {};

TEST_P(CouplingGeometryMotion, ChangesReadingsAsTheHalvesMove) {
    const RigidMotion& m = GetParam();
    CouplingGeometry g;
    g.leftLength = 2000;
    g.pieceLength = 400;
    g.rightLength = 3000;
    g.plane = 150;
    g.leftOwnAngle = 2e-4;
    g.rightOwnAngle = -3e-4;
    const std::vector<double> z0 = {0.3, -0.1, 0.2, 0.05};
    std::vector<double> z = z0;
    for (std::size_t i = 0; i < 4; ++i) z[i] += m.moves[i];
    const CouplingReading before = ReadingAt(g, z0);
    const CouplingReading after = ReadingAt(g, z);
    const double length = m.overRightRotor ? g.rightLength : g.leftLength;
    EXPECT_NEAR(after.offset - before.offset, m.offset, 1e-14);
    EXPECT_NEAR(after.angle - before.angle, m.angle / length, 1e-17);
}

INSTANTIATE_TEST_SUITE_P(
    Rotors, CouplingGeometryMotion,
    ::testing::Values(RigidMotion{"lift_left_rotor", {0.5, 0.5, 0, 0}, -0.5, 0, false},
                      RigidMotion{"lift_right_rotor", {0, 0, 0.5, 0.5}, 0.5, 0, true},
                      // Raising the far bearing tilts the half down at the coupling.
                      RigidMotion{"tilt_left_rotor", {0.4, 0, 0, 0}, 0.4 * 150 / 2000, -0.4, false},
                      RigidMotion{
                          "tilt_right_rotor", {0, 0, 0, 0.4}, -0.4 * 250 / 3000, -0.4, true},
                      RigidMotion{"straight_tilt_of_all", {0, 0.2, 0.24, 0.54}, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct KnownMoves {
    int count;
    std::optional<int> base;
    double tolerance;  // mm and mm/m, 0 for none
};

class RecoveredMoves : public ::testing::TestWithParam<KnownMoves> {};

// The line stands off its assembly elevations by −d (and off the straight horizontal line by
// −h): its readings fed back give the moves d and h.
TEST_P(RecoveredMoves, FromTheReadingsTheyCause) {
    const KnownMoves& k = GetParam();
    const Line line = MakeLine(k.count, k.base);
    const std::vector<double>& z = line.coupled.State(SupportState::kAssembly).elevations;
    const std::vector<int> fixed = DefaultFixedSupports(k.base);
    std::vector<double> d(z.size()), h(z.size()), found(z.size()), across(z.size());
    for (std::size_t j = 0; j < z.size(); ++j) {
        const bool held =
            j == static_cast<std::size_t>(fixed[0]) || j == static_cast<std::size_t>(fixed[1]);
        d[j] = held ? 0 : 0.05 * std::sin(1.0 + static_cast<double>(j));
        h[j] = held ? 0 : -0.07 * std::cos(2.0 * static_cast<double>(j));
        found[j] = z[j] - d[j];
        across[j] = -h[j];
    }
    AlignmentInputs inputs;
    for (CouplingGeometry g : Couplings(line.rotors, line.count, k.base.has_value())) {
        g.diameter = 500;
        CouplingInput in;
        in.number = g.number;
        in.diameter = 500;
        if (k.tolerance > 0) in.offsetTolerance = in.gapTolerance = k.tolerance;
        const CouplingReading v = ReadingAt(g, found);
        g.leftOwnAngle = g.rightOwnAngle = 0;
        const CouplingReading hr = ReadingAt(g, across);
        in.foundVertical = PlaneInput{v.offset, v.gap, std::nullopt};
        in.foundHorizontal = PlaneInput{hr.offset, std::nullopt, hr.angle};
        inputs.couplings.push_back(in);
    }
    const AlignmentResult r = Align(line, inputs);
    ASSERT_TRUE(r.moves);
    for (std::size_t j = 0; j < z.size(); ++j) {
        EXPECT_NEAR(r.moves->vertical[j], d[j], 1e-12) << j;
        EXPECT_NEAR(r.moves->horizontal[j], h[j], 1e-12) << j;
    }
    for (const CouplingAlignment& c : r.couplings) {
        EXPECT_NEAR(c.after->vertical.offset, c.targets[kAssembly].offset, 1e-12);
        EXPECT_NEAR(c.after->horizontal.angle, 0, 1e-15);
        if (k.tolerance > 0) {
            EXPECT_TRUE(c.inToleranceAfter->vertical);
        }
    }
    // Bolted as found, the line carries the loads of the elevations it stands at.
    const CoupledState standing = SolveCoupledLine(line.coupled.line, found);
    for (std::size_t j = 0; j < z.size(); ++j) {
        EXPECT_NEAR(r.loadsAsFound->loads[j], standing.loads[j],
                    1e-9 * std::fabs(standing.loads[j]) + 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, RecoveredMoves,
                         ::testing::Values(KnownMoves{5, std::nullopt, 0}, KnownMoves{7, 3, 0.03},
                                           KnownMoves{9, 4, 0}, KnownMoves{19, 9, 0.05}));

// A line ending with a piece: its last support is seen by no coupling and keeps still.
TEST(LeastNormMoves, UnseenSupportStaysStill) {
    const Line line = MakeLine(4, 1);
    AlignmentInputs inputs;
    inputs.couplings.push_back(
        {1, {}, {}, {}, {}, {}, PlaneInput{0.2, {}, 1e-4}, PlaneInput{-0.1, {}, 0}});
    const AlignmentResult r = Align(line, inputs);
    ASSERT_TRUE(r.moves);
    EXPECT_EQ(r.moves->vertical[4], 0);
    EXPECT_EQ(r.moves->horizontal[4], 0);
    EXPECT_NEAR(r.couplings[0].after->vertical.offset, r.couplings[0].targets[kAssembly].offset,
                1e-12);
}

struct Brackets {
    const char* name;
    BracketGaps gaps;
    PlaneReadings readings;  // gaps as Δ over D = 400
    bool consistent;
};

void PrintTo(const Brackets& b, std::ostream* os) {
    *os << b.name;
}

class BracketConversion : public ::testing::TestWithParam<Brackets> {};

TEST_P(BracketConversion, OffsetsGapsAndClosure) {
    const Brackets& b = GetParam();
    const PlaneReadings r = BracketReadings(b.gaps, 400);
    EXPECT_NEAR(r.vertical.offset, b.readings.vertical.offset, 1e-15);
    EXPECT_NEAR(r.horizontal.offset, b.readings.horizontal.offset, 1e-15);
    EXPECT_NEAR(*r.vertical.gap, *b.readings.vertical.gap, 1e-15);
    EXPECT_NEAR(*r.horizontal.gap, *b.readings.horizontal.gap, 1e-15);
    EXPECT_NEAR(r.vertical.angle, *b.readings.vertical.gap / 400, 1e-18);
    EXPECT_EQ(ClosureOf(b.gaps).Consistent(), b.consistent);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, BracketConversion,
    ::testing::Values(Brackets{"right_half_high_open_top",
                               {{0.10, 0.20, 0.30, 0.20}, {0.05, 0.03, 0.01, 0.03}},
                               {{0.10, 0, 0.04}, {0, 0, 0}},
                               true},
                      Brackets{"right_half_to_the_right_open_right",
                               {{0.20, 0.14, 0.20, 0.26}, {0.02, 0.05, 0.02, -0.01}},
                               {{0, 0, 0}, {0.06, 0, 0.06}},
                               true},
                      Brackets{"closure_on_the_limit",
                               {{0.1, 0.2, 0.3, 0.18}, {0, 0, 0, 0}},
                               {{0.1, 0, 0}, {-0.01, 0, 0}},
                               true},
                      Brackets{"radial_do_not_close",
                               {{0.1, 0.2, 0.3, 0.17}, {0, 0, 0, 0}},
                               {{0.1, 0, 0}, {-0.015, 0, 0}},
                               false},
                      Brackets{"axial_do_not_close",
                               {{0, 0, 0, 0}, {0.1, 0, 0.05, 0.12}},
                               {{0, 0, 0.05}, {0, 0, -0.12}},
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

struct Verdict {
    const char* name;
    double offset;   // deviation, mm
    double angular;  // deviation, mm of gap or mm/m
    std::optional<double> diameter;
    CouplingTolerance tolerance;
    std::optional<bool> inside;
};

void PrintTo(const Verdict& v, std::ostream* os) {
    *os << v.name;
}

class ToleranceVerdict : public ::testing::TestWithParam<Verdict> {};

TEST_P(ToleranceVerdict, SumOfSharesAgainstOne) {
    const Verdict& v = GetParam();
    const CouplingReading target{0.12, 3e-4, std::nullopt};
    const double scale = v.diameter ? *v.diameter : 1000;
    const CouplingReading reading{target.offset + v.offset, target.angle + v.angular / scale,
                                  std::nullopt};
    EXPECT_EQ(InTolerance(reading, target, v.tolerance, v.diameter), v.inside);
}

INSTANTIATE_TEST_SUITE_P(
    Boundary, ToleranceVerdict,
    ::testing::Values(Verdict{"on_the_boundary", 0.015, -0.015, 600.0, {0.03, 0.03}, true},
                      Verdict{"just_over", 0.0151, -0.015, 600.0, {0.03, 0.03}, false},
                      Verdict{"offset_alone_on_it", -0.03, 0.5, 600.0, {0.03, std::nullopt}, true},
                      Verdict{"angle_in_mm_per_m", 0.01, 0.04, std::nullopt, {0.02, 0.08}, true},
                      Verdict{
                          "angle_in_mm_per_m_over", 0.01, 0.041, std::nullopt, {0.02, 0.08}, false},
                      Verdict{"no_tolerance", 1, 1, 600.0, {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoundedMoves, BoundsBindAndReadingsComeAsCloseAsTheyAllow) {
    const Line line = MakeLine(5, 1);
    AlignmentInputs inputs;
    for (int number : {1, 2}) {
        inputs.couplings.push_back(
            {number, {}, 500.0, 0.03, 0.03, {}, PlaneInput{0.4, 0.1, {}}, PlaneInput{0, 0, {}}});
    }
    const AlignmentResult free = Align(line, inputs);
    ASSERT_TRUE(free.moves);
    const double wanted = free.moves->vertical[2];
    inputs.bounds = {{2, wanted - 0.1 - std::fabs(wanted) / 2, wanted - 0.1}};
    const AlignmentResult bounded = Align(line, inputs);
    ASSERT_TRUE(bounded.moves);
    EXPECT_NEAR(bounded.moves->vertical[2], wanted - 0.1, 1e-7);
    EXPECT_EQ(bounded.moves->binding, std::vector<int>{2});
    EXPECT_EQ(bounded.moves->horizontal, free.moves->horizontal);
    // Loads as found do not depend on what the crew may move.
    EXPECT_EQ(bounded.loadsAsFound->loads, free.loadsAsFound->loads);
}

// Among the bounded moves that fit best, the least: the support no coupling sees stays still.
TEST(BoundedMoves, LeastNormAmongBoundedMinimisers) {
    const Line line = MakeLine(4, 1);
    AlignmentInputs inputs;
    inputs.couplings.push_back(
        {1, {}, {}, {}, {}, {}, PlaneInput{0.2, {}, 1e-4}, PlaneInput{-0.1, {}, 0}});
    inputs.bounds = {{2, -0.01, 0.01}, {4, -1, 1}};
    const AlignmentResult r = Align(line, inputs);
    ASSERT_TRUE(r.moves);
    EXPECT_NEAR(r.moves->vertical[4], 0, 1e-9);
    EXPECT_LE(std::fabs(r.moves->vertical[2]), 0.01 + 1e-12);
    EXPECT_EQ(r.moves->binding, std::vector<int>{2});
}

struct Refusal {
    const char* name;
    AlignmentInputs inputs;
    const char* message;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class AlignmentRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(AlignmentRefusal, NamesWhatIsWrong) {
    const Line line = MakeLine(5, 1);
    const OrProblem<AlignmentResult> r =
        CalcAlignment(line.rotors, line.count, line.base, line.coupled, GetParam().inputs);
    EXPECT_FALSE(r.value);
    EXPECT_NE(r.problem.find(GetParam().message), std::string::npos) << r.problem;
}

CouplingInput Numbered(int number) {
    CouplingInput in;
    in.number = number;
    return in;
}

CouplingInput WithBrackets() {
    CouplingInput in = Numbered(1);
    in.brackets = BracketGaps{};
    return in;
}

CouplingInput TinyTolerance() {
    CouplingInput in = Numbered(1);
    in.offsetTolerance = 1e-300;
    return in;
}

CouplingInput PlaneBeyondPiece() {
    CouplingInput in = Numbered(2);
    in.plane = 451;
    return in;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, AlignmentRefusal,
    ::testing::Values(
        Refusal{"no_such_coupling", {{Numbered(3)}, {}, {}}, "Муфта 3: в линии валов нет"},
        Refusal{"twice", {{Numbered(1), Numbered(1)}, {}, {}}, "Муфта 1 задана дважды"},
        Refusal{"brackets_without_diameter", {{WithBrackets()}, {}, {}}, "требуют диаметра"},
        Refusal{"plane_beyond_piece", {{PlaneBeyondPiece()}, {}, {}}, "Муфта 2: плоскость"},
        Refusal{"bounds_with_one_fixed", {{}, std::vector<int>{2}, {{3, -1, 1}}}, "подъема"},
        Refusal{"bounds_with_none_fixed", {{}, std::vector<int>{}, {{3, -1, 1}}}, "наклона"},
        Refusal{"tiny_tolerance", {{TinyTolerance()}, {}, {}}, "допуск вне диапазона"},
        Refusal{"bound_beyond_any_shim", {{}, {}, {{3, 1e300, 1e301}}}, "больше 1000 мм"},
        Refusal{"fixed_outside", {{}, std::vector<int>{6}, {}}, "опора 7 вне"},
        Refusal{"fixed_bound_without_zero", {{}, {}, {{1, 0.1, 1}}}, "опора 2 неподвижна"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shaftline
