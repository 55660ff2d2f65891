#pragma once

#include <string>
#include <string_view>

namespace shaftline {

/// Readings and moves are shown to 0.01 mm, angles in mm/m to 0.01.
inline constexpr int kAlignmentDecimals = 2;

/// "поднять на 0,12 мм", "опустить на …", "вправо на …", "влево на …"; "на месте" for a move
/// that rounds to 0. Vertical moves positive up, horizontal to the right looking from rotor 1.
std::string MoveText(double move, bool vertical, std::string_view decimalSeparator);

/// "в допуске" or "вне допуска".
std::string_view VerdictText(bool inTolerance);

/// The flag of bracket gaps that do not close.
inline constexpr std::string_view kClosureFailedText = "замеры не сходятся";

}  // namespace shaftline
