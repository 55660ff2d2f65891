#pragma once

#include <filesystem>

namespace shaftline::cli {

/// The folder of the calculator's executable, symbolic links resolved: the sample workbook
/// Data.xls and the folder of the output modules lie there. From argv[0] when the system cannot
/// tell.
std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace shaftline::cli
