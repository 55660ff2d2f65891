#include "coupled_shaft_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "rotor_builders.h"

namespace shaftline {
namespace {

using testing::MakeRotor;
using testing::SectionInput;
using testing::UniformShaft;

constexpr double kYoung = 2.1e4;  // kgf/mm²

double Rigidity(double diameter) {
    return kYoung * std::numbers::pi * std::pow(diameter, 4) / 64;
}

double MaxAbs(const std::vector<double>& values) {
    double m = 0;
    for (double v : values) m = std::max(m, std::fabs(v));
    return m;
}

RotorArray Solved(RotorArray rotors, int count) {
    EXPECT_TRUE(RunCalculation(rotors, count).empty());
    return rotors;
}

// Uniform spans of the given lengths, each cut into `sections` equal sections.
RotorArray UniformLine(const std::vector<double>& lengths, int sections, double diameter) {
    RotorArray rotors;
    for (std::size_t k = 0; k < lengths.size(); ++k)
        rotors[k + 1] = UniformShaft(sections, lengths[k], diameter);
    return Solved(std::move(rotors), static_cast<int>(lengths.size()));
}

// Every section of every span weighs w·(its length), intermediate pieces too.
void SetWeightPerLength(RotorArray& rotors, int count, double w) {
    for (int k = 1; k <= count; ++k) {
        const SectionArray& s = rotors[k]->SectionsView();
        for (int i = 1; i <= rotors[k]->GetSectionCount(); ++i)
            rotors[k]->SetMass(i, w * (s[i].Coord - s[i - 1].Coord));
    }
}

CoupledShaftLine Coupled(const RotorArray& rotors, int count) {
    OrProblem<CoupledShaftLine> result = CalcCoupledShaftLine(rotors, count);
    EXPECT_TRUE(result.value) << result.problem;
    return result.value ? std::move(*result.value) : CoupledShaftLine{};
}

const CoupledState& Level(const CoupledShaftLine& c) {
    return c.State(SupportState::kLevel);
}

class ThreeEqualSpans : public ::testing::TestWithParam<int> {};

// Point loads w·L/N at the section midpoints of three equal spans: the classical continuous
// beam, with the exact correction for lumping the load.
TEST_P(ThreeEqualSpans, MomentsAndLoadsOfLumpedUniformLoad) {
    const int n = GetParam();
    constexpr double kL = 4000, kW = 0.6;  // mm, kgf/mm
    RotorArray rotors = UniformLine({kL, kL, kL}, n, 300);
    SetWeightPerLength(rotors, 3, kW);
    const CoupledShaftLine coupled = Coupled(rotors, 3);
    const CoupledState& level = Level(coupled);
    const double wl = kW * kL;
    const double n2 = static_cast<double>(n) * n;
    const double moment = -0.1 * wl * kL * (1 + 1 / (2 * n2));
    EXPECT_EQ(level.moments[0], 0);
    EXPECT_NEAR(level.moments[1], moment, 1e-12 * wl * kL);
    EXPECT_NEAR(level.moments[2], moment, 1e-12 * wl * kL);
    EXPECT_EQ(level.moments[3], 0);
    for (int j : {0, 3}) EXPECT_NEAR(level.loads[j], (0.4 - 0.05 / n2) * wl, 1e-12 * wl);
    for (int j : {1, 2}) EXPECT_NEAR(level.loads[j], (1.1 + 0.05 / n2) * wl, 1e-12 * wl);
}

INSTANTIATE_TEST_SUITE_P(SectionsPerSpan, ThreeEqualSpans, ::testing::Values(1, 2, 7, 50),
                         [](const auto& info) { return std::to_string(info.param) + "_sections"; });

struct PointLoadCase {
    const char* name;
    double span1, span2, loadAt;  // mm; the load sits in span 1
};

void PrintTo(const PointLoadCase& c, std::ostream* out) {
    *out << c.name;
}

class TwoSpansWithAPointLoad : public ::testing::TestWithParam<PointLoadCase> {};

// One load P at a from the left end of span 1: M(B) = −P·a·(L1² − a²) / (2·L1·(L1 + L2)).
TEST_P(TwoSpansWithAPointLoad, ClosedForm) {
    const PointLoadCase& c = GetParam();
    constexpr double kP = 1500;  // kgf
    RotorArray rotors;
    rotors[1] = MakeRotor({{2 * c.loadAt, 250}, {c.span1, 250}});
    rotors[2] = MakeRotor({{c.span2 / 3, 250}, {c.span2, 250}});
    rotors = Solved(std::move(rotors), 2);
    for (int k = 1; k <= 2; ++k)
        for (int i = 1; i <= 2; ++i) rotors[k]->SetMass(i, 0);
    rotors[1]->SetMass(1, kP);
    const CoupledShaftLine coupled = Coupled(rotors, 2);
    const CoupledState& level = Level(coupled);

    const double a = c.loadAt, l1 = c.span1, l2 = c.span2;
    const double mb = -kP * a * (l1 * l1 - a * a) / (2 * l1 * (l1 + l2));
    const double ra = kP * (l1 - a) / l1 + mb / l1;
    const double rc = mb / l2;
    EXPECT_NEAR(level.moments[1], mb, 1e-12 * kP * l1);
    EXPECT_NEAR(level.loads[0], ra, 1e-12 * kP);
    EXPECT_NEAR(level.loads[1], kP - ra - rc, 1e-12 * kP);
    EXPECT_NEAR(level.loads[2], rc, 1e-12 * kP);
}

INSTANTIATE_TEST_SUITE_P(Loads, TwoSpansWithAPointLoad,
                         ::testing::Values(PointLoadCase{"EqualSpansCentralLoad", 3000, 3000, 750},
                                           PointLoadCase{"ShortSecondSpan", 5000, 700, 1800},
                                           PointLoadCase{"LoadNearTheInnerSupport", 2000, 3500,
                                                         990}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CoupledShaftLine, LiftingTheMiddleOfTwoEqualSpans) {
    constexpr double kL = 2500, kDelta = 0.3, kD = 200;
    RotorArray rotors = UniformLine({kL, kL}, 5, kD);
    const CoupledShaftLine c = Coupled(rotors, 2);
    const double stiffness = Rigidity(kD) / (kL * kL * kL);
    EXPECT_NEAR(c.influence[1][1], 6 * stiffness, 1e-12 * stiffness);
    EXPECT_NEAR(c.influence[0][1], -3 * stiffness, 1e-12 * stiffness);
    EXPECT_NEAR(c.influence[2][1], -3 * stiffness, 1e-12 * stiffness);
    const CoupledState lifted = SolveCoupledLine(c.line, {0, kDelta, 0});
    EXPECT_NEAR(lifted.loads[1] - Level(c).loads[1], 6 * stiffness * kDelta, 1e-12 * stiffness);
    EXPECT_NEAR(lifted.loads[0] - Level(c).loads[0], -3 * stiffness * kDelta, 1e-12 * stiffness);
    const double moment = -3 * Rigidity(kD) * kDelta / (kL * kL);
    EXPECT_NEAR(lifted.moments[1] - Level(c).moments[1], moment, 1e-12 * std::fabs(moment));
}

// A stepped rotor with blades but no disc thickness, so the solver adds no disc correction.
std::unique_ptr<TRotor> SteppedRotor(double scale) {
    return MakeRotor({{200 * scale, 180},
                      {600 * scale, 320, 0, 0, 0, kYoung, 1.1, 80},
                      {1000 * scale, 360, 60, 0, 0, kYoung, 1.6, 90},
                      {1500 * scale, 340, 0, 0, 0, 1.9e4, 2.0, 70},
                      {1800 * scale, 200}});
}

TEST(CoupledShaftLine, OneRotorIsTheSolverBeam) {
    RotorArray rotors;
    rotors[1] = SteppedRotor(1.3);
    rotors = Solved(std::move(rotors), 1);
    rotors[1]->SetLineOffset(0, 0.4);  // a lone rotor turns freely on its supports
    rotors[1]->SetLineOffset(5, -0.7);
    const CoupledShaftLine c = Coupled(rotors, 1);
    const TRotor& r = *rotors[1];
    ASSERT_EQ(c.line.supports.size(), 2u);
    EXPECT_EQ(c.line.supports[1].x, r.SectionsView()[5].Coord);
    EXPECT_EQ(c.line.supports[0].ownLoad, r.GetLeftReaction());
    EXPECT_EQ(c.line.supports[1].ownLoad, r.GetRightReaction());
    for (SupportState state : kSupportStates) {
        const CoupledState& s = c.State(state);
        EXPECT_NEAR(s.loads[0], r.GetLeftReaction(), 1e-12 * r.GetLeftReaction());
        EXPECT_NEAR(s.loads[1], r.GetRightReaction(), 1e-12 * r.GetRightReaction());
        EXPECT_EQ(s.moments, (std::vector<double>{0, 0}));
    }
    EXPECT_EQ(c.influence, (std::vector<std::vector<double>>{{0, 0}, {0, 0}}));
    // Level supports: the axis is the solver's own elastic line, found by another method.
    double largest = 0;
    for (int i = 0; i <= 5; ++i)
        largest = std::max(largest, std::fabs(r.SectionsView()[i].Deflection));
    for (int i = 0; i <= 5; ++i)
        EXPECT_NEAR(Level(c).axis[0][i], r.SectionsView()[i].Deflection, 1e-9 * largest) << i;
    const CoupledState& nominal = c.State(SupportState::kNominal);
    EXPECT_EQ(nominal.axis[0].front(), 0.4);
    EXPECT_EQ(nominal.axis[0].back(), -0.7);
}

// A line as the program leaves it: solved, aligned from rotor 3, supports risen.
RotorArray AlignedLine(int count) {
    RotorArray rotors = testing::ShaftLine(count);
    for (int k = 2; k <= count; k += 2) rotors[k] = MakeRotor({{120, 260}, {350, 300}, {420, 260}});
    rotors = Solved(std::move(rotors), count);
    AlignShaftLine(rotors, count, std::min(3, count));
    for (int k = 1; k <= count; ++k) {
        rotors[k]->SetLeftSupportRise(0.05 * k);
        rotors[k]->SetRightSupportRise(0.3 - 0.02 * k);
    }
    return rotors;
}

double TotalWeight(const RotorArray& rotors, int count) {
    double total = 0;
    for (int k = 1; k <= count; ++k)
        for (int i = 1; i <= rotors[k]->GetSectionCount(); ++i)
            total += rotors[k]->SectionsView()[i].Mass;
    return total;
}

class CoupledInvariants : public ::testing::TestWithParam<int> {};

TEST_P(CoupledInvariants, WeightSymmetryTiltAndSuperposition) {
    const int count = GetParam();
    const RotorArray rotors = AlignedLine(count);
    const CoupledShaftLine c = Coupled(rotors, count);
    const std::size_t supports = static_cast<std::size_t>(count) + 1;
    const double weight = TotalWeight(rotors, count);

    double largestCoefficient = 0;
    for (const auto& row : c.influence)
        largestCoefficient = std::max(largestCoefficient, MaxAbs(row));
    ASSERT_GT(largestCoefficient, 0);
    for (std::size_t i = 0; i < supports; ++i) {
        double row = 0, column = 0;
        for (std::size_t j = 0; j < supports; ++j) {
            EXPECT_NEAR(c.influence[i][j], c.influence[j][i], 1e-12 * largestCoefficient);
            row += c.influence[i][j];
            column += c.influence[j][i];
        }
        EXPECT_NEAR(row, 0, 1e-12 * largestCoefficient);
        EXPECT_NEAR(column, 0, 1e-12 * largestCoefficient);
        EXPECT_GT(c.influence[i][i], 0);
    }

    const CoupledState& level = Level(c);
    for (SupportState state : kSupportStates) {
        const CoupledState& s = c.State(state);
        double sum = 0;
        for (double load : s.loads) sum += load;
        EXPECT_NEAR(sum, weight, 1e-12 * weight);
        // R(state) = R(level) + A·z.
        const double largest = MaxAbs(s.loads);
        for (std::size_t i = 0; i < supports; ++i) {
            double expected = level.loads[i];
            for (std::size_t j = 0; j < supports; ++j)
                expected += c.influence[i][j] * s.elevations[j];
            EXPECT_NEAR(s.loads[i], expected, 1e-9 * largest) << i;
        }
    }
    EXPECT_NE(c.State(SupportState::kAssembly).loads, level.loads);

    // A rigid tilt of the whole line changes no load and no moment.
    std::vector<double> tilt;
    for (const CoupledSupport& support : c.line.supports) tilt.push_back(1.5 - 2e-4 * support.x);
    const CoupledState tilted = SolveCoupledLine(c.line, tilt);
    for (std::size_t j = 0; j < supports; ++j) {
        EXPECT_NEAR(tilted.loads[j], level.loads[j], 1e-9 * MaxAbs(level.loads));
        EXPECT_NEAR(tilted.moments[j], level.moments[j], 1e-9 * MaxAbs(level.moments));
    }
}

INSTANTIATE_TEST_SUITE_P(RotorCounts, CoupledInvariants, ::testing::Values(2, 3, 8, 19),
                         [](const auto& info) { return std::to_string(info.param) + "_rotors"; });

TEST(CoupledShaftLine, StateElevationsTakeOffsetsAndTheRisesOfTheOddRotors) {
    RotorArray rotors = AlignedLine(4);
    for (int k = 1; k <= 4; ++k) {
        const int last = rotors[k]->GetSectionCount();
        rotors[k]->SetLineOffset(0, 100.0 * k);  // read only for rotor 1
        rotors[k]->SetLineOffset(last, 10.0 * k);
        rotors[k]->SetLeftSupportRise(1.0 * k);
        rotors[k]->SetRightSupportRise(0.1 * k);
    }
    EXPECT_EQ(StateElevations(rotors, 4, SupportState::kLevel), std::vector<double>(5, 0.0));
    EXPECT_EQ(StateElevations(rotors, 4, SupportState::kNominal),
              (std::vector<double>{100, 10, 20, 30, 40}));
    // J0: rotor 1 left; J1: rotor 1 right; J2: rotor 3 left; J3: rotor 3 right; J4: rotor 4 right.
    const std::vector<double> assembly = StateElevations(rotors, 4, SupportState::kAssembly);
    const std::vector<double> expected = {100 - 1.0, 10 - 0.1, 20 - 3.0, 30 - 0.3, 40 - 0.4};
    for (std::size_t j = 0; j < expected.size(); ++j) EXPECT_DOUBLE_EQ(assembly[j], expected[j]);
}

// An independent check: the whole line as a finite-element beam of cubic elements with nodes
// at every section end and midpoint (exact nodal values for such loads), solved in extended
// precision with the supports' elevations prescribed.
struct FiniteElementLine {
    std::vector<long double> x, load, rigidity;  // per node; rigidity of the element to the right
    std::vector<int> supportNodes;
    std::vector<std::vector<int>> sectionEndNodes;  // per rotor, section ends 0..N
};

FiniteElementLine FiniteElementModel(const RotorArray& rotors, int count) {
    FiniteElementLine m;
    long double start = 0;
    for (int k = 1; k <= count; ++k) {
        const SectionArray& s = rotors[k]->SectionsView();
        const int n = rotors[k]->GetSectionCount();
        if (k == 1) m.x.push_back(0), m.load.push_back(0), m.supportNodes.push_back(0);
        std::vector<int> ends = {static_cast<int>(m.x.size()) - 1};
        for (int i = 1; i <= n; ++i) {
            const long double ei = static_cast<long double>(s[i].Young) * s[i].Inertia;
            m.rigidity.push_back(ei);
            m.x.push_back(start + (static_cast<long double>(s[i - 1].Coord) + s[i].Coord) / 2);
            m.load.push_back(s[i].Mass);
            m.rigidity.push_back(ei);
            m.x.push_back(start + s[i].Coord);
            m.load.push_back(0);
            ends.push_back(static_cast<int>(m.x.size()) - 1);
        }
        m.supportNodes.push_back(static_cast<int>(m.x.size()) - 1);
        m.sectionEndNodes.push_back(ends);
        start += s[n].Coord;
    }
    return m;
}

// Deflections (mm) at the nodes and reactions (kgf) at the supports for elevations z.
std::pair<std::vector<long double>, std::vector<long double>> SolveFiniteElements(
    const FiniteElementLine& m, const std::vector<double>& z) {
    const std::size_t nodes = m.x.size(), dof = 2 * nodes;
    std::vector<std::vector<long double>> k(dof, std::vector<long double>(dof, 0));
    for (std::size_t e = 0; e + 1 < nodes; ++e) {
        const long double l = m.x[e + 1] - m.x[e], c = m.rigidity[e] / (l * l * l);
        const long double ke[4][4] = {{12 * c, 6 * l * c, -12 * c, 6 * l * c},
                                      {6 * l * c, 4 * l * l * c, -6 * l * c, 2 * l * l * c},
                                      {-12 * c, -6 * l * c, 12 * c, -6 * l * c},
                                      {6 * l * c, 2 * l * l * c, -6 * l * c, 4 * l * l * c}};
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b) k[2 * e + a][2 * e + b] += ke[a][b];
    }
    std::vector<long double> u(dof, 0), f(dof, 0);
    for (std::size_t i = 0; i < nodes; ++i) f[2 * i] = -m.load[i];
    std::vector<bool> fixed(dof, false);
    for (std::size_t j = 0; j < m.supportNodes.size(); ++j) {
        const std::size_t d = 2 * static_cast<std::size_t>(m.supportNodes[j]);
        fixed[d] = true;
        u[d] = z[j];
    }
    std::vector<std::size_t> free;
    for (std::size_t d = 0; d < dof; ++d)
        if (!fixed[d]) free.push_back(d);
    const std::size_t nf = free.size();
    std::vector<std::vector<long double>> a(nf, std::vector<long double>(nf + 1, 0));
    for (std::size_t r = 0; r < nf; ++r) {
        a[r][nf] = f[free[r]];
        for (std::size_t d = 0; d < dof; ++d) {
            if (fixed[d]) a[r][nf] -= k[free[r]][d] * u[d];
        }
        for (std::size_t c = 0; c < nf; ++c) a[r][c] = k[free[r]][free[c]];
    }
    for (std::size_t col = 0; col < nf; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < nf; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        std::swap(a[col], a[pivot]);
        for (std::size_t r = col + 1; r < nf; ++r) {
            const long double factor = a[r][col] / a[col][col];
            for (std::size_t c = col; c <= nf; ++c) a[r][c] -= factor * a[col][c];
        }
    }
    for (std::size_t r = nf; r-- > 0;) {
        long double sum = a[r][nf];
        for (std::size_t c = r + 1; c < nf; ++c) sum -= a[r][c] * u[free[c]];
        u[free[r]] = sum / a[r][r];
    }
    std::vector<long double> deflection(nodes), reactions;
    for (std::size_t i = 0; i < nodes; ++i) deflection[i] = u[2 * i];
    for (int node : m.supportNodes) {
        const std::size_t d = 2 * static_cast<std::size_t>(node);
        long double force = -f[d];
        for (std::size_t c = 0; c < dof; ++c) force += k[d][c] * u[c];
        reactions.push_back(force);
    }
    return {deflection, reactions};
}

TEST(CoupledShaftLine, AgreesWithAFiniteElementBeamOfTheWholeLine) {
    RotorArray rotors;
    rotors[1] = SteppedRotor(1.0);
    rotors[2] = MakeRotor({{90, 240}, {260, 300}, {330, 240}});
    rotors[3] = SteppedRotor(1.6);
    rotors[4] = MakeRotor({{150, 220}, {300, 220}});
    rotors[5] = testing::TurbineRotor(0.8);
    rotors = Solved(std::move(rotors), 5);
    for (int i = 1; i <= 3; ++i) rotors[2]->SetMass(i, 40.0 * i);  // a piece with weight too
    const FiniteElementLine model = FiniteElementModel(rotors, 5);
    const CoupledShaftLine c = Coupled(rotors, 5);
    const std::vector<std::vector<double>> elevations = {{0, 0, 0, 0, 0, 0},
                                                         {0.2, -0.1, 0.05, 0.4, -0.3, 0.1}};
    for (const std::vector<double>& z : elevations) {
        const CoupledState s = SolveCoupledLine(c.line, z);
        const auto [deflection, reactions] = SolveFiniteElements(model, z);
        const double largestLoad = MaxAbs(s.loads);
        for (std::size_t j = 0; j < reactions.size(); ++j)
            EXPECT_NEAR(s.loads[j], static_cast<double>(reactions[j]), 1e-9 * largestLoad) << j;
        // Moments at the supports from the finite-element reactions and the loads to the left.
        for (std::size_t j = 1; j + 1 < reactions.size(); ++j) {
            const long double at = model.x[static_cast<std::size_t>(model.supportNodes[j])];
            long double moment = 0;
            for (std::size_t i = 0; i < j; ++i)
                moment +=
                    reactions[i] * (at - model.x[static_cast<std::size_t>(model.supportNodes[i])]);
            for (std::size_t node = 0; model.x[node] < at; ++node)
                moment -= model.load[node] * (at - model.x[node]);
            EXPECT_NEAR(s.moments[j], static_cast<double>(moment), 1e-9 * MaxAbs(s.moments)) << j;
        }
        double largestAxis = 0;
        for (const auto& rotor : s.axis) largestAxis = std::max(largestAxis, MaxAbs(rotor));
        for (std::size_t k = 0; k < s.axis.size(); ++k) {
            for (std::size_t i = 0; i < s.axis[k].size(); ++i) {
                const auto node = static_cast<std::size_t>(model.sectionEndNodes[k][i]);
                EXPECT_NEAR(s.axis[k][i], static_cast<double>(deflection[node]), 1e-9 * largestAxis)
                    << "rotor " << k + 1 << " section " << i;
            }
        }
    }
}

struct RefusalCase {
    const char* name;
    int count;
    int spoilRotor;  // 0: none; its record is replaced by an unsolved one, or removed with -1
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class CoupledRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CoupledRefusals, NameWhatIsMissing) {
    const RefusalCase& c = GetParam();
    RotorArray rotors = AlignedLine(3);
    if (c.spoilRotor > 0) rotors[c.spoilRotor] = testing::TurbineRotor();  // never calculated
    if (c.spoilRotor < 0) rotors[-c.spoilRotor].reset();
    const OrProblem<CoupledShaftLine> result = CalcCoupledShaftLine(rotors, c.count);
    EXPECT_FALSE(result.value);
    EXPECT_EQ(result.problem, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Records, CoupledRefusals,
    ::testing::Values(
        RefusalCase{"MissingRecord", 3, -2,
                    "Нет результатов расчета для ротора 2. Сначала выполните расчет."},
        RefusalCase{"CountAboveTheRecords", 5, 0,
                    "Нет результатов расчета для ротора 4, 5. Сначала выполните расчет."},
        RefusalCase{"NoRotors", 0, 0, "Количество роторов 0 вне допустимого диапазона 1..19"},
        RefusalCase{"UnsolvedRecord", 3, 3,
                    "Ротор 3, участок 1: жесткость на изгиб не определена (нужен расчет)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CoupledShaftLine, NonFiniteElevationsAreRefused) {
    RotorArray rotors = AlignedLine(3);
    rotors[2]->SetLineOffset(rotors[2]->GetSectionCount(), std::nan(""));
    const OrProblem<CoupledShaftLine> result = CalcCoupledShaftLine(rotors, 3);
    EXPECT_FALSE(result.value);
    EXPECT_NE(result.problem.find("Номинальный режим работы"), std::string::npos);
}

}  // namespace
}  // namespace shaftline

namespace shaftline {
namespace {

// Lifts in force raise every state's elevations: the loads move by A·d, the influence stays.
TEST(CoupledShaftLine, LiftsInForceRaiseEveryState) {
    const RotorArray rotors = UniformLine({3000, 4000, 3500}, 6, 300);
    const CoupledShaftLine plain = Coupled(rotors, 3);
    const std::vector<double> lifts{0, 0.3, -0.2};  // J3 missing: not lifted
    const OrProblem<CoupledShaftLine> lifted = CalcCoupledShaftLine(rotors, 3, lifts);
    ASSERT_TRUE(lifted.value) << lifted.problem;
    EXPECT_EQ(lifted.value->influence, plain.influence);
    for (SupportState state : kSupportStates) {
        const CoupledState& before = plain.State(state);
        const CoupledState& after = lifted.value->State(state);
        for (std::size_t j = 0; j < before.loads.size(); ++j) {
            const double lift = j < lifts.size() ? lifts[j] : 0;
            EXPECT_EQ(after.elevations[j], before.elevations[j] + lift);
            double shift = 0;
            for (std::size_t i = 0; i < lifts.size(); ++i) shift += plain.influence[j][i] * lifts[i];
            EXPECT_NEAR(after.loads[j], before.loads[j] + shift, 1e-9 * MaxAbs(before.loads));
        }
    }
}

}  // namespace
}  // namespace shaftline
