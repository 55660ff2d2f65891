#include "alignment_texts.h"

#include <cmath>

#include "number_text.h"

namespace shaftline {

std::string MoveText(double move, bool vertical, std::string_view decimalSeparator) {
    const std::string amount =
        FormatFixed(std::fabs(move), kAlignmentDecimals, decimalSeparator, "");
    if (amount == FormatFixed(0, kAlignmentDecimals, decimalSeparator, "")) return "на месте";
    const char* way =
        vertical ? (move > 0 ? "поднять" : "опустить") : (move > 0 ? "вправо" : "влево");
    return std::string(way) + " на " + amount + " мм";
}

std::string_view VerdictText(bool inTolerance) {
    return inTolerance ? "в допуске" : "вне допуска";
}

}  // namespace shaftline
