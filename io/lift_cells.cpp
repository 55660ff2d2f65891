#include "lift_cells.h"

#include <cmath>
#include <string>

#include "coupled_line.h"
#include "layout_book.h"
#include "message_text.h"
#include "number_text.h"

namespace shaftline::io {

namespace {

[[noreturn]] void Refuse(std::size_t i, const std::string& why) {
    throw LiftCellError("Лист 1, ячейка " +
                        CellName(kLiftsRow, kLiftsLabelColumn + 1 + static_cast<int>(i)) +
                        " (подъём опоры " + std::to_string(i + 1) + "): " + why);
}

}  // namespace

std::vector<double> LiftsFromBook(const ShaftLineWorkbook& book, std::string_view separator,
                                  int supportCount) {
    std::vector<double> lifts(static_cast<std::size_t>(std::max(supportCount, 0)), 0.0);
    for (std::size_t i = 0; i < book.lifts.size(); ++i) {
        const std::string& text = book.lifts[i];
        if (text.empty()) continue;
        double lift = 0;
        try {
            lift = ParseReal(text, separator);
        } catch (const ConversionError&) {
            Refuse(i, "«" + QuotedForMessage(text) + "» не является числом");
        }
        if (!std::isfinite(lift) || std::fabs(lift) > kMaxExtraLift)
            Refuse(i, "подъём " + text + " мм больше допустимого по модулю " +
                          FormatGeneral(kMaxExtraLift, separator) + " мм");
        if (i >= lifts.size()) {
            if (lift == 0) continue;
            Refuse(i, "в валопроводе только " + std::to_string(supportCount) + " опор");
        }
        lifts[i] = lift;
    }
    return lifts;
}

std::vector<std::string> LiftTexts(const std::vector<double>& lifts, std::string_view separator) {
    std::vector<std::string> texts;
    for (double lift : lifts) texts.push_back(lift == 0 ? std::string() : FormatShortest(lift, separator));
    while (!texts.empty() && texts.back().empty()) texts.pop_back();
    return texts;
}

std::string LiftsInForceText(const std::vector<double>& lifts, std::string_view separator) {
    std::string text;
    for (std::size_t j = 0; j < lifts.size(); ++j) {
        if (lifts[j] == 0) continue;
        text += (text.empty() ? "Подъёмы опор в силе, мм: " : "; ") + std::string("опора ") +
                std::to_string(j + 1) + " " + FormatShortest(lifts[j], separator);
    }
    return text;
}

}  // namespace shaftline::io
