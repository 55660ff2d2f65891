#pragma once

#include <cstdint>
#include <span>

#include "book_format.h"
#include "zip_archive.h"

// The books that live in a zip container: Office Open XML (.xlsx) and OpenDocument (.ods).

namespace shaftline::io {

/// The layout cells of a zip book: .ods by its "mimetype" member, .xlsx by its package
/// relationships. Throws BookFormatError for a zip that is neither.
LayoutBook ReadZipBookLayout(std::span<const std::uint8_t> file);

LayoutBook ReadXlsxLayout(const ZipArchive& archive);
LayoutBook ReadOdsLayout(const ZipArchive& archive);

/// "B3" as a 0-based row and column; nullopt for anything else.
struct CellPosition {
    int row = 0;
    int column = 0;
};
std::optional<CellPosition> ParseCellReference(std::string_view reference);

}  // namespace shaftline::io
