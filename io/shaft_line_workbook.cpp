#include "shaft_line_workbook.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "biff_workbook.h"
#include "compound_file.h"
#include "number_text.h"
#include "rotor.h"
#include "shaft_line.h"

namespace shaftline::io {

namespace {

// Sheet layout: A1 the section count, rows 2..N+1 the sections in columns A..H, row N+2 a
// separating row, row N+3 the support data in columns A..R. Nothing beyond is read.
constexpr int kSectionColumns = 8;
constexpr int kSupportColumns = 18;
constexpr CellWindow kLayoutWindow{kMaxSections + 3, kSupportColumns};

struct SheetContext {
    const std::string& fileName;
    int number;  // 1-based
    const std::string& name;

    [[noreturn]] void Refuse(int row, int column, const std::string& reason) const {
        throw WorkbookContentError("Книга «" + fileName + "», лист " + std::to_string(number) +
                                   " «" + name + "», ячейка " + CellName(row, column) + ": " +
                                   reason + ".");
    }
};

[[noreturn]] void RefuseFile(const std::string& fileName, const std::string& reason) {
    throw WorkbookError("Книга «" + fileName + "»: " + reason + ".");
}

[[noreturn]] void RefuseContent(const std::string& fileName, const std::string& reason) {
    throw WorkbookContentError("Книга «" + fileName + "»: " + reason + ".");
}

std::string CellText(const BiffSheet& sheet, int row, int column, std::string_view separator,
                     const SheetContext& context) {
    const BiffCell& cell = sheet.At(row, column);
    switch (cell.kind) {
        case CellKind::Empty:
            return {};
        case CellKind::Text:
            return sheet.Text(cell);
        case CellKind::Boolean:
            return cell.code != 0 ? "TRUE" : "FALSE";
        case CellKind::Error:
            return ErrorText(cell.code);
        case CellKind::Number:
            if (!std::isfinite(cell.number)) {
                context.Refuse(row, column, "число в ячейке повреждено");
            }
            return FormatGeneral(cell.number, separator);
    }
    return {};
}

// Nearest integer, halves to the even neighbour, whatever the floating-point rounding mode.
double RoundHalfToEven(double x) {
    const double nearest = std::round(x);
    return std::fabs(x - nearest) == 0.5 ? 2.0 * std::round(x / 2.0) : nearest;
}

// A1: a number rounds half to even; a text must hold an integer. An empty cell would be 0
// sections; only 1..50 fit a rotor record.
int SectionCount(const BiffSheet& sheet, const SheetContext& context) {
    const BiffCell& cell = sheet.At(0, 0);
    double count = 0;
    switch (cell.kind) {
        case CellKind::Empty:
            context.Refuse(0, 0, "ячейка пуста, а в ней должно стоять число участков ротора");
        case CellKind::Number:
            if (!std::isfinite(cell.number)) {
                context.Refuse(0, 0, "число в ячейке повреждено");
            }
            count = RoundHalfToEven(cell.number);
            break;
        case CellKind::Text:
            try {
                count = ParseInteger(sheet.Text(cell));
            } catch (const ConversionError&) {
                context.Refuse(0, 0, "«" + sheet.Text(cell) + "» не является целым числом");
            }
            break;
        case CellKind::Boolean:
        case CellKind::Error:
            context.Refuse(
                0, 0, "«" + CellText(sheet, 0, 0, ".", context) + "» не является целым числом");
    }
    if (count < 1 || count > kMaxSections) {
        context.Refuse(0, 0,
                       "число участков " + FormatGeneral(count, ".") +
                           " вне допустимого диапазона 1.." + std::to_string(kMaxSections));
    }
    return static_cast<int>(count);
}

RotorSheet ConvertSheet(const BiffSheet& sheet, std::string_view separator,
                        const SheetContext& context) {
    RotorSheet rotor;
    rotor.sectionCount = SectionCount(sheet, context);
    rotor.rows.resize(static_cast<std::size_t>(rotor.sectionCount));
    for (int r = 1; r <= rotor.sectionCount; ++r) {
        for (int c = 0; c < kSectionColumns; ++c) {
            rotor.rows[r - 1][c] = CellText(sheet, r, c, separator, context);
        }
    }
    const int supportRow = rotor.sectionCount + 2;
    for (int c = 0; c < kSupportColumns; ++c) {
        rotor.support[c] = CellText(sheet, supportRow, c, separator, context);
    }
    return rotor;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        throw WorkbookError("Файл книги «" + path + "» не найден.");
    }
    if (fs::is_directory(status)) {
        throw WorkbookError("«" + path + "» — папка, а не файл книги.");
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxWorkbookFileBytes) {
        throw WorkbookError("Файл «" + path + "» слишком велик для книги с данными валопровода (" +
                            std::to_string(size >> 20) + " МБ).");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw WorkbookError("Файл книги «" + path + "» не удаётся открыть для чтения.");
    }
    std::vector<std::uint8_t> bytes;
    if (!ec) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > kMaxWorkbookFileBytes) {
            throw WorkbookError("Файл «" + path +
                                "» слишком велик для книги с данными валопровода.");
        }
    }
    if (in.bad()) {
        throw WorkbookError("Файл книги «" + path + "» не удаётся прочитать.");
    }
    return bytes;
}

}  // namespace

ShaftLineWorkbook ParseShaftLineWorkbook(std::span<const std::uint8_t> file,
                                         const std::string& fileName,
                                         std::string_view decimalSeparator) {
    std::vector<std::uint8_t> stream;
    try {
        stream = ReadWorkbookStream(file);
    } catch (const CompoundFileError& e) {
        RefuseFile(fileName, e.what());
    }
    return ParseShaftLineWorkbookStream(stream, fileName, decimalSeparator);
}

ShaftLineWorkbook ParseShaftLineWorkbookStream(std::span<const std::uint8_t> stream,
                                               const std::string& fileName,
                                               std::string_view decimalSeparator) {
    BiffGlobals globals;
    try {
        globals = ReadBiffGlobals(stream);
    } catch (const BiffFormatError& e) {
        RefuseFile(fileName, e.what());
    }

    const std::size_t sheetCount = globals.sheets.size();
    if (sheetCount == 0) {
        RefuseContent(fileName, "в книге нет ни одного листа");
    }
    if (sheetCount > static_cast<std::size_t>(kMaxRotors)) {
        RefuseContent(fileName, "в книге " + std::to_string(sheetCount) +
                                    " листов, а роторов в валопроводе может быть не больше " +
                                    std::to_string(kMaxRotors));
    }

    ShaftLineWorkbook workbook;
    for (std::size_t k = 0; k < sheetCount; ++k) {
        const SheetContext context{fileName, static_cast<int>(k) + 1, globals.sheets[k].name};
        try {
            const BiffSheet sheet = ReadBiffSheet(stream, globals, k, kLayoutWindow);
            workbook.sheets.push_back(ConvertSheet(sheet, decimalSeparator, context));
        } catch (const BiffFormatError& e) {
            throw WorkbookContentError("Книга «" + fileName + "», лист " + std::to_string(k + 1) +
                                       " «" + globals.sheets[k].name + "»: " + e.what() + ".");
        }
    }
    return workbook;
}

ShaftLineWorkbook ReadShaftLineWorkbook(const std::string& path,
                                        std::string_view decimalSeparator) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return ParseShaftLineWorkbook(bytes, path, decimalSeparator);
}

}  // namespace shaftline::io
