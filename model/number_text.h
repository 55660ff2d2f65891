#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace shaftline {

/// A text that is not a number of the expected kind; what() is the user-facing message.
class ConversionError : public std::runtime_error {
  public:
    ConversionError(std::string message, std::string text)
        : std::runtime_error(std::move(message)), text_(std::move(text)) {}
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

/// Decimal integer with an optional sign, 32-bit. Throws ConversionError
/// "'%s' is not a valid integer value".
int ParseInteger(std::string_view text);

/// Decimal real with the given decimal separator, an optional sign and an optional exponent,
/// no thousands separators. Throws ConversionError "'%s' is not a valid floating point value".
double ParseReal(std::string_view text, std::string_view decimalSeparator);

/// General format: at most 15 significant digits, no trailing zeros; fixed notation for
/// magnitudes from 0.0001 below 10^15, otherwise mantissa, 'E' and the exponent
/// ("1.5E-5", "2E20"). No thousands separator.
std::string FormatGeneral(double value, std::string_view decimalSeparator);

/// The general format with at most `digits` (1..15) significant digits: "274,606".
std::string FormatSignificant(double value, int digits, std::string_view decimalSeparator);

/// Number format of the parameters window: rounded to 7 significant digits and at most
/// 9 decimals, written with exactly 9 decimals and thousands separators; more than 7 digits
/// before the separator gives scientific notation instead.
std::string FormatNumber7(double value, std::string_view decimalSeparator,
                          std::string_view thousandsSeparator);

/// Fixed notation with exactly `decimals` decimals (0..9) and thousands separators, rounded
/// from the true value ("-1 234,5"); a value that rounds to zero has no sign. A value that is
/// not finite gives "—".
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator,
                        std::string_view thousandsSeparator);

/// The shortest text that reads back as exactly the same double ("0.1", "-1234.5678",
/// "1.5e-07"), with the given decimal separator and no thousands separators: a value copied in
/// full precision. A value that is not finite gives "—".
std::string FormatShortest(double value, std::string_view decimalSeparator);

/// Decimal integer text.
std::string FormatInteger(long long value);

}  // namespace shaftline
