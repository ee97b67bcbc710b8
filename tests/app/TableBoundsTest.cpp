// A property table read to its last row in every format: the same sheet as
// .csv, .xlsx and .ods gives the same rows and names the same lines, and no
// crafted file crashes the reader, exhausts its memory or is read in part.

#include "app/ConvertCommand.h"
#include "studies/TableImport.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace pyrostat {
namespace {

using test::TestFolder;

const std::string kMaker = std::string(PYROSTAT_TESTS_DIR) + "/tools/make_tables.py";

// One property row in the grid's columns.
std::string Row(const std::string& name, const std::string& area = "62.4") {
    return "[\"" + name + "\", 4200, 600, 300, " + area +
           ", 2.8, 8.5, 0, 0, \"ΙΣΟΓΕΙΟ\", \"ΕΝΤΟΣ ΙΔΙΟΚΤ.\"]";
}

// Writes the rows as NAME.csv, NAME.xlsx and NAME.ods.
void MakeSheet(const TestFolder& folder, const std::string& name,
               const std::vector<std::string>& rows) {
    std::string json = "[";
    for (size_t i = 0; i < rows.size(); ++i) {
        json += (i ? "," : "") + rows[i];
    }
    json += "]";
    const std::string listFile = folder.File(name + ".json");
    test::WriteAll(listFile, json);
    const std::string command = "/usr/bin/python3 '" + kMaker + "' '" + folder.Path().string() +
                                "' same '" + name + "' \"$(cat '" + listFile + "')\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct Converted {
    int status;
    std::string err;
};

Converted Convert(const std::string& in, const std::string& out) {
    ProgramState state;
    state.DecimalSeparatorCode = '.';
    state.ThousandsSeparatorCode = ',';
    std::istringstream input;
    std::ostringstream output, error;
    const int status = RunConvertCommand({in, out}, state, input, output, error);
    return {status, error.str()};
}

// What a table gave: its rows and the lines and columns of its refusals.
std::string Outcome(const ImportedTable& table) {
    std::string text = table.damage + "\n";
    for (const StudyRow& row : table.parsed.contents.rows) {
        for (const std::string& cell : row) {
            text += cell + "|";
        }
        text += "\n";
    }
    for (const TextRefusal& r : table.parsed.refusals) {
        text += DescribeRefusal(r) + "\n";
    }
    return text;
}

void ExpectTheSameFromEveryFormat(const TestFolder& folder, const std::string& name,
                                  const std::string& contains) {
    const ImportedTable csv = ImportTable(folder.File(name + ".csv"), NumberLocale::English());
    const ImportedTable xlsx = ImportTable(folder.File(name + ".xlsx"), NumberLocale::English());
    const ImportedTable ods = ImportTable(folder.File(name + ".ods"), NumberLocale::English());
    EXPECT_EQ(Outcome(xlsx), Outcome(csv));
    EXPECT_EQ(Outcome(ods), Outcome(csv));
    EXPECT_NE(Outcome(csv).find(contains), std::string::npos) << Outcome(csv);
}

TEST(TableBounds, RowsAfterAGapAreReadAndRefusedByLine) {
    TestFolder folder;
    std::vector<std::string> rows;
    for (int i = 1; i <= 30; ++i) {
        rows.push_back(Row("Α" + std::to_string(i)));
    }
    rows.resize(1100, "[]");
    for (int i = 1; i <= 20; ++i) {
        rows.push_back(Row("Β" + std::to_string(i)));
    }
    MakeSheet(folder, "gap", rows);
    ExpectTheSameFromEveryFormat(folder, "gap", "γραμμή 1120 (σειρά 1120");
    for (const char* ext : {".csv", ".xlsx", ".ods"}) {
        SCOPED_TRACE(ext);
        const Converted run = Convert(folder.File(std::string("gap") + ext), folder.File("g.pyx"));
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("γραμμή 1101"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder.File("g.pyx")));
    }
}

TEST(TableBounds, EmptyRowsCountTheSameInEveryFormat) {
    TestFolder folder;
    MakeSheet(folder, "holes",
              {Row("Α1"), Row("Α2"), Row("Α3"), "[]", "[]", "[]", Row("Β1"), Row("Β2", "\"abc\"")});
    // Eight rows with the three empty ones, the refused area on line 8.
    ExpectTheSameFromEveryFormat(folder, "holes", "γραμμή 8 (σειρά 8, στήλη 5): «abc»");
    const ImportedTable csv = ImportTable(folder.File("holes.csv"), NumberLocale::English());
    EXPECT_EQ(csv.parsed.contents.rows.size(), 8u);
}

TEST(TableBounds, AFormulaWithoutItsValueIsRefusedByName) {
    TestFolder folder;
    MakeSheet(folder, "formula", {Row("Α1"), "[\"Α2\", \"=2*2100\"]"});
    for (const char* ext : {".xlsx", ".ods"}) {
        SCOPED_TRACE(ext);
        const ImportedTable table =
            ImportTable(folder.File(std::string("formula") + ext), NumberLocale::English());
        EXPECT_FALSE(table.Read());
        EXPECT_NE(table.damage.find("γραμμή 2, στήλη 2 έχει τύπο χωρίς αποθηκευμένη τιμή"),
                  std::string::npos)
            << table.damage;
    }
}

// Files made to harm the reader: each refused with its reason, or read for
// what it is, and the test binary still standing.
TEST(TableBounds, CraftedFilesAreToldNotSuffered) {
    TestFolder folder;
    const std::string command =
        "/usr/bin/python3 '" + kMaker + "' '" + folder.Path().string() + "' crafted";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const struct {
        const char* file;
        const char* damage; // empty: read
    } cases[] = {
        {"deep-text.ods", "φωλιασμένο"},
        {"deep-groups.ods", ""},
        {"shared-bomb.xlsx", "περισσότερο κείμενο"},
        {"node-bomb.xlsx", ""},
        {"huge.xlsx", "μεγαλύτερο απ' όσο διαβάζεται"},
        {"repeated.ods", "γραμμή 5001"},
        {"spaces.ods", "1000 χαρακτήρες"},
        {"lines.csv", "γραμμή 5000002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ImportedTable table = ImportTable(folder.File(c.file), NumberLocale::English());
        if (*c.damage == '\0') {
            ASSERT_TRUE(table.Read()) << table.damage;
            ASSERT_EQ(table.parsed.contents.rows.size(), 1u);
            EXPECT_EQ(table.parsed.contents.rows[0][0], "Α1");
            continue;
        }
        EXPECT_NE(table.damage.find(c.damage), std::string::npos) << table.damage;
        const Converted run = Convert(folder.File(c.file), folder.File("x.pyx"));
        EXPECT_EQ(run.status, 2) << run.err;
    }
}

} // namespace
} // namespace pyrostat
