#pragma once

#include <string_view>

#include "rotor.h"

// Where a shaft-line book keeps a rotor on its sheet, for the reader and the writer alike:
// A1 the section count, rows 2..N+1 the sections in columns A..H, row N+2 a separating row,
// row N+3 the support data in columns A..R. A book the program saved also carries, in cells the
// layout's import does not read, the rotor type (J1 the label "Тип ротора", K1 the type) and, on
// the first sheet, the base rotor (J2 the label "Базовый ротор", K2 its number).

namespace shaftline::io {

inline constexpr int kSectionColumns = 8;    // A..H
inline constexpr int kSupportColumns = 18;   // A..R
inline constexpr int kRotorTypeColumn = 10;  // K, in row 1
inline constexpr int kSavedLabelColumn = kRotorTypeColumn - 1;  // J: what K holds
inline constexpr int kBaseRotorRow = 1;  // row 2 of the first sheet
inline constexpr std::string_view kRotorTypeLabel = "Тип ротора";
inline constexpr std::string_view kBaseRotorLabel = "Базовый ротор";
/// A1, the most sections a rotor has, the separating row and the support row.
inline constexpr int kLayoutRows = kMaxSections + 3;

}  // namespace shaftline::io
