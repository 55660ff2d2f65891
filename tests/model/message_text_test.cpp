#include "message_text.h"

#include <gtest/gtest.h>

#include <string>

namespace shaftline {
namespace {

TEST(QuotedForMessage, TerminalControlsAreEscaped) {
    // Retitle the terminal (OSC 0) and clear it (CSI 2J), in 7-bit and 8-bit form.
    EXPECT_EQ(QuotedForMessage("\x1b]0;pwned\x07x\x1b[2J"), "\\e]0;pwned\\x07x\\e[2J");
    EXPECT_EQ(QuotedForMessage("a\xc2\x9b"
                               "2Jb"),
              "a\\x9B2Jb");
    EXPECT_EQ(QuotedForMessage("1\n2\t3\r\x7f"), "1\\n2\\t3\\r\\x7F");
    // A right-to-left override shows "exe.txt" as "txt.exe"; isolates nest the same way.
    EXPECT_EQ(QuotedForMessage("a\u202Eexe.txt\u2066b\u2069\u202A\u2029"),
              "a\\u202Eexe.txt\\u2066b\\u2069\\u202A\u2029");
}

TEST(QuotedForMessage, TextIsKeptButCutAfterSixtyCharacters) {
    EXPECT_EQ(QuotedForMessage("Ротор 1: 1,5 мм"), "Ротор 1: 1,5 мм");
    std::string cyrillic;
    for (int i = 0; i < 70; ++i) cyrillic += "ж";
    std::string expected;
    for (int i = 0; i < 60; ++i) expected += "ж";
    EXPECT_EQ(QuotedForMessage(cyrillic), expected + "…");
    EXPECT_EQ(QuotedForMessage(std::string(60, 'a')), std::string(60, 'a'));
}

TEST(QuotedForMessage, BytesThatAreNoUtf8AreShownAsHex) {
    EXPECT_EQ(QuotedForMessage("a\xff\xc0\x80z"), "a\\xFF\\xC0\\x80z");  // also an overlong NUL
    EXPECT_EQ(QuotedForMessage("\xd0"), "\\xD0");                        // cut-off sequence
}

}  // namespace
}  // namespace shaftline
