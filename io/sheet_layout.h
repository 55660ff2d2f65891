#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "rotor.h"
#include "shaft_line.h"

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

// The support lifts in force (mm, upward, added to the elevations of every state) on the first
// sheet: T1 the label "Подъёмы опор", U1 onwards the lifts of J0, J1, … in turn. Right of the
// layout's columns, so no section or support row ever reaches them.
inline constexpr int kLiftsLabelColumn = 19;  // T
inline constexpr int kLiftsRow = 0;
inline constexpr int kMaxLiftCells = kMaxRotors + 1;  // supports J0..J(n)
inline constexpr std::string_view kLiftsLabel = "Подъёмы опор";
// Under the lifts, the bearing journals of the supports, J0 first from column U: row 2 the
// journal diameters, row 3 the journal lengths, row 4 the allowed specific pressures, each
// under its label in T.
inline constexpr int kJournalFirstRow = 1;
inline constexpr int kJournalRows = 3;
enum JournalRow { kJournalDiameterRow, kJournalLengthRow, kJournalPressureRow };
inline constexpr std::string_view kJournalLabels[kJournalRows] = {
    "Диаметр цапфы, мм", "Длина цапфы, мм", "Допустимое давление, кгс/см²"};
/// Per journal row the texts of the supports J0, J1, …
using JournalTexts = std::array<std::vector<std::string>, kJournalRows>;
/// Columns a reader keeps: the layout's A..R and the lifts' and journals' T..AN.
inline constexpr int kKeptColumns = kLiftsLabelColumn + 1 + kMaxLiftCells;

}  // namespace shaftline::io

namespace shaftline::io {

// The alignment on site, in cells the layout's import does not read: rows 1 and 2, column L
// the label that says what M..R of the row hold. An even record's sheet (a coupling): L1
// "Муфта", M1..P1 the radial bracket gaps a1..a4, Q1 the plane, R1 the measuring diameter;
// L2 "Скобы" with M2..P2 the axial gaps b1..b4, or "Замеры" with M2..P2 the vertical offset
// and gap difference (angle in mm/m without a diameter) and the horizontal ones; Q2 and R2
// the offset and gap (or angle) tolerances. A rotor's sheet: L1 "Опоры", M1..O1 the left
// bearing (fixed 1 or 0, lowest and highest vertical move), P1..R1 the right one.
inline constexpr int kAlignmentLabelColumn = 11;  // L
inline constexpr int kAlignmentColumns = 7;       // L..R
inline constexpr int kAlignmentRows = 2;
inline constexpr std::string_view kCouplingLabel = "Муфта";
inline constexpr std::string_view kBracketsLabel = "Скобы";
inline constexpr std::string_view kFoundLabel = "Замеры";
inline constexpr std::string_view kBearingsLabel = "Опоры";

}  // namespace shaftline::io
