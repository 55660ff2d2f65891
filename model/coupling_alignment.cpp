#include "coupling_alignment.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "bounded_moves.h"

namespace shaftline {

namespace {

std::string UnknownCoupling(int number, std::size_t count) {
    return "Муфта " + std::to_string(number) + ": в линии валов нет такой муфты" +
           (count == 0 ? std::string(" (муфт нет)") : " (муфты 1.." + std::to_string(count) + ")");
}

std::array<std::vector<double>, kSupportStateCount> Elevations(const CoupledShaftLine& coupled,
                                                               const std::vector<double>& lifts) {
    std::array<std::vector<double>, kSupportStateCount> z;
    for (SupportState s : kSupportStates) {
        z[static_cast<std::size_t>(s)] = WithLifts(coupled.State(s).elevations, lifts);
    }
    return z;
}

// The coupling with its inputs applied; empty problem when they are usable.
std::string Apply(const CouplingInput& in, CouplingAlignment& c) {
    std::string problem = ValidateCouplingInput(in, c.geometry);
    if (!problem.empty()) return problem;
    if (in.plane) c.geometry.plane = *in.plane;
    c.geometry.diameter = in.diameter;
    c.tolerance = {in.offsetTolerance, in.gapTolerance};
    c.found = FoundReadings(in);
    if (in.brackets) c.closure = ClosureOf(*in.brackets);
    return {};
}

std::optional<PlaneVerdicts> Verdicts(const CouplingAlignment& c, const PlaneReadings& readings) {
    const CouplingReading& target = c.targets[static_cast<std::size_t>(SupportState::kAssembly)];
    const std::optional<bool> v =
        InTolerance(readings.vertical, target, c.tolerance, c.geometry.diameter);
    const std::optional<bool> h =
        InTolerance(readings.horizontal, CouplingReading{}, c.tolerance, c.geometry.diameter);
    if (!v || !h) return std::nullopt;
    return PlaneVerdicts{*v, *h};
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace

OrProblem<AlignmentResult> CalcAlignment(const RotorArray& rotors, int count,
                                         std::optional<int> base, const CoupledShaftLine& coupled,
                                         const AlignmentInputs& inputs,
                                         const std::vector<double>& lifts) {
    AlignmentResult result;
    const std::array<std::vector<double>, kSupportStateCount> z = Elevations(coupled, lifts);
    for (const CouplingGeometry& g : Couplings(rotors, count, base.has_value())) {
        CouplingAlignment c;
        c.geometry = g;
        c.leftRotor = g.piece - 1;
        c.rightRotor = g.piece + 1;
        result.couplings.push_back(c);
    }
    std::set<int> seen;
    for (const CouplingInput& in : inputs.couplings) {
        if (in.number < 1 || in.number > static_cast<int>(result.couplings.size())) {
            return {std::nullopt, UnknownCoupling(in.number, result.couplings.size())};
        }
        if (!seen.insert(in.number).second) {
            return {std::nullopt, "Муфта " + std::to_string(in.number) + " задана дважды"};
        }
        std::string problem = Apply(in, result.couplings[static_cast<std::size_t>(in.number - 1)]);
        if (!problem.empty()) return {std::nullopt, std::move(problem)};
    }
    std::vector<MovedCoupling> measured;
    for (CouplingAlignment& c : result.couplings) {
        c.targets = TargetReadings(c.geometry, z);
        if (!c.found) continue;
        c.inTolerance = Verdicts(c, *c.found);
        measured.push_back({c.geometry, *c.found,
                            c.targets[static_cast<std::size_t>(SupportState::kAssembly)],
                            c.tolerance});
    }

    const int supportCount = static_cast<int>(coupled.line.supports.size());
    const std::vector<int> fixed = inputs.fixed.value_or(DefaultFixedSupports(base));
    std::vector<double> x;
    for (const CoupledSupport& s : coupled.line.supports) x.push_back(s.x);
    std::string problem = ValidateFixingAndBounds(fixed, inputs.bounds, x);
    if (!problem.empty()) return {std::nullopt, std::move(problem)};
    if (measured.empty()) return {std::move(result), {}};

    BearingMoves exact = ExactMoves(measured, supportCount, fixed);
    std::vector<double> errors;
    for (double move : exact.vertical) errors.push_back(-move);
    result.loadsAsFound = CalcLoadsAsFound(coupled, errors);
    // A fixed support stays at 0 whatever its bounds (they were checked to allow it).
    std::vector<BearingBound> bounds;
    for (const BearingBound& b : inputs.bounds) {
        if (std::find(fixed.begin(), fixed.end(), b.support) == fixed.end()) bounds.push_back(b);
    }
    if (!bounds.empty()) {
        OrProblem<std::vector<double>> bounded =
            BoundedMoves(EquationsOf(measured, true, supportCount, fixed), supportCount, bounds);
        if (!bounded.value) return {std::nullopt, std::move(bounded.problem)};
        exact.vertical = std::move(*bounded.value);
        exact.binding = BindingBounds(exact.vertical, bounds);
    }
    for (CouplingAlignment& c : result.couplings) {
        if (!c.found) continue;
        const MovedCoupling m{c.geometry, *c.found, {}, c.tolerance};
        c.after = PlaneReadings{ReadingAfter(m, true, exact.vertical),
                                ReadingAfter(m, false, exact.horizontal)};
        c.inToleranceAfter = Verdicts(c, *c.after);
    }
    if (!AllFinite(exact.vertical) || !AllFinite(exact.horizontal) ||
        !AllFinite(result.loadsAsFound->loads)) {
        return {std::nullopt,
                "Перемещения опор не определены: результаты не являются конечными "
                "числами (проверьте замеры и допуски)"};
    }
    result.moves = std::move(exact);
    return {std::move(result), {}};
}

}  // namespace shaftline
