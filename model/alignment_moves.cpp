#include "alignment_moves.h"

#include <algorithm>
#include <cmath>

namespace shaftline {

namespace {

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

const CouplingReading& FoundIn(const MovedCoupling& c, bool vertical) {
    return vertical ? c.found.vertical : c.found.horizontal;
}

// Multiplier turning an angle (rad) into the weighted angular equation.
double AngularWeight(const MovedCoupling& c) {
    return AngularDeviation(1, c.geometry.diameter) / c.tolerance.angular.value_or(1);
}

std::string SupportText(int j) {
    return "опора " + std::to_string(j + 1);
}

}  // namespace

std::vector<int> DefaultFixedSupports(std::optional<int> base) {
    const int record = base.value_or(1);
    return {record - 1, record};
}

PlaneEquations EquationsOf(const std::vector<MovedCoupling>& couplings, bool vertical,
                           int supportCount, const std::vector<int>& fixed) {
    PlaneEquations eq;
    eq.column.assign(At(supportCount), 0);
    for (int j : fixed) {
        if (j >= 0 && j < supportCount) eq.column[At(j)] = -1;
    }
    int unknowns = 0;
    for (int& column : eq.column) column = column < 0 ? -1 : unknowns++;
    eq.matrix = DenseMatrix(2 * static_cast<int>(couplings.size()), unknowns);
    int row = 0;
    for (const MovedCoupling& c : couplings) {
        const ReadingSensitivity s = SensitivityOf(c.geometry);
        const double wo = 1 / c.tolerance.offset.value_or(1);
        const double wa = AngularWeight(c);
        const CouplingReading& found = FoundIn(c, vertical);
        const CouplingReading target = vertical ? c.target : CouplingReading{};
        for (int i = 0; i < 4; ++i) {
            const int column = eq.column[At(c.geometry.firstSupport + i)];
            if (column < 0) continue;
            eq.matrix(row, column) = wo * s.offset[At(i)];
            eq.matrix(row + 1, column) = wa * s.angle[At(i)];
        }
        eq.rhs.push_back(wo * (target.offset - found.offset));
        eq.rhs.push_back(wa * (target.angle - found.angle));
        row += 2;
    }
    return eq;
}

std::vector<double> LeastSquaresMoves(const PlaneEquations& equations, int supportCount) {
    const std::vector<double> x = LeastNormSolution(equations.matrix, equations.rhs).x;
    std::vector<double> moves(At(supportCount), 0.0);
    for (int j = 0; j < supportCount; ++j) {
        const int column = equations.column[At(j)];
        if (column >= 0) moves[At(j)] = x[At(column)];
    }
    return moves;
}

BearingMoves ExactMoves(const std::vector<MovedCoupling>& couplings, int supportCount,
                        const std::vector<int>& fixed) {
    BearingMoves moves;
    moves.fixed = fixed;
    moves.vertical =
        LeastSquaresMoves(EquationsOf(couplings, true, supportCount, fixed), supportCount);
    moves.horizontal =
        LeastSquaresMoves(EquationsOf(couplings, false, supportCount, fixed), supportCount);
    return moves;
}

CouplingReading ReadingAfter(const MovedCoupling& c, bool vertical,
                             const std::vector<double>& moves) {
    const ReadingSensitivity s = SensitivityOf(c.geometry);
    CouplingReading r = FoundIn(c, vertical);
    for (int i = 0; i < 4; ++i) {
        const double d = moves[At(c.geometry.firstSupport + i)];
        r.offset += s.offset[At(i)] * d;
        r.angle += s.angle[At(i)] * d;
    }
    if (c.geometry.diameter) r.gap = *c.geometry.diameter * r.angle;
    return r;
}

std::string ValidateFixingAndBounds(const std::vector<int>& fixed,
                                    const std::vector<BearingBound>& bounds,
                                    const std::vector<double>& x) {
    const int count = static_cast<int>(x.size());
    auto outside = [count](int j) { return j < 0 || j >= count; };
    for (int j : fixed) {
        if (outside(j)) return "Неподвижная " + SupportText(j) + " вне линии валов";
    }
    for (const BearingBound& b : bounds) {
        if (outside(b.support))
            return "Ограничение: " + SupportText(b.support) + " вне линии валов";
        if (b.moveMin > kMaxExtraLift || b.moveMax < -kMaxExtraLift) {
            return "Ограничение: " + SupportText(b.support) + ": перемещение больше 1000 мм";
        }
        if (!(b.moveMin <= b.moveMax)) {  // NaN fails too; an absent side is ±infinity
            return "Ограничение: " + SupportText(b.support) +
                   ": наименьшее перемещение больше наибольшего";
        }
        const bool held = std::find(fixed.begin(), fixed.end(), b.support) != fixed.end();
        if (held && (b.moveMin > 0 || b.moveMax < 0)) {
            return "Ограничение: " + SupportText(b.support) +
                   " неподвижна, а ограничение не допускает нулевого перемещения";
        }
    }
    if (bounds.empty()) return {};
    for (int i : fixed) {
        for (int j : fixed) {
            if (x[At(i)] != x[At(j)]) return {};
        }
    }
    return "Ограничения перемещений не применимы: неподвижные опоры не закрепляют линию валов "
           "от подъема и наклона как целого (нужны две неподвижные опоры в разных местах)";
}

}  // namespace shaftline
