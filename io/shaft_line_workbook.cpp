#include "shaft_line_workbook.h"

namespace shaftline::io {

// Placeholder until the BIFF8 reader lands.
ShaftLineWorkbook ReadShaftLineWorkbook(const std::string& path, std::string_view) {
    throw WorkbookError("Чтение книги ещё не реализовано: " + path);
}

}  // namespace shaftline::io
