#include "billing/gui/FrmBilling.h"

#include "billing/BillTsv.h"
#include "distribution/SampleStudy.h"
#include "distribution/StudyCalculation.h"
#include "support/TestFolder.h"
#include "support/TestHistories.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

std::vector<StudyRow> SampleRows() {
    const std::vector<test::GridRowTexts> grid = test::SampleGrid();
    return {grid.begin(), grid.end()};
}

// The sample building's coefficients, as the window gets them after the
// calculation.
BillingCoefficients Sample() {
    const StudyCalculation run = CalculateStudy(SampleRows(), true, NumberLocale::English());
    BillingCoefficients c = CoefficientsFromDistribution(run.result);
    c.title = test::kSampleTitle;
    return c;
}

const char* kReadings = "Ιδιοκτησία\tΠροηγούμενη\tΤρέχουσα\n"
                        "Υ1 Αποθήκη-Γραφείο\t1000\t1400\n2\t500\t900\n3\t333,5\n4\t10\t10\n"
                        "5\t100\t800\n6\t100\t100\tκλειστό\n7\t1000\t20\tαντικατάσταση 1500 0\n"
                        "8\t300\n9\t582,78\n";

QString Cell(const FrmBilling& w, int row, int col) {
    return w.Grid()->item(row, col)->text();
}

struct Window : public ::testing::Test {
    Window() : window(Sample()) {
        window.SetPreview([this](const SheetModel& sheet, const QString& title) {
            previews.push_back({title, sheet});
        });
        window.SetWarn([this](const QString& text) { warnings << text; });
        window.SetConfirmLeave([this](const QString& question) {
            questions << question;
            return leave;
        });
        window.show();
        QApplication::setActiveWindow(&window);
    }
    FrmBilling window;
    std::vector<std::pair<QString, SheetModel>> previews;
    QStringList warnings;
    QStringList questions;
    bool leave = true;
};

TEST_F(Window, ImportedReadingsAndATypedCostShowTheAmounts) {
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    EXPECT_TRUE(warnings.isEmpty());
    // Shown as the locale writes them.
    EXPECT_EQ(Cell(window, 0, 3), QStringLiteral("1.000"));
    EXPECT_EQ(Cell(window, 5, 6), QStringLiteral("κλειστό"));
    EXPECT_TRUE(window.Grid()->hasFocus());
    // No cost yet: nothing is shown and the previews wait.
    EXPECT_TRUE(Cell(window, 0, 10).isEmpty());
    EXPECT_FALSE(window.CmdSheet()->isEnabled());
    EXPECT_TRUE(window.Faults()->text().contains(QStringLiteral("δαπάνη")));

    QTest::keyClicks(window.Cost(), QStringLiteral("2.850,00"));
    ASSERT_TRUE(window.Session().Bill().Ok());
    // The window shows what the bill holds, line by line, in Greek figures.
    const PeriodBill bill = window.Session().Bill();
    for (int r = 0; r < 9; ++r) {
        const BilledLine& line = bill.lines[static_cast<size_t>(r)];
        EXPECT_EQ(Cell(window, r, 10).toStdString(), FormatEuroText(line.amountCents)) << r;
    }
    EXPECT_EQ(Cell(window, 5, 9), QStringLiteral("0,00")); // closed: no variable part
    EXPECT_TRUE(window.Totals()->text().contains(QStringLiteral("σύνολο 2.850,00 €")));
    EXPECT_TRUE(window.Totals()->text().contains(QStringLiteral("συντελεστή αναγωγής")));

    // A reading typed into its cell bills again at once.
    const QString before = Cell(window, 7, 10);
    window.Grid()->item(7, 5)->setText(QStringLiteral("900"));
    EXPECT_NE(Cell(window, 7, 10), before);
    EXPECT_EQ(window.Session().Rows()[7].measure, "900");

    // Energy units share as they are: other amounts, the same total.
    window.Method()->setCurrentIndex(1);
    EXPECT_EQ(window.Session().Bill().request.method, MeterMethod::Energy);
    EXPECT_TRUE(window.Totals()->text().contains(QStringLiteral("σύνολο 2.850,00 €")));

    QTest::mouseClick(window.CmdSheet(), Qt::LeftButton);
    QTest::mouseClick(window.CmdNotices(), Qt::LeftButton);
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[0].first, QStringLiteral("Φύλλο περιόδου"));
    EXPECT_EQ(previews[0].second.Value(1, 1).text, "ΚΑΤΑΝΟΜΗ ΔΑΠΑΝΗΣ ΘΕΡΜΑΝΣΗΣ ΠΕΡΙΟΔΟΥ");
    EXPECT_EQ(previews[1].second.PageBreaks().size(), 4u);
    EXPECT_TRUE(window.Grid()->hasFocus());
}

