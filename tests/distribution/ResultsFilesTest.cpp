#include "distribution/ResultsFiles.h"
#include "distribution/FormulaFactors.h"
#include "distribution/FormulaTextFile.h"
#include "platform/Codepage1253.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

const std::string kHead1 = "ΓΕΝΙΚΟΣ ΤΥΠΟΣ :";
const std::string kHead2 = "Πi(%) = [fi x ei + (1 - Σ(fi x ei) x (ei x Ωi)/Σ(ei x Ωi))] x 100";

std::string Line(int k, const std::string& fe, const std::string& oms, const std::string& e) {
    return "Π" + std::to_string(k) + " (%) = [" + fe + " + (" + oms + " x " + e +
           " x Ωρες_i) / (Σ(" + e + " x Ωρες_i))] x 100";
}

std::string FormulaFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) {
        bytes += "\"" + Utf8ToCp1253(l) + "\"\r\n";
    }
    return bytes;
}

TEST(FilterThema, MapsCharactersFileNamesCannotHold) {
    struct Case {
        const char* title;
        const char* filtered;
        const char* stored;
    };
    const Case cases[] = {
        {"Block A/B: 1.5", "Block A_B_ 1_5", "Block A/B: 1.5"},
        {"  Οδός \"Αιόλου\"  ", "Οδός ''Αιόλου''", "Οδός \"Αιόλου\""},
        {"<Α>", "'Α'", "<Α>"},
        {"Α & Β", "Α _ Β", "Α & Β"},
        {"a@b*c|d\\e?f", "a_b_c_d_e_f", "a@b*c|d\\e?f"},
        {"Πολυκατοικία Ζωγράφου", "Πολυκατοικία Ζωγράφου", "Πολυκατοικία Ζωγράφου"},
        {"   ", "", ""},
    };
    for (const Case& c : cases) {
        ProgramState state;
        EXPECT_EQ(FilterThema(state, c.title), c.filtered);
        EXPECT_EQ(state.StudyTitle, c.stored);
    }
}

TEST(FormulaFactors, CommaToPointAndMarkers) {
    EXPECT_EQ(FromCommaToPoint("0,0641,,x"), "0.0641..x");
    EXPECT_EQ(FromCommaToPoint(""), "");
    // The same property with each decimal separator gives one coefficient line.
    const std::string lines[] = {
        Line(1, "0,0641", "0,4377", "0,1165"),
        Line(1, "0.0641", "0.4377", "0.1165"),
        Line(10, "0.0641", "0.4377", "0.1165"),
        Line(123, "0,0641", "0,4377", "0,1165"),
    };
    for (const std::string& line : lines) {
        const FormulaFactors f = ConstructFactors(line);
        EXPECT_EQ(f.CoefficientLine(), "0.0641,0.4377,0.1165,0.1165") << line;
    }
    // The grouping separator of a formatted number is a comma too.
    EXPECT_EQ(ConstructFactors(Line(2, "1,234.5", "0.4377", "0.1165")).Fact1, "1.234.");
}

TEST(FormulaFactors, ExportPositionsForOneAndTwoDigitNumbers) {
    struct Case {
        int k;
        std::string line;
    };
    const Case cases[] = {
        {1, Line(1, "0,0641", "0,4377", "0,1165")},
        {9, Line(9, "0.0641", "0.4377", "0.1165")},
        {10, Line(10, "0,0641", "0,4377", "0,1165")},
        {99, Line(99, "0.0641", "0.4377", "0.1165")},
        {100, Line(100, "0.0641", "0.4377", "0.1165")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FactorsAtPositions(c.line, c.k).CoefficientLine(), "0.0641,0.4377,0.1165,0.1165")
            << c.k;
    }
    // k = 10, L = 2: characters 12, 22, 31 and 53 of the line (1-based).
    const std::string bytes = Utf8ToCp1253(Line(10, "1.2345", "6.7890", "0.1111"));
    EXPECT_EQ(bytes.substr(11, 6), "1.2345");
    EXPECT_EQ(bytes.substr(21, 6), "6.7890");
    EXPECT_EQ(bytes.substr(30, 6), "0.1111");
    EXPECT_EQ(bytes.substr(52, 6), "0.1111");
    EXPECT_EQ(FactorsAtPositions(Line(10, "1.2345", "6.7890", "0.1111"), 10).CoefficientLine(),
              "1.2345,6.7890,0.1111,0.1111");
    // A short line never reads past its end.
    EXPECT_EQ(FactorsAtPositions("Π1", 1).CoefficientLine(), ",,,");
}

TEST(ResultsList, SeparatorLines) {
    const std::vector<std::string> lines = {kHead1, kHead2, Line(1, "a", "b", "c"),
                                            Line(2, "d", "e", "f")};
    const std::vector<std::string> expected = {std::string(61, '='),
                                               kHead1,
                                               kHead2,
                                               std::string(61, '='),
                                               " ",
                                               Line(1, "a", "b", "c"),
                                               std::string(48, '-'),
                                               Line(2, "d", "e", "f"),
                                               std::string(48, '-')};
    EXPECT_EQ(BuildResultsList(lines), expected);
    EXPECT_TRUE(BuildResultsList({}).empty());
}

