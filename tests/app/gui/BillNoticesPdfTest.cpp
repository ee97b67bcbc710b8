// The notices and the period's sheet as the owner and the manager get them:
// the PDF's text as pdftotext reads it, and the .xlsx's parts.

#include "app/BillCommand.h"
#include "app/BuildingCommand.h"
#include "distribution/SampleStudy.h"
#include "reports/gui/QtSheetWriter.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QStringList>

#include "billing/HistoryStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

std::string Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    return p.readAllStandardOutput().toStdString();
}

std::string PdfText(const std::string& pdf) {
    return Output("pdftotext", {QString::fromStdString(pdf), "-"});
}

class BillNoticesPdf : public ::testing::Test {
protected:
    void SetUp() override {
        study = folder.File("Ευριπίδου 14.pyx");
        WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
        WriteAll(folder.File("Ευριπίδου 14.tpx"), FormatGeneralData(test::SampleGeneralData()));
        history = folder.File("home/PYXFiles/Billing.sqlite");
        for (int period = 0; period < 3; ++period) {
            std::string readings;
            for (int i = 1; i <= 9; ++i) {
                readings +=
                    std::to_string(i) + "\t" + std::to_string(100 + i * 10 + period * i) + "\n";
            }
            WriteAll(folder.File("r" + std::to_string(period) + ".tsv"), readings);
        }
        WriteAll(folder.File("owners.tsv"), "1\tΓεώργιος Παπαδόπουλος\n2\tΜαρία Κωνσταντίνου\n");
        std::ostringstream out, err;
        ASSERT_EQ(
            RunBuildingCommand({study, "--owners", folder.File("owners.tsv"), "--iban",
                                "GR16 0110 1250 0000 0001 2300 695", "--manager",
                                "Νίκος Διαχειριστής", "--phone", "2610123456", "--days", "20"},
                               HistoryStore::InFile(history), out, err),
            0)
            << err.str();
    }
    int Bill(int period, std::vector<std::string> more) {
        const int year = 2024 + period;
        std::vector<std::string> args = {
            study,       folder.File("r" + std::to_string(period) + ".tsv"),
            "--cost",    "1800",
            "--from",    "1/10/" + std::to_string(year),
            "--to",      "30/4/" + std::to_string(year + 1),
            "--tsv",     folder.File("b.tsv"),
            "--decimal", ","};
        args.insert(args.end(), more.begin(), more.end());
        BillContext context;
        context.writer = &writer;
        context.history = HistoryStore::InFile(history);
        std::istringstream in;
        std::ostringstream out;
        errors.str("");
        return RunBillCommand(args, in, out, errors, context);
    }
    TestFolder folder;
    std::string study, history;
    QtSheetWriter writer;
    std::ostringstream errors;
};

TEST_F(BillNoticesPdf, ANoticeTellsItsOwnerWhatToPayByWhenAndHow) {
    ASSERT_EQ(Bill(0, {"--save"}), 0) << errors.str();
    ASSERT_EQ(Bill(1, {"--save"}), 0) << errors.str();
    const std::string combined = folder.File("όλα.pdf");
    const std::string dir = folder.File("ανά ιδιοκτησία");
    ASSERT_EQ(Bill(2, {"--notices", combined, "--notices-dir", dir, "--pdf",
                       folder.File("φύλλο.pdf"), "--xlsx", folder.File("φύλλο.xlsx")}),
              0)
        << errors.str();

    const std::string all = PdfText(combined);
    EXPECT_EQ(std::count(all.begin(), all.end(), '\f'), 5); // nine notices, two a page
    const std::string one = PdfText(dir + "/2027-04_001_Υ1_Αποθήκη-Γραφείο.pdf");
    for (const char* said :
         {"Προς: Γεώργιος Παπαδόπουλος", "ΠΟΣΟ ΠΛΗΡΩΜΗΣ", "Πληρωμή έως 20/05/2027",
          "IBAN GR16 0110 1250 0000 0001 2300 695", "RF", "Νίκος Διαχειριστής, τηλ. 2610123456",
          "Πώς προκύπτει το ποσό", "Οι τελευταίες περίοδοι", "10/26–04/27"}) {
        EXPECT_NE(one.find(said), std::string::npos) << said << "\n" << one;
    }
    EXPECT_EQ(one.find("Μαρία"), std::string::npos);
    // The bars are shapes: no block characters in any text.
    EXPECT_EQ(all.find("█"), std::string::npos);
    EXPECT_EQ(one.find("█"), std::string::npos);
    // The amount printed is the bill's, in the locale's numbers.
    const std::string bill = test::ReadAll(folder.File("b.tsv"));
    ASSERT_TRUE(bill.starts_with("1\t")) << bill;
    std::string amount = bill.substr(0, bill.find('\n'));
    amount = amount.substr(amount.rfind('\t') + 1);
    std::replace(amount.begin(), amount.end(), '.', ',');
    EXPECT_NE(one.find("\n" + amount + " ", one.find("ΠΟΣΟ ΠΛΗΡΩΜΗΣ")), std::string::npos)
        << amount << "\n"
        << one;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        files += entry.path().extension() == ".pdf" ? 1 : 0;
    }
    EXPECT_EQ(files, 9u);

    // The period's sheet: its picture of the building, and in the .xlsx a
    // chart of the workbook reading the figures beside the printed columns.
    const std::string sheet = PdfText(folder.File("φύλλο.pdf"));
    EXPECT_NE(sheet.find("Το μερίδιο κάθε Ιδιοκτησίας"), std::string::npos) << sheet;
    const std::string parts =
        Output("unzip", {"-l", QString::fromStdString(folder.File("φύλλο.xlsx"))});
    EXPECT_NE(parts.find("xl/charts/chart1.xml"), std::string::npos) << parts;
    const std::string chart = Output(
        "unzip", {"-p", QString::fromStdString(folder.File("φύλλο.xlsx")), "xl/charts/chart1.xml"});
    EXPECT_NE(chart.find("<c:barChart>"), std::string::npos);
    EXPECT_NE(chart.find("$O$2:$O$10"), std::string::npos) << chart;
}

} // namespace
} // namespace pyrostat
