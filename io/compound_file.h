#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "biff_stream.h"

// The container of a .xls file: a compound document whose "Workbook" stream holds the BIFF8
// records. The container itself is read by libgsf.

namespace shaftline::io {

/// The bytes are no compound document, or hold no BIFF8 workbook stream. what() is a Russian
/// description without the file name.
class CompoundFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The "Workbook" stream of a .xls file held in memory.
std::vector<std::uint8_t> ReadWorkbookStream(ByteSpan file);

}  // namespace shaftline::io
