#include "app/CalcCommand.h"
#include "distribution/FormulaTextFile.h"
#include "distribution/SampleStudy.h"
#include "support/CompiledLocale.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>

#include <sstream>
#include <sys/stat.h>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

const std::string kExamples = std::string(PYROSTAT_SOURCE_DATA_DIR) + "/../examples/";
const std::string kExpected = std::string(PYROSTAT_TESTS_DIR) + "/distribution/data/";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Calc(ProgramState& state, const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCalcCommand(args, state, in, out, err);
    return {status, out.str(), err.str()};
}

// The formula file's lines as the command prints them: UTF-8, no quotes, LF.
std::string Printed(const std::string& formulaFile) {
    std::string text;
    for (const std::string& line : ParseQuotedLines(formulaFile)) {
        text += line + "\n";
    }
    return text;
}

// examples/sample.pyx and .tpx are made from the grid in SampleStudy.h; run
// with PYROSTAT_WRITE_SAMPLE=1 to write them again after changing it.
TEST(SampleStudy, FilesMatchTheirGrid) {
    const std::string pyx = test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true);
    const std::string tpx = FormatGeneralData(test::SampleGeneralData());
    if (std::getenv("PYROSTAT_WRITE_SAMPLE") != nullptr) {
        std::filesystem::create_directories(kExamples);
        WriteAll(kExamples + "sample.pyx", pyx);
        WriteAll(kExamples + "sample.tpx", tpx);
    }
    EXPECT_EQ(pyx.size(), 9u * 197u);
    EXPECT_EQ(ReadAll(kExamples + "sample.pyx"), pyx);
    EXPECT_EQ(ReadAll(kExamples + "sample.tpx"), tpx);
}

class CalcCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.ProgramFolder = home.WithSlash();
        study = studies.File("Ευριπίδου 14.pyx");
        WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
        WriteAll(studies.File("Ευριπίδου 14.tpx"), FormatGeneralData(test::SampleGeneralData()));
    }
    TestFolder home;
    TestFolder studies;
    ProgramState state;
    std::string study;
};

// The expected files were made by a separate single-precision model of the
// rules from the same grid (tests/tools/reference_distribution.py).
TEST_F(CalcCommandTest, SampleStudyFilesAreByteExact) {
    const Outcome o = Calc(state, {study, "--decimal", "."});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const std::string formula = ReadAll(kExpected + "sample_mirttype.txt");
    EXPECT_EQ(ReadAll(home.File("PYROSTAT.TMP")), ReadAll(kExpected + "sample_PYROSTAT.TMP"));
    EXPECT_EQ(ReadAll(home.File("~mirttype.txt")), formula);
    EXPECT_EQ(o.out, Printed(formula));
    EXPECT_NE(o.out.find("Π9 (%) = [0.0480 + (0.6493 x 0.1654 x Ωρες_i) / (Σ(0.1654 x "
                         "Ωρες_i))] x 100\n"),
              std::string::npos);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 11);
}

TEST_F(CalcCommandTest, DecimalCommaAndExport) {
    const Outcome o = Calc(state, {"--decimal=,", study, "--export"});
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string formula = ReadAll(kExpected + "sample_mirttype_comma.txt");
    EXPECT_EQ(ReadAll(home.File("~mirttype.txt")), formula);
    EXPECT_EQ(ReadAll(home.File("PYROSTAT.TMP")), ReadAll(kExpected + "sample_PYROSTAT.TMP"));
    const std::string g =
        "Ένωση Ιδιοκτητών Ευριπίδου 14, Κατανομή Δαπανών Κεντρικής Θέρμανσης, Ευριπίδου 14, "
        "Χαλάνδρι";
    EXPECT_EQ(ReadAll(home.File("~imirttype_" + g + ".fle")), formula);
    const std::string types = ReadAll(home.File("TYPES_" + g + ".FIL"));
    EXPECT_EQ(types.substr(0, 29), "0.0312,0.6493,0.0799,0.0799\r\n");
    EXPECT_EQ(std::count(types.begin(), types.end(), '\n'), 9);
}

