#include "typed_cell.h"

#include <optional>

#include "number_text.h"

namespace shaftline::io {

namespace {

std::optional<double> BookNumber(const std::string& text, std::string_view separator) {
    try {
        const double value = ParseReal(text, separator);
        if (ParseReal(FormatGeneral(value, separator), separator) != value) return std::nullopt;
        return value;
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

}  // namespace

void WriteTypedText(XlsxSheet& sheet, int row, int column, const std::string& text,
                    std::string_view decimalSeparator) {
    if (const std::optional<double> number = BookNumber(text, decimalSeparator)) {
        sheet.WriteNumber(row, column, *number);
    } else {
        sheet.WriteText(row, column, text);
    }
}

}  // namespace shaftline::io
