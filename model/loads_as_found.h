#pragma once

#include <vector>

#include "coupled_shaft_line.h"

namespace shaftline {

/// The coupled line's loads if the couplings were bolted as found: every support stands off its
/// assembly elevation by e (mm, upward), so the loads are R(assembly) + A·e, A the influence
/// matrix. Beside them the design loads (the assembly state's) and the supports that would
/// lift off (negative load) or carry more than twice the design load.
struct LoadsAsFound {
    std::vector<double> loads;   ///< kgf, J0..J(n)
    std::vector<double> design;  ///< kgf
    std::vector<int> unloaded;   ///< supports j
    std::vector<int> overloaded;
};

LoadsAsFound CalcLoadsAsFound(const CoupledShaftLine& coupled, const std::vector<double>& errors);

}  // namespace shaftline