// Without --decimal the user's locale chooses: a comma in Greek, a full stop
// in English and in the C locale.
TEST_F(CalcCommandTest, TheLocaleChoosesTheDecimalSeparator) {
    struct Case {
        const char* name;
        const char* file;
    };
    for (const Case& c :
         {Case{"el_GR", "sample_mirttype_comma.txt"}, Case{"en_US", "sample_mirttype.txt"}}) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> locpath = test::CompiledLocale(c.name, "UTF-8");
        if (!locpath) {
            GTEST_SKIP() << "the locale definitions are not installed (package locales)";
        }
        test::LocaleEnvironment environment(*locpath, std::string(c.name) + ".UTF-8");
        const Outcome o = Calc(state, {study});
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(ReadAll(home.File("~mirttype.txt")), ReadAll(kExpected + c.file));
    }
    test::LocaleEnvironment c("/nonexistent", "C");
    ASSERT_EQ(Calc(state, {study}).status, 0);
    EXPECT_EQ(ReadAll(home.File("~mirttype.txt")), ReadAll(kExpected + "sample_mirttype.txt"));
}

// Entries a building hardly has are listed on the error stream, each with its
// row, column and value, and the calculation runs all the same.
TEST_F(CalcCommandTest, ImplausibleEntriesAreListedAndCalculated) {
    std::vector<test::GridRowTexts> rows = test::SampleGrid();
    rows[1][5] = "3400"; // the shop's height
    rows[4][2] = "4300"; // with the ventilation's 720, above the flat's 4960
    WriteAll(study, test::StudyBytes(rows, test::kSampleTitle, true));
    const Outcome o = Calc(state, {study, "--decimal", ","});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.err.find("Σειρά 2, στήλη 6 (ΜΕΣΟ ΥΨΟΣ ΙΔΙΟΚΤΗΣΙΑΣ [m]): 3400,00 : μέσο ύψος "
                         "πάνω από 6 m"),
              std::string::npos)
        << o.err;
    EXPECT_NE(o.err.find("Σειρά 5, στήλη 3"), std::string::npos) << o.err;
    EXPECT_FALSE(ReadAll(home.File("PYROSTAT.TMP")).empty());
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 11);
}

TEST_F(CalcCommandTest, FailedCheckPrintsTheMessageAndWritesNothing) {
    std::vector<test::GridRowTexts> rows = test::SampleGrid();
    rows[3][6] = "0";
    rows[3][7] = "0";
    rows[3][8] = "0";
    WriteAll(study, test::StudyBytes(rows, test::kSampleTitle, true));
    const Outcome o = Calc(state, {study, "--decimal", ","});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "!! ΠΡΟΣΟΧΗ (ΣΕΙΡΑ : 4) !!\n... ΔΕΝ είναι δυνατόν ΚΑΙ τα τρία Παράπλευρα "
                     "Μήκη να είναι ΜΗΔΕΝΙΚΑ ...\n");
    EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));
    EXPECT_FALSE(std::filesystem::exists(home.File("~mirttype.txt")));

    // No title.
    WriteAll(study, test::StudyBytes(test::SampleGrid(), "", true));
    const Outcome untitled = Calc(state, {study});
    EXPECT_EQ(untitled.status, 2);
    EXPECT_EQ(untitled.err, "!... ΠΡΟΣΟΧΗ !...\nΔΩΣΤΕ ΤΟ ΘΕΜΑ ΤΗΣ ΜΕΛΕΤΗΣ\n");
    EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));
}

TEST_F(CalcCommandTest, ExportWithoutGeneralDataIsRefusedBeforeWriting) {
    std::filesystem::remove(studies.File("Ευριπίδου 14.tpx"));
    const Outcome o = Calc(state, {study, "--export", "--decimal", "."});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("Γενικά Στοιχεία"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));
    // Without --export the general data are not needed.
    EXPECT_EQ(Calc(state, {study, "--decimal", "."}).status, 0);
}

TEST_F(CalcCommandTest, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {study, "--decimal"},
        {study, "--decimal", ";"},
        {study, "--bogus"},
        {study, study},
        {studies.File("missing.pyx")},
    };
    for (const auto& args : bad) {
        const Outcome o = Calc(state, args);
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err, "");
        EXPECT_EQ(o.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));
}

