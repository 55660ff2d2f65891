#include "chart_csv.h"

#include "number_text.h"

namespace shaftline::report {

namespace {

std::string Field(const std::string& text, char separator) {
    if (text.find(separator) == std::string::npos && text.find('"') == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

void Row(std::string& out, const std::string& a, const std::string& b, const std::string& c,
         char separator) {
    out += Field(a, separator);
    out += separator;
    out += Field(b, separator);
    out += separator;
    out += Field(c, separator);
    out += "\r\n";
}

}  // namespace

char CsvFieldSeparator(std::string_view decimalSeparator) {
    return decimalSeparator == "," ? ';' : ',';
}

std::string ChartCsv(const std::vector<SeriesPoints>& series, std::string_view decimalSeparator) {
    const char separator = CsvFieldSeparator(decimalSeparator);
    std::string out = "\xEF\xBB\xBF";
    Row(out, "Ротор", "X, мм", "Y, мм", separator);
    for (const SeriesPoints& s : series) {
        const std::string rotor = FormatInteger(s.rotor);
        for (const auto& [x, y] : s.points)
            Row(out, rotor, FormatGeneral(x, decimalSeparator), FormatGeneral(y, decimalSeparator),
                separator);
    }
    return out;
}

}  // namespace shaftline::report
