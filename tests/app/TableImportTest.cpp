// Property tables imported from spreadsheet files: as LibreOffice and openpyxl
// write them, and as comma, semicolon or tab separated text in UTF-8 or the
// Greek code page. What a table gives must be what the text form gives, byte
// for byte in the study.

#include "studies/TableImport.h"
#include "app/ConvertCommand.h"
#include "platform/Codepage1253.h"
#include "studies/SampleStudy.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

struct ConvertRun {
    int status;
    std::string out;
    std::string err;
};

ConvertRun Convert(const std::string& in, const std::string& out, char decimal = '.') {
    ProgramState state;
    state.DecimalSeparatorCode = decimal;
    state.ThousandsSeparatorCode = decimal == '.' ? ',' : '.';
    std::istringstream input;
    std::ostringstream output, error;
    const int status = RunConvertCommand({in, out}, state, input, output, error);
    return {status, output.str(), error.str()};
}

// The sample study, its text form, and the study the text form gives back.
struct Sample {
    TestFolder folder;
    std::string text;
    Sample() {
        WriteAll(folder.File("sample.pyx"), test::FromHex(test::kExpectedStudyHex));
        const ConvertRun toText = Convert(folder.File("sample.pyx"), folder.File("sample.txt"));
        EXPECT_EQ(toText.status, 0) << toText.err;
        text = ReadAll(folder.File("sample.txt"));
        const ConvertRun back = Convert(folder.File("sample.txt"), folder.File("expected.pyx"));
        EXPECT_EQ(back.status, 0) << back.err;
    }
    void ExpectSameStudyFrom(const std::string& table) const {
        SCOPED_TRACE(table);
        const std::string study =
            folder.File("from-" + fs::path(table).filename().string() + ".pyx");
        const ConvertRun run = Convert(table, study);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadAll(study), ReadAll(folder.File("expected.pyx")));
        EXPECT_EQ(ReadAll(fs::path(study).replace_extension(".tpx").string()),
                  ReadAll(folder.File("expected.tpx")));
    }
};

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

TEST(TableImport, SpreadsheetsMadeByLibreOfficeGiveTheSameStudyAsTheTextForm) {
    Sample s;
    const std::string profile = "file://" + s.folder.File("lo-profile");
    for (const char* format : {"xlsx:\"Calc MS Excel 2007 XML\"", "ods"}) {
        const std::string command =
            "cd '" + s.folder.Path().string() +
            "' && soffice --headless -env:UserInstallation=" + profile +
            " --infilter='Text - txt - csv (StarCalc):9,34,76,1' --convert-to " + format +
            " sample.txt >/dev/null 2>&1";
        ASSERT_EQ(Shell(command), 0) << "LibreOffice (libreoffice-calc-nogui) must be installed";
    }
    s.ExpectSameStudyFrom(s.folder.File("sample.xlsx"));
    s.ExpectSameStudyFrom(s.folder.File("sample.ods"));
}

TEST(TableImport, TextSeparatedByCommasSemicolonsOrTabsInEitherCodePage) {
    Sample s;
    for (const char separator : {',', ';', '\t'}) {
        // The text form with its tabs made the separator, fields quoted where
        // they hold it (the sample's general data hold commas).
        std::string csv;
        std::string field;
        const auto flush = [&] {
            if (field.find(separator) != std::string::npos ||
                field.find('"') != std::string::npos) {
                std::string quoted = "\"";
                for (const char ch : field) {
                    quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
                }
                field = quoted + "\"";
            }
            csv += field;
            field.clear();
        };
        for (const char ch : s.text) {
            if (ch == '\t') {
                flush();
                csv += separator;
            } else if (ch == '\r' || ch == '\n') {
                if (ch == '\n') {
                    flush();
                    csv += "\r\n";
                }
            } else {
                field += ch;
            }
        }
        for (const bool greekCodePage : {false, true}) {
            const std::string name = std::string("sample-") +
                                     (separator == '\t'  ? "tab"
                                      : separator == ',' ? "comma"
                                                         : "semi") +
                                     (greekCodePage ? "-1253" : "-utf8") + ".csv";
            WriteAll(s.folder.File(name), greekCodePage ? Utf8ToCp1253(csv) : csv);
            s.ExpectSameStudyFrom(s.folder.File(name));
        }
    }
}

