// Readings read from the files a manager gets (.tsv, .csv, .xlsx, .ods) by
// the columns he says hold what.

#include "billing/ReadingsImport.h"
#include "billing/BillingSession.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

BillingCoefficients Flats() {
    return ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
}

TEST(ReadingColumns, KeptAsTextAndCheckedBeforeTheyRead) {
    const ReadingColumns chosen{1, 3, 2, -1, 0, 2};
    EXPECT_EQ(ColumnsText(chosen), "property=1;previous=3;current=2;measure=-1;marks=0;headings=2");
    EXPECT_EQ(ColumnsFromText(ColumnsText(chosen)), chosen);
    for (const char* bad :
         {"", "property=1", "property=x;previous=3;current=2;measure=-1;marks=0;headings=2",
          "property=1;previous=3;current=2;measure=-1;marks=0;headings=2;colour=1",
          "property=1;previous=3;current=2;measure=-2;marks=0;headings=2",
          "property=1;previous=3;current=2;measure=-1;marks=0;headings=2;"}) {
        EXPECT_FALSE(ColumnsFromText(bad)) << bad;
    }
    EXPECT_TRUE(chosen.Fault().empty());
    const struct {
        ReadingColumns columns;
        const char* fault;
    } refused[] = {
        {{-1, -1, 1, -1, -1, 0}, "Ιδιοκτησίας"},
        {{0, -1, -1, -1, 2, 0}, "τρέχουσας ένδειξης ή των ωρών"},
        {{0, -1, 1, 2, -1, 0}, "όχι και τα δύο"},
        {{0, 1, -1, 2, -1, 0}, "θέλει και την τρέχουσα"},
        {{0, 1, 1, -1, -1, 0}, "δύο ρόλους (στήλη 2)"},
        {{0, -1, -1, 1, 0, 0}, "δύο ρόλους (στήλη 1)"},
    };
    for (const auto& r : refused) {
        EXPECT_NE(r.columns.Fault().find(r.fault), std::string::npos) << r.columns.Fault();
    }
}

// The same readings in four formats, their columns in another order than the
// period's, with a heading row and a blank row; numbers stored as numbers in
// the spreadsheets and typed Greek in the text files.
TEST(ReadingsImport, FourFormatsReadAlikeByTheColumnsChosen) {
    TestFolder f;
    WriteAll(f.File("r.tsv"), "Σημειώσεις\tΔιαμέρισμα\tΤρέχουσα\tΠροηγούμενη\n"
                              "\tΑ1\t1.400,5\t1.000\n\n"
                              "κλειστό\tΒ1\t900\t900\n"
                              "\t3\t250\t100\n");
    WriteAll(f.File("r.csv"), "Σημειώσεις;Διαμέρισμα;Τρέχουσα;Προηγούμενη\n"
                              ";Α1;1400,5;1000\n;;;\n"
                              "κλειστό;Β1;900;900\n"
                              ";3;250;100\n");
    const std::string script =
        "import openpyxl\n"
        "wb = openpyxl.Workbook(); ws = wb.active\n"
        "ws.append(['Σημειώσεις', 'Διαμέρισμα', 'Τρέχουσα', 'Προηγούμενη'])\n"
        "ws.append([None, 'Α1', 1400.5, 1000])\n"
        "ws.append([])\n"
        "ws.append(['κλειστό', 'Β1', 900, 900])\n"
        "ws.append([None, 3, 250, 100])\n"
        "wb.save('r.xlsx')\n";
    WriteAll(f.File("make.py"), script);
    ASSERT_EQ(std::system(("cd '" + f.Path().string() + "' && /usr/bin/python3 make.py").c_str()),
              0)
        << "python3-openpyxl must be installed";
    const std::string convert = "cd '" + f.Path().string() +
                                "' && soffice --headless -env:UserInstallation=file://" +
                                f.File("lo") + " --convert-to ods r.xlsx >/dev/null 2>&1";
    ASSERT_EQ(std::system(convert.c_str()), 0) << "LibreOffice must be installed";

    const ReadingColumns columns{1, 3, 2, -1, 0, 1};
    for (const char* name : {"r.tsv", "r.csv", "r.xlsx", "r.ods"}) {
        SCOPED_TRACE(name);
        const SheetRows sheet = ReadReadingsFile(f.File(name));
        ASSERT_TRUE(sheet.Read()) << sheet.damage;
        EXPECT_EQ(GuessReadingColumns(sheet), columns); // the headings name them
        // A spreadsheet stores numbers: they read in either locale. A text
        // file is typed in one: the Greek one here.
        const bool stored =
            std::string(name).ends_with(".xlsx") || std::string(name).ends_with(".ods");
        std::vector<NumberLocale> locales{NumberLocale::Greek()};
        if (stored) {
            locales.push_back(NumberLocale::English());
        }
        for (const NumberLocale locale : locales) {
            BillingSession session(Flats());
            session.SetLocale(locale);
            const MappedReadings mapped = MapReadings(sheet, columns, locale);
            EXPECT_EQ(mapped.firstLine, 2);
            const std::vector<std::string> faults =
                session.Paste(mapped.table, false, mapped.firstLine);
            ASSERT_TRUE(faults.empty()) << faults.front();
            const bool greek = locale.decimal == ',';
            EXPECT_EQ(session.Rows()[0].previous, greek ? "1.000" : "1,000");
            EXPECT_EQ(session.Rows()[0].current, greek ? "1.400,5" : "1,400.5");
            EXPECT_EQ(session.Rows()[1].marks, "κλειστό");
            EXPECT_EQ(session.Rows()[2].current, "250");
        }
    }
}

TEST(ReadingsImport, ALineThatMatchesNoPropertyIsListedNotGuessed) {
    SheetRows sheet;
    auto text = [](const char* t) { return SheetCell{t, false}; };
    sheet.rows = {{text("Α1"), text("10")}, {text("Ζ9"), text("20")}, {text("Γ1"), text("x")}};
    const ReadingColumns columns = GuessReadingColumns(sheet);
    EXPECT_EQ(columns.measure, 1); // one number: the hours
    EXPECT_EQ(columns.headingRows, 0);
    BillingSession session(Flats());
    const MappedReadings mapped = MapReadings(sheet, columns, NumberLocale::Greek());
    const std::vector<std::string> faults = session.Paste(mapped.table, false, mapped.firstLine);
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_NE(faults[0].find("3"), std::string::npos) << faults[0]; // the sheet's row
    EXPECT_NE(faults[1].find("Ζ9"), std::string::npos) << faults[1];
    EXPECT_TRUE(session.Rows()[0].measure.empty()); // nothing filled
    // Two numbers after the property: the readings.
    sheet.rows = {{text("Α1"), text("10"), text("20"), text("κλειστό")}};
    const ReadingColumns two = GuessReadingColumns(sheet);
    EXPECT_EQ(two, (ReadingColumns{0, 1, 2, -1, 3, 0}));
}

} // namespace
} // namespace pyrostat
