#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shaftline::io {

/// The bytes of a book file. Only a regular file is read, and never waited for: a named pipe,
/// a device or a folder is refused at once, as are a missing file, a loop of symbolic links,
/// a folder that may not be searched and a file above kMaxWorkbookFileBytes. Throws
/// WorkbookError naming the file and the reason.
std::vector<std::uint8_t> ReadBookFile(const std::string& path);

}  // namespace shaftline::io
