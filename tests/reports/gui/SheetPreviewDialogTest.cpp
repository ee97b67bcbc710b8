#include "reports/gui/SheetPreviewDialog.h"
#include "reports/gui/XlsxExport.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QToolBar>

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat::test {
namespace {

SheetModel SmallSheet() {
    SheetModel m;
    m.SetText(1, 1, "Μελετητής : Γ. Μηχανικός");
    m.SetNumber(2, 2, 1234.5);
    m.AddPageBreak(3);
    m.SetText(3, 1, "δεύτερη σελίδα");
    return m;
}

TEST(SheetPreviewDialogTest, SaveButtonsSitOnTheToolbarAndWriteTheirFiles) {
    TestFolder folder;
    const SheetModel model = SmallSheet();
    SheetPreviewDialog dialog(model, ',', '.');
    EXPECT_EQ(dialog.SavePdfAction()->text(), "Αποθήκευση PDF");
    EXPECT_EQ(dialog.SaveXlsxAction()->text(), "Αποθήκευση .xlsx");
    QToolBar* bar = dialog.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->actions().contains(dialog.SavePdfAction()));
    EXPECT_TRUE(bar->actions().contains(dialog.SaveXlsxAction()));

    QStringList captions;
    QStringList suggestions;
    QString answer = QString::fromStdString(folder.File("report")); // no extension given
    dialog.SetSaveFileChooser(
        [&](const QString& caption, const QString&, const QString& suggested) {
            captions << caption;
            suggestions << suggested;
            return answer;
        });
    dialog.SetSuggestedName(QStringLiteral("/studies/Αιόλου 12 - Πίνακας συντελεστών"));
    QStringList failures;
    dialog.SetFailureReporter([&](const QString& m) { failures << m; });
    dialog.SavePdfAction()->trigger();
    EXPECT_TRUE(std::filesystem::exists(folder.File("report.pdf")));
    if (XlsxExportAvailable()) {
        dialog.SaveXlsxAction()->trigger();
        EXPECT_TRUE(std::filesystem::exists(folder.File("report.xlsx")));
    }
    EXPECT_EQ(captions.first(), "Αποθήκευση PDF");
    // The dialogs open in the study's folder with the title and the report's kind.
    EXPECT_EQ(suggestions.first(), QStringLiteral("/studies/Αιόλου 12 - Πίνακας συντελεστών.pdf"));
    if (XlsxExportAvailable()) {
        EXPECT_EQ(suggestions.last(),
                  QStringLiteral("/studies/Αιόλου 12 - Πίνακας συντελεστών.xlsx"));
    }
    EXPECT_TRUE(failures.isEmpty());

    // A cancelled choice writes nothing; an unwritable place is told.
    answer.clear();
    dialog.SavePdfAction()->trigger();
    answer = QString::fromStdString(folder.File("no-such-folder/report.xlsx"));
    dialog.SaveXlsxAction()->trigger();
    if (XlsxExportAvailable()) {
        EXPECT_EQ(failures.size(), 1);
    }
}

} // namespace
} // namespace pyrostat::test
