#include "reports/gui/SheetPdfExport.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace pyrostat::test {
namespace {

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
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

} // namespace
} // namespace pyrostat::test
