#pragma once

#include "rotor.h"

// Where a shaft-line book keeps a rotor on its sheet, for the reader and the writer alike:
// A1 the section count, rows 2..N+1 the sections in columns A..H, row N+2 a separating row,
// row N+3 the support data in columns A..R; K1 the rotor type a saved book carries.

namespace shaftline::io {

inline constexpr int kSectionColumns = 8;    // A..H
inline constexpr int kSupportColumns = 18;   // A..R
inline constexpr int kRotorTypeColumn = 10;  // K, in row 1
/// A1, the most sections a rotor has, the separating row and the support row.
inline constexpr int kLayoutRows = kMaxSections + 3;

}  // namespace shaftline::io
