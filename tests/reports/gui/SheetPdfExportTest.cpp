#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/XlsxExport.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace pyrostat::test {
namespace {

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The .xlsx holds the numbers as they print: a single's value as its
// shortest decimal (a user's =F9=62.4 is true), a total as its formula with
// its value, as a spreadsheet program reads them.
TEST(SheetXlsxExport, CellsHoldWhatTheyPrintAndTotalsTheirFormulas) {
    if (!XlsxExportAvailable()) {
        GTEST_SKIP() << "built without libxlsxwriter";
    }
    TestFolder folder;
    SheetModel model;
    CellFormat twoDecimals;
    twoDecimals.numberFormat = "0.00";
    model.SetFormat(9, 6, twoDecimals);
    model.SetFormat(10, 6, twoDecimals);
    model.SetNumber(9, 6, static_cast<double>(62.4f));
    model.SetNumber(10, 6, static_cast<double>(37.6f));
    model.SetFormula(11, 6, "=SUM(F9:F10)", 100.0);
    const std::string xlsx = folder.File("sheet.xlsx");
    std::string error;
    ASSERT_TRUE(WriteSheetXlsx(model, xlsx, error)) << error;
    // Debian's Python, where the project's set-up installs openpyxl.
    const QString read = Output(
        "/usr/bin/python3", {"-c",
                             "import sys, openpyxl\n"
                             "s = openpyxl.load_workbook(sys.argv[1]).active\n"
                             "print(repr(s['F9'].value), repr(s['F10'].value), s['F11'].value)\n"
                             "s = openpyxl.load_workbook(sys.argv[1], data_only=True).active\n"
                             "print(repr(s['F11'].value))\n",
                             QString::fromStdString(xlsx)});
    EXPECT_EQ(read.toStdString(), "62.4 37.6 =SUM(F9:F10)\n100\n");
}

// A spreadsheet prints the footer between its own margin and the bottom
// margin: the room left holds a line of text (6 mm), never less than 2.5 mm
// from the paper's edge.
TEST(SheetXlsxExport, TheFooterHasTheRoomOfALine) {
    if (!XlsxExportAvailable()) {
        GTEST_SKIP() << "built without libxlsxwriter";
    }
    for (const double bottom : {10.0, 12.0, 6.0}) {
        SCOPED_TRACE(bottom);
        TestFolder folder;
        SheetModel model;
        model.SetText(1, 1, "x");
        model.Setup().marginBottomMm = bottom;
        model.Setup().footer = "Σελίδα &P από &N";
        const std::string xlsx = folder.File("sheet.xlsx");
        std::string error;
        ASSERT_TRUE(WriteSheetXlsx(model, xlsx, error)) << error;
        const QString margins =
            Output("/usr/bin/python3",
                   {"-c",
                    "import re, sys, zipfile\n"
                    "x = zipfile.ZipFile(sys.argv[1]).read('xl/worksheets/sheet1.xml').decode()\n"
                    "m = re.search(r'<pageMargins [^>]*>', x).group(0)\n"
                    "g = lambda k: float(re.search(k + r'=\"([0-9.]+)\"', m).group(1)) * 25.4\n"
                    "print('%.2f %.2f' % (g('bottom'), g('footer')))\n",
                    QString::fromStdString(xlsx)});
        const QStringList mm = margins.split(' ');
        ASSERT_EQ(mm.size(), 2) << margins.toStdString();
        EXPECT_NEAR(mm[0].toDouble(), bottom, 0.01);
        EXPECT_NEAR(mm[1].toDouble(), std::max(2.5, bottom - 6.0), 0.01);
    }
}

// A glyph the font draws for two letters (the «fi» ligature) reads back as
// both letters: copied or searched text is the printed text.
TEST(SheetPdfExport, LigaturesReadBackAsTheirLetters) {
    TestFolder folder;
    SheetModel model;
    model.SetText(1, 1, "fi : συντελεστής πάγιου μέρους");
    model.SetText(2, 1, "office fluffy ffi fl");
    const std::string pdf = folder.File("sheet.pdf");
    std::string error;
    ASSERT_TRUE(WriteSheetPdf(model, pdf, ',', '.', error)) << error;
    // (pdftotext breaks the overflowing text into lines of its own.)
    const QString text = Output("pdftotext", {QString::fromStdString(pdf), "-"}).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("fi : συντελεστής πάγιου μέρους")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("office fluffy ffi fl"))) << text.toStdString();
}

