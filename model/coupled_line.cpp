#include "coupled_line.h"

#include <algorithm>
#include <cmath>

namespace shaftline {

namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

std::string RotorText(int rotor) {
    return "Ротор " + std::to_string(rotor);
}

// What makes a record unfit to be a span, or an empty text.
std::string RecordProblem(const TRotor& rotor, int number) {
    const int n = rotor.GetSectionCount();
    if (n < 1 || n > kMaxSections) {
        return RotorText(number) + ": число участков " + std::to_string(n) +
               " вне допустимого диапазона 1..50";
    }
    const SectionArray& s = rotor.SectionsView();
    const double length = s[n].Coord - s[0].Coord;
    if (!(length > 0) || !std::isfinite(length)) {
        return RotorText(number) + ": длина ротора должна быть больше нуля";
    }
    auto section = [&](int i) { return RotorText(number) + ", участок " + std::to_string(i); };
    for (int i = 1; i <= n; ++i) {
        const double piece = s[i].Coord - s[i - 1].Coord;
        if (!(piece >= 0)) {
            return section(i) + ": координата меньше координаты предыдущего участка";
        }
        if (!std::isfinite(s[i].Mass)) return section(i) + ": вес участка не является числом";
        const double rigidity = s[i].Young * s[i].Inertia;
        if (piece > 0 && !(rigidity > 0 && std::isfinite(rigidity))) {
            return section(i) + ": жесткость на изгиб не определена (нужен расчет)";
        }
    }
    return {};
}

std::vector<CoupledSupport> Supports(const RotorArray& rotors, int count) {
    std::vector<CoupledSupport> supports(At(count + 1));
    double x = 0;
    for (int j = 0; j <= count; ++j) {
        CoupledSupport& support = supports[At(j)];
        support.leftRotor = j;
        support.rightRotor = j < count ? j + 1 : 0;
        if (j >= 1) {
            const TRotor& left = *rotors[At(j)];
            x += left.SectionsView()[At(left.GetSectionCount())].Coord;
            support.ownLoad += left.GetRightReaction();
        }
        if (j < count) support.ownLoad += rotors[At(j + 1)]->GetLeftReaction();
        support.x = x;
    }
    return supports;
}

}  // namespace

OrProblem<CoupledLine> PrepareCoupledLine(const RotorArray& rotors, int count) {
    if (count < 1 || count > kMaxRotors) {
        return {std::nullopt,
                "Количество роторов " + std::to_string(count) + " вне допустимого диапазона 1..19"};
    }
    const std::vector<int> missing = MissingRotors(rotors, count);
    if (!missing.empty()) {
        std::string numbers;
        for (int rotor : missing) numbers += (numbers.empty() ? "" : ", ") + std::to_string(rotor);
        return {std::nullopt,
                "Нет результатов расчета для ротора " + numbers + ". Сначала выполните расчет."};
    }
    CoupledLine line;
    for (int k = 1; k <= count; ++k) {
        std::string problem = RecordProblem(*rotors[At(k)], k);
        if (!problem.empty()) return {std::nullopt, std::move(problem)};
        line.spans.push_back(SpanOfRotor(*rotors[At(k)]));
    }
    line.supports = Supports(rotors, count);
    line.equations = ThreeMomentEquations(line.spans);
    return {std::move(line), {}};
}

CoupledState SolveCoupledLine(const CoupledLine& line, const std::vector<double>& elevations) {
    const int n = line.RotorCount();
    const std::vector<long double> moments = line.equations.SupportMoments(elevations, true);
    const std::vector<long double> loads = line.equations.SupportLoads(moments, true);
    CoupledState state;
    state.elevations = elevations;
    for (int j = 0; j <= n; ++j) {
        state.loads.push_back(static_cast<double>(loads[At(j)]));
        state.moments.push_back(static_cast<double>(moments[At(j)]));
    }
    // In span k the deflection from the chord is that of the weights plus that of the two
    // support moments: w = w₀ + M(k−1)·w← + M(k)·w→.
    for (int k = 1; k <= n; ++k) {
        const CoupledSpan& span = line.spans[At(k - 1)];
        const long double left = elevations[At(k - 1)];
        const long double right = elevations[At(k)];
        const std::size_t last = span.coord.size() - 1;
        std::vector<double> axis(span.coord.size());
        for (std::size_t i = 0; i < axis.size(); ++i) {
            const long double t = span.coord[i];
            const long double chord = (left * (span.length - t) + right * t) / span.length;
            axis[i] = static_cast<double>(chord + span.weightDeflection[i] +
                                          moments[At(k - 1)] * span.leftMomentDeflection[i] +
                                          moments[At(k)] * span.rightMomentDeflection[i]);
        }
        axis.front() = elevations[At(k - 1)];
        axis[last] = elevations[At(k)];
        state.axis.push_back(std::move(axis));
    }
    return state;
}

std::string SupportLabel(const CoupledSupport& support, int j) {
    std::string label = std::to_string(j + 1) + " (";
    if (support.leftRotor > 0 && support.rightRotor > 0) {
        label += "роторы " + std::to_string(support.leftRotor) + " и " +
                 std::to_string(support.rightRotor);
    } else {
        label += "ротор " + std::to_string(std::max(support.leftRotor, support.rightRotor));
    }
    return label + ")";
}

std::vector<double> WithLifts(std::vector<double> elevations, const std::vector<double>& lifts) {
    for (std::size_t j = 0; j < elevations.size() && j < lifts.size(); ++j) {
        elevations[j] += lifts[j];
    }
    return elevations;
}

std::vector<double> CouplingShift(const CoupledLine& line, const CoupledState& state) {
    std::vector<double> shift;
    for (std::size_t j = 0; j < line.supports.size() && j < state.loads.size(); ++j) {
        shift.push_back(state.loads[j] - line.supports[j].ownLoad);
    }
    return shift;
}

std::vector<int> UnloadedSupports(const CoupledState& state) {
    std::vector<int> unloaded;
    for (std::size_t j = 0; j < state.loads.size(); ++j) {
        if (state.loads[j] < 0) unloaded.push_back(static_cast<int>(j));
    }
    return unloaded;
}

std::string UnloadedSupportsText(const CoupledLine& line, const CoupledState& state) {
    std::string text;
    for (int j : UnloadedSupports(state)) {
        text += text.empty() ? "Отрицательная нагрузка, вал отрывается от опоры: " : ", ";
        text += SupportLabel(line.supports[static_cast<std::size_t>(j)], j);
    }
    return text;
}

bool AllFinite(const CoupledState& state) {
    auto finite = [](const std::vector<double>& values) {
        for (double v : values) {
            if (!std::isfinite(v)) return false;
        }
        return true;
    };
    if (!finite(state.elevations) || !finite(state.loads) || !finite(state.moments)) return false;
    for (const std::vector<double>& rotor : state.axis) {
        if (!finite(rotor)) return false;
    }
    return true;
}

}  // namespace shaftline
