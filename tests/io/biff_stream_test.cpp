#include "biff_stream.h"

#include <gtest/gtest.h>

#include "biff_builder.h"

using namespace shaftline::io;
using namespace biff_builder;

namespace {

struct RkCase {
    std::uint32_t rk;
    double value;
};

void PrintTo(const RkCase& c, std::ostream* os) {
    *os << "RK 0x" << std::hex << c.rk << std::dec << " -> " << c.value;
}

class RkTest : public ::testing::TestWithParam<RkCase> {};

TEST_P(RkTest, Decodes) {
    EXPECT_DOUBLE_EQ(DecodeRk(GetParam().rk), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Forms, RkTest,
                         ::testing::Values(RkCase{(5U << 2) | 2U, 5.0},  // integer
                                           RkCase{static_cast<std::uint32_t>(-7 * 4) | 2U,
                                                  -7.0},                        // negative integer
                                           RkCase{(12345U << 2) | 3U, 123.45},  // integer / 100
                                           RkCase{0x3FF80000U, 1.5},         // top bits of a double
                                           RkCase{0x3FF80000U | 1U, 0.015},  // double / 100
                                           RkCase{0xC0000000U, -2.0}),
                         [](const auto& info) {
                             // The value names the case: 5, minus7, 123_45 ...
                             std::string name = std::to_string(info.param.value);
                             name.erase(name.find_last_not_of('0') + 1);
                             if (name.back() == '.') name.pop_back();
                             for (char& c : name) c = c == '.' ? '_' : c;
                             return name[0] == '-' ? "minus" + name.substr(1) : name;
                         });

struct StringCase {
    const char* name;
    std::vector<Bytes> segments;
    std::string expected;
};

void PrintTo(const StringCase& c, std::ostream* os) {
    *os << c.name;
}

class UnicodeStringTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(UnicodeStringTest, ReadsAcrossContinueRecords) {
    std::vector<ByteSpan> spans(GetParam().segments.begin(), GetParam().segments.end());
    ContinuedReader reader(spans);
    EXPECT_EQ(reader.UnicodeString(2), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnicodeStringTest,
    ::testing::Values(
        StringCase{"Compressed", {UnicodeString(u"abc", false)}, "abc"},
        StringCase{"Wide", {UnicodeString(u"вал", true)}, "вал"},
        StringCase{"NarrowThenWide",
                   {U16(5) + U8(0) + Chars(u"ab", false), U8(1) + Chars(u"вал", true)},
                   "abвал"},
        StringCase{"WideThenNarrow",
                   {U16(4) + U8(1) + Chars(u"ю", true), U8(0) + Chars(u"xyz", false)},
                   "юxyz"},
        StringCase{"SurrogatePair", {UnicodeString(u"\U0001F600", true)}, "\xF0\x9F\x98\x80"},
        StringCase{
            "LoneSurrogate", {UnicodeString(std::u16string(1, 0xD800), true)}, "\xEF\xBF\xBD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnicodeStringTest, SkipsRichRunsAndExtendedDataAcrossRecords) {
    // "ok" with one formatting run (4 bytes) and 3 bytes of phonetic data, cut in the runs,
    // then "z": the second string must start right after the skipped bytes.
    const Bytes first = U16(2) + U8(0x0C) + U16(1) + U32(3) + Chars(u"ok", false) + Bytes(2, 0xAA);
    const Bytes second = Bytes(2, 0xAA) + Bytes(3, 0xBB) + UnicodeString(u"z", false);
    ContinuedReader reader({ByteSpan(first), ByteSpan(second)});
    EXPECT_EQ(reader.UnicodeString(2), "ok");
    EXPECT_EQ(reader.UnicodeString(2), "z");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(UnicodeStringTest, RefusesTextCutShort) {
    const std::vector<Bytes> cases = {
        U16(5) + U8(0) + Chars(u"abc", false),  // fewer characters than counted
        U16(2) + U8(1) + U8(0x41),              // half a wide character
        U16(0x0100),                            // count without option byte
    };
    for (const Bytes& bytes : cases) {
        ContinuedReader reader({ByteSpan(bytes)});
        EXPECT_THROW(reader.UnicodeString(2), BiffFormatError);
    }
    const Bytes head = U16(4) + U8(0) + Chars(u"ab", false);
    const Bytes empty;
    ContinuedReader reader({ByteSpan(head), ByteSpan(empty)});
    EXPECT_THROW(reader.UnicodeString(2), BiffFormatError);
}

TEST(StringRecordTextTest, ReadsBothWaysOfContinuingALongText) {
    const std::u16string text = u"жжжжж";
    // With an option byte at the start of the CONTINUE, as Excel writes it.
    const Bytes excelHead = U16(5) + U8(1) + Chars(u"жж", true);
    const Bytes excelTail = U8(1) + Chars(u"жжж", true);
    // Cut as it comes, in the middle of the third character, as Gnumeric writes it.
    const Bytes whole = UnicodeString(text, true);
    const Bytes cutHead(whole.begin(), whole.begin() + 8);
    const Bytes cutTail(whole.begin() + 8, whole.end());

    EXPECT_EQ(StringRecordText({ByteSpan(excelHead), ByteSpan(excelTail)}), "жжжжж");
    EXPECT_EQ(StringRecordText({ByteSpan(cutHead), ByteSpan(cutTail)}), "жжжжж");
    EXPECT_EQ(StringRecordText({ByteSpan(whole)}), "жжжжж");
}

TEST(RecordCursorTest, WalksRecordsAndRefusesCutOnes) {
    const Bytes stream = Record(0x0203, Bytes(14, 0)) + Eof();
    RecordCursor cursor(stream, 0);
    BiffRecord record;
    ASSERT_TRUE(cursor.Next(record));
    EXPECT_EQ(record.type, 0x0203);
    EXPECT_EQ(record.data.size(), 14U);
    ASSERT_TRUE(cursor.Next(record));
    EXPECT_EQ(record.type, biff::kEof);
    EXPECT_FALSE(cursor.Next(record));

    const Bytes cutHeader = Eof() + U16(0x0203) + U8(1);
    const Bytes cutBody = U16(0x0203) + U16(14) + Bytes(4, 0);
    RecordCursor header(cutHeader, 0);
    ASSERT_TRUE(header.Next(record));
    EXPECT_THROW(header.Next(record), BiffFormatError);
    RecordCursor body(cutBody, 0);
    EXPECT_THROW(body.Next(record), BiffFormatError);
}

}  // namespace
