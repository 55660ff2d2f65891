#include "message_text.h"

#include <cstdint>

namespace shaftline {

namespace {

// A byte or a C1 control as \xNN.
std::string HexEscape(unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'\\', 'x', kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

std::string EscapeControl(unsigned codePoint) {
    switch (codePoint) {
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        case 0x1B:
            return "\\e";
        default:
            if (codePoint <= 0xFF) return HexEscape(codePoint);
            return "\\u" + HexEscape(codePoint >> 8).substr(2) +
                   HexEscape(codePoint & 0xFF).substr(2);
    }
}

// The bidirectional embeddings, overrides and isolates turn the rest of a line around on the
// screen, so that a quoted name reads as something else.
bool IsBidiControl(unsigned codePoint) {
    return (codePoint >= 0x202A && codePoint <= 0x202E) ||
           (codePoint >= 0x2066 && codePoint <= 0x2069);
}

bool IsControl(unsigned codePoint) {
    return codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint <= 0x9F) ||
           IsBidiControl(codePoint);
}

// Length of the well-formed UTF-8 sequence at text[i] and its code point; 0 when the bytes there
// are no such sequence (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut off).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, unsigned& codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[i + k]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    unsigned minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

std::string QuotedForMessage(std::string_view text) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++chars) {
        if (chars == kMaxQuotedChars) {
            out += "…";
            break;
        }
        unsigned codePoint = 0;
        const std::size_t length = DecodeUtf8(text, i, codePoint);
        if (length == 0) {
            out += HexEscape(static_cast<std::uint8_t>(text[i]));
            ++i;
        } else {
            if (IsControl(codePoint))
                out += EscapeControl(codePoint);
            else
                out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80 ? 1 : 0;
    return characters;
}

}  // namespace shaftline
