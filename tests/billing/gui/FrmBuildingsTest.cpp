#include "billing/gui/FrmBuildings.h"

#include "support/TestFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

BillingCoefficients Flats() {
    return ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
}

TEST(FrmBuildingsTest, ListsSearchesAndOpensTheChosenStudy) {
    test::TestFolder folder;
    BillingHistory history(folder.File("Billing.sqlite"));
    std::vector<std::string> studies;
    for (const char* title : {"Ευριπίδου 14, Χαλάνδρι", "Κύπρου 12, Πάτρα", "Αγίου Νικολάου 3"}) {
        const std::string study = folder.File(std::string(title).substr(0, 8) + ".pyx");
        test::WriteAll(study, "x");
        studies.push_back(study);
        history.FindOrAddBuilding({study, title, "Ιδιοκτήτες", "Θέρμανση", "", {}});
    }
    BillRequest request;
    request.costCents = 285000;
    request.from = BillDate{2026, 10, 15};
    request.to = BillDate{2027, 4, 30};
    history.Save({studies[1], "Κύπρου 12, Πάτρα", "Ιδιοκτήτες", "Θέρμανση", "", {}},
                 MakePeriodBill(Flats(), ParseReadings("Α1\t1\nΒ1\t2\nΓ1\t3\n"), request));

    std::string opened, period;
    FrmBuildings::Actions actions;
    actions.openStudy = [&](const std::string& s) { opened = s; };
    actions.openPeriod = [&](const std::string& s) { period = s; };
    FrmBuildings window(history, actions, NumberLocale::Greek());
    ASSERT_EQ(window.List()->rowCount(), 3);
    EXPECT_EQ(window.List()->item(0, 0)->text(), QStringLiteral("Αγίου Νικολάου 3"));
    EXPECT_EQ(window.List()->item(2, 3)->text(), QStringLiteral("15/10/2026 – 30/04/2027"));
    EXPECT_EQ(window.List()->item(2, 4)->text(), QStringLiteral("2.850,00"));
    EXPECT_EQ(window.List()->item(0, 3)->text(), QStringLiteral("—"));
    EXPECT_EQ(window.Count()->text(), QStringLiteral("3 από 3 κτίρια"));

    window.Search()->setText(QStringLiteral("πατρα"));
    ASSERT_EQ(window.List()->rowCount(), 1);
    EXPECT_EQ(window.Count()->text(), QStringLiteral("1 από 3 κτίρια"));
    window.CmdOpenPeriod()->click();
    EXPECT_EQ(period, studies[1]);
    EXPECT_TRUE(opened.empty());

    window.Search()->setText(QStringLiteral("καμία τέτοια"));
    EXPECT_EQ(window.List()->rowCount(), 0);
    EXPECT_FALSE(window.CmdOpenStudy()->isEnabled());
    window.Search()->clear();
    window.List()->selectRow(1);
    window.CmdOpenStudy()->click();
    EXPECT_EQ(opened, studies[0]);
}

} // namespace
} // namespace pyrostat
