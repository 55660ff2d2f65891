#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "biff_stream.h"

// The container of a .xls file: a compound document whose "Workbook" stream holds the BIFF8
// records. The container itself is read by libgsf, unless the directory shows the stream in
// one run of sectors.

namespace shaftline::io {

/// The bytes are no compound document, or hold no BIFF8 workbook stream. what() is a Russian
/// description without the file name.
class CompoundFileError : public BookFormatError {
  public:
    using BookFormatError::BookFormatError;
};

/// The "Workbook" stream of a .xls file: where it lies in the file as one run of sectors (as
/// spreadsheet programs write it), a view of the file's bytes; otherwise a copy.
struct WorkbookStream {
    std::vector<std::uint8_t> copy;
    ByteSpan bytes;
};

/// The "Workbook" stream of a .xls file held in memory. The directory is checked before the
/// container library walks it: at most kMaxDirectoryEntries entries reachable from the root,
/// no chain of links longer than kMaxDirectoryDepth, no entry reached twice.
WorkbookStream ReadWorkbookStream(ByteSpan file);

/// The directory check alone; throws CompoundFileError. Gives the "Workbook" stream when it
/// lies in the file as one run of sectors.
std::optional<ByteSpan> CheckCompoundDirectory(ByteSpan file);

}  // namespace shaftline::io
