#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

// Cell values as the XML book formats write them, turned into the numbers a spreadsheet
// program holds; nullopt for a text that is no such value.

namespace shaftline::io {

/// A decimal number with '.' and an optional exponent ("1.5E-3"), spaces around allowed.
std::optional<double> ParseXmlNumber(std::string_view text);

/// An ISO 8601 date with an optional time ("2024-03-01", "2024-03-01T12:30:00.5") as a
/// spreadsheet serial number: days since 1899-12-30, the time of day as a fraction.
std::optional<double> SerialFromIsoDate(std::string_view text);

/// An ISO 8601 duration of hours, minutes and seconds ("PT12H30M00S") in days.
std::optional<double> DaysFromIsoDuration(std::string_view text);

/// Text collected from a book part, refused once it passes `limit` bytes.
class LimitedText {
  public:
    explicit LimitedText(std::size_t limit) : limit_(limit) {}
    /// Throws BookFormatError naming `what` past the limit.
    void Append(std::string_view piece, std::string_view what);
    void Append(std::size_t count, char c, std::string_view what);
    /// The same, with the name made only for a refusal (a cell's name costs more to make
    /// than most of its texts do to append).
    template <std::invocable Name>
    void Append(std::string_view piece, Name&& name) {
        if (piece.size() > limit_ - text_.size()) Refuse(name());
        text_.append(piece);
    }
    template <std::invocable Name>
    void Append(std::size_t count, char c, Name&& name) {
        if (count > limit_ - text_.size()) Refuse(name());
        text_.append(count, c);
    }
    const std::string& Text() const { return text_; }
    std::string Take();
    void Clear() { text_.clear(); }

  private:
    void Reserve(std::size_t more, std::string_view what) const;
    [[noreturn]] void Refuse(std::string_view what) const;

    std::size_t limit_;
    std::string text_;
};

}  // namespace shaftline::io
