#include "support_lift_optimisation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "householder_qr.h"
#include "rotor_builders.h"

namespace shaftline {
namespace {

using testing::MakeRotor;

constexpr double kYoung = 2.1e4;  // kgf/mm²
constexpr double kDiameter = 300;  // mm
constexpr double kSpan = 4000;     // mm
constexpr double kLoad = 1500;     // kgf

double Rigidity() {
    return kYoung * std::numbers::pi * std::pow(kDiameter, 4) / 64;
}

// Equal weightless spans, each carrying kLoad at its middle (one section, lumped at its midpoint).
CoupledShaftLine PointLoadedSpans(int spans, double middleRise = 0) {
    RotorArray rotors;
    for (int k = 1; k <= spans; ++k) rotors[k] = MakeRotor({{kSpan, kDiameter}});
    EXPECT_TRUE(RunCalculation(rotors, spans).empty());
    for (int k = 1; k <= spans; ++k) rotors[k]->SetMass(1, kLoad);
    rotors[1]->SetRightSupportRise(middleRise);
    OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(rotors, spans);
    EXPECT_TRUE(coupled.value) << coupled.problem;
    return std::move(*coupled.value);
}

SupportLiftOptimum Optimum(const CoupledShaftLine& coupled, const SupportLiftTask& task, int base = 0) {
    OrProblem<SupportLiftOptimum> result = OptimiseSupportLifts(coupled, task, base);
    EXPECT_TRUE(result.value) << result.problem;
    return result.value ? std::move(*result.value) : SupportLiftOptimum{};
}

struct ClosedForm {
    const char* name;
    int spans;
    double innerLift;  // × P·L³/(E·I)
    double load;       // × P, every support
};

void PrintTo(const ClosedForm& c, std::ostream* os) {
    *os << c.name;
}

class EqualLoadsByLifts : public ::testing::TestWithParam<ClosedForm> {};

// Ends held, every target the same: the inner supports go down until the loads are equal.
TEST_P(EqualLoadsByLifts, MatchesTheContinuousBeam) {
    const ClosedForm& c = GetParam();
    const CoupledShaftLine coupled = PointLoadedSpans(c.spans);
    SupportLiftTask task;
    task.targets.assign(static_cast<std::size_t>(c.spans + 1), c.load * kLoad);
    task.fixed = std::vector<int>{0, c.spans};
    const SupportLiftOptimum o = Optimum(coupled, task);
    const double unit = kLoad * std::pow(kSpan, 3) / Rigidity();
    EXPECT_EQ(o.lifts.front(), 0);
    EXPECT_EQ(o.lifts.back(), 0);
    for (int j = 1; j < c.spans; ++j) EXPECT_NEAR(o.lifts[static_cast<std::size_t>(j)], c.innerLift * unit, 1e-9 * unit);
    for (const LiftedState& s : o.states)
        for (double load : s.after.loads) EXPECT_NEAR(load, c.load * kLoad, 1e-9 * kLoad);
    EXPECT_GT(o.objectiveBefore, 0.1);
    EXPECT_LT(o.objectiveAfter, 1e-18);
    EXPECT_TRUE(o.feasible);
}

INSTANTIATE_TEST_SUITE_P(Spans, EqualLoadsByLifts,
                         ::testing::Values(ClosedForm{"two_spans", 2, -17.0 / 144, 2.0 / 3},
                                           ClosedForm{"three_spans", 3, -1.0 / 3, 3.0 / 4}),
                         [](const auto& info) { return std::string(info.param.name); });

// A turbine line whose assembly state differs from the nominal one by the bearing rises.
CoupledShaftLine RisenTurbineLine(int count) {
    RotorArray rotors = testing::ShaftLine(count);
    EXPECT_TRUE(RunCalculation(rotors, count).empty());
    for (int k = 1; k <= count; k += 2) {
        rotors[k]->SetLeftSupportRise(5e-4 * k);
        rotors[k]->SetRightSupportRise(-3e-4 * k);
    }
    OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(rotors, count);
    EXPECT_TRUE(coupled.value) << coupled.problem;
    return std::move(*coupled.value);
}

double Largest(const std::vector<double>& values) {
    double m = 0;
    for (double v : values) m = std::max(m, std::abs(v));
    return m;
}

struct TaskCase {
    const char* name;
    SupportLiftTask task;
    int base;
};

void PrintTo(const TaskCase& c, std::ostream* os) {
    *os << c.name;
}

SupportLiftTask Task(std::optional<double> band, std::optional<double> minLoad, std::vector<LiftRange> ranges = {}) {
    SupportLiftTask t;
    t.bandPercent = band;
    t.minLoad = minLoad;
    t.ranges = std::move(ranges);
    t.journals = {{3, 250, 200, std::nullopt}};
    return t;
}

class LiftedLine : public ::testing::TestWithParam<TaskCase> {};

// Whatever the task, the loads after the lifts are the loads before plus the influence of the
// lifts, the fixed supports stay, the pressures follow the loads, and the objective falls.
TEST_P(LiftedLine, LoadsAreTheInfluenceOfTheLifts) {
    const TaskCase& c = GetParam();
    const CoupledShaftLine coupled = RisenTurbineLine(7);
    const SupportLiftOptimum o = Optimum(coupled, c.task, c.base);
    ASSERT_EQ(o.lifts.size(), 8u);
    const std::vector<int> fixed = c.task.fixed ? *c.task.fixed : DefaultFixedSupports(c.base);
    for (int j : fixed) EXPECT_EQ(o.lifts[static_cast<std::size_t>(j)], 0);
    for (const LiftedState& s : o.states) {
        const double scale = Largest(s.before.loads);
        for (std::size_t i = 0; i < 8; ++i) {
            double expected = s.before.loads[i];
            for (std::size_t j = 0; j < 8; ++j) expected += coupled.influence[i][j] * o.lifts[j];
            EXPECT_NEAR(s.after.loads[i], expected, 1e-9 * scale) << i;
        }
        ASSERT_TRUE(s.pressuresAfter[3]);
        EXPECT_DOUBLE_EQ(*s.pressuresAfter[3], 100 * s.after.loads[3] / (250 * 200));
        EXPECT_FALSE(s.pressuresAfter[2]);
    }
    EXPECT_LE(o.objectiveAfter, o.objectiveBefore);
    EXPECT_TRUE(o.feasible);
}

INSTANTIATE_TEST_SUITE_P(
    Tasks, LiftedLine,
    ::testing::Values(TaskCase{"defaults", Task(std::nullopt, std::nullopt), 0},
                      TaskCase{"base_rotor_3", Task(std::nullopt, std::nullopt), 3},
                      TaskCase{"band_and_min_load", Task(30, 100), 0},
                      TaskCase{"ranges", Task(std::nullopt, std::nullopt, std::vector<LiftRange>(8, {-0.05, 0.05})), 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Karush–Kuhn–Tucker with a tight band: the objective's gradient over the free lifts is a
// combination of the gradients of the limits held tight, each with the sign that keeps the
// load inside.
TEST(SupportLifts, ActiveBandMeetsTheOptimalityConditions) {
    const CoupledShaftLine coupled = RisenTurbineLine(7);
    // Three supports held leave the targets out of reach; a band of ±6 % then holds the ends.
    SupportLiftTask task = Task(6, std::nullopt);
    task.fixed = std::vector<int>{0, 3, 7};
    task.states = {SupportState::kNominal};
    const SupportLiftOptimum o = Optimum(coupled, task);
    ASSERT_TRUE(o.feasible);
    std::vector<double> own;
    for (const CoupledSupport& s : coupled.line.supports) own.push_back(s.ownLoad);
    const std::vector<int> free = {1, 2, 4, 5, 6};
    std::vector<double> gradient(free.size(), 0.0);
    std::vector<std::vector<double>> tight;  // signed: pointing into the allowed side
    for (const LiftedState& s : o.states) {
        if (s.state != SupportState::kNominal) continue;
        for (std::size_t i = 0; i < 8; ++i) {
            const double relative = (s.after.loads[i] - own[i]) / own[i];
            for (std::size_t k = 0; k < free.size(); ++k)
                gradient[k] += 2 * relative * coupled.influence[i][static_cast<std::size_t>(free[k])] / own[i];
            const double share = relative / 0.06;
            EXPECT_LE(std::abs(share), 1 + 1e-9) << i;
            if (std::abs(std::abs(share) - 1) > 1e-7) continue;
            std::vector<double> row;
            for (int f : free) row.push_back((share < 0 ? 1 : -1) * coupled.influence[i][static_cast<std::size_t>(f)]);
            tight.push_back(std::move(row));
        }
    }
    ASSERT_FALSE(tight.empty()) << "the band is not active";
    ASSERT_LE(tight.size(), free.size());
    // gradient = Σ μ_k·tight_k with every μ_k ≥ 0.
    std::vector<std::vector<double>> columns(free.size(), std::vector<double>(tight.size()));
    for (std::size_t k = 0; k < free.size(); ++k)
        for (std::size_t t = 0; t < tight.size(); ++t) columns[k][t] = tight[t][k];
    const std::vector<double> mu = HouseholderQr(columns).LeastSquares(gradient);
    for (std::size_t k = 0; k < free.size(); ++k) {
        double combined = 0;
        for (std::size_t t = 0; t < tight.size(); ++t) combined += mu[t] * tight[t][k];
        EXPECT_NEAR(combined, gradient[k], 1e-8 * Largest(gradient)) << k;
    }
    for (double m : mu) EXPECT_GE(m, -1e-12 * Largest(mu));
    EXPECT_LT(o.objectiveAfter, o.objectiveBefore);
}

// Two spans, the middle bearing risen by δ in the assembly state only, targets the level
// loads, a band the ends cannot keep in both states: the optimum under the fixed ends alone is
// the middle lifted by δ/2, which leaves both end supports outside the band in both states.
TEST(SupportLifts, InfeasibleBandNamesTheSupportsAtFault) {
    constexpr double kRise = 1;  // mm
    const CoupledShaftLine coupled = PointLoadedSpans(2, kRise);
    const double k = Rigidity() / std::pow(kSpan, 3);
    SupportLiftTask task;
    task.targets = coupled.State(SupportState::kLevel).loads;
    task.fixed = std::vector<int>{0, 2};
    // The ends move by 1.5·k·δ against 5P/16, the middle by 3·k·δ against 11P/8.
    task.bandPercent = 100 * 3.5 * k * kRise / kLoad;
    const SupportLiftOptimum o = Optimum(coupled, task);
    EXPECT_FALSE(o.feasible);
    EXPECT_NEAR(o.lifts[1], kRise / 2, 1e-9);
    std::vector<std::string> seen;
    for (const LoadViolation& v : o.violated) {
        seen.push_back(std::string(SupportStateName(v.constraint.state)) + " " + std::to_string(v.constraint.support) +
                       " " + LoadLimitKey(v.constraint.kind));
        EXPECT_TRUE(v.constraint.IsLower() ? v.load < v.constraint.limit : v.load > v.constraint.limit);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"Монтажное состояние 0 band_max", "Монтажное состояние 2 band_max",
                                              "Номинальный режим работы 0 band_min",
                                              "Номинальный режим работы 2 band_min"}));
}

// Nothing fixed: among the optima, the lifts with no part along a rigid lift or tilt.
TEST(SupportLifts, FreeLineTakesTheLeastNormLifts) {
    const CoupledShaftLine coupled = PointLoadedSpans(3);
    SupportLiftTask task;
    task.targets.assign(4, 0.75 * kLoad);
    task.fixed = std::vector<int>{};
    const SupportLiftOptimum o = Optimum(coupled, task);
    double sum = 0, moment = 0;
    for (std::size_t j = 0; j < 4; ++j) {
        sum += o.lifts[j];
        moment += o.lifts[j] * coupled.line.supports[j].x;
    }
    const double unit = kLoad * std::pow(kSpan, 3) / Rigidity();
    EXPECT_NEAR(sum, 0, 1e-9 * unit);
    EXPECT_NEAR(moment, 0, 1e-9 * unit * kSpan);
    // The ends-fixed answer (0, −u/3, −u/3, 0) less its rigid part: ±u/6.
    EXPECT_NEAR(o.lifts[0], unit / 6, 1e-9 * unit);
    EXPECT_NEAR(o.lifts[1], -unit / 6, 1e-9 * unit);
    for (const LiftedState& s : o.states)
        for (double load : s.after.loads) EXPECT_NEAR(load, 0.75 * kLoad, 1e-9 * kLoad);
}

class RefusedTask : public ::testing::TestWithParam<TaskCase> {};

TEST_P(RefusedTask, SaysWhy) {
    const CoupledShaftLine coupled = PointLoadedSpans(3);
    const OrProblem<SupportLiftOptimum> result = OptimiseSupportLifts(coupled, GetParam().task, GetParam().base);
    EXPECT_FALSE(result.value);
    EXPECT_FALSE(result.problem.empty());
}

SupportLiftTask With(void (*edit)(SupportLiftTask&)) {
    SupportLiftTask t;
    edit(t);
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Tasks, RefusedTask,
    ::testing::Values(
        TaskCase{"zero_target", With([](SupportLiftTask& t) { t.targets = {1000, 0, 1000, 1000}; }), 0},
        TaskCase{"targets_short", With([](SupportLiftTask& t) { t.targets = {1000, 1000}; }), 0},
        TaskCase{"no_state", With([](SupportLiftTask& t) { t.states.clear(); }), 0},
        TaskCase{"level_state", With([](SupportLiftTask& t) { t.states = {SupportState::kLevel}; }), 0},
        TaskCase{"fixed_outside", With([](SupportLiftTask& t) { t.fixed = std::vector<int>{0, 4}; }), 0},
        TaskCase{"band_zero", With([](SupportLiftTask& t) { t.bandPercent = 0; }), 0},
        TaskCase{"band_with_one_fixed",
                 With([](SupportLiftTask& t) {
                     t.fixed = std::vector<int>{1};
                     t.bandPercent = 20;
                 }),
                 0},
        TaskCase{"range_crossed", With([](SupportLiftTask& t) { t.ranges.assign(4, {1, -1}); }), 0},
        TaskCase{"journal_flat", With([](SupportLiftTask& t) { t.journals = {{1, 300, 0, 25}}; }), 0},
        TaskCase{"journal_twice",
                 With([](SupportLiftTask& t) { t.journals = {{1, 300, 200, 25}, {1, 300, 200, 25}}; }), 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shaftline
