#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout_book.h"

// Low-level reading of a BIFF8 workbook stream: little-endian fields, the record sequence and
// strings that run on through CONTINUE records.

namespace shaftline::io {

using ByteSpan = std::span<const std::uint8_t>;

/// The stream breaks its own structure (a record or a field runs past the data that holds it).
/// what() is a Russian description without the file name.
class BiffFormatError : public BookFormatError {
  public:
    using BookFormatError::BookFormatError;
};

namespace biff {
inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kBof = 0x0809;

inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kBofGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
}  // namespace biff

std::uint16_t ReadU16(ByteSpan data, std::size_t at);
std::uint32_t ReadU32(ByteSpan data, std::size_t at);
double ReadF64(ByteSpan data, std::size_t at);

/// RK number: a 30-bit integer or the top 30 bits of a double, optionally divided by 100.
double DecodeRk(std::uint32_t rk);

struct BiffRecord {
    std::uint16_t type = 0;
    ByteSpan data;
    std::size_t offset = 0;  ///< of the record header within the stream
};

/// Walks the records of a stream from a given offset, at most kMaxRecords of them.
class RecordCursor {
  public:
    RecordCursor(ByteSpan stream, std::size_t offset);

    /// The next record; false at the end of the stream. Throws BiffFormatError when a header
    /// or a body is cut off by the end of the stream.
    bool Next(BiffRecord& record);
    /// The type of the record Next would return, or nothing at the end of the stream.
    bool PeekType(std::uint16_t& type) const;

  private:
    ByteSpan stream_;
    std::size_t offset_;
    std::size_t records_ = 0;
};

/// Reads a record and the CONTINUE records after it as one sequence of bytes. Character data
/// is the exception: where it crosses into a CONTINUE record, that record starts with a fresh
/// option byte telling whether the rest of the characters are 8- or 16-bit.
class ContinuedReader {
  public:
    explicit ContinuedReader(std::vector<ByteSpan> segments);

    bool AtEnd() const;
    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    void Skip(std::size_t count);

    /// BIFF8 unicode string: character count of `countBytes` (1 or 2) bytes, option byte,
    /// optional rich-text run count and extended-data size, the characters, then the runs
    /// and the extended data, which are skipped. Returned as UTF-8.
    std::string UnicodeString(int countBytes);

  private:
    bool NextSegment();
    std::size_t Available() const;

    std::vector<ByteSpan> segments_;
    std::size_t segment_ = 0;
    std::size_t pos_ = 0;
};

/// The body of a record and those of the CONTINUE records after it, which the cursor passes;
/// at most kMaxContinueRecords of them.
std::vector<ByteSpan> ContinuedBody(ByteSpan first, RecordCursor& cursor);

/// Text of a STRING record (a formula's text result) and its CONTINUE records.
std::string StringRecordText(const std::vector<ByteSpan>& segments);

/// Appends UTF-16 code units as UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& units);

}  // namespace shaftline::io
