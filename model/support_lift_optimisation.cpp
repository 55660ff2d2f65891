#include "support_lift_optimisation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "householder_qr.h"
#include "number_text.h"
#include "quadratic_program.h"

namespace shaftline {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The unknowns of the solve: the free supports, less the ones held only to make the optimum
// unique when fewer than two are fixed.
std::vector<int> SolvedSupports(const ResolvedLiftTask& task) {
    std::vector<int> solved;
    for (std::size_t j = 0; j < task.fixed.size(); ++j)
        if (!task.fixed[j]) solved.push_back(static_cast<int>(j));
    // Held at the far ends of the free supports, they pin a rigid motion best.
    if (task.fixedCount == 0 && solved.size() >= 2) {
        solved.erase(solved.begin());
        solved.pop_back();
    } else if (task.fixedCount == 1 && !solved.empty()) {
        const int pivot = static_cast<int>(std::find(task.fixed.begin(), task.fixed.end(), true) - task.fixed.begin());
        if (pivot - solved.front() < solved.back() - pivot) solved.pop_back();
        else solved.erase(solved.begin());
    }
    return solved;
}

// The weighted system J·d ≈ r of the objective: one row per counted state and support, the
// load change per unit lift of each solved support over the target.
struct WeightedSystem {
    std::vector<std::vector<double>> rows;
    std::vector<double> right;
};

WeightedSystem Weighted(const CoupledShaftLine& coupled, const ResolvedLiftTask& task, const std::vector<int>& solved) {
    WeightedSystem out;
    for (SupportState state : task.states) {
        const std::vector<double>& loads = coupled.State(state).loads;
        for (std::size_t j = 0; j < task.targets.size(); ++j) {
            std::vector<double> row;
            for (int f : solved) row.push_back(coupled.influence[j][static_cast<std::size_t>(f)] / task.targets[j]);
            out.rows.push_back(std::move(row));
            out.right.push_back((task.targets[j] - loads[j]) / task.targets[j]);
        }
    }
    return out;
}

// Removes from the lifts their part along the rigid motions that keep the fixed supports in
// place (a lift a + b·x, zero at each fixed support): what remains is the least-norm optimum.
void RemoveRigidMotion(const CoupledLine& line, const ResolvedLiftTask& task, std::vector<double>& lifts) {
    const std::size_t supports = lifts.size();
    std::vector<std::vector<double>> basis;
    double mean = 0;
    for (const CoupledSupport& s : line.supports) mean += s.x / static_cast<double>(supports);
    if (task.fixedCount == 0) {
        basis.push_back(std::vector<double>(supports, 1.0));
        std::vector<double> tilt;
        for (const CoupledSupport& s : line.supports) tilt.push_back(s.x - mean);
        basis.push_back(std::move(tilt));
    } else if (task.fixedCount == 1) {
        const auto pivot = static_cast<std::size_t>(std::find(task.fixed.begin(), task.fixed.end(), true) - task.fixed.begin());
        std::vector<double> tilt;
        for (const CoupledSupport& s : line.supports) tilt.push_back(s.x - line.supports[pivot].x);
        basis.push_back(std::move(tilt));
    }
    // Gram–Schmidt: the constant and the centred tilt are already orthogonal, the single tilt
    // only needs its norm.
    for (std::vector<double>& u : basis) {
        double norm = 0;
        for (double v : u) norm += v * v;
        norm = std::sqrt(norm);
        if (norm == 0) continue;
        double along = 0;
        for (std::size_t j = 0; j < supports; ++j) along += lifts[j] * u[j] / norm;
        for (std::size_t j = 0; j < supports; ++j) lifts[j] -= along * u[j] / norm;
    }
}

// The quadratic program in y = R·d, where J = Q·R: the objective becomes |y − Qᵀr|², whose
// Hessian is the identity whatever the condition of J, and every limit a row in y.
model::QuadraticProgram ProgramInY(const CoupledShaftLine& coupled, const ResolvedLiftTask& task,
                                   const std::vector<int>& solved, const HouseholderQr& qr,
                                   const std::vector<double>& reducedRight, bool withLoadLimits) {
    const auto n = static_cast<std::size_t>(qr.Columns());
    model::QuadraticProgram p;
    p.n = qr.Columns();
    p.H.assign(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        p.H[i * n + i] = 1;
        p.c.push_back(-reducedRight[i]);
    }
    auto addRow = [&](std::vector<double> row, double lo, double hi) {
        const std::vector<double> inY = qr.SolveRTransposed(std::move(row));
        p.A.insert(p.A.end(), inY.begin(), inY.end());
        p.rowLower.push_back(lo);
        p.rowUpper.push_back(hi);
    };
    for (std::size_t k = 0; k < solved.size(); ++k) {
        const LiftRange& r = task.ranges[static_cast<std::size_t>(solved[k])];
        if (!std::isfinite(r.min) && !std::isfinite(r.max)) continue;
        std::vector<double> unit(n, 0.0);
        unit[k] = 1;
        addRow(std::move(unit), r.min, r.max);
    }
    if (!withLoadLimits) return p;
    // One row per counted state and support: the change of its load over its target, between
    // the tightest lower and upper limits.
    for (SupportState state : task.states) {
        for (std::size_t j = 0; j < task.targets.size(); ++j) {
            double lo = -kInfinity, hi = kInfinity;
            for (const LoadConstraint& c : task.constraints) {
                if (c.state != state || c.support != static_cast<int>(j)) continue;
                if (c.IsLower()) lo = std::max(lo, c.limit);
                else hi = std::min(hi, c.limit);
            }
            if (!std::isfinite(lo) && !std::isfinite(hi)) continue;
            const double load = coupled.State(state).loads[j], target = task.targets[j];
            std::vector<double> row;
            for (int f : solved) row.push_back(coupled.influence[j][static_cast<std::size_t>(f)] / target);
            addRow(std::move(row), (lo - load) / target, (hi - load) / target);
        }
    }
    return p;
}

// The lifts of the solved supports, or the problem: the load limits are dropped when they
// cannot all hold (`feasible` then false).
OrProblem<std::vector<double>> SolveLifts(const CoupledShaftLine& coupled, const ResolvedLiftTask& task,
                                          const std::vector<int>& solved, bool& feasible) {
    feasible = true;
    if (solved.empty()) return {std::vector<double>{}, {}};
    const WeightedSystem system = Weighted(coupled, task, solved);
    const HouseholderQr qr(system.rows);
    const std::vector<double> right = qr.ReducedRightSide(system.right);
    const bool ranged = std::any_of(solved.begin(), solved.end(), [&](int j) {
        const LiftRange& r = task.ranges[static_cast<std::size_t>(j)];
        return std::isfinite(r.min) || std::isfinite(r.max);
    });
    if (task.constraints.empty() && !ranged) return {qr.SolveR(right), {}};
    model::QuadraticProgram program = ProgramInY(coupled, task, solved, qr, right, true);
    model::QuadraticSolution solution = model::SolveQuadraticProgram(program);
    if (!solution.solved) {
        feasible = false;
        program = ProgramInY(coupled, task, solved, qr, right, false);
        if (program.rowLower.empty()) return {qr.SolveR(right), {}};
        solution = model::SolveQuadraticProgram(program);
        if (!solution.solved) return {std::nullopt, "Высоты опор не подобраны: " + solution.reason};
    }
    return {qr.SolveR(solution.x), {}};
}

double Objective(const ResolvedLiftTask& task, const std::vector<LiftedState>& states, bool after) {
    double sum = 0;
    for (const LiftedState& s : states) {
        if (std::find(task.states.begin(), task.states.end(), s.state) == task.states.end()) continue;
        const std::vector<double>& loads = after ? s.after.loads : s.before.loads;
        for (std::size_t j = 0; j < loads.size(); ++j) {
            const double relative = (loads[j] - task.targets[j]) / task.targets[j];
            sum += relative * relative;
        }
    }
    return sum;
}

std::vector<std::optional<double>> Pressures(const ResolvedLiftTask& task, const std::vector<double>& loads) {
    std::vector<std::optional<double>> out(loads.size());
    for (std::size_t j = 0; j < loads.size(); ++j)
        if (task.journals[j]) out[j] = SpecificPressure(loads[j], *task.journals[j]);
    return out;
}

std::vector<LoadViolation> Violations(const ResolvedLiftTask& task, const std::vector<LiftedState>& states) {
    std::vector<LoadViolation> out;
    for (const LoadConstraint& c : task.constraints) {
        const auto s = std::find_if(states.begin(), states.end(), [&](const LiftedState& l) { return l.state == c.state; });
        const double load = s->after.loads[static_cast<std::size_t>(c.support)];
        const double slack = 1e-9 * std::max(std::abs(c.limit), task.targets[static_cast<std::size_t>(c.support)]);
        if (c.IsLower() ? load < c.limit - slack : load > c.limit + slack) out.push_back({c, load});
    }
    return out;
}

}  // namespace

