#include "cell_values.h"

#include <charconv>
#include <cmath>

#include "layout_book.h"

namespace shaftline::io {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Reads an unsigned decimal of exactly `digits` digits (or at least one when digits is 0).
std::optional<int> Digits(std::string_view& text, std::size_t digits) {
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9' && (digits == 0 || n < digits)) ++n;
    if (n == 0 || (digits != 0 && n != digits) || n > 9) return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + n, value);
    text.remove_prefix(n);
    return value;
}

bool Skip(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr long long kSerialEpoch = -25569;  // 1899-12-30 in days from 1970-01-01

}  // namespace

std::optional<double> ParseXmlNumber(std::string_view text) {
    text = Trimmed(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> SerialFromIsoDate(std::string_view text) {
    text = Trimmed(text);
    const auto year = Digits(text, 4);
    if (!year || !Skip(text, '-')) return std::nullopt;
    const auto month = Digits(text, 2);
    if (!month || !Skip(text, '-')) return std::nullopt;
    const auto day = Digits(text, 2);
    if (!day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    double serial = static_cast<double>(DaysFromCivil(*year, *month, *day) - kSerialEpoch);
    if (text.empty()) return serial;
    if (!Skip(text, 'T')) return std::nullopt;
    const auto hour = Digits(text, 2);
    if (!hour || !Skip(text, ':')) return std::nullopt;
    const auto minute = Digits(text, 2);
    if (!minute) return std::nullopt;
    double seconds = 0;
    if (Skip(text, ':')) {
        const auto parsed = ParseXmlNumber(text.substr(0, text.find_first_not_of("0123456789.")));
        if (!parsed) return std::nullopt;
        seconds = *parsed;
        text.remove_prefix(std::min(text.size(), text.find_first_not_of("0123456789.")));
    }
    if (!text.empty() && text != "Z") return std::nullopt;
    return serial + (*hour * 3600.0 + *minute * 60.0 + seconds) / 86400.0;
}

std::optional<double> DaysFromIsoDuration(std::string_view text) {
    text = Trimmed(text);
    const bool negative = Skip(text, '-');
    if (!Skip(text, 'P') || !Skip(text, 'T')) return std::nullopt;
    double seconds = 0;
    bool any = false;
    while (!text.empty()) {
        const std::size_t unit = text.find_first_of("HMS");
        if (unit == std::string_view::npos || unit == 0) return std::nullopt;
        const auto value = ParseXmlNumber(text.substr(0, unit));
        if (!value) return std::nullopt;
        seconds += *value * (text[unit] == 'H' ? 3600.0 : text[unit] == 'M' ? 60.0 : 1.0);
        text.remove_prefix(unit + 1);
        any = true;
    }
    if (!any) return std::nullopt;
    return (negative ? -seconds : seconds) / 86400.0;
}

void LimitedText::Refuse(std::string_view what) const {
    throw BookFormatError(std::string(what) + " длиннее " + std::to_string(limit_ >> 20) + " МБ");
}

void LimitedText::Reserve(std::size_t more, std::string_view what) const {
    if (more > limit_ - text_.size()) Refuse(what);
}

void LimitedText::Append(std::string_view piece, std::string_view what) {
    Reserve(piece.size(), what);
    text_.append(piece);
}

void LimitedText::Append(std::size_t count, char c, std::string_view what) {
    Reserve(count, what);
    text_.append(count, c);
}

std::string LimitedText::Take() {
    std::string text = std::move(text_);
    text_.clear();
    return text;
}

}  // namespace shaftline::io
