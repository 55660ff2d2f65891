#pragma once

#include <optional>
#include <vector>

#include "shaft_line.h"
#include "support.h"

namespace shaftline {

/// Problems of the values that a rotor's stored support rises give: the rises themselves, and
/// with them the assembly-state values, and the points of the assembly-state line must be
/// finite (huge support terms, or rises far apart on a short rotor, overflow them). Messages
/// name the rotor and the support.
std::vector<RotorProblem> CheckSupportValues(const TRotor& rotor, int rotorNumber);

/// Stores the rises from `data` in the rotor when CheckSupportValues finds nothing in them;
/// otherwise the rotor keeps its previous rises and the problems are returned.
std::vector<RotorProblem> ApplyCheckedSupportRises(TRotor& rotor, int rotorNumber,
                                                   const SupportData& data);

/// The alignment to base rotor `base` (none: the line stays as calculated), then the rises of
/// every rotor 1..count from supports[k − 1], all or nothing: when any rotor's values are not
/// finite no record changes and the problems of every rotor are returned. Entries 1..count must
/// exist and supports must hold count rows.
std::vector<RotorProblem> AlignWithSupportRises(RotorArray& rotors, int count,
                                                std::optional<int> base,
                                                const std::vector<SupportData>& supports);

}  // namespace shaftline