OrProblem<SupportLiftOptimum> OptimiseSupportLifts(const CoupledShaftLine& coupled, const SupportLiftTask& task,
                                                   int baseRotor) {
    OrProblem<ResolvedLiftTask> resolved = ResolveLiftTask(coupled, task, baseRotor);
    if (!resolved.value) return {std::nullopt, std::move(resolved.problem)};
    const ResolvedLiftTask& t = *resolved.value;
    const std::vector<int> solved = SolvedSupports(t);
    SupportLiftOptimum out;
    OrProblem<std::vector<double>> lifts = SolveLifts(coupled, t, solved, out.feasible);
    if (!lifts.value) return {std::nullopt, std::move(lifts.problem)};
    out.lifts.assign(t.targets.size(), 0.0);
    for (std::size_t k = 0; k < solved.size(); ++k) out.lifts[static_cast<std::size_t>(solved[k])] = (*lifts.value)[k];
    if (t.fixedCount < 2) RemoveRigidMotion(coupled.line, t, out.lifts);
    for (double d : out.lifts) {
        if (!(std::abs(d) <= kMaxExtraLift))
            return {std::nullopt, "Подобранные подъемы опор больше " + std::to_string(static_cast<int>(kMaxExtraLift)) +
                                      " мм по величине: задайте границы подъема или закрепите другие опоры"};
    }
    for (SupportState state : {SupportState::kNominal, SupportState::kAssembly}) {
        LiftedState s;
        s.state = state;
        s.before = coupled.State(state);
        s.after = SolveCoupledLine(coupled.line, WithLifts(s.before.elevations, out.lifts));
        if (!AllFinite(s.after)) return {std::nullopt, "Нагрузки на опоры после подъема не являются конечными числами"};
        s.pressuresBefore = Pressures(t, s.before.loads);
        s.pressuresAfter = Pressures(t, s.after.loads);
        out.states.push_back(std::move(s));
    }
    out.objectiveBefore = Objective(t, out.states, false);
    out.objectiveAfter = Objective(t, out.states, true);
    if (!out.feasible) {
        out.violated = Violations(t, out.states);
        // Without the limits the optimum met them all: it is the optimum with them too.
        out.feasible = out.violated.empty();
    }
    return {std::move(out), {}};
}

std::string LiftPhrase(int support, double lift, std::string_view decimalSeparator) {
    const std::string number = std::to_string(support + 1);
    const std::string size = FormatFixed(std::abs(lift), kCoupledLengthDecimals, decimalSeparator, "");
    if (size == FormatFixed(0, kCoupledLengthDecimals, decimalSeparator, "")) return "опора " + number + " остается на месте";
    return (lift > 0 ? "поднять опору " : "опустить опору ") + number + " на " + size + " мм";
}

}  // namespace shaftline
