#include "printing/gui/PrinterDialogQt.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

// Closes the printer dialog as soon as it shows, as the user would.
void AnswerDialogWith(bool accept) {
    QTimer::singleShot(0, [accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Επιλογή Εκτυπωτή");
        if (accept) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

TEST(PrinterDialogQt, CancelIsReportedAndAChoiceCarriesThePageSettings) {
    QWidget owner;
    PrinterDialogQt dialog(&owner);
    PrinterSetup current;
    current.page.orientation = PageOrientation::Landscape;
    current.page.paperSize = "A3";
    current.page.copies = 2;

    AnswerDialogWith(false);
    EXPECT_EQ(dialog.Show(current).outcome, PrinterDialogAnswer::Outcome::Cancelled);

    AnswerDialogWith(true);
    const PrinterDialogAnswer answer = dialog.Show(current);
    EXPECT_EQ(answer.outcome, PrinterDialogAnswer::Outcome::Chosen);
    EXPECT_EQ(answer.page.orientation, PageOrientation::Landscape);
    EXPECT_EQ(answer.page.paperSize, "A3");
    EXPECT_EQ(answer.page.copies, 2);
}

} // namespace
} // namespace pyrostat
