#include "distribution/ResultRecord.h"
#include "studies/GeneralDataFile.h"
#include "studies/PropertyRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pyrostat {
namespace {

std::string Le32(float f) {
    unsigned char b[4];
    std::memcpy(b, &f, 4); // the test machine is little-endian, as the files are
    return std::string(reinterpret_cast<char*>(b), 4);
}

TEST(PropertyRecord, BytesFollowTheLayout) {
    PropertyRecord p;
    p.RowNo = 3;
    p.Title = "ΠΟΛΥΚΑΤΟΙΚΙΑ";
    p.PropertyName = "Α1";
    p.TotalLosses = 5000;
    p.Area = 120;
    p.MeanHeight = 2.8f;
    p.Volume = 120 * 2.8f;
    p.Kind = "ΙΣΟΓΕΙΟ";
    p.PipePassage = "ΕΚΤΟΣ ΙΔΙΟΚΤ.";
    p.Insulation = -1;

    std::string expected;
    expected += std::string("\x03\x00", 2);
    expected += "\xD0\xCF\xCB\xD5\xCA\xC1\xD4\xCF\xC9\xCA\xC9\xC1" + std::string(66, ' ');
    expected += "\xC1"
                "1" +
                std::string(33, ' ');
    expected += Le32(5000) + Le32(0) + Le32(0) + Le32(120) + Le32(2.8f) + Le32(336.0f);
    expected += Le32(0) + Le32(0) + Le32(0);
    expected += "\xC9\xD3\xCF\xC3\xC5\xC9\xCF" + std::string(8, ' ');
    expected += "\xC5\xCA\xD4\xCF\xD3 \xC9\xC4\xC9\xCF\xCA\xD4." + std::string(2, ' ');
    expected += Le32(-1.0f) + std::string(12, '\0');

    const std::string bytes = p.Pack();
    ASSERT_EQ(bytes.size(), 197u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(p.Volume, 336.0f);

    const PropertyRecord back = PropertyRecord::Unpack(bytes);
    EXPECT_EQ(back.Title, "ΠΟΛΥΚΑΤΟΙΚΙΑ");
    EXPECT_EQ(back.PropertyName, "Α1");
    EXPECT_EQ(back.Kind, "ΙΣΟΓΕΙΟ");
    EXPECT_EQ(back.PipePassage, "ΕΚΤΟΣ ΙΔΙΟΚΤ.");
    EXPECT_EQ(back.MeanHeight, 2.8f);
    EXPECT_EQ(back.Insulation, -1.0f);
}

TEST(PropertyRecord, WrongLengthIsRefused) {
    EXPECT_THROW(PropertyRecord::Unpack(std::string(196, ' ')), std::invalid_argument);
}

TEST(ResultRecord, BytesFollowTheLayout) {
    ResultRecord r;
    r.RowNo = 12;
    r.PropertyName = std::string(40, 'N'); // cut to 35
    r.TotalLosses = 1;
    r.ExposureFactor = 0.2f;
    const std::string bytes = r.Pack();
    ASSERT_EQ(bytes.size(), 149u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x0C\x00", 2));
    EXPECT_EQ(bytes.substr(2, 35), std::string(35, 'N'));
    EXPECT_EQ(bytes.substr(37, 4), Le32(1.0f));
    EXPECT_EQ(bytes.substr(105, 4), Le32(0.2f));
    EXPECT_EQ(bytes.substr(109), std::string(40, '\0'));
    EXPECT_EQ(ResultRecord::Unpack(bytes).ExposureFactor, 0.2f);

    ResultRecord shortName;
    shortName.PropertyName = "ABC";
    EXPECT_EQ(shortName.Pack().substr(2, 35), "ABC" + std::string(32, ' '));
}

TEST(GeneralDataFile, ThreeQuotedLinesInTheCodePage) {
    const GeneralData d{"  Ιδιοκτήτες  ", "Block C", "Πάτρα"};
    const std::string bytes = FormatGeneralData(d);
    EXPECT_EQ(bytes, "\"\xC9\xE4\xE9\xEF\xEA\xF4\xDE\xF4\xE5\xF2\"\r\n\"Block "
                     "C\"\r\n\"\xD0\xDC\xF4\xF1\xE1\"\r\n");
    GeneralData back;
    EXPECT_TRUE(ParseGeneralData(bytes, back));
    EXPECT_EQ(back.Employer, "Ιδιοκτήτες");
    EXPECT_EQ(back.Project, "Block C");
    EXPECT_EQ(back.Location, "Πάτρα");
}

TEST(GeneralDataFile, ReadingToleratesShortAndOddFiles) {
    GeneralData d;
    EXPECT_FALSE(ParseGeneralData("\"A\"\r\n\"B\"\r\n", d));
    EXPECT_EQ(d.Employer, "A");
    EXPECT_EQ(d.Project, "B");
    EXPECT_EQ(d.Location, "");
    EXPECT_TRUE(ParseGeneralData("\"A, with comma\"\n\"B\"\n\"C\"", d));
    EXPECT_EQ(d.Employer, "A, with comma");
    EXPECT_EQ(d.Location, "C");
    EXPECT_FALSE(ParseGeneralData("", d));
    EXPECT_FALSE(ParseGeneralData("\"unterminated", d));
    EXPECT_EQ(d.Employer, "unterminated");
    EXPECT_FALSE(d.Complete());
}

TEST(GeneralDataFile, UnquotedValuesLoseStrayQuotes) {
    // Found by fuzzing: a stray quote inside an unquoted value would make a
    // file that cannot be written back.
    GeneralData d;
    ParseGeneralData("Blo\rc C\nk\"\"Patrar\"\r\n", d);
    EXPECT_EQ(d.Employer, "Blo");
    EXPECT_EQ(d.Project, "c C");
    EXPECT_EQ(d.Location, "kPatrar");
    GeneralData again;
    EXPECT_TRUE(ParseGeneralData(FormatGeneralData(d), again));
    EXPECT_EQ(again.Location, d.Location);
}

TEST(GeneralDataFile, QuotesAndForeignLettersCannotBeStored) {
    EXPECT_TRUE(IsGeneralDataText("Οδός Αγίου Νικολάου 5"));
    EXPECT_FALSE(IsGeneralDataText("Say \"hi\""));
    EXPECT_FALSE(IsGeneralDataText("Москва"));
}

} // namespace
} // namespace pyrostat