// A text the sheets' font lacks a character of is drawn with the font the
// system finds for it, embedded too; the text reads back whole, and a
// character no font has still leaves the rest of its text readable.
TEST(SheetPdfExport, CharactersOutsideTheSheetFontComeFromTheirOwnFont) {
    TestFolder folder;
    SheetModel model;
    model.SetText(1, 1, "Θέρμανση \xEE\x82\x8A ΠΕΡΙΟΔΟΣ"); // U+E08A: only OpenSymbol has it
    model.SetText(2, 1, "Κόστος 1.234,50 €");
    model.SetNumber(3, 2, 98765.4321);
    const std::string pdf = folder.File("sheet.pdf");
    std::string error;
    ASSERT_TRUE(WriteSheetPdf(model, pdf, ',', '.', error)) << error;

    const QString text = Output("pdftotext", {QString::fromStdString(pdf), "-"});
    EXPECT_TRUE(text.contains(QStringLiteral("Θέρμανση"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ΠΕΡΙΟΔΟΣ"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Κόστος 1.234,50 €"))) << text.toStdString();

    const QStringList fonts =
        Output("pdffonts", {QString::fromStdString(pdf)}).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(fonts.size(), 4) << "the sheet's font and the one for U+E08A";
    bool symbol = false;
    for (qsizetype i = 2; i < fonts.size(); ++i) {
        EXPECT_TRUE(fonts[i].contains("yes yes yes")) << fonts[i].toStdString();
        symbol = symbol || fonts[i].contains("OpenSymbol");
    }
    EXPECT_TRUE(symbol);
}

// A saved sheet takes the place of an earlier file whole, and what stands in
// the way is told in Greek with the file named; the earlier file stays as it
// was and nothing is left beside it.
TEST(SheetPdfExport, BothFormatsReplaceWholeOrTellWhyNot) {
    using Writer = std::function<bool(const SheetModel&, const std::string&, std::string&)>;
    std::vector<std::pair<std::string, Writer>> writers = {
        {"pdf", [](const SheetModel& m, const std::string& path, std::string& error) {
             return WriteSheetPdf(m, path, ',', '.', error);
         }}};
    if (XlsxExportAvailable()) {
        writers.push_back({"xlsx", WriteSheetXlsx});
    }
    SheetModel model;
    model.SetText(1, 1, "Κατανομή");
    for (const auto& [extension, write] : writers) {
        SCOPED_TRACE(extension);
        TestFolder folder;
        const std::string saved = folder.File("sheet." + extension);
        WriteAll(saved, "earlier");
        std::filesystem::create_directory(folder.File("folder." + extension));
        struct Case {
            std::string path;
            std::string told;
        };
        const Case refused[] = {
            {folder.File("no-such/sheet." + extension), "ο φάκελός του δεν υπάρχει"},
            {saved + "/inside." + extension, "ο φάκελός του δεν υπάρχει"},
            {folder.File("folder." + extension), "είναι φάκελος"},
        };
        for (const Case& c : refused) {
            std::string error;
            EXPECT_FALSE(write(model, c.path, error)) << c.path;
            EXPECT_NE(error.find("«" + c.path + "»"), std::string::npos) << error;
            EXPECT_NE(error.find(c.told), std::string::npos) << error;
        }
        std::filesystem::permissions(saved, std::filesystem::perms::owner_read);
        std::string error;
        EXPECT_FALSE(write(model, saved, error));
        EXPECT_NE(error.find("μόνο για ανάγνωση"), std::string::npos) << error;
        EXPECT_EQ(ReadAll(saved), "earlier");

        std::filesystem::permissions(saved, std::filesystem::perms::owner_all);
        ASSERT_TRUE(write(model, saved, error)) << error;
        EXPECT_EQ(ReadAll(saved).substr(0, 2), extension == "pdf" ? "%P" : "PK");
        int entries = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path())) {
            ++entries;
        }
        EXPECT_EQ(entries, 2) << "the file and the folder, no temporary file";
    }
}

} // namespace
} // namespace pyrostat::test
