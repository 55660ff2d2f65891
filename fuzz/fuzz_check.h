#pragma once

#include <cstdlib>

#include "rotor.h"
#include "shaft_line.h"
#include "shaft_line_workbook.h"

// What every accepted workbook must satisfy, whatever the bytes were.
inline void CheckAccepted(const shaftline::io::ShaftLineWorkbook& book) {
    if (book.sheets.empty() || book.sheets.size() > static_cast<std::size_t>(shaftline::kMaxRotors))
        std::abort();
    for (const auto& sheet : book.sheets) {
        if (sheet.sectionCount < 1 || sheet.sectionCount > shaftline::kMaxSections) std::abort();
        if (sheet.rows.size() != static_cast<std::size_t>(sheet.sectionCount)) std::abort();
    }
}
