#include "alignment_cells.h"

#include <limits>

#include "message_text.h"
#include "number_text.h"

namespace shaftline::io {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

using Row = std::array<std::string, kAlignmentColumns>;

// The cells of one sheet, read with the place of each for the messages.
class SheetCells {
  public:
    SheetCells(const RotorSheet& sheet, int number, std::string_view separator)
        : sheet_(sheet), number_(number), separator_(separator) {}

    const std::string& Label(int row) const { return sheet_.alignment[row][0]; }

    // Value cell i (0 = M) of a row: empty, or a number.
    std::optional<double> Number(int row, int i) const {
        const std::string& text = sheet_.alignment[row][i + 1];
        if (text.empty()) return std::nullopt;
        try {
            return ParseReal(text, separator_);
        } catch (const ConversionError&) {
            Refuse(row, i, "«" + QuotedForMessage(text) + "» не является числом");
        }
    }

    double Required(int row, int i, const char* what) const {
        const std::optional<double> value = Number(row, i);
        if (!value) Refuse(row, i, std::string("не задан ") + what);
        return *value;
    }

    std::optional<bool> Flag(int row, int i) const {
        const std::string& text = sheet_.alignment[row][i + 1];
        if (text.empty()) return std::nullopt;
        if (text == "1") return true;
        if (text == "0") return false;
        Refuse(row, i, "«" + QuotedForMessage(text) + "»: ожидается 1 (неподвижна) или 0");
    }

    [[noreturn]] void Refuse(int row, int i, const std::string& why) const {
        const char column = static_cast<char>('A' + kAlignmentLabelColumn + 1 + i);
        throw AlignmentCellError("Лист " + std::to_string(number_) + ", ячейка " + column +
                                 std::to_string(row + 1) + ": " + why);
    }

  private:
    const RotorSheet& sheet_;
    int number_;
    std::string_view separator_;
};

std::array<double, 4> Gaps(const SheetCells& cells, int row) {
    std::array<double, 4> gaps{};
    for (int i = 0; i < 4; ++i) gaps[static_cast<std::size_t>(i)] = cells.Required(row, i, "зазор");
    return gaps;
}

PlaneInput Plane(const SheetCells& cells, int first, bool hasDiameter) {
    PlaneInput plane;
    plane.offset = cells.Required(1, first, "замер смещения");
    const double angular = cells.Required(1, first + 1, "замер излома");
    if (hasDiameter) {
        plane.gap = angular;
    } else {
        plane.angle = angular / 1000;  // mm/m in the cell
    }
    return plane;
}

std::optional<CouplingInput> Coupling(const SheetCells& cells, int number) {
    if (cells.Label(0) != kCouplingLabel) return std::nullopt;
    CouplingInput in;
    in.number = number;
    in.plane = cells.Number(0, 4);
    in.diameter = cells.Number(0, 5);
    in.offsetTolerance = cells.Number(1, 4);
    in.gapTolerance = cells.Number(1, 5);
    if (cells.Label(1) == kBracketsLabel) {
        in.brackets = BracketGaps{Gaps(cells, 0), Gaps(cells, 1)};
    } else if (cells.Label(1) == kFoundLabel) {
        const bool hasDiameter = in.diameter.has_value();
        in.foundVertical = Plane(cells, 0, hasDiameter);
        in.foundHorizontal = Plane(cells, 2, hasDiameter);
    }
    return in;
}

}  // namespace

AlignmentInputs AlignmentFromBook(const ShaftLineWorkbook& book, std::string_view separator) {
    AlignmentInputs inputs;
    std::vector<int> marked;
    bool anyMark = false;
    const int count = static_cast<int>(book.sheets.size());
    for (int k = 1; k <= count; ++k) {
        const SheetCells cells(book.sheets[static_cast<std::size_t>(k - 1)], k, separator);
        if (k % 2 == 0 && k < count) {
            if (std::optional<CouplingInput> in = Coupling(cells, k / 2)) {
                inputs.couplings.push_back(*in);
            }
            continue;
        }
        if (k % 2 == 0 || cells.Label(0) != kBearingsLabel) continue;
        // Rotor k stands on J(k−1) and J(k).
        for (int side = 0; side < 2; ++side) {
            const int support = k - 1 + side;
            const std::optional<bool> fixed = cells.Flag(0, 3 * side);
            anyMark = anyMark || fixed.has_value();
            if (fixed.value_or(false)) marked.push_back(support);
            const std::optional<double> low = cells.Number(0, 3 * side + 1);
            const std::optional<double> high = cells.Number(0, 3 * side + 2);
            if (low || high) {
                inputs.bounds.push_back(
                    {support, low.value_or(-kInfinity), high.value_or(kInfinity)});
            }
        }
    }
    if (anyMark) inputs.fixed = marked;
    return inputs;
}

}  // namespace shaftline::io
