// The building command: the payment details and the owners it stores, all
// or nothing, and the status of each refusal.

#include "app/BuildingCommand.h"
#include "app/BillCommand.h"
#include "billing/BillingHistory.h"
#include "distribution/SampleStudy.h"
#include "support/TestFolder.h"

#include "billing/HistoryStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

struct Outcome {
    int status;
    std::string out, err;
};

class BuildingCommand : public ::testing::Test {
protected:
    void SetUp() override {
        study = folder.File("Ευριπίδου 14.pyx");
        WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
        WriteAll(folder.File("Ευριπίδου 14.tpx"), FormatGeneralData(test::SampleGeneralData()));
        history = folder.File("home/PYXFiles/Billing.sqlite");
    }
    Outcome Run(std::vector<std::string> args) {
        args.insert(args.begin(), study);
        std::ostringstream out, err;
        const int status = RunBuildingCommand(args, HistoryStore::InFile(history), out, err);
        return {status, out.str(), err.str()};
    }
    // Each table a file of its own, as the cases are made before they run.
    std::string Owners(const std::string& text) {
        const std::string path = folder.File("owners" + std::to_string(++tables) + ".tsv");
        WriteAll(path, text);
        return path;
    }
    TestFolder folder;
    std::string study, history;
    int tables = 0;
};

TEST_F(BuildingCommand, StoresAndShowsTheDetailsAndTheOwners) {
    // Nothing stored yet: shown empty, and no building added for a look.
    Outcome run = Run({});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("IBAN: —"), std::string::npos) << run.out;
    {
        BillingHistory h(history);
        EXPECT_TRUE(h.Buildings().empty());
    }
    run = Run({"--iban", "gr16 0110 1250 0000 0001 2300 695", "--manager", "Νίκος Διαχειριστής",
               "--phone", "2610 123456", "--days", "20", "--owners",
               Owners("1\tΓεώργιος Παπαδόπουλος\tgp@example.gr\n2\tΜαρία Κωνσταντίνου\n")});
    EXPECT_EQ(run.status, 0) << run.err;
    run = Run({});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* shown :
         {"Νίκος Διαχειριστής", "2610 123456", "GR16 0110 1250 0000 0001 2300 695", "20 ημέρες",
          "Γεώργιος Παπαδόπουλος\tgp@example.gr", "Μαρία Κωνσταντίνου", "από την αρχή"}) {
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown << "\n" << run.out;
    }
    // A new occupant from a day on; one option changed leaves the others.
    run = Run({"--owners", Owners("2\tΧρυσάνθη Ν.\n"), "--from", "1/1/2027", "--days", "30"});
    EXPECT_EQ(run.status, 0) << run.err;
    run = Run({});
    EXPECT_NE(run.out.find("Χρυσάνθη Ν.\t\t\tαπό 01/01/2027"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Μαρία Κωνσταντίνου"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("30 ημέρες"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Νίκος Διαχειριστής"), std::string::npos) << run.out;
    // An empty IBAN clears it.
    EXPECT_EQ(Run({"--iban", ""}).status, 0);
    EXPECT_NE(Run({}).out.find("IBAN: —"), std::string::npos);
}

