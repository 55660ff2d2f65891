#pragma once

#include <cstdlib>

#include "shaft_line_workbook.h"

// What every accepted workbook must satisfy, whatever the bytes were.
inline void CheckAccepted(const shaftline::io::ShaftLineWorkbook& book) {
    if (book.sheets.empty() || book.sheets.size() > 19) std::abort();
    for (const auto& sheet : book.sheets) {
        if (sheet.sectionCount < 1 || sheet.sectionCount > 50) std::abort();
        if (sheet.rows.size() != static_cast<std::size_t>(sheet.sectionCount)) std::abort();
    }
}
