#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "shaft_line.h"

namespace shaftline {

/// The three support states of the shaft line, in the order the windows show them.
enum class SupportState { kLevel = 0, kNominal = 1, kAssembly = 2 };
inline constexpr int kSupportStateCount = 3;
inline constexpr std::array<SupportState, kSupportStateCount> kSupportStates = {
    SupportState::kLevel, SupportState::kNominal, SupportState::kAssembly};

/// "Опоры горизонтальны", "Номинальный режим работы", "Монтажное состояние".
std::string_view SupportStateName(SupportState state);

/// Elevations z(J0..J(n)) of the supports of rotors 1..count (mm, upward), from the records as
/// the last alignment and support rises left them:
/// - level: 0 everywhere;
/// - nominal: J0 at the LineOffset of rotor 1's section 0, J(k) at that of rotor k's last
///   section;
/// - assembly: nominal less the rise of the bearing at the support, the bearing being the one
///   of the odd rotor that stands on it (rotor 1's left at J0, rotor n's right at J(n)).
/// Entries 1..count must exist.
std::vector<double> StateElevations(const RotorArray& rotors, int count, SupportState state);

}  // namespace shaftline
