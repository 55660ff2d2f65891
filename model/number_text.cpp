#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <limits>

#include "message_text.h"

namespace shaftline {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

[[noreturn]] void ThrowNotInteger(std::string_view text) {
    throw ConversionError("'" + QuotedForMessage(text) + "' is not a valid integer value",
                          std::string(text));
}

[[noreturn]] void ThrowNotReal(std::string_view text) {
    throw ConversionError("'" + QuotedForMessage(text) + "' is not a valid floating point value",
                          std::string(text));
}

// Decimal digits and exponent of a finite value rounded to `digits` significant digits:
// value = 0.d1d2d3... × 10^(exponent + 1). Trailing zeros are dropped; zero gives "0", 0.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;  // of the first digit
};

// strtod reads the C locale's separator; the texts here always have a '.'.
locale_t CNumericLocale() {
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// Digits of a value with a '.' as the decimal point whatever the process's C locale says: the
// C library's printf takes the locale's separator, and the callers look for the point.
std::string CLocaleText(double value, std::chars_format format, int precision) {
    char buf[400];  // the largest double has 309 integer digits
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

// The digits and exponent of "d.ddde±x", trailing zeros dropped.
Decimal ScientificDecimal(std::string_view text, bool negative) {
    Decimal d;
    d.negative = negative;
    const std::size_t e = text.find('e');
    const std::size_t exponent = text[e + 1] == '+' ? e + 2 : e + 1;
    std::from_chars(text.data() + exponent, text.data() + text.size(), d.exponent);
    for (char c : text.substr(0, e))
        if (IsDigit(c)) d.digits.push_back(c);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

Decimal RoundToSignificant(double value, int digits) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) {
        d.digits = "0";
        return d;
    }
    // "d.ddddde±xx", written the same in every C locale.
    return ScientificDecimal(
        CLocaleText(std::fabs(value), std::chars_format::scientific, digits - 1), d.negative);
}

// The value rounded to 15 significant digits. Its shortest digits (std::to_chars without a
// precision) serve when there are at most 15 of them, as for nearly every typed number, and
// are far quicker to get: a normal double lies within half its spacing, 1.1e-16 of itself, of
// them, less than half a unit of their 15th digit (5e-16 of them at least), so rounding it to
// 15 digits gives them again. Subnormal doubles are spaced wider and take the long road.
Decimal RoundTo15Significant(double value) {
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    if (ec == std::errc() && std::fabs(value) >= std::numeric_limits<double>::min()) {
        Decimal d = ScientificDecimal({buf, static_cast<std::size_t>(end - buf)}, std::signbit(value));
        if (d.digits.size() <= 15) return d;
    }
    return RoundToSignificant(value, 15);
}

std::string Scientific(const Decimal& d, std::string_view sep) {
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += sep;
        out += d.digits.substr(1);
    }
    out += 'E';
    out += std::to_string(d.exponent);
    return out;
}

// Digits 0..exponent of the integer part with a separator every three digits.
std::string GroupThousands(const std::string& integerDigits, std::string_view thousands) {
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += thousands;
        out += integerDigits[i];
    }
    return out;
}

}  // namespace

int ParseInteger(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) negative = t[pos++] == '-';
    if (pos == t.size()) ThrowNotInteger(text);
    long long value = 0;
    for (; pos < t.size(); ++pos) {
        if (!IsDigit(t[pos])) ThrowNotInteger(text);
        value = value * 10 + (t[pos] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            ThrowNotInteger(text);
        }
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) ThrowNotInteger(text);
    return static_cast<int>(value);
}

double ParseReal(std::string_view text, std::string_view decimalSeparator) {
    const std::string_view t = TrimBlanks(text);
    // [sign] digits [sep digits] [(e|E) [sign] digits], with at least one mantissa digit.
    std::string plain;
    std::size_t pos = 0;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) plain += t[pos++];
    int mantissaDigits = 0;
    while (pos < t.size() && IsDigit(t[pos])) plain += t[pos++], ++mantissaDigits;
    if (!decimalSeparator.empty() && t.substr(pos, decimalSeparator.size()) == decimalSeparator) {
        pos += decimalSeparator.size();
        plain += '.';
        while (pos < t.size() && IsDigit(t[pos])) plain += t[pos++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) ThrowNotReal(text);
    if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E')) {
        plain += t[pos++];
        if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) plain += t[pos++];
        int exponentDigits = 0;
        while (pos < t.size() && IsDigit(t[pos])) plain += t[pos++], ++exponentDigits;
        if (exponentDigits == 0) ThrowNotReal(text);
    }
    if (pos != t.size()) ThrowNotReal(text);
    const char* begin = plain.c_str() + (plain[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, plain.c_str() + plain.size(), value);
    if (ec != std::errc() || end != plain.c_str() + plain.size() || !std::isfinite(value)) {
        // Underflow to a subnormal or zero is a number all the same; overflow is not.
        if (ec == std::errc::result_out_of_range) {
            const double tiny = ::strtod_l(begin, nullptr, CNumericLocale());
            if (std::fabs(tiny) < 1) return tiny;
        }
        ThrowNotReal(text);
    }
    return value;
}