// A sheet of the engineer's own: a title line, then the column titles in his
// own order and spelling (small letters, accents, no unit), then the rows.
// The columns are found by their titles; refused cells are named by their
// row and the grid's column, and nothing is written.
TEST(TableImport, ColumnsAreFoundByTheirTitlesAndRefusedCellsNamed) {
    TestFolder f;
    const std::string script =
        "import openpyxl\n"
        "wb = openpyxl.Workbook(); ws = wb.active\n"
        "ws.append(['Κατάλογος ιδιοκτησιών'])\n"
        "ws.append(['Είδος διαμερίσματος', 'Ονομασία ιδιοκτησίας', 'Συνολικές απώλειες [kcal/h]',"
        " 'Εμβαδόν ιδιοκτησίας', 'Μέσο ύψος ιδιοκτησίας', 'Διέλευση κεντρικών σωλήνων',"
        " 'Παραπλ. μήκος προς εξωτερ. χώρο'])\n"
        "ws.append(['ΙΣΟΓΕΙΟ', 'Α1', 4200, 62.4, 2.8, 'ΕΝΤΟΣ ΙΔΙΟΚΤ.', 8.5])\n"
        "ws.append(['ΡΕΤΙΡΕ', 'Α2', 3900.25, 55, 3, 'ΑΛΛΗ ΠΕΡΙΠΤ.', 12])\n"
        "wb.save('own.xlsx')\n"
        "ws.append(['ΡΕΤΙΡΕ', 'Α3', -5, 'abc', 3, 'ΚΑΠΟΥ', 1])\n"
        "wb.save('refused.xlsx')\n";
    WriteAll(f.File("make.py"), script);
    ASSERT_EQ(Shell("cd '" + f.Path().string() + "' && /usr/bin/python3 make.py"), 0)
        << "python3-openpyxl must be installed";

    const ImportedTable table = ImportTable(f.File("own.xlsx"), NumberLocale::Greek());
    ASSERT_TRUE(table.Read());
    EXPECT_EQ(table.headerRow, 2);
    ASSERT_TRUE(table.parsed.refusals.empty());
    ASSERT_EQ(table.parsed.contents.rows.size(), 2u);
    const StudyRow& a1 = table.parsed.contents.rows[0];
    EXPECT_EQ(a1[0], "Α1");
    EXPECT_EQ(a1[1], "4200,00");
    EXPECT_EQ(a1[2], ""); // no column for it
    EXPECT_EQ(a1[4], "62,40");
    EXPECT_EQ(a1[5], "2,80");
    EXPECT_EQ(a1[6], "8,50");
    EXPECT_EQ(a1[9], "ΙΣΟΓΕΙΟ");
    EXPECT_EQ(a1[10], "ΕΝΤΟΣ ΙΔΙΟΚΤ.");
    EXPECT_EQ(table.parsed.contents.rows[1][1], "3900,25");

    const ConvertRun refused = Convert(f.File("refused.xlsx"), f.File("refused.pyx"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("γραμμή 5 (σειρά 3, στήλη 2): «-5»"), std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("στήλη 5): «abc»"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("στήλη 11): «ΚΑΠΟΥ»"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(f.File("refused.pyx")));
}

// What is not a spreadsheet is told by name, and writes nothing.
TEST(TableImport, FilesThatAreNotSpreadsheetsAreTold) {
    TestFolder f;
    WriteAll(f.File("garbage.xlsx"), "this is not a zip archive");
    WriteAll(f.File("empty.ods"), "");
    fs::create_directory(f.File("folder.ods"));
    // A zip archive without a workbook inside.
    WriteAll(f.File("empty.txt"), "x");
    ASSERT_EQ(Shell("cd '" + f.Path().string() +
                    "' && /usr/bin/python3 -c \"import zipfile; "
                    "zipfile.ZipFile('nobook.xlsx', 'w').writestr('a.txt', 'x')\""),
              0);
    const std::pair<const char*, const char*> cases[] = {
        // Read from the disk, but no workbook: not a fault of the disk.
        {"garbage.xlsx", "δεν είναι βιβλίο εργασίας"},
        {"empty.ods", "δεν είναι βιβλίο εργασίας"},
        {"folder.ods", "είναι φάκελος"},
        {"nobook.xlsx", "πρώτο φύλλο"},
        {"missing.csv", "δεν υπάρχει"},
    };
    for (const auto& [name, says] : cases) {
        SCOPED_TRACE(name);
        const ConvertRun run = Convert(f.File(name), f.File("out.pyx"));
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(f.File("out.pyx")));
    }
}

} // namespace
} // namespace pyrostat
