#pragma once

// Builds BIFF8 workbook streams record by record, for cases that no spreadsheet program writes.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace biff_builder {

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes U8(unsigned v) {
    return {static_cast<std::uint8_t>(v)};
}
inline Bytes U16(unsigned v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}
inline Bytes U32(std::uint32_t v) {
    return U16(v & 0xFFFF) + U16(v >> 16);
}
inline Bytes F64(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return U32(static_cast<std::uint32_t>(bits)) + U32(static_cast<std::uint32_t>(bits >> 32));
}

inline Bytes Record(unsigned type, const Bytes& payload) {
    return U16(type) + U16(static_cast<unsigned>(payload.size())) + payload;
}

/// Characters without count or option byte: 8-bit or UTF-16LE.
inline Bytes Chars(const std::u16string& text, bool wide) {
    Bytes out;
    for (char16_t c : text) out = out + (wide ? U16(c) : U8(c));
    return out;
}

/// Count (2 bytes), option byte, characters.
inline Bytes UnicodeString(const std::u16string& text, bool wide) {
    return U16(static_cast<unsigned>(text.size())) + U8(wide ? 1 : 0) + Chars(text, wide);
}

inline Bytes Bof(unsigned kind) {
    return Record(0x0809, U16(0x0600) + U16(kind) + Bytes(12, 0));
}
inline Bytes Eof() {
    return Record(0x000A, {});
}

inline Bytes Cell(unsigned row, unsigned col) {
    return U16(row) + U16(col) + U16(15);
}
inline Bytes Number(unsigned row, unsigned col, double v) {
    return Record(0x0203, Cell(row, col) + F64(v));
}
inline Bytes LabelSst(unsigned row, unsigned col, std::uint32_t index) {
    return Record(0x00FD, Cell(row, col) + U32(index));
}
/// FORMULA with an 8-byte result field and an empty parsed expression.
inline Bytes Formula(unsigned row, unsigned col, const Bytes& result) {
    return Record(0x0006, Cell(row, col) + result + U16(0) + U32(0) + U16(0));
}
inline Bytes FormulaCode(unsigned kind, unsigned value) {
    return U8(kind) + U8(0) + U8(value) + U8(0) + U16(0) + U16(0xFFFF);
}

struct Sheet {
    std::u16string name;
    unsigned type = 0;  // BOUNDSHEET sheet type
    Bytes body;         // records between the sheet's BOF and EOF
};

/// Globals (BOF, extra records, BOUNDSHEETs, EOF), then every sheet from BOF to EOF.
inline Bytes Workbook(const std::vector<Sheet>& sheets, const Bytes& globalsExtra = {}) {
    std::size_t offset = Bof(5).size() + globalsExtra.size() + Eof().size();
    for (const Sheet& s : sheets) offset += 4 + 8 + s.name.size() * 2;
    Bytes directory;
    Bytes bodies;
    for (const Sheet& s : sheets) {
        directory =
            directory +
            Record(0x0085, U32(static_cast<std::uint32_t>(offset + bodies.size())) + U8(0) +
                               U8(s.type) + U8(s.name.size()) + U8(1) + Chars(s.name, true));
        bodies = bodies + Bof(s.type == 2 ? 0x20 : 0x10) + s.body + Eof();
    }
    return Bof(5) + globalsExtra + directory + Eof() + bodies;
}

}  // namespace biff_builder
