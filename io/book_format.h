#pragma once

#include <cstdint>
#include <span>

#include "layout_book.h"

// One reader per book format; the file's content chooses the reader, never its name. Each
// reader gives the layout cells of every sheet, and throws BookFormatError for a file it cannot
// read.

namespace shaftline::io {

/// The layout cells of a book in any format. A zip container is an .xlsx or .ods book, told
/// apart by its members; anything else goes to the .xls reader, which knows the other formats
/// it refuses.
LayoutBook ReadBookLayout(std::span<const std::uint8_t> file);

/// The .xls reader on the BIFF8 "Workbook" stream alone, without its container.
LayoutBook ReadBiffLayout(std::span<const std::uint8_t> stream);

}  // namespace shaftline::io