TEST_F(Window, ARefusedPasteChangesNothingAndFaultsNameTheProperty) {
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    EXPECT_FALSE(window.PasteText(QStringLiteral("Υ1 Αποθήκη-Γραφείο\t5\n99\t7\n")));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("«99»")));
    EXPECT_EQ(Cell(window, 0, 3), QStringLiteral("1.000")); // the first line was not taken

    window.Cost()->setText(QStringLiteral("100"));
    window.Grid()->item(1, 4)->setText(QStringLiteral("400")); // below its previous 500
    EXPECT_TRUE(window.Faults()->text().contains(QStringLiteral("«Ι1 Κατάστημα»")));
    EXPECT_TRUE(Cell(window, 0, 10).isEmpty());
    EXPECT_FALSE(window.CmdNotices()->isEnabled());

    // Left out, then estimated on request, and shown as an estimate.
    window.Grid()->item(1, 3)->setText(QString());
    window.Grid()->item(1, 4)->setText(QString());
    EXPECT_TRUE(window.Faults()->text().contains(QStringLiteral("δεν έχει ένδειξη")));
    window.Estimate()->setChecked(true);
    EXPECT_TRUE(window.Faults()->text().isEmpty()) << window.Faults()->text().toStdString();
    EXPECT_TRUE(Cell(window, 1, 5).endsWith(QStringLiteral("(εκτίμηση)")));
    EXPECT_FALSE(Cell(window, 1, 10).isEmpty());
    // A mark typed on the estimated row leaves the estimate an estimate.
    window.Grid()->item(1, 6)->setText(QStringLiteral("κλειστό"));
    EXPECT_TRUE(window.Faults()->text().isEmpty()) << window.Faults()->text().toStdString();
    EXPECT_EQ(window.Session().Rows()[1].measure, "");
    EXPECT_EQ(Cell(window, 1, 9), QStringLiteral("0,00"));
    window.Grid()->item(1, 6)->setText(QString());

    // Typed readings are asked about before Esc leaves them.
    leave = false;
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("θα χαθούν")));
    EXPECT_TRUE(window.Grid()->hasFocus());
    leave = true;
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

struct WithHistory : public Window {
    WithHistory() : history(folder.File("PYXFiles/Billing.sqlite")) {
        window.SetHistory(&history,
                          {folder.File("sample.pyx"), test::kSampleTitle, "", "", "", {}});
        window.SetOpenStored([this](const StoredPeriod& p) { opened.push_back(p); });
    }
    test::TestFolder folder;
    BillingHistory history;
    std::vector<StoredPeriod> opened;
};

