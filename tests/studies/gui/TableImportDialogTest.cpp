#include "studies/gui/TableImportDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

SheetCell Text(const char* text) {
    return {text, false};
}
SheetCell Number(const char* text) {
    return {text, true};
}

// The preview shows the rows in the grid's columns and marks what the grid
// will refuse, with the reason, before anything is put in.
TEST(TableImportDialog, ShowsTheRowsAndMarksTheRefusedCells) {
    SheetRows sheet;
    sheet.rows = {
        {Text("# ΤΙΤΛΟΣ"), Text("Πολυκατοικία")},
        {Text("Ονομασία ιδιοκτησίας"), Text("Εμβαδόν ιδιοκτησίας"), Text("Είδος διαμερίσματος"),
         Text("Συνολικές απώλειες")},
        {Text("Α1"), Number("62.4"), Text("ΙΣΟΓΕΙΟ"), Number("4200")},
        {Text("Α2"), Text("-3"), Text("ΑΓΝΩΣΤΟ"), Number("3900")},
    };
    const ImportedTable table = ImportSheetRows(sheet, NumberLocale::Greek());
    ASSERT_TRUE(table.Read());
    TableImportDialog dialog(table, "/x/πίνακας.xlsx");
    QTableWidget* rows = dialog.Rows();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->item(0, 0)->text(), QStringLiteral("Α1"));
    EXPECT_EQ(rows->item(0, 4)->text(), QStringLiteral("62,40"));
    EXPECT_EQ(rows->item(0, 1)->text(), QStringLiteral("4200,00"));
    EXPECT_EQ(rows->item(0, 9)->text(), QStringLiteral("ΙΣΟΓΕΙΟ"));
    // The refused cells keep the text they had, in red, with why.
    QTableWidgetItem* area = rows->item(1, 4);
    EXPECT_EQ(area->text(), QStringLiteral("-3"));
    EXPECT_EQ(area->background().color(), QColor(255, 170, 170));
    EXPECT_FALSE(area->toolTip().isEmpty());
    EXPECT_EQ(rows->item(1, 9)->text(), QStringLiteral("ΑΓΝΩΣΤΟ"));
    EXPECT_EQ(rows->item(1, 9)->background().color(), QColor(255, 170, 170));
    EXPECT_EQ(rows->item(1, 0)->background().style(), Qt::NoBrush);
    const QString summary = dialog.Summary()->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("2 ιδιοκτησίες"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("γραμμής 2"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Πολυκατοικία"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("2 τιμές"))) << summary.toStdString();
    auto* import = dialog.findChild<QPushButton*>(QStringLiteral("CmdImport"));
    ASSERT_NE(import, nullptr);
    EXPECT_TRUE(import->isEnabled());
}

} // namespace
} // namespace pyrostat
