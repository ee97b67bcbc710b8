#include "platform/Codepage1253.h"
#include "platform/FixedRecord.h"
#include "platform/TextFold.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pyrostat {
namespace {

TEST(Codepage1253, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Cp1253ToUtf8(all);
    bool ok = false;
    EXPECT_EQ(Utf8ToCp1253(utf8, &ok), all);
    EXPECT_TRUE(ok);
}

TEST(Codepage1253, GreekLettersMapToTheirBytes) {
    struct Case {
        const char* utf8;
        unsigned char byte;
    } cases[] = {{"Α", 0xC1}, {"Ω", 0xD9}, {"α", 0xE1}, {"ω", 0xF9}, {"ς", 0xF2},
                 {"Ϋ", 0xDB}, {"ΐ", 0xC0}, {"€", 0x80}, {"²", 0xB2}, {"Ά", 0xA2},
                 {"ά", 0xDC}, {"Σ", 0xD3}, {"…", 0x85}, {"«", 0xAB}, {"·", 0xB7}};
    for (const auto& c : cases) {
        const std::string bytes = Utf8ToCp1253(c.utf8);
        ASSERT_EQ(bytes.size(), 1u) << c.utf8;
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), c.byte) << c.utf8;
        EXPECT_EQ(Cp1253ToUtf8(bytes), c.utf8);
    }
}

TEST(Codepage1253, TextOutsideTheCodePageIsRefused) {
    EXPECT_TRUE(IsCp1253Encodable("ΙΣΟΓΕΙΟ Block A-1 €"));
    EXPECT_FALSE(IsCp1253Encodable("Ж")); // Cyrillic
    EXPECT_FALSE(IsCp1253Encodable("漢"));
    EXPECT_FALSE(IsCp1253Encodable("ő"));    // Latin-2 only
    EXPECT_FALSE(IsCp1253Encodable("\xC3")); // broken UTF-8
    bool ok = true;
    EXPECT_EQ(Utf8ToCp1253("aЖb", &ok), "a?b");
    EXPECT_FALSE(ok);
}

// A text file in UTF-8, with or without its byte-order mark, or in the Greek
// code page, reads as the same text; the mark is not part of it.
TEST(Codepage1253, ATextFileReadsTheSameInEitherEncoding) {
    const std::string text = "Ιδιοκτησία\tώρες\nΑ1\t100\n";
    EXPECT_EQ(TextFileToUtf8(text), text);
    EXPECT_EQ(TextFileToUtf8("\xEF\xBB\xBF" + text), text);
    EXPECT_EQ(TextFileToUtf8(Utf8ToCp1253(text)), text);
    // Only a whole mark at the very start is one.
    EXPECT_EQ(TextFileToUtf8("\xEF\xBB"), Cp1253ToUtf8("\xEF\xBB"));
    EXPECT_EQ(TextFileToUtf8("A\xEF\xBB\xBF"), "A\xEF\xBB\xBF");
}

TEST(TextFold, AsciiLowerTakesLatinCapitalsOnly) {
    const std::pair<char, char> cases[] = {{'A', 'a'}, {'Z', 'z'}, {'M', 'm'}, {'@', '@'},
                                           {'[', '['}, {'a', 'a'}, {'.', '.'}, {'\xC1', '\xC1'}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(AsciiLower(in), out) << in;
    }
}

TEST(Utf8Helpers, LengthLeftAndTrimCountCharactersNotBytes) {
    EXPECT_EQ(Utf8Length("ΙΣΟΓΕΙΟ"), 7u);
    EXPECT_EQ(Utf8Left("ΙΣΟΓΕΙΟ", 3), "ΙΣΟ");
    EXPECT_EQ(Utf8Left("ab", 5), "ab");
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t"); // only blanks pad the records
}

TEST(FixedRecord, FieldsArePackedLittleEndianAndPadded) {
    FixedRecord r(2 + 5 + 4);
    r.PutInt16(0, -2);
    r.PutText(2, 5, "  ΑΒ ");
    r.PutSingle(7, 1.0f);
    const std::string expected =
        std::string("\xFE\xFF", 2) + "\xC1\xC2   " + std::string("\x00\x00\x80\x3F", 4);
    EXPECT_EQ(r.Bytes(), expected);
    EXPECT_EQ(r.GetInt16(0), -2);
    EXPECT_EQ(r.GetText(2, 5), "ΑΒ");
    EXPECT_EQ(r.GetSingle(7), 1.0f);
}

TEST(FixedRecord, LongTextIsCutToTheField) {
    FixedRecord r(4);
    r.PutText(0, 4, "ABCDEFG");
    EXPECT_EQ(r.Bytes(), "ABCD");
}

TEST(FixedRecord, AccessOutsideTheRecordThrows) {
    FixedRecord r(4);
    EXPECT_THROW(r.PutSingle(1, 0.0f), std::out_of_range);
    EXPECT_THROW((void)r.GetInt16(3), std::out_of_range);
    EXPECT_THROW((void)r.GetText(5, 1), std::out_of_range);
}

TEST(FixedRecord, NonFiniteSinglesKeepTheirBits) {
    FixedRecord r(4);
    r.PutSingle(0, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isinf(r.GetSingle(0)));
}

TEST(FixedRecord, RecordCountNamesAPartialTail) {
    EXPECT_EQ(CountRecords(591, 197).whole, 3u);
    EXPECT_FALSE(CountRecords(591, 197).partial);
    EXPECT_EQ(CountRecords(600, 197).whole, 3u);
    EXPECT_TRUE(CountRecords(600, 197).partial);
    EXPECT_EQ(CountRecords(0, 197).whole, 0u);
}

} // namespace
} // namespace pyrostat
