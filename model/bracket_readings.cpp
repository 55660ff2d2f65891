#include "bracket_readings.h"

#include <cmath>

namespace shaftline {

namespace {

CouplingReading Plane(double offset, double gap, double diameter) {
    return {offset, gap / diameter, gap};
}

CouplingReading Direct(const PlaneInput& in, const std::optional<double>& diameter) {
    CouplingReading r;
    r.offset = in.offset;
    if (in.gap && diameter) {
        r.gap = *in.gap;
        r.angle = *in.gap / *diameter;
    } else {
        r.angle = in.angle.value_or(0);
        if (diameter) r.gap = *diameter * r.angle;
    }
    return r;
}

bool Finite(const std::optional<double>& v) {
    return !v || std::isfinite(*v);
}

std::string PlaneProblem(const PlaneInput& in, bool hasDiameter) {
    if (!std::isfinite(in.offset) || !Finite(in.gap) || !Finite(in.angle)) {
        return "замер не является числом";
    }
    if (in.gap && !hasDiameter) return "разность зазоров задана без диаметра измерения";
    if (!in.gap && !in.angle) return "не задана разность зазоров или угол излома";
    return {};
}

}  // namespace

// Gaps read to the hundredth close on the limit only up to the rounding of binary fractions.
bool BracketClosure::Consistent() const {
    constexpr double kLimit = kBracketClosureLimit + 1e-12;
    return radial <= kLimit && axial <= kLimit;
}

BracketClosure ClosureOf(const BracketGaps& g) {
    const auto& a = g.radial;
    const auto& b = g.axial;
    return {std::fabs((a[0] + a[2]) - (a[1] + a[3])), std::fabs((b[0] + b[2]) - (b[1] + b[3]))};
}

PlaneReadings BracketReadings(const BracketGaps& g, double diameter) {
    const auto& a = g.radial;
    const auto& b = g.axial;
    return {Plane((a[2] - a[0]) / 2, b[0] - b[2], diameter),
            Plane((a[3] - a[1]) / 2, b[1] - b[3], diameter)};
}

std::optional<PlaneReadings> FoundReadings(const CouplingInput& input) {
    if (input.brackets && input.diameter) return BracketReadings(*input.brackets, *input.diameter);
    if (input.foundVertical && input.foundHorizontal) {
        return PlaneReadings{Direct(*input.foundVertical, input.diameter),
                             Direct(*input.foundHorizontal, input.diameter)};
    }
    return std::nullopt;
}

std::string ValidateCouplingInput(const CouplingInput& in, const CouplingGeometry& coupling) {
    const std::string name = "Муфта " + std::to_string(in.number) + ": ";
    auto positive = [](const std::optional<double>& v) {
        return !v || (std::isfinite(*v) && *v > 0);
    };
    if (in.plane && !(std::isfinite(*in.plane) && *in.plane >= 0 &&
                      *in.plane <= coupling.pieceLength)) {
        return name + "плоскость разъема вне промежуточного участка (0.." +
               std::to_string(coupling.pieceLength) + " мм)";
    }
    if (!positive(in.diameter)) return name + "диаметр измерения должен быть больше нуля";
    if (!positive(in.offsetTolerance) || !positive(in.gapTolerance)) {
        return name + "допуск должен быть больше нуля";
    }
    if (in.brackets) {
        if (!in.diameter) return name + "замеры скобами требуют диаметра измерения";
        for (double v : in.brackets->radial) {
            if (!std::isfinite(v)) return name + "замер не является числом";
        }
        for (double v : in.brackets->axial) {
            if (!std::isfinite(v)) return name + "замер не является числом";
        }
        return {};
    }
    if (in.foundVertical.has_value() != in.foundHorizontal.has_value()) {
        return name + "замеры нужны в обеих плоскостях";
    }
    for (const auto& plane : {in.foundVertical, in.foundHorizontal}) {
        if (!plane) continue;
        std::string problem = PlaneProblem(*plane, in.diameter.has_value());
        if (!problem.empty()) return name + problem;
    }
    return {};
}

}  // namespace shaftline
