#pragma once

#include <vector>

#include "coupled_line.h"

namespace shaftline {

/// A support whose coupled load is more than this many times its own load carries what the
/// couplings take from its neighbours.
inline constexpr double kOverloadFactor = 2;

/// Indices j of the supports whose load is more than kOverloadFactor times their own load
/// (the load with the couplings open); supports whose own load is not positive are left out.
std::vector<int> OverloadedSupports(const CoupledLine& line, const CoupledState& state);

}  // namespace shaftline