TEST_F(CalcCommandTest, InsulationMarkOfTheStudyIsUsed) {
    WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, false));
    ASSERT_EQ(Calc(state, {study, "--decimal", "."}).status, 0);
    const std::string result = ReadAll(home.File("PYROSTAT.TMP"));
    float kind = 0;
    std::memcpy(&kind, result.data() + 93, 4);
    EXPECT_EQ(kind, 0.50f); // the basement without insulation
}

// Whatever stands in place of the study or its companion, the command ends
// with a Greek message naming the file and a status that is not 0, and writes
// no result: never an abort, never a hang on a FIFO.
TEST_F(CalcCommandTest, WhatIsNotARegularStudyIsRefusedByName) {
    std::filesystem::create_directory(studies.File("folder.pyx"));
    ASSERT_EQ(::mkfifo(studies.File("fifo.pyx").c_str(), 0644), 0);
    std::filesystem::create_symlink("loop2.pyx", studies.File("loop1.pyx"));
    std::filesystem::create_symlink("loop1.pyx", studies.File("loop2.pyx"));
    struct Case {
        std::string path;
        const char* says;
    };
    const Case cases[] = {
        {studies.File("folder.pyx"), "είναι φάκελος"},
        {studies.File("fifo.pyx"), "δεν είναι κανονικό αρχείο"},
        {studies.File("loop1.pyx"), "κύκλο συνδέσμων"},
        {studies.File("missing.pyx"), "δεν υπάρχει"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Outcome o = Calc(state, {c.path, "--decimal", "."});
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err.find(c.path), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
    }
    // A companion that is a folder: the general data cannot be told apart
    // from missing ones, so nothing is computed.
    std::filesystem::remove(studies.File("Ευριπίδου 14.tpx"));
    std::filesystem::create_directory(studies.File("Ευριπίδου 14.tpx"));
    const Outcome o = Calc(state, {study, "--decimal", "."});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("Ευριπίδου 14.tpx"), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));

    // A folder, even an empty one, where a result file belongs is neither
    // swept away nor written into: it is named.
    std::filesystem::remove(studies.File("Ευριπίδου 14.tpx"));
    std::filesystem::create_directory(home.File("~mirttype.txt"));
    const Outcome blocked = Calc(state, {study, "--decimal", "."});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("«" + home.File("~mirttype.txt") + "» είναι φάκελος"),
              std::string::npos)
        << blocked.err;
    EXPECT_TRUE(std::filesystem::is_directory(home.File("~mirttype.txt")));
}

// A study that could not be read whole is not calculated: a table made from
// part of it would be signed as the whole building's.
TEST_F(CalcCommandTest, ADamagedStudyIsToldAndNotCalculated) {
    const std::string whole = ReadAll(study);
    std::string nanInsulation = whole;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(nanInsulation.data() + 181, &nan, 4); // the insulation of record 1
    std::string tooMany;
    for (int i = 0; i < 501; ++i) {
        tooMany += whole.substr(0, 197);
    }
    const std::pair<const char*, std::string> damaged[] = {
        {"partial record", whole + "abc"},
        {"more than 500 records", tooMany},
        {"insulation not a number", nanInsulation},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        WriteAll(study, bytes);
        const Outcome o = Calc(state, {study, "--decimal", "."});
        EXPECT_EQ(o.status, 2);
        EXPECT_NE(o.err.find("ΚΑΤΕΣΤΡΑΜΜΕΝΟ"), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));
    }
    // A file far larger than any study is refused before it is read.
    WriteAll(study, std::string(20u * 1024u * 1024u, '\0'));
    const Outcome big = Calc(state, {study, "--decimal", "."});
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.err.find("υπερβολικά μεγάλο"), std::string::npos) << big.err;
}

// General data holding a control character would carry it into the export
// names and the reports: refused, by name of the file.
TEST_F(CalcCommandTest, GeneralDataWithControlCharactersAreRefused) {
    WriteAll(studies.File("Ευριπίδου 14.tpx"), "\"\xC1\tB\"\r\n\"\xC5\"\r\n\"\xC8\"\r\n");
    const Outcome o = Calc(state, {study, "--decimal", ".", "--export"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("χαρακτήρες ελέγχου"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("ΕΡΓΟΔΟΤΗΣ"), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(home.File("PYROSTAT.TMP")));
}

} // namespace
} // namespace pyrostat
