#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "book_limits.h"
#include "sheet_layout.h"

namespace shaftline::io {

/// One sheet of the shaft-line workbook, that is one rotor, as the grids will hold it.
struct RotorSheet {
    int sectionCount = 0;                                        ///< A1
    std::vector<std::array<std::string, kSectionColumns>> rows;  ///< rows 2..N+1, columns A..H
    std::array<std::string, kSupportColumns> support;            ///< row N+3, columns A..R
    /// K1: the rotor type a saved book carries (J1 reads "Тип ротора"); empty when it has none
    std::string rotorType;
    /// L1:R2, the alignment on site (see sheet_layout.h); a row whose label is none of the
    /// alignment's stays empty.
    std::array<std::array<std::string, kAlignmentColumns>, kAlignmentRows> alignment;

    bool operator==(const RotorSheet&) const = default;
};

struct ShaftLineWorkbook {
    std::vector<RotorSheet> sheets;  ///< sheet k (1-based) is rotor k
    /// K2 of the first sheet: the base rotor a saved book carries (J2 reads "Базовый ротор");
    /// 0 when it has none or names no rotor of the book.
    int baseRotor = 0;
    /// U1 onwards of the first sheet: the texts of the support lifts in force a saved book
    /// carries (T1 reads "Подъёмы опор"), J0 first, up to the last non-empty cell; empty when
    /// it has none.
    std::vector<std::string> lifts{};
    /// U2, U3 and U4 onwards of the first sheet (labels in T2..T4, see JournalRow): the texts
    /// of the journal diameters, lengths and allowed pressures, J0 first, up to the last
    /// non-empty cell of each row.
    JournalTexts journals{};

    bool operator==(const ShaftLineWorkbook&) const = default;
};

/// A workbook that cannot be imported: missing, no regular file, unreadable, not a workbook,
/// larger than a shaft-line book can be, or with a sheet count or section count out of range.
/// what() is a Russian message naming the file and, where there is one, the sheet and the
/// cell; texts from the file are quoted with their control characters escaped.
class WorkbookError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// A file that opens as a workbook but whose sheets do not hold a shaft line: no sheet or more
/// than 19, a sheet that is no worksheet or is damaged, a cell that does not fit the layout.
/// Every other WorkbookError means the file itself cannot be used.
class WorkbookContentError : public WorkbookError {
  public:
    using WorkbookError::WorkbookError;
};

/// Reads and checks the whole workbook, .xls, .xlsx or .ods as its content shows (not its
/// name); only a workbook that passes is returned. Numbers come out in the general format
/// with at most 15 significant digits and the given decimal separator, texts unchanged, empty
/// cells empty; a formula cell gives its stored result. Only regular files are opened.
ShaftLineWorkbook ReadShaftLineWorkbook(const std::string& path, std::string_view decimalSeparator);

/// The same for a file already in memory; fileName only serves the messages.
ShaftLineWorkbook ParseShaftLineWorkbook(std::span<const std::uint8_t> file,
                                         const std::string& fileName,
                                         std::string_view decimalSeparator);

/// The same for the BIFF8 "Workbook" stream of a .xls file taken out of its container.
ShaftLineWorkbook ParseShaftLineWorkbookStream(std::span<const std::uint8_t> stream,
                                               const std::string& fileName,
                                               std::string_view decimalSeparator);

}  // namespace shaftline::io
