#include "quadratic_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace shaftline::model {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct QpCase {
    const char* name;
    QuadraticProgram problem;
    std::vector<double> x;  // the exact optimum
};

void PrintTo(const QpCase& c, std::ostream* os) {
    *os << c.name;
}

// ½|x − t|² with t = (1, 2): H = I, c = −t.
QuadraticProgram Distance(std::vector<double> t) {
    QuadraticProgram p;
    p.n = static_cast<int>(t.size());
    p.H.assign(t.size() * t.size(), 0.0);
    for (std::size_t i = 0; i < t.size(); ++i) {
        p.H[i * t.size() + i] = 1;
        p.c.push_back(-t[i]);
    }
    return p;
}

QuadraticProgram WithBounds(QuadraticProgram p, std::vector<double> lo, std::vector<double> hi) {
    p.lower = std::move(lo);
    p.upper = std::move(hi);
    return p;
}

QuadraticProgram WithRow(QuadraticProgram p, std::vector<double> a, double lo, double hi) {
    p.A.insert(p.A.end(), a.begin(), a.end());
    p.rowLower.push_back(lo);
    p.rowUpper.push_back(hi);
    return p;
}

// Badly scaled: 1e8·(x0 − 1)² + 1e-4·(x1 − 3)² with x0 + x1 ≤ 2 tight. On x1 = 2 − x0 the
// stationarity 2e8·(x0 − 1) + 2e-4·(x0 + 1) = 0 gives x0.
QuadraticProgram BadlyScaled() {
    QuadraticProgram p;
    p.n = 2;
    p.H = {2e8, 0, 0, 2e-4};
    p.c = {-2e8, -6e-4};
    return WithRow(p, {1, 1}, -kInf, 2);
}

std::vector<double> BadlyScaledOptimum() {
    const double x0 = (2e8 - 2e-4) / (2e8 + 2e-4);
    return {x0, 2 - x0};
}

class QuadraticProgramCases : public testing::TestWithParam<QpCase> {};

TEST_P(QuadraticProgramCases, FindsTheExactOptimum) {
    const QpCase& c = GetParam();
    const QuadraticSolution s = SolveQuadraticProgram(c.problem);
    ASSERT_TRUE(s.solved) << s.reason;
    ASSERT_EQ(s.x.size(), c.x.size());
    double largest = 1;
    for (double v : c.x) largest = std::max(largest, std::abs(v));
    for (std::size_t i = 0; i < c.x.size(); ++i) EXPECT_NEAR(s.x[i], c.x[i], 1e-10 * largest) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Optimum, QuadraticProgramCases,
    testing::Values(
        QpCase{"free", Distance({1, 2}), {1, 2}},
        QpCase{"upper_bound_active", WithBounds(Distance({1, 2}), {-kInf, -kInf}, {kInf, 1.5}), {1, 1.5}},
        QpCase{"lower_bound_active", WithBounds(Distance({1, 2}), {1.25, 0}, {kInf, kInf}), {1.25, 2}},
        // Projection of (1, 2) on x0 + x1 ≤ 1: (0, 1).
        QpCase{"row_upper_active", WithRow(Distance({1, 2}), {1, 1}, -kInf, 1), {0, 1}},
        QpCase{"row_lower_active", WithRow(Distance({1, 2}), {1, -1}, 0.5, kInf), {1.75, 1.25}},
        QpCase{"row_equality", WithRow(Distance({1, 2}), {1, 0}, 3, 3), {3, 2}},
        // Two sides of one band and a duplicate row: the working set must cope with both.
        QpCase{"duplicate_rows",
               WithRow(WithRow(Distance({1, 2}), {1, 1}, -kInf, 1), {2, 2}, -kInf, 2), {0, 1}},
        // Bound and row together: x1 ≤ 0.5 and x0 + x1 ≥ 3 → x = (2.5, 0.5).
        QpCase{"bound_and_row", WithRow(WithBounds(Distance({1, 2}), {}, {kInf, 0.5}), {1, 1}, 3, kInf),
               {2.5, 0.5}},
        QpCase{"badly_scaled", BadlyScaled(), BadlyScaledOptimum()}),
    [](const testing::TestParamInfo<QpCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    QuadraticProgram problem;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class QuadraticProgramRefusals : public testing::TestWithParam<RefusedCase> {};

TEST_P(QuadraticProgramRefusals, SaysWhyAndGivesNoPoint) {
    const QuadraticSolution s = SolveQuadraticProgram(GetParam().problem);
    EXPECT_FALSE(s.solved);
    EXPECT_FALSE(s.reason.empty());
    EXPECT_TRUE(s.x.empty());
}

QuadraticProgram WrongSizes() {
    QuadraticProgram p = Distance({1, 2});
    p.c.pop_back();
    return p;
}

QuadraticProgram NanCoefficient() {
    QuadraticProgram p = Distance({1, 2});
    p.H[1] = std::nan("");
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, QuadraticProgramRefusals,
    testing::Values(
        // x0 + x1 ≥ 3 with both unknowns at most 1.
        RefusedCase{"rows_against_bounds", WithRow(WithBounds(Distance({1, 2}), {0, 0}, {1, 1}), {1, 1}, 3, kInf)},
        RefusedCase{"rows_against_each_other",
                    WithRow(WithRow(Distance({1, 2}), {1, 1}, 3, kInf), {1, 1}, -kInf, 1)},
        RefusedCase{"crossed_bounds", WithBounds(Distance({1, 2}), {0, 2}, {1, 1})},
        RefusedCase{"wrong_sizes", WrongSizes()},
        RefusedCase{"nan_coefficient", NanCoefficient()},
        RefusedCase{"no_unknowns", QuadraticProgram{}}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shaftline::model
