#include "pasted_block.h"

#include <algorithm>

namespace shaftline {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

// Length of the line break that starts at pos: 2 for \r\n, 1 for \n or \r, 0 for none.
std::size_t LineBreakAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || !IsLineBreak(text[pos])) return 0;
    return text.substr(pos, 2) == "\r\n" ? 2 : 1;
}

std::string_view WithoutFinalLineBreak(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (!text.empty() && IsLineBreak(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t EndOfPlainCell(std::string_view text, std::size_t pos, char separator) {
    while (pos < text.size() && text[pos] != separator && !IsLineBreak(text[pos])) ++pos;
    return pos;
}

// Reads the cell that starts at pos into `cell`; returns where it ends (at a separator, a line
// break or the end of the text).
std::size_t ReadCell(std::string_view text, std::size_t pos, char separator, std::string& cell) {
    if (pos < text.size() && text[pos] == '"') {
        std::string quoted;
        for (std::size_t i = pos + 1; i < text.size(); ++i) {
            if (text[i] != '"') {
                quoted += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                quoted += '"';
                ++i;
            } else {
                // Whatever stands between the closing quote and the end of the cell is kept.
                const std::size_t end = EndOfPlainCell(text, i + 1, separator);
                cell = std::move(quoted);
                cell.append(text.substr(i + 1, end - i - 1));
                return end;
            }
        }
    }
    const std::size_t end = EndOfPlainCell(text, pos, separator);
    cell.assign(text.substr(pos, end - pos));
    return end;
}

std::vector<std::vector<std::string>> SplitCells(std::string_view text, char separator) {
    std::vector<std::vector<std::string>> rows(1);
    std::size_t pos = 0;
    for (;;) {
        std::string cell;
        pos = ReadCell(text, pos, separator, cell);
        rows.back().push_back(std::move(cell));
        if (pos >= text.size()) break;
        if (text[pos] == separator) {
            ++pos;
        } else {
            pos += LineBreakAt(text, pos);
            rows.emplace_back();
        }
    }
    return rows;
}

bool HasSeveralColumns(const std::vector<std::vector<std::string>>& rows) {
    return std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.size() > 1; });
}

bool NeedsQuotes(const std::string& cell) {
    return cell.find_first_of("\t;\r\n") != std::string::npos || cell.starts_with('"');
}

void AppendCell(std::string& out, const std::string& cell) {
    if (!NeedsQuotes(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

std::size_t SkipSign(std::string_view text, std::size_t pos) {
    return pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? pos + 1 : pos;
}

// [sign] digits separator digits [(e|E) [sign] digits], at least one mantissa digit, exactly
// one separator and nothing else. Answers the position of the separator, or npos.
std::size_t PlainNumberSeparator(std::string_view text, char separator) {
    std::size_t pos = SkipSign(text, 0);
    const std::size_t integerEnd = SkipDigits(text, pos);
    if (integerEnd >= text.size() || text[integerEnd] != separator) return std::string_view::npos;
    const std::size_t fractionEnd = SkipDigits(text, integerEnd + 1);
    if (integerEnd - pos + fractionEnd - integerEnd - 1 == 0) return std::string_view::npos;
    pos = fractionEnd;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        const std::size_t exponentStart = SkipSign(text, pos + 1);
        pos = SkipDigits(text, exponentStart);
        if (pos == exponentStart) return std::string_view::npos;
    }
    return pos == text.size() ? integerEnd : std::string_view::npos;
}

// "1,234" or "-12,500": one to three digits, the separator and exactly three digits, which is
// also how a grouped integer is written.
bool ReadsAsGroupedInteger(std::string_view text, std::size_t separatorPos) {
    const std::size_t start = SkipSign(text, 0);
    const std::size_t integerDigits = separatorPos - start;
    const std::size_t fractionDigits = text.size() - separatorPos - 1;
    return integerDigits >= 1 && integerDigits <= 3 && fractionDigits == 3 &&
           SkipDigits(text, separatorPos + 1) == text.size();
}

}  // namespace

TextBlock ParsePastedBlock(std::string_view text) {
    TextBlock block;
    if (text.empty()) return block;
    text = WithoutFinalLineBreak(text);
    block.rows = SplitCells(text, '\t');
    if (!HasSeveralColumns(block.rows)) {
        std::vector<std::vector<std::string>> bySemicolon = SplitCells(text, ';');
        if (HasSeveralColumns(bySemicolon)) block.rows = std::move(bySemicolon);
    }
    std::size_t width = 0;
    for (const auto& row : block.rows) width = std::max(width, row.size());
    for (auto& row : block.rows) row.resize(width);
    return block;
}

std::string FormatCopiedBlock(const TextBlock& block) {
    std::string out;
    for (const auto& row : block.rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0) out += '\t';
            AppendCell(out, row[column]);
        }
        out += '\n';
    }
    return out;
}

std::string WithDecimalSeparator(std::string_view cell, std::string_view decimalSeparator,
                                 std::string_view groupSeparator) {
    for (const std::string_view other : {std::string_view("."), std::string_view(",")}) {
        if (other == decimalSeparator) continue;
        const std::size_t separatorPos = PlainNumberSeparator(cell, other.front());
        if (separatorPos == std::string_view::npos) continue;
        if (other == groupSeparator && ReadsAsGroupedInteger(cell, separatorPos)) break;
        std::string rewritten(cell.substr(0, separatorPos));
        rewritten += decimalSeparator;
        rewritten += cell.substr(separatorPos + 1);
        return rewritten;
    }
    return std::string(cell);
}

}  // namespace shaftline
