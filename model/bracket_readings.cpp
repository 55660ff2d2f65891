#include "bracket_readings.h"

#include <cmath>

#include "number_text.h"
#include "shaft_line.h"

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

// Magnitudes a reading on site can have: far beyond any coupling, and small enough that the
// weighted equations of the moves stay finite.
constexpr double kMaxReading = 1000;    // mm, gaps and offsets
constexpr double kMaxAngle = 1;         // rad
constexpr double kMinTolerance = 1e-6;  // mm, mm/m
constexpr double kMaxTolerance = 1000;  // mm, mm/m

bool Within(const std::optional<double>& v, double limit) {
    return !v || std::fabs(*v) <= limit;  // NaN fails too
}

std::string PlaneProblem(const PlaneInput& in, bool hasDiameter) {
    if (!Within(in.offset, kMaxReading) || !Within(in.gap, kMaxReading) ||
        !Within(in.angle, kMaxAngle)) {
        return "замер вне допустимого диапазона (до 1000 мм, угол до 1 рад)";
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
    auto inRange = [](const std::optional<double>& v, double low, double high) {
        return !v || (*v >= low && *v <= high);
    };
    if (!inRange(in.plane, 0, coupling.pieceLength)) {
        return name + "плоскость разъема вне промежуточного участка (0.." +
               FormatGeneral(coupling.pieceLength, ".") + " мм)";
    }
    if (!inRange(in.diameter, kMinLength, kMaxLength)) {
        return name + "диаметр измерения должен быть больше нуля и не больше 10⁶ мм";
    }
    if (!inRange(in.offsetTolerance, kMinTolerance, kMaxTolerance) ||
        !inRange(in.gapTolerance, kMinTolerance, kMaxTolerance)) {
        return name + "допуск вне диапазона 0.000001..1000";
    }
    if (in.brackets) {
        if (!in.diameter) return name + "замеры скобами требуют диаметра измерения";
        for (const auto* gaps : {&in.brackets->radial, &in.brackets->axial}) {
            for (double v : *gaps) {
                if (!Within(v, kMaxReading)) return name + "зазор вне диапазона до 1000 мм";
            }
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