TEST_F(WithHistory, SavedOpenedAndCarriedForward) {
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    window.Cost()->setText(QStringLiteral("2850"));
    EXPECT_FALSE(window.CmdSave()->isEnabled()); // no dates yet
    window.From()->setText(QStringLiteral("15/10/2025"));
    window.To()->setText(QStringLiteral("30/04/2026"));
    ASSERT_TRUE(window.CmdSave()->isEnabled());
    QTest::mouseClick(window.CmdSave(), Qt::LeftButton);
    window.Cost()->setText(QStringLiteral("2860"));
    QTest::mouseClick(window.CmdSave(), Qt::LeftButton);
    ASSERT_EQ(window.Periods()->count(), 2);
    // Stored: nothing to ask before leaving.
    window.reject();
    EXPECT_TRUE(questions.isEmpty());
    window.show();
    EXPECT_TRUE(window.Periods()->item(1)->text().contains(QStringLiteral("έκδ. 2")));
    EXPECT_TRUE(window.Totals()->text().contains(QStringLiteral("έκδοση 2")));

    window.Periods()->setCurrentRow(0);
    QTest::mouseClick(window.CmdOpenStored(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].version, 1);
    EXPECT_EQ(opened[0].costCents, 285000);
    ASSERT_EQ(opened[0].lines.size(), 9u);

    // Opened read-only, the stored period shows its own amounts.
    FrmBilling view(opened[0], window.Session().Coefficients());
    EXPECT_TRUE(view.ReadOnly());
    EXPECT_EQ(view.Grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(view.CmdPaste()->isEnabled());
    EXPECT_EQ(view.Cost()->text(), QStringLiteral("2.850,00"));
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(view.Grid()->item(r, 10)->text().toStdString(),
                  FormatEuroText(opened[0].lines[static_cast<size_t>(r)].amountCents));
    }
    EXPECT_EQ(view.Grid()->item(6, 6)->text(), QStringLiteral("αντικατάσταση 1.500 0"));
    EXPECT_FALSE(view.Faults()->text().contains(QStringLiteral("δαπάνη")));

    // The next period: the previous readings are the last current ones.
    QTest::mouseClick(window.CmdCarry(), Qt::LeftButton);
    EXPECT_EQ(window.From()->text(), QStringLiteral("01/05/2026"));
    EXPECT_TRUE(window.To()->text().isEmpty());
    EXPECT_EQ(window.Grid()->item(0, 3)->text(), QStringLiteral("1.400"));
    EXPECT_TRUE(window.Grid()->item(0, 4)->text().isEmpty());
    EXPECT_EQ(window.Grid()->item(6, 3)->text(), QStringLiteral("20")); // the new meter's
    EXPECT_TRUE(window.Grid()->item(2, 3)->text().isEmpty());           // read as hours
    EXPECT_TRUE(window.Grid()->item(5, 6)->text().isEmpty());           // no longer closed

    // The notices compare with the stored periods.
    for (int r = 0; r < 9; ++r) {
        window.Grid()->item(r, 5)->setText(QStringLiteral("100"));
        window.Grid()->item(r, 3)->setText(QString());
    }
    window.To()->setText(QStringLiteral("31/10/2026"));
    ASSERT_TRUE(window.CmdNotices()->isEnabled()) << window.Faults()->text().toStdString();
    QTest::mouseClick(window.CmdNotices(), Qt::LeftButton);
    ASSERT_EQ(previews.size(), 1u);
    int compared = 0;
    for (const auto& [at, cell] : previews[0].second.Cells()) {
        compared += cell.value.text.starts_with("Σύγκριση") ? 1 : 0;
    }
    EXPECT_EQ(compared, 9);
    // Each drawn as a chart of its last periods.
    EXPECT_EQ(previews[0].second.Charts().size(), 9u);
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// Types into a readings cell as the manager does: the cursor on it, F2, the
// keys, then Tab.
void TypeReading(FrmBilling& w, int row, int col, const QString& keys) {
    w.Grid()->setFocus();
    w.Grid()->setCurrentCell(row, col);
    QTest::keyClick(w.Grid(), Qt::Key_F2);
    ASSERT_TRUE(w.Grid()->isAncestorOf(QApplication::focusWidget()))
        << "the cell's editor did not open";
    for (const QChar ch : keys) {
        // Greek letters too, each as the keyboard sends it: a key with its text.
        QKeyEvent press(QEvent::KeyPress, ch.isLetter() ? 0 : ch.unicode(), Qt::NoModifier,
                        QString(ch));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // stored, on to the next cell
}

// «1.500» in a Greek locale is fifteen hundred, as in the property grid and
// the cost field; in an English one it is one and a half.
TEST_F(Window, AReadingIsReadAsTheGridReadsANumber) {
    struct Case {
        NumberLocale locale;
        const char *previous, *current, *cost;
        double hours;
        const char* replaced; // the manual's example
    };
    const Case cases[] = {
        {NumberLocale::Greek(), "1.500", "1.900", "2.850,00", 400, "αντικατάσταση 1.500 0"},
        {NumberLocale::English(), "1.500", "1.900", "2,850.00", 0.4, "αντικατάσταση 1500 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cost);
        FrmBilling w(Sample());
        w.SetNumberLocale(c.locale);
        w.SetWarn([](const QString&) {});
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QString readings = QString::fromUtf8(kReadings);
        if (c.locale.decimal == '.') {
            readings.replace(QLatin1Char(','), QLatin1Char('.'));
        }
        ASSERT_TRUE(w.PasteText(readings));
        QTest::keyClicks(w.Cost(), QString::fromUtf8(c.cost));
        TypeReading(w, 0, 3, QString::fromUtf8(c.previous));
        TypeReading(w, 0, 4, QString::fromUtf8(c.current));
        TypeReading(w, 6, 6, QString::fromUtf8(c.replaced));
        const PeriodBill bill = w.Session().Bill();
        ASSERT_TRUE(bill.Ok()) << bill.faults.front();
        EXPECT_EQ(bill.request.costCents, 285000);
        EXPECT_DOUBLE_EQ(bill.lines[0].omega, c.hours);
        EXPECT_TRUE(bill.lines[6].reading->replaced);
        EXPECT_DOUBLE_EQ(bill.lines[6].reading->oldFinal.value, 1500);
        // What the window shows is what it billed, as the locale writes it.
        EXPECT_EQ(Cell(w, 0, 10).toStdString(),
                  FormatEuroText(bill.lines[0].amountCents, c.locale));
        EXPECT_TRUE(
            w.Totals()->text().contains(QString::fromUtf8("σύνολο " + std::string(c.cost) + " €")))
            << w.Totals()->text().toStdString();
    }
    // A text the locale does not read is told, naming the property.
    FrmBilling w(Sample());
    QStringList told;
    w.SetWarn([&told](const QString& text) { told << text; });
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.PasteText(QString::fromUtf8(kReadings)));
    QTest::keyClicks(w.Cost(), QStringLiteral("100"));
    TypeReading(w, 0, 4, QStringLiteral("1.40"));
    EXPECT_FALSE(w.Session().Bill().Ok());
    EXPECT_TRUE(w.Faults()->text().contains(QStringLiteral("Υ1 Αποθήκη-Γραφείο")))
        << w.Faults()->text().toStdString();
}

// Ctrl+V fills from the cursor's cell to the right and down, as in the
// property grid; what does not fit is told and nothing changes.
TEST_F(Window, APasteLandsAtTheCursor) {
    window.Grid()->setFocus();
    window.Grid()->setCurrentCell(1, 3); // row 2, previous reading
    QApplication::clipboard()->setText(QStringLiteral("1.000\t1.250\n500\t900\n"));
    QTest::keyClick(window.Grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join("\n").toStdString();
    EXPECT_EQ(window.Session().Rows()[1].previous, "1.000");
    EXPECT_EQ(window.Session().Rows()[1].current, "1.250");
    EXPECT_EQ(window.Session().Rows()[2].previous, "500");
    EXPECT_EQ(window.Session().Rows()[2].current, "900");
    EXPECT_TRUE(window.Session().Rows()[0].previous.empty()); // above the cursor: untouched
    EXPECT_EQ(Cell(window, 1, 3), QStringLiteral("1.000"));

    // Hours pasted into the hours column of the last two rows.
    window.Grid()->setCurrentCell(7, 5);
    QApplication::clipboard()->setText(QStringLiteral("300\n582,78\n"));
    QTest::keyClick(window.Grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.Session().Rows()[8].measure, "582,78");

    const struct {
        int row, col;
        const char* text;
        const char* told;
    } refused[] = {
        {7, 5, "1\n2\n3\n", "δεν χωρούν"},
        {0, 5, "5\t6\t7\n", "έξω από τις στήλες"},
        {0, 3, "1,2,3\n", "«1,2,3»"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        warnings.clear();
        const auto before = window.Session().Rows();
        window.Grid()->setCurrentCell(r.row, r.col);
        QApplication::clipboard()->setText(QString::fromUtf8(r.text));
        QTest::keyClick(window.Grid(), Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_TRUE(warnings[0].contains(QString::fromUtf8(r.told))) << warnings[0].toStdString();
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(window.Session().Rows()[i].previous, before[i].previous);
            EXPECT_EQ(window.Session().Rows()[i].measure, before[i].measure);
        }
    }
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// On a 1280 x 720 screen every column reads whole, the building's history
// beside them: no sideways scrolling, and each caption fits its column.
TEST_F(Window, EveryColumnReadsAt1280By720) {
    test::TestFolder folder;
    BillingHistory history(folder.File("PYXFiles/Billing.sqlite"));
    window.SetHistory(&history, {folder.File("sample.pyx"), test::kSampleTitle, "", "", "", {}});
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    window.Cost()->setText(QStringLiteral("9.999.999,99"));
    // The screen less a window frame and a desktop panel.
    EXPECT_LE(window.minimumSizeHint().width(), 1240);
    EXPECT_LE(window.minimumSizeHint().height(), 680);
    window.resize(1240, 680);
    QApplication::processEvents();
    QTableWidget* grid = window.Grid();
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    const QFontMetrics header(grid->horizontalHeader()->font());
    for (int col = 0; col < grid->columnCount(); ++col) {
        const QString caption = grid->horizontalHeaderItem(col)->text();
        EXPECT_GE(grid->columnWidth(col), header.horizontalAdvance(caption))
            << caption.toStdString() << " " << col;
    }
    // The widest amount fits its cell.
    const QFontMetrics cells(grid->font());
    EXPECT_GE(grid->columnWidth(10), cells.horizontalAdvance(Cell(window, 0, 10)));
}

// A stored period opens in a window of its own, beside the live one, which
// stays in use.
TEST_F(Window, AStoredPeriodOpensInAWindowOfItsOwn) {
    test::TestFolder folder;
    BillingHistory history(folder.File("PYXFiles/Billing.sqlite"));
    window.SetHistory(&history, {folder.File("sample.pyx"), test::kSampleTitle, "", "", "", {}});
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    window.Cost()->setText(QStringLiteral("2.850"));
    window.From()->setText(QStringLiteral("15/10/2025"));
    window.To()->setText(QStringLiteral("30/04/2026"));
    QTest::mouseClick(window.CmdSave(), Qt::LeftButton);
    ASSERT_EQ(window.Periods()->count(), 1);
    window.Periods()->setCurrentRow(0);
    QTest::mouseClick(window.CmdOpenStored(), Qt::LeftButton);
    const QList<FrmBilling*> views = window.findChildren<FrmBilling*>();
    ASSERT_EQ(views.size(), 1);
    FrmBilling* view = views.front();
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->isWindow());
    EXPECT_FALSE(view->isModal());
    EXPECT_TRUE(view->ReadOnly());
    EXPECT_NE(view->pos(), window.pos()); // beside, not stacked over
    EXPECT_EQ(view->Grid()->item(0, 3)->text(), QStringLiteral("1.000"));
    // The live window goes on taking readings meanwhile.
    window.Grid()->item(0, 4)->setText(QStringLiteral("1.450"));
    EXPECT_EQ(window.Session().Rows()[0].current, "1.450");
    view->close();
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// A study without a history of its own that two stored buildings fit: the
// window asks which one, and shows that one's periods.
TEST_F(Window, AStudyThatTwoStoredBuildingsFitAsksWhichOne) {
    test::TestFolder folder;
    BillingHistory history(folder.File("PYXFiles/Billing.sqlite"));
    const BillingCoefficients c = Sample();
    ReadingsTable readings = ParseReadings(kReadings);
    for (const auto& [study, cents] :
         {std::pair<const char*, int64_t>{"πρώτο.pyx", 100000}, {"δεύτερο.pyx", 200000}}) {
        BillRequest request;
        request.costCents = cents;
        request.from = BillDate{2025, 10, 15};
        request.to = BillDate{2026, 4, 30};
        BuildingKey key = BuildingKeyOf(folder.File(study), c);
        key.properties.clear(); // stored each at its own place
        history.Save(key, MakePeriodBill(c, readings, request));
    }
    ASSERT_EQ(history.Buildings().size(), 2u);
    QStringList offered;
    window.SetChooseBuilding([&offered](const QStringList& studies) {
        offered = studies;
        return 1;
    });
    window.SetHistory(&history, BuildingKeyOf(folder.File("τρίτο.pyx"), c));
    ASSERT_EQ(offered.size(), 2);
    EXPECT_TRUE(offered[1].endsWith(QStringLiteral("δεύτερο.pyx")));
    ASSERT_EQ(window.Periods()->count(), 1);
    EXPECT_TRUE(window.Periods()->item(0)->text().contains(QStringLiteral("2.000,00")));
    EXPECT_TRUE(warnings.isEmpty());
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// Readings typed and not stored come back when the window opens again, until
// the period is stored or the draft is discarded.
TEST_F(WithHistory, ATypedPeriodIsKeptAsADraftUntilStoredOrDiscarded) {
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    window.Cost()->setText(QStringLiteral("2.850,50"));
    window.From()->setText(QStringLiteral("15/10/2026"));
    window.Method()->setCurrentIndex(0);
    window.reject(); // closed: kept, nothing asked
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_FALSE(window.isVisible());

    auto reopened = [this] {
        auto w = std::make_unique<FrmBilling>(Sample());
        w->SetWarn([this](const QString& text) { warnings << text; });
        w->SetConfirmLeave([this](const QString& question) {
            questions << question;
            return leave;
        });
        w->SetHistory(&history, {folder.File("sample.pyx"), test::kSampleTitle, "", "", "", {}});
        return w;
    };
    {
        const auto again = reopened();
        EXPECT_EQ(again->Cost()->text(), QStringLiteral("2.850,50"));
        EXPECT_EQ(again->From()->text(), QStringLiteral("15/10/2026"));
        EXPECT_EQ(Cell(*again, 0, 3), QStringLiteral("1.000"));
        EXPECT_EQ(Cell(*again, 6, 6), Cell(window, 6, 6));
        EXPECT_EQ(Cell(*again, 5, 6), QStringLiteral("κλειστό"));
        EXPECT_TRUE(again->DraftNote()->isVisibleTo(again.get()));
        EXPECT_TRUE(again->CmdDiscardDraft()->isVisibleTo(again.get()));
        // Billed as the first window billed it.
        EXPECT_EQ(BillTsv(again->ShownBill()), BillTsv(window.ShownBill()));
        // A change is kept too; a refused discard keeps everything.
        again->To()->setText(QStringLiteral("30/04/2027"));
        ASSERT_TRUE(again->KeepDraft());
        leave = false;
        again->CmdDiscardDraft()->click();
        EXPECT_EQ(questions.size(), 1);
        EXPECT_EQ(again->Cost()->text(), QStringLiteral("2.850,50"));
    }
    {
        const auto third = reopened();
        EXPECT_EQ(third->To()->text(), QStringLiteral("30/04/2027"));
        // Stored: the draft is gone.
        ASSERT_TRUE(third->CmdSave()->isEnabled()) << third->Faults()->text().toStdString();
        third->CmdSave()->click();
        EXPECT_FALSE(history.DraftOf(*history.FindBuilding(
            {folder.File("sample.pyx"), test::kSampleTitle, "", "", "", {}})));
    }
    {
        const auto fourth = reopened();
        EXPECT_TRUE(fourth->Cost()->text().isEmpty());
        EXPECT_FALSE(fourth->CmdDiscardDraft()->isVisibleTo(fourth.get()));
        // Typed again, then discarded on request: nothing comes back.
        fourth->Cost()->setText(QStringLiteral("100"));
        ASSERT_TRUE(fourth->KeepDraft());
    }
    {
        const auto fifth = reopened();
        EXPECT_EQ(fifth->Cost()->text(), QStringLiteral("100"));
        leave = true;
        fifth->CmdDiscardDraft()->click();
        EXPECT_TRUE(fifth->Cost()->text().isEmpty());
        EXPECT_TRUE(Cell(*fifth, 0, 3).isEmpty());
    }
    EXPECT_TRUE(reopened()->Cost()->text().isEmpty());
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// A sheet writer that keeps each notice's texts by its file's name.
class KeptNotices : public SheetWriter {
public:
    std::map<std::string, std::string> texts;
    bool WritePdf(const SheetModel& sheet, const std::string& path, NumberLocale,
                  std::string&) override {
        std::string text;
        for (const auto& [at, cell] : sheet.Cells()) {
            text += cell.value.text + "\n";
        }
        texts[path.substr(path.rfind('/') + 1)] = text;
        return true;
    }
    bool WriteXlsx(const SheetModel&, const std::string&, std::string&) override { return true; }
};

TEST_F(WithHistory, AnOwnerTypedBesideThePropertyAddressesItsNotice) {
    const BuildingKey key{folder.File("sample.pyx"), test::kSampleTitle, "", "", "", {}};
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    window.Cost()->setText(QStringLiteral("2850"));
    window.From()->setText(QStringLiteral("15/10/2026"));
    window.To()->setText(QStringLiteral("30/04/2027"));
    window.Grid()->item(0, 2)->setText(QStringLiteral("Γεώργιος Παπαδόπουλος"));
    const int64_t building = *history.FindBuilding(key);
    // The first owner holds from the start.
    EXPECT_EQ(history.OwnersOn(building, {2000, 1, 1}).at(1).name, "Γεώργιος Παπαδόπουλος");
    // Another one typed holds from the period's first day; the one before
    // keeps the periods before it.
    window.Grid()->item(0, 2)->setText(QStringLiteral("Χρυσάνθη Νικολάου"));
    EXPECT_EQ(history.OwnersOn(building, {2026, 10, 14}).at(1).name, "Γεώργιος Παπαδόπουλος");
    EXPECT_EQ(history.OwnersOn(building, {2026, 10, 15}).at(1).name, "Χρυσάνθη Νικολάου");
    // A name is not erased: told, and the cell shows the owner again.
    window.Grid()->item(0, 2)->setText(QString());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("δεν σβήνεται")));
    EXPECT_EQ(Cell(window, 0, 2), QStringLiteral("Χρυσάνθη Νικολάου"));

    KeptNotices kept;
    window.SetSheetWriter(&kept);
    window.SetChooseFolder([this] { return QString::fromStdString(folder.File("notices")); });
    ASSERT_TRUE(window.CmdNoticeFiles()->isEnabled());
    window.CmdNoticeFiles()->click();
    EXPECT_EQ(kept.texts.size(), 9u);
    const std::string& first = kept.texts["2027-04_001_Υ1_Αποθήκη-Γραφείο.pdf"];
    EXPECT_NE(first.find("Προς: Χρυσάνθη Νικολάου"), std::string::npos) << first;
    EXPECT_TRUE(window.Totals()->text().contains(QStringLiteral("Γράφτηκαν 9 ειδοποιητήρια")));
    // The preview's notices are addressed alike.
    window.CmdNotices()->click();
    ASSERT_EQ(previews.size(), 1u);
    bool addressed = false;
    for (const auto& [at, cell] : previews[0].second.Cells()) {
        addressed = addressed || cell.value.text == "Προς: Χρυσάνθη Νικολάου";
    }
    EXPECT_TRUE(addressed);
}

TEST_F(Window, WithoutAHistoryTheOwnersColumnIsNotTyped) {
    EXPECT_FALSE(window.Grid()->item(0, 2)->flags() & Qt::ItemIsEditable);
}

} // namespace
} // namespace pyrostat

#include "billing/gui/ReadingsColumnsDialog.h"

#include <QComboBox>
#include <QSpinBox>

namespace pyrostat {
namespace {

// The import asks which column is which, offering the building's last choice.
TEST_F(WithHistory, AnImportAsksForTheColumnsAndRemembersThem) {
    test::WriteAll(folder.File("r.tsv"), "Σημ.\tΑρ.\tΤώρα\tΠριν\n"
                                         "\t1\t1.400\t1.000\n\t2\t900\t500\n");
    std::vector<ReadingColumns> offered;
    std::optional<ReadingColumns> answer = ReadingColumns{1, 3, 2, -1, 0, 1};
    window.SetChooseColumns(
        [&](const SheetRows& sheet, const ReadingColumns& first) -> std::optional<ReadingColumns> {
            EXPECT_GE(sheet.rows.size(), 2u);
            offered.push_back(first);
            return answer;
        });
    ASSERT_TRUE(window.ImportPath(QString::fromStdString(folder.File("r.tsv"))))
        << warnings.join('\n').toStdString();
    EXPECT_EQ(Cell(window, 0, 3), QStringLiteral("1.000"));
    EXPECT_EQ(Cell(window, 0, 4), QStringLiteral("1.400"));
    EXPECT_EQ(Cell(window, 1, 3), QStringLiteral("500"));
    // The next file of the building is offered the same columns.
    ASSERT_TRUE(window.ImportPath(QString::fromStdString(folder.File("r.tsv"))));
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], *answer);
    // A cancelled choice and a file that names an unknown property change nothing.
    answer.reset();
    EXPECT_FALSE(window.ImportPath(QString::fromStdString(folder.File("r.tsv"))));
    test::WriteAll(folder.File("bad.tsv"), "Σημ.\tΑρ.\tΤώρα\tΠριν\n\tΖ9\t10\t5\n");
    answer = ReadingColumns{1, 3, 2, -1, 0, 1};
    warnings.clear();
    EXPECT_FALSE(window.ImportPath(QString::fromStdString(folder.File("bad.tsv"))));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("Ζ9")));
    EXPECT_EQ(Cell(window, 0, 3), QStringLiteral("1.000"));
    // A folder where the file belongs is told.
    warnings.clear();
    EXPECT_FALSE(window.ImportPath(QString::fromStdString(folder.Path().string())));
    EXPECT_EQ(warnings.size(), 1);
}

TEST(ReadingsColumnsDialogTest, OkOnlyForAChoiceThatReads) {
    SheetRows sheet;
    sheet.rows = {{{"Ιδιοκτησία", false}, {"Ώρες", false}}, {{"Α1", false}, {"10", true}}};
    ReadingsColumnsDialog dialog(sheet, GuessReadingColumns(sheet));
    EXPECT_TRUE(dialog.Acceptable());
    EXPECT_EQ(dialog.Columns(), (ReadingColumns{0, -1, -1, 1, -1, 1}));
    EXPECT_EQ(dialog.Preview()->rowCount(), 2);
    dialog.Role(3)->setCurrentIndex(0); // no hours
    EXPECT_FALSE(dialog.Acceptable());
    EXPECT_FALSE(dialog.Fault()->text().isEmpty());
    dialog.Role(2)->setCurrentIndex(2); // the current reading in column 2
    EXPECT_TRUE(dialog.Acceptable());
    dialog.Headings()->setValue(0);
    EXPECT_EQ(dialog.Columns().headingRows, 0);
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// An office's server that stops answering while a period is typed: the
// readings stay in the window and on this desk, come back in the next
// window (with or without the server), and are stored when it answers again.
TEST_F(Window, WhenTheServerStopsAnsweringTheDraftIsKeptOnTheDesk) {
    test::TestHistories stores(test::Store::Server);
    SKIP_WITHOUT(stores);
    const HistoryStore where = stores.Where("office");
    const BuildingKey key{stores.Folder().File("sample.pyx"), test::kSampleTitle, "", "", "", {}};
    const LocalDrafts desk(stores.Folder().File("PYXFiles/Drafts/"));
    auto history = OpenHistory(where);
    window.SetHistoryStore(QString::fromStdString(where.Describe()));
    window.SetLocalDrafts(desk);
    window.SetHistory(history.get(), key);
    // Opened: the store told as it is, nothing of a failure.
    EXPECT_FALSE(window.StoreLabel()->text().contains(QStringLiteral("δεν άνοιξε")));
    EXPECT_TRUE(window.StoreLabel()->text().contains(QStringLiteral("διακομιστής PostgreSQL")));
    ASSERT_TRUE(window.PasteText(QString::fromUtf8(kReadings)));
    window.Cost()->setText(QStringLiteral("2850"));
    window.From()->setText(QStringLiteral("15/10/2026"));
    window.To()->setText(QStringLiteral("30/04/2027"));
    ASSERT_TRUE(window.CmdSave()->isEnabled());

    // The server's database goes away: the save is refused and told, the
    // readings stay and are kept on the desk.
    ASSERT_TRUE(test::OnTestServer("DROP DATABASE " +
                                   where.connection.substr(where.connection.rfind('=') + 1) +
                                   " WITH (FORCE)"));
    window.CmdSave()->click();
    ASSERT_FALSE(warnings.isEmpty());
    EXPECT_TRUE(warnings.join('\n').contains(QStringLiteral("ΔΕΝ αποθηκεύτηκε")))
        << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.join('\n').contains(QStringLiteral("σε αυτόν τον σταθμό")));
    EXPECT_EQ(Cell(window, 0, 3), QStringLiteral("1.000"));
    ASSERT_TRUE(desk.Find(key));
    window.reject();
    EXPECT_TRUE(questions.isEmpty()) << "kept on the desk: nothing to ask";
    history.reset();

    // The next window without a server to open: the readings come back.
    {
        FrmBilling offline(Sample());
        offline.SetWarn([this](const QString& text) { warnings << text; });
        offline.SetHistoryStore(QString::fromStdString(where.Describe()));
        offline.SetLocalDrafts(desk);
        offline.WithoutHistory(key);
        EXPECT_TRUE(offline.StoreLabel()->text().contains(QStringLiteral("(δεν άνοιξε)")));
        EXPECT_EQ(offline.Cost()->text(), QStringLiteral("2850"));
        EXPECT_EQ(Cell(offline, 0, 3), QStringLiteral("1.000"));
        EXPECT_TRUE(offline.DraftNote()->text().contains(QStringLiteral("αυτού του σταθμού")));
        EXPECT_FALSE(offline.CmdSave()->isVisibleTo(&offline));
    }

    // The server back: the desk's draft comes back and is stored there.
    ASSERT_TRUE(test::OnTestServer("CREATE DATABASE " +
                                   where.connection.substr(where.connection.rfind('=') + 1)));
    history = OpenHistory(where);
    FrmBilling again(Sample());
    again.SetWarn([this](const QString& text) { warnings << text; });
    again.SetLocalDrafts(desk);
    again.SetHistory(history.get(), key);
    EXPECT_EQ(again.To()->text(), QStringLiteral("30/04/2027"));
    EXPECT_TRUE(again.Periods()->isVisibleTo(&again));
    again.CmdSave()->click();
    const auto stored = history->Periods(*history->FindBuilding(key));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].costCents, 285000);
    EXPECT_FALSE(desk.Find(key)) << "stored: the desk's draft is gone";
}

} // namespace
} // namespace pyrostat
