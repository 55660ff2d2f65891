#pragma once

#include <vector>

#include "coupled_line.h"

namespace shaftline {

/// Influence coefficients of the coupled line, kgf/mm: entry [i][j] is the change of the load
/// of support J(i) when J(j) alone is lifted by 1 mm. (n + 1) × (n + 1), symmetric, every row
/// and column adding up to zero; independent of the support state. All zero for one rotor.
std::vector<std::vector<double>> InfluenceMatrix(const CoupledLine& line);

}  // namespace shaftline