TEST_F(BuildingCommand, ARefusedValueStoresNothing) {
    ASSERT_EQ(Run({"--manager", "Πρώτος", "--days", "10"}).status, 0);
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"--iban", "GR1601101250000000012300696", "--manager", "Άλλος"}, 2, "ψηφία ελέγχου"},
        {{"--days", "0", "--manager", "Άλλος"}, 2, "από 1 έως 365"},
        {{"--days", "366"}, 2, "από 1 έως 365"},
        {{"--days", "δέκα"}, 2, "από 1 έως 365"},
        {{"--owners", Owners("Δ9\tΚάποιος\n"), "--manager", "Άλλος"}, 2, "δεν υπάρχει"},
        {{"--owners", Owners("# κανείς\n")}, 2, "κανέναν ιδιοκτήτη"},
        {{"--owners", Owners("1\tΑ\n"), "--from", "31/2/2027"}, 2, "δεν είναι έγκυρη"},
        {{"--owners", folder.File("λείπει.tsv")}, 1, "ΔΕΝ είναι δυνατή η ανάγνωση"},
        {{"--owners", folder.Path().string()}, 1, "ΔΕΝ είναι δυνατή η ανάγνωση"},
        {{"--from", "1/1/2027"}, 1, "Χρήση"},
        {{"--colour", "κόκκινο"}, 1, "Χρήση"},
    };
    for (const auto& c : cases) {
        const Outcome run = Run(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.front() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const Outcome shown = Run({});
    EXPECT_NE(shown.out.find("Διαχειριστής: Πρώτος"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("10 ημέρες"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Ιδιοκτήτες: —"), std::string::npos) << shown.out;
    // A study that cannot be read names itself.
    std::ostringstream out, err;
    EXPECT_EQ(
        RunBuildingCommand({folder.File("καμία.pyx")}, HistoryStore::InFile(history), out, err), 1);
    EXPECT_NE(err.str().find("καμία.pyx"), std::string::npos) << err.str();
}

// A renderer double that keeps the text of every sheet it is asked to write.
class KeptSheets : public SheetWriter {
public:
    std::map<std::string, std::string> texts; // by file name
    bool WritePdf(const SheetModel& sheet, const std::string& path, NumberLocale,
                  std::string&) override {
        std::string text;
        for (const auto& [at, cell] : sheet.Cells()) {
            text += cell.value.text + "\n";
        }
        texts[std::filesystem::path(path).filename().string()] = text;
        std::ofstream(path) << "%PDF";
        return true;
    }
    bool WriteXlsx(const SheetModel&, const std::string& path, std::string&) override {
        std::ofstream(path) << "PK";
        return true;
    }
};

TEST_F(BuildingCommand, EachOwnerGetsHisOwnNoticeFile) {
    ASSERT_EQ(Run({"--iban", "GR1601101250000000012300695", "--days", "15", "--owners",
                   Owners("1\tΓεώργιος Παπαδόπουλος\n3\tΕλένη Α.\n")})
                  .status,
              0);
    std::string readings;
    for (int i = 1; i <= 9; ++i) {
        readings += std::to_string(i) + "\t" + std::to_string(100 + i * 10) + "\n";
    }
    WriteAll(folder.File("r.tsv"), readings);
    KeptSheets sheets;
    BillContext context;
    context.writer = &sheets;
    context.history = HistoryStore::InFile(history);
    std::istringstream in;
    std::ostringstream out, err;
    const std::string dir = folder.File("ειδοποιητήρια");
    ASSERT_EQ(RunBillCommand({study, folder.File("r.tsv"), "--cost", "1800", "--from", "1/10/2026",
                              "--to", "30/4/2027", "--notices-dir", dir, "--notices",
                              folder.File("όλα.pdf"), "--tsv", folder.File("b.tsv")},
                             in, out, err, context),
              0)
        << err.str();
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files.size(), 9u);
    ASSERT_EQ(sheets.texts.count("2027-04_001_Υ1_Αποθήκη-Γραφείο.pdf"), 1u);
    const std::string& first = sheets.texts["2027-04_001_Υ1_Αποθήκη-Γραφείο.pdf"];
    EXPECT_NE(first.find("Προς: Γεώργιος Παπαδόπουλος"), std::string::npos) << first;
    EXPECT_NE(first.find("Πληρωμή έως 15/05/2027"), std::string::npos) << first;
    EXPECT_NE(first.find("GR16 0110 1250 0000 0001 2300 695"), std::string::npos) << first;
    EXPECT_EQ(first.find("Ελένη"), std::string::npos) << first; // his notice alone
    const std::string& third = sheets.texts["2027-04_003_Α1_Διαμέρισμα.pdf"];
    EXPECT_NE(third.find("Προς: Ελένη Α."), std::string::npos) << third;
    const std::string& second = sheets.texts["2027-04_002_Ι1_Κατάστημα.pdf"];
    EXPECT_NE(second.find("Προς: τον ιδιοκτήτη ή τον ένοικο"), std::string::npos) << second;
    // The combined file holds every owner; --due takes the place of the days.
    EXPECT_NE(sheets.texts["όλα.pdf"].find("Ελένη Α."), std::string::npos);
    std::ostringstream err2;
    ASSERT_EQ(RunBillCommand({study, folder.File("r.tsv"), "--cost", "1800", "--from", "1/10/2026",
                              "--to", "30/4/2027", "--notices", folder.File("όλα.pdf"), "--due",
                              "2027-06-01", "--tsv", folder.File("b.tsv")},
                             in, out, err2, context),
              0)
        << err2.str();
    EXPECT_NE(sheets.texts["όλα.pdf"].find("Πληρωμή έως 01/06/2027"), std::string::npos);
    // A file where the folder belongs is refused before anything is billed.
    WriteAll(folder.File("αρχείο"), "x");
    std::ostringstream err3;
    EXPECT_EQ(RunBillCommand({study, folder.File("r.tsv"), "--cost", "1800", "--notices-dir",
                              folder.File("αρχείο"), "--tsv", folder.File("b.tsv")},
                             in, out, err3, context),
              1);
    EXPECT_NE(err3.str().find("δεν είναι φάκελος"), std::string::npos) << err3.str();
    std::ostringstream err4;
    EXPECT_EQ(RunBillCommand({study, folder.File("r.tsv"), "--cost", "1800", "--due", "32/1/2027",
                              "--tsv", folder.File("b.tsv")},
                             in, out, err4, context),
              1);
}

} // namespace
} // namespace pyrostat
