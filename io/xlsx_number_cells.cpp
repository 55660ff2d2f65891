#include "xlsx_number_cells.h"

#include <charconv>
#include <optional>

#include "output_file.h"

namespace shaftline::io {

namespace {

[[noreturn]] void Mismatch() {
    throw OutputRefusal("книга собрана с ошибкой: числа ячеек не совпадают с записанными");
}

// "B12" as 0-based (row, column).
std::pair<int, int> CellPosition(std::string_view name) {
    std::size_t i = 0;
    int column = 0;
    for (; i < name.size() && name[i] >= 'A' && name[i] <= 'Z' && column < 1 << 20; ++i)
        column = column * 26 + (name[i] - 'A' + 1);
    int row = 0;
    const auto [end, error] = std::from_chars(name.data() + i, name.data() + name.size(), row);
    if (i == 0 || error != std::errc() || end != name.data() + name.size() || row < 1) Mismatch();
    return {row - 1, column - 1};
}

// The value of attribute `name` in a start tag, as written by the library (name="value").
std::optional<std::string_view> Attribute(std::string_view tag, std::string_view name) {
    const std::string key = " " + std::string(name) + "=\"";
    const std::size_t at = tag.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t begin = at + key.size();
    const std::size_t end = tag.find('"', begin);
    if (end == std::string_view::npos) Mismatch();
    return tag.substr(begin, end - begin);
}

}  // namespace

std::string ExactNumberText(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string();
}

std::string WithExactNumbers(std::string_view part, const NumberCells& numbers) {
    std::string out;
    out.reserve(part.size() + part.size() / 8);
    std::size_t replaced = 0;
    std::size_t at = 0;
    for (std::size_t cell; (cell = part.find("<c ", at)) != std::string_view::npos;) {
        const std::size_t tagEnd = part.find('>', cell);
        if (tagEnd == std::string_view::npos) Mismatch();
        const std::string_view tag = part.substr(cell, tagEnd - cell);
        out.append(part.substr(at, tagEnd + 1 - at));
        at = tagEnd + 1;
        if (tag.ends_with("/")) continue;  // an empty cell with a format
        const std::size_t close = part.find("</c>", at);
        if (close == std::string_view::npos) Mismatch();
        const std::string_view inner = part.substr(at, close - at);
        const std::optional<std::string_view> type = Attribute(tag, "t");
        if (type && *type != "n") continue;
        const std::size_t value = inner.find("<v>");
        const std::size_t valueEnd = inner.find("</v>");
        const std::optional<std::string_view> name = Attribute(tag, "r");
        if (value == std::string_view::npos || valueEnd < value || !name) Mismatch();
        const auto number = numbers.find(CellPosition(*name));
        if (number == numbers.end()) Mismatch();
        out.append(inner.substr(0, value + 3));
        out += ExactNumberText(number->second);
        out.append(inner.substr(valueEnd));
        at = close;
        ++replaced;
    }
    out.append(part.substr(at));
    if (replaced != numbers.size()) Mismatch();
    return out;
}

}  // namespace shaftline::io
