// Each bound of a property table's reading, on the value at the bound and one
// past it.

#include "platform/Codepage1253.h"
#include "studies/GeneralDataFile.h"
#include "studies/SheetRows.h"
#include "studies/TableImport.h"
#include "support/TestFolder.h"
#include "workspace/GridLayout.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using test::TestFolder;

std::vector<SheetCell> Titles() {
    std::vector<SheetCell> cells;
    for (const std::string& title : ColumnHeaders()) {
        cells.push_back({title, false});
    }
    return cells;
}

std::vector<SheetCell> Flat(const std::string& name) {
    std::vector<SheetCell> cells = {{name, false}};
    for (const char* number : {"4200", "600", "300", "62.4", "2.8", "8.5", "0", "0"}) {
        cells.push_back({number, true});
    }
    cells.push_back({"ΙΣΟΓΕΙΟ", false});
    cells.push_back({"ΕΝΤΟΣ ΙΔΙΟΚΤ.", false});
    return cells;
}

// The column titles are looked for in the first 30 rows: a notice of 29
// lines above them is read past, one of 30 lines is taken as the table.
TEST(TableBoundaries, TheTitlesAreFoundInTheFirstThirtyRows) {
    for (const size_t above : {size_t{29}, size_t{30}}) {
        SheetRows sheet;
        for (size_t i = 0; i < above; ++i) {
            sheet.rows.push_back({{"Σημείωση " + std::to_string(i + 1), false}});
        }
        sheet.rows.push_back(Titles());
        sheet.rows.push_back(Flat("Α1"));
        const ImportedTable table = ImportSheetRows(sheet, NumberLocale::English());
        if (above == 29) {
            EXPECT_EQ(table.headerRow, 30);
            ASSERT_FALSE(table.parsed.contents.rows.empty());
            EXPECT_EQ(table.parsed.contents.rows.back()[0], "Α1");
        } else {
            EXPECT_EQ(table.headerRow, 0);
        }
    }
}

// A text table is read to its 5000th row; a 5001st refuses the file, named.
TEST(TableBoundaries, ATextTableHoldsFiveThousandRows) {
    TestFolder folder;
    for (const size_t rows : {size_t{5000}, size_t{5001}}) {
        std::string text;
        for (size_t i = 1; i <= rows; ++i) {
            text +=
                "Δ" + std::to_string(i) + ";4200;600;300;62.4;2.8;8.5;0;0;ΙΣΟΓΕΙΟ;ΕΝΤΟΣ ΙΔΙΟΚΤ.\n";
        }
        const std::string path = folder.File("rows" + std::to_string(rows) + ".csv");
        test::WriteAll(path, text);
        const SheetRows sheet = ReadCsvRows(path);
        if (rows == 5000) {
            EXPECT_TRUE(sheet.Read()) << sheet.damage;
            EXPECT_EQ(sheet.rows.size(), 5000u);
        } else {
            EXPECT_FALSE(sheet.Read());
            EXPECT_NE(sheet.damage.find("5001"), std::string::npos) << sheet.damage;
        }
    }
}

// The general data file as another program writes it, the three values on
// one line with commas between them, reads as the three lines do.
TEST(TableBoundaries, GeneralDataOnOneLineOrThree) {
    for (const std::string& text :
         {std::string("\"Ιδιοκτήτες\",\"Πολυκατοικία\",\"Πάτρα\"\r\n"),
          std::string("\"Ιδιοκτήτες\"\r\n\"Πολυκατοικία\"\r\n\"Πάτρα\"\r\n"),
          std::string("Ιδιοκτήτες,Πολυκατοικία,Πάτρα\r\n")}) {
        GeneralData data;
        ASSERT_TRUE(ParseGeneralData(Utf8ToCp1253(text), data)) << text;
        EXPECT_EQ(data.Employer, "Ιδιοκτήτες");
        EXPECT_EQ(data.Project, "Πολυκατοικία");
        EXPECT_EQ(data.Location, "Πάτρα");
    }
}

} // namespace
} // namespace pyrostat
