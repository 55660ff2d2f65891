#include "biff_stream.h"

#include <algorithm>
#include <bit>

#include "book_limits.h"

namespace shaftline::io {

namespace {

void Require(ByteSpan data, std::size_t at, std::size_t size) {
    if (at > data.size() || data.size() - at < size) {
        throw BiffFormatError("поле записи выходит за её конец");
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::uint16_t ReadU16(ByteSpan data, std::size_t at) {
    Require(data, at, 2);
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

std::uint32_t ReadU32(ByteSpan data, std::size_t at) {
    Require(data, at, 4);
    return static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8) |
           (static_cast<std::uint32_t>(data[at + 2]) << 16) |
           (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

double ReadF64(ByteSpan data, std::size_t at) {
    const std::uint64_t low = ReadU32(data, at);
    const std::uint64_t high = ReadU32(data, at + 4);
    return std::bit_cast<double>(low | (high << 32));
}

double DecodeRk(std::uint32_t rk) {
    const bool divideBy100 = (rk & 1U) != 0;
    const bool isInteger = (rk & 2U) != 0;
    double value = 0;
    if (isInteger) {
        // Arithmetic shift of the signed 30-bit integer held in the top bits.
        value = static_cast<double>(static_cast<std::int32_t>(rk & ~3U) / 4);
    } else {
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~3U) << 32);
    }
    return divideBy100 ? value / 100.0 : value;
}

RecordCursor::RecordCursor(ByteSpan stream, std::size_t offset)
    : stream_(stream), offset_(offset) {}

bool RecordCursor::Next(BiffRecord& record) {
    if (offset_ >= stream_.size()) {
        return false;
    }
    if (stream_.size() - offset_ < 4) {
        throw BiffFormatError("заголовок записи обрывается концом потока");
    }
    if (++records_ > kMaxRecords) {
        throw BiffFormatError("в потоке книги больше " + std::to_string(kMaxRecords) +
                              " записей; для валопровода их нужно намного меньше");
    }
    const std::uint16_t type = ReadU16(stream_, offset_);
    const std::uint16_t length = ReadU16(stream_, offset_ + 2);
    if (stream_.size() - offset_ - 4 < length) {
        throw BiffFormatError("запись обрывается концом потока");
    }
    record.type = type;
    record.data = stream_.subspan(offset_ + 4, length);
    record.offset = offset_;
    offset_ += 4 + static_cast<std::size_t>(length);
    return true;
}

bool RecordCursor::PeekType(std::uint16_t& type) const {
    if (offset_ >= stream_.size() || stream_.size() - offset_ < 4) {
        return false;
    }
    type = ReadU16(stream_, offset_);
    return true;
}

ContinuedReader::ContinuedReader(std::vector<ByteSpan> segments) : segments_(std::move(segments)) {}

std::size_t ContinuedReader::Available() const {
    return segment_ < segments_.size() ? segments_[segment_].size() - pos_ : 0;
}

bool ContinuedReader::NextSegment() {
    if (segment_ + 1 >= segments_.size()) {
        return false;
    }
    ++segment_;
    pos_ = 0;
    return true;
}

bool ContinuedReader::AtEnd() const {
    for (std::size_t s = segment_; s < segments_.size(); ++s) {
        if (segments_[s].size() > (s == segment_ ? pos_ : 0)) {
            return false;
        }
    }
    return true;
}

std::uint8_t ContinuedReader::U8() {
    while (Available() == 0) {
        if (!NextSegment()) {
            throw BiffFormatError("строка обрывается концом записи");
        }
    }
    return segments_[segment_][pos_++];
}

std::uint16_t ContinuedReader::U16() {
    const std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | (U8() << 8));
}

std::uint32_t ContinuedReader::U32() {
    const std::uint32_t low = U16();
    return low | (static_cast<std::uint32_t>(U16()) << 16);
}

void ContinuedReader::Skip(std::size_t count) {
    while (count > 0) {
        while (Available() == 0) {
            if (!NextSegment()) {
                throw BiffFormatError("строка обрывается концом записи");
            }
        }
        const std::size_t step = std::min(count, Available());
        pos_ += step;
        count -= step;
    }
}

std::string ContinuedReader::UnicodeString(int countBytes) {
    const std::size_t count = countBytes == 1 ? U8() : U16();
    const std::uint8_t options = U8();
    bool highByte = (options & 0x01) != 0;
    const std::size_t runs = (options & 0x08) != 0 ? U16() : 0;
    const std::size_t extended = (options & 0x04) != 0 ? U32() : 0;

    std::u16string units;
    units.reserve(count);
    while (units.size() < count) {
        if (Available() == 0) {
            if (!NextSegment() || Available() == 0) {
                throw BiffFormatError("строка обрывается концом записи");
            }
            highByte = (segments_[segment_][pos_++] & 0x01) != 0;
            continue;
        }
        // The characters of this record at once.
        const std::size_t width = highByte ? 2 : 1;
        if (Available() < width) {
            throw BiffFormatError("знак строки разорван границей записи");
        }
        const std::size_t n = std::min(count - units.size(), Available() / width);
        const std::uint8_t* p = segments_[segment_].data() + pos_;
        for (std::size_t i = 0; i < n; ++i, p += width) {
            units += static_cast<char16_t>(highByte ? p[0] | (p[1] << 8) : p[0]);
        }
        pos_ += n * width;
    }
    Skip(runs * 4 + extended);
    return Utf16ToUtf8(units);
}

std::vector<ByteSpan> ContinuedBody(ByteSpan first, RecordCursor& cursor) {
    std::vector<ByteSpan> segments{first};
    std::uint16_t type = 0;
    BiffRecord next;
    while (cursor.PeekType(type) && type == biff::kContinue && cursor.Next(next)) {
        if (segments.size() > kMaxContinueRecords) {
            throw BiffFormatError("за записью следует больше " +
                                  std::to_string(kMaxContinueRecords) + " записей CONTINUE");
        }
        segments.push_back(next.data);
    }
    return segments;
}

std::string StringRecordText(const std::vector<ByteSpan>& segments) {
    // Excel starts each CONTINUE of the text with a fresh option byte; Gnumeric cuts the record
    // into pieces as they come, even inside a character. Only the cut text has exactly the
    // byte count of its characters, so the count tells the two apart.
    if (segments.size() > 1 && segments[0].size() >= 3 && (segments[0][2] & 0x0C) == 0) {
        const std::size_t count = ReadU16(segments[0], 0);
        const std::size_t width = (segments[0][2] & 0x01) != 0 ? 2 : 1;
        std::size_t bytes = 0;
        for (const ByteSpan& s : segments) bytes += s.size();
        if (bytes - 3 == count * width) {
            std::vector<std::uint8_t> joined;
            joined.reserve(bytes);
            for (const ByteSpan& s : segments) joined.insert(joined.end(), s.begin(), s.end());
            return ContinuedReader({ByteSpan(joined)}).UnicodeString(2);
        }
    }
    return ContinuedReader(segments).UnicodeString(2);
}

std::string Utf16ToUtf8(const std::u16string& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace shaftline::io