namespace {

// Fixed notation for exponents −4..14, otherwise mantissa and exponent, as the general format.
std::string GeneralText(const Decimal& d, std::string_view decimalSeparator) {
    if (d.digits == "0") return "0";
    if (d.exponent < -4 || d.exponent >= 15) return Scientific(d, decimalSeparator);
    std::string out = d.negative ? "-" : "";
    if (d.exponent < 0) {
        out += "0";
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
        return out;
    }
    const std::size_t integerCount = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerCount) {
        out += d.digits;
        out.append(integerCount - d.digits.size(), '0');
        return out;
    }
    out += d.digits.substr(0, integerCount);
    out += decimalSeparator;
    out += d.digits.substr(integerCount);
    return out;
}

}  // namespace

std::string FormatGeneral(double value, std::string_view decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    return GeneralText(RoundTo15Significant(value), decimalSeparator);
}

std::string FormatSignificant(double value, int digits, std::string_view decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    return GeneralText(RoundToSignificant(value, std::clamp(digits, 1, 15)), decimalSeparator);
}


std::string FormatNumber7(double value, std::string_view decimalSeparator,
                          std::string_view thousandsSeparator) {
    constexpr int kSignificant = 7;
    constexpr int kDecimals = 9;
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    Decimal d = RoundToSignificant(value, kSignificant);
    if (d.digits != "0" && d.exponent >= kSignificant) return Scientific(d, decimalSeparator);
    // Round again to at most nine decimals: digits below 10^-9 go.
    if (d.digits != "0" && d.exponent < -1) {
        const int kept = d.exponent + 1 + kDecimals;  // significant digits left of 10^-9
        if (kept <= 0) {
            // Below the ninth decimal: the true value rounded to 10^-9 is 0 or 1 unit.
            const std::string ninth =
                CLocaleText(std::fabs(value), std::chars_format::fixed, kDecimals);
            d.digits = ninth.back() == '1' ? "1" : "0";
            d.exponent = -kDecimals;
        } else if (static_cast<int>(d.digits.size()) > kept) {
            d = RoundToSignificant(value, kept);
        }
    }
    std::string integerDigits;
    std::string fraction;
    if (d.digits == "0") {
        integerDigits = "0";
    } else if (d.exponent < 0) {
        integerDigits = "0";
        fraction.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        fraction += d.digits;
    } else {
        const std::size_t integerCount = static_cast<std::size_t>(d.exponent) + 1;
        std::string digits = d.digits;
        if (digits.size() < integerCount) digits.append(integerCount - digits.size(), '0');
        integerDigits = digits.substr(0, integerCount);
        fraction = digits.substr(integerCount);
    }
    fraction.resize(kDecimals, '0');
    const bool zero = d.digits == "0";
    std::string out = (d.negative && !zero) ? "-" : "";
    out += GroupThousands(integerDigits, thousandsSeparator);
    out += decimalSeparator;
    out += fraction;
    return out;
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator,
                        std::string_view thousandsSeparator) {
    if (!std::isfinite(value)) return "—";
    decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
    const std::string text = CLocaleText(std::fabs(value), std::chars_format::fixed, decimals);
    const std::size_t point = text.find('.');
    const std::string integerDigits = text.substr(0, point);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    std::string out = value < 0 && !zero ? "-" : "";
    out += GroupThousands(integerDigits, thousandsSeparator);
    if (point != std::string::npos) {
        out += decimalSeparator;
        out += text.substr(point + 1);
    }
    return out;
}

std::string FormatShortest(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return "—";
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string out;
    for (const char* c = buf; c != end; ++c) {
        if (*c == '.') {
            out += decimalSeparator;
        } else {
            out += *c;
        }
    }
    return ec == std::errc() ? out : std::string("—");
}

std::string FormatInteger(long long value) {
    return std::to_string(value);
}

}  // namespace shaftline
