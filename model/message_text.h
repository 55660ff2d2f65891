#pragma once

#include <string>
#include <string_view>

namespace shaftline {

/// Longest part of a user's text that a message quotes, in characters.
inline constexpr std::size_t kMaxQuotedChars = 60;

/// A text from a cell, a sheet name or a command line, made safe to put into a message that may
/// reach a terminal: control characters (C0, DEL and C1, which include the escape sequences that
/// retitle or clear a terminal) are written as \n, \t, \r, \e or \xNN, the bidirectional
/// controls U+202A..U+202E and U+2066..U+2069 as \u202E and the like, bytes that are no UTF-8 as
/// \xNN, and a text longer than kMaxQuotedChars characters is cut there and ends in "…".
std::string QuotedForMessage(std::string_view text);

/// The number of characters of a UTF-8 text (its bytes that do not continue a character), as a
/// terminal or a spreadsheet column counts them.
std::size_t CharacterCount(std::string_view text);

}  // namespace shaftline