TEST(QuotedLines, ReadBackAsWritten) {
    const std::vector<std::string> lines = {kHead1, kHead2, Line(1, "0,5500", "0,4500", "1,0000")};
    EXPECT_EQ(ParseQuotedLines(FormatQuotedLines(lines)), lines);
    // Unquoted lines, a missing last line end, a lone LF.
    EXPECT_EQ(ParseQuotedLines("\"a\"\r\nb\n\"c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(ParseQuotedLines("").empty());
    EXPECT_TRUE(ReadQuotedLines("/nonexistent/~mirttype.txt").empty());
}

class ResultsFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.ProgramFolder = folder.WithSlash();
        formula = FormulaFile({kHead1, kHead2, Line(1, "0,0641", "0,4377", "0,1165"),
                               Line(2, "0,1180", "0,4377", "0,3373")});
        // Ten properties for the export's two-digit numbers.
        std::vector<std::string> many = {kHead1, kHead2};
        for (int k = 1; k <= 10; ++k) {
            many.push_back(Line(k, "0.0" + std::to_string(100 + k), "0.4377",
                                "0.1" + std::to_string(100 + k)));
        }
        tenFormula = FormulaFile(many);
    }
    TestFolder folder;
    ProgramState state;
    std::string formula;
    std::string tenFormula;
};

TEST_F(ResultsFilesTest, ArchiveCreatesTheFolderAndRewritesOneCopy) {
    WriteAll(folder.File("~mirttype.txt"), formula);
    ASSERT_TRUE(ArchiveResults(state, " Block A/B: 1.5 "));
    const std::string archive = folder.File("PYXFiles/FLEFiles/");
    EXPECT_EQ(ReadAll(archive + "~mirttype_Block A_B_ 1_5.fle"), formula);
    EXPECT_EQ(ReadAll(archive + "TYPES_Block A_B_ 1_5.FIL"),
              "0.0641,0.4377,0.1165,0.1165\r\n0.1180,0.4377,0.3373,0.3373\r\n");

    WriteAll(folder.File("~mirttype.txt"), tenFormula);
    ASSERT_TRUE(ArchiveResults(state, "Block A/B: 1.5"));
    EXPECT_EQ(ReadAll(archive + "~mirttype_Block A_B_ 1_5.fle"), tenFormula);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(archive)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);
}

TEST_F(ResultsFilesTest, ExportWritesTheTwoFilesUnderTheGeneralData) {
    WriteAll(folder.File("~mirttype.txt"), tenFormula);
    state.Employer = " Owner ";
    state.Project = "Block C";
    state.Location = "Patras";
    EXPECT_EQ(GeneralDataName(state), "Owner, Block C, Patras");
    ASSERT_TRUE(ExportForCommonExpenses(state));
    EXPECT_EQ(ReadAll(folder.File("~imirttype_Owner, Block C, Patras.fle")), tenFormula);
    std::string expected;
    for (int k = 1; k <= 10; ++k) {
        const std::string fe = "0.0" + std::to_string(100 + k);
        const std::string e = "0.1" + std::to_string(100 + k);
        expected += fe + ",0.4377," + e + "," + e + "\r\n";
    }
    EXPECT_EQ(ReadAll(folder.File("TYPES_Owner, Block C, Patras.FIL")), expected);

    // The pair stays a pair: a coefficient file that may not be replaced
    // stops the export before the copy of the formulas is renewed.
    std::filesystem::permissions(folder.File("TYPES_Owner, Block C, Patras.FIL"),
                                 std::filesystem::perms::owner_read);
    WriteAll(folder.File("~mirttype.txt"), formula);
    const ExportResult refused = ExportForCommonExpenses(state);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.problem.find("μόνο για ανάγνωση"), std::string::npos) << refused.problem;
    EXPECT_EQ(ReadAll(folder.File("~imirttype_Owner, Block C, Patras.fle")), tenFormula);
}

TEST_F(ResultsFilesTest, ExportNameIsMadeFitForAFileName) {
    WriteAll(folder.File("~mirttype.txt"), formula);
    state.Employer = "Παπαδόπουλος & Σια Α.Ε.";
    state.Project = "Κ. Παλαμά 5/7";
    state.Location = "Αθήνα: \"Κέντρο\"";
    // The companion program looks the files up by the general data as they
    // are: only "/", which no file name may hold, is mapped.
    ASSERT_TRUE(ExportForCommonExpenses(state));
    EXPECT_EQ(
        ReadAll(folder.File("TYPES_Παπαδόπουλος & Σια Α.Ε., Κ. Παλαμά 5_7, Αθήνα: \"Κέντρο\".FIL")),
        "0.0641,0.4377,0.1165,0.1165\r\n0.1180,0.4377,0.3373,0.3373\r\n");
    EXPECT_EQ(ReadAll(folder.File(
                  "~imirttype_Παπαδόπουλος & Σια Α.Ε., Κ. Παλαμά 5_7, Αθήνα: \"Κέντρο\".fle")),
              formula);
}

TEST_F(ResultsFilesTest, AnExportNameLongerThanAFileNameIsRefusedBeforeWriting) {
    WriteAll(folder.File("~mirttype.txt"), formula);
    state.Employer = std::string(60, 'E');
    state.Project = "Πολυκατοικία με πολύ μακρύ όνομα που δεν τελειώνει εύκολα";
    state.Location = std::string(100, 'L');
    const ExportResult result = ExportForCommonExpenses(state);
    EXPECT_FALSE(result);
    EXPECT_NE(result.problem.find("255 bytes"), std::string::npos) << result.problem;
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1); // the formula file alone
}

TEST_F(ResultsFilesTest, ExportNeedsCompleteGeneralDataAndAFormulaFile) {
    WriteAll(folder.File("~mirttype.txt"), formula);
    state.Employer = "Α";
    state.Project = "  ";
    state.Location = "Γ";
    EXPECT_FALSE(ExportForCommonExpenses(state));
    state.Project = "Β";
    std::filesystem::remove(folder.File("~mirttype.txt"));
    EXPECT_FALSE(ExportForCommonExpenses(state));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 0);
}

} // namespace
} // namespace pyrostat
