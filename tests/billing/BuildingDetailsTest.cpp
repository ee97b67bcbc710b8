// What a building's notices are addressed and paid with: the account's
// check, the payment reference, the owners' table, and the owners, details
// and drafts the history keeps with each building.

#include "billing/BillSheets.h"
#include "billing/BillingHistory.h"
#include "billing/Iban.h"
#include "billing/PaymentReference.h"
#include "support/TestFolder.h"
#include "support/TestHistories.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pyrostat {
namespace {

using test::TestFolder;

TEST(Iban, ReadAsTypedAndRefusedWhenItsCheckFails) {
    const struct {
        const char* typed;
        const char* stored; // empty: refused
        const char* fault;  // a word of the refusal
    } cases[] = {
        {"GR1601101250000000012300695", "GR1601101250000000012300695", ""},
        {"gr16 0110 1250 0000 0001 2300 695", "GR1601101250000000012300695", ""},
        {"GR16-0110-1250-0000-0001-2300-695", "GR1601101250000000012300695", ""},
        {"DE89 3704 0044 0532 0130 00", "DE89370400440532013000", ""},
        {"CY17 0020 0128 0000 0012 0052 7600", "CY17002001280000001200527600", ""},
        // One digit typed wrong, two digits swapped: the check digits tell.
        {"GR1601101250000000012300696", "", "ψηφία ελέγχου"},
        {"GR1601101250000000013200695", "", "ψηφία ελέγχου"},
        {"GR160110125000000001230069", "", "27"},
        {"GR16011012500000000123006951", "", "27"},
        {"1601101250000000012300695", "", "δύο γράμματα"},
        {"GRXX01101250000000012300695", "", "δύο γράμματα"},
        {"GR16 0110 1250 0000 0001 2300 69€", "", "σύμβολα"},
        {"XY12 3456", "", "15 έως 34"},
        {"", "", "Δεν δόθηκε"},
        {"   ", "", "Δεν δόθηκε"},
    };
    for (const auto& c : cases) {
        const IbanRead read = ReadIban(c.typed);
        EXPECT_EQ(read.iban, c.stored) << c.typed;
        EXPECT_EQ(read.Ok(), *c.stored != '\0') << c.typed;
        EXPECT_NE(read.fault.find(c.fault), std::string::npos) << c.typed << ": " << read.fault;
    }
    EXPECT_EQ(GroupedIban("GR1601101250000000012300695"), "GR16 0110 1250 0000 0001 2300 695");
    EXPECT_EQ(Mod97("A"), 10);
    EXPECT_EQ(Mod97("Z"), 35);
    EXPECT_EQ(Mod97("97"), 0);
    EXPECT_EQ(Mod97("a"), -1);
}

TEST(PaymentReference, ACreditorReferenceABankVerifies) {
    const std::string ref = PaymentReference(12, 7, {2027, 4, 30});
    std::string plain;
    for (const char ch : ref) {
        if (ch != ' ') {
            plain += ch;
        }
    }
    EXPECT_EQ(plain.substr(0, 2), "RF");
    // The building, the property and the period's last month, in order.
    EXPECT_EQ(plain.substr(4), "0012007202704");
    // Its check: the body followed by "RF" and the digits, modulo 97, is 1.
    EXPECT_EQ(Mod97(plain.substr(4) + plain.substr(0, 4)), 1) << ref;
    EXPECT_EQ(ref.find(' '), 4u);
    // Another property, period or building: another reference.
    EXPECT_NE(PaymentReference(12, 8, {2027, 4, 30}), ref);
    EXPECT_NE(PaymentReference(12, 7, {2027, 5, 31}), ref);
    EXPECT_NE(PaymentReference(13, 7, {2027, 4, 30}), ref);
    for (const int building : {1, 99, 4321}) {
        for (const int property : {1, 42, 500}) {
            std::string p;
            for (const char ch : PaymentReference(building, property, {2026, 12, 31})) {
                if (ch != ' ') {
                    p += ch;
                }
            }
            EXPECT_EQ(Mod97(p.substr(4) + p.substr(0, 4)), 1) << p;
        }
    }
}

// Three flats, e = 0.5, 0.3, 0.2.
BillingCoefficients Flats() {
    BillingCoefficients c = ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
    c.title = "Πολυκατοικία Δοκιμής";
    return c;
}

TEST(OwnersTable, EachLineMatchedToAPropertyOrTold) {
    const OwnersRead read = ReadOwnersTable("Ιδιοκτησία\tΙδιοκτήτης\te-mail\tΤηλέφωνο\n"
                                            "α1\tΓεώργιος Παπαδόπουλος\tgp@example.gr\t2101234567\n"
                                            "# σχόλιο\n\n"
                                            "3\tΜαρία Κωνσταντίνου\n",
                                            Flats());
    EXPECT_TRUE(read.faults.empty()) << read.faults.front();
    ASSERT_EQ(read.owners.size(), 2u);
    EXPECT_EQ(read.owners.at(1), (Owner{"Γεώργιος Παπαδόπουλος", "gp@example.gr", "2101234567"}));
    EXPECT_EQ(read.owners.at(3), (Owner{"Μαρία Κωνσταντίνου", "", ""}));

    const struct {
        const char* table;
        const char* fault;
    } refused[] = {
        {"Δ1\tΚάποιος\n", "δεν υπάρχει"},   {"Α1\n", "δεν έχει όνομα"},
        {"Α1\t  \n", "δεν έχει όνομα"},     {"Α1\tΑ\tα@β.gr\t210\tπέμπτη\n", "τέσσερις"},
        {"Α1\tΑ\n1\tΒ\n", "της γραμμής 1"}, {"Α1\tΑ\tόχι-email\n", "δεν είναι e-mail"},
    };
    for (const auto& c : refused) {
        const OwnersRead bad = ReadOwnersTable(c.table, Flats());
        ASSERT_EQ(bad.faults.size(), 1u) << c.table;
        EXPECT_NE(bad.faults[0].find(c.fault), std::string::npos) << bad.faults[0];
        // The matching's words are the readings'; here they speak of owners.
        EXPECT_EQ(bad.faults[0].find("των ενδείξεων"), std::string::npos) << bad.faults[0];
    }
}

Owner Named(const char* name) {
    Owner owner;
    owner.name = name;
    return owner;
}

const BuildingKey kBuilding{
    "/μελέτες/δοκιμή.pyx", "Πολυκατοικία Δοκιμής", "Ιδιοκτήτες", "Θέρμανση", "Πάτρα", {}};

PeriodBill Bill(BillDate from, BillDate to) {
    BillRequest request;
    request.costCents = 30000;
    request.from = from;
    request.to = to;
    return MakePeriodBill(Flats(), ParseReadings("Α1\t10\nΒ1\t20\nΓ1\t30\n"), request);
}

// On a desk's file and on an office's server alike.
using BuildingRecords = test::OnBothStores;
INSTANTIATE_ON_BOTH_STORES(BuildingRecords);

TEST_P(BuildingRecords, OwnersFromADayOnEarlierPeriodsKeepTheirNames) {
    const auto opened = stores.Open();
    BillingHistory& history = *opened;
    const int64_t building = history.FindOrAddBuilding(kBuilding);
    const BillDate today{2026, 12, 8};
    // The first owners hold from the start.
    auto held =
        history.SetOwners(building, {{1, Named("Αλέξης")}, {2, Named("Βασιλική")}}, {}, today);
    EXPECT_EQ(held, (std::map<int, std::string>{{1, ""}, {2, ""}}));
    EXPECT_EQ(history.OwnersOn(building, {2000, 1, 1}).at(1).name, "Αλέξης");
    // A new occupant of Α1 from 1/1/2027: the winter before keeps Αλέξης,
    // the periods after carry the new name; Β1 is carried as it was.
    held = history.SetOwners(building, {{1, {"Χρυσάνθη", "x@example.gr", ""}}},
                             BillDate{2027, 1, 1}, today);
    EXPECT_EQ(held.at(1), "2027-01-01");
    EXPECT_EQ(history.OwnersOn(building, {2026, 12, 31}).at(1).name, "Αλέξης");
    EXPECT_EQ(history.OwnersOn(building, {2027, 1, 1}).at(1).name, "Χρυσάνθη");
    EXPECT_EQ(history.OwnersOn(building, {2030, 4, 30}).at(1).email, "x@example.gr");
    EXPECT_EQ(history.OwnersOn(building, {2030, 4, 30}).at(2).name, "Βασιλική");
    EXPECT_EQ(history.OwnersOn(building, {2030, 4, 30}).count(3), 0u);
    // A later owner given without a day holds from today.
    held = history.SetOwners(building, {{2, Named("Γεωργία")}, {3, Named("Δημήτρης")}}, {}, today);
    EXPECT_EQ(held.at(2), "2026-12-08");
    EXPECT_EQ(held.at(3), ""); // Γ1's first
    EXPECT_EQ(history.OwnersOn(building, {2026, 12, 7}).at(2).name, "Βασιλική");
    EXPECT_EQ(history.OwnersOn(building, {2026, 12, 8}).at(2).name, "Γεωργία");
    EXPECT_EQ(history.OwnerHistory(building).size(), 5u);
    // The same day again corrects that entry, not adds one.
    history.SetOwners(building, {{1, Named("Χρυσάνθη Ν.")}}, BillDate{2027, 1, 1}, today);
    EXPECT_EQ(history.OwnerHistory(building).size(), 5u);
    EXPECT_EQ(history.OwnersOn(building, {2027, 2, 1}).at(1).name, "Χρυσάνθη Ν.");
}

TEST_P(BuildingRecords, DetailsAndDraftsKeptUntilThePeriodIsStored) {
    int64_t building = 0;
    {
        const auto opened = stores.Open();
        BillingHistory& history = *opened;
        building = history.FindOrAddBuilding(kBuilding);
        EXPECT_EQ(history.Details(building), BillingDetails{});
        history.SetDetails(building, {"Νίκος", "2610123456", "GR1601101250000000012300695", 20});
        history.SaveDraft(building, "draft one");
        history.SaveDraft(building, "draft two");
        history.SetImportColumns(building, "property=1;current=3");
    }
    const auto reopened = stores.Open(); // another start of the program
    BillingHistory& history = *reopened;
    EXPECT_EQ(history.Details(building),
              (BillingDetails{"Νίκος", "2610123456", "GR1601101250000000012300695", 20}));
    ASSERT_TRUE(history.DraftOf(building));
    EXPECT_EQ(history.DraftOf(building)->content, "draft two");
    EXPECT_EQ(history.DraftOf(building)->savedAt.size(), 19u);
    EXPECT_EQ(history.ImportColumns(building), "property=1;current=3");
    // Another building's draft is its own.
    BuildingKey other = kBuilding;
    other.studyPath = "/μελέτες/άλλη.pyx";
    const int64_t second = history.FindOrAddBuilding(other);
    history.SaveDraft(second, "the other's");
    // Storing the period drops the draft of its building only.
    history.Save(kBuilding, Bill({2026, 10, 1}, {2027, 4, 30}));
    EXPECT_FALSE(history.DraftOf(building));
    EXPECT_EQ(history.DraftOf(second)->content, "the other's");
    history.DiscardDraft(second);
    EXPECT_FALSE(history.DraftOf(second));
}

TEST_P(BuildingRecords, MovedWithTheBuildingByAnExport) {
    TestFolder& folder = stores.Folder();
    const BillDate today{2026, 12, 8};
    {
        const auto opened = stores.Open("one");
        BillingHistory& history = *opened;
        const int64_t building = history.FindOrAddBuilding(kBuilding);
        history.SetOwners(building, {{1, Named("Αλέξης")}}, {}, today);
        history.SetOwners(building, {{1, Named("Χρυσάνθη")}}, BillDate{2027, 1, 1}, today);
        history.SetDetails(building, {"Νίκος", "2610", "GR1601101250000000012300695", 20});
        history.SaveDraft(building, "typed");
        history.SetImportColumns(building, "property=0;previous=-1;current=-1;measure=1;marks=-1;"
                                           "headings=0");
        history.ExportBuilding(building, folder.File("moved.sqlite"));
    }
    const auto openedOther = stores.Open("two");
    BillingHistory& other = *openedOther;
    // A building there already keeps its own details.
    const int64_t there = other.FindOrAddBuilding(kBuilding);
    other.SetDetails(there, {"Άλλος", "", "", 0});
    other.Import(folder.File("moved.sqlite"));
    other.Import(folder.File("moved.sqlite")); // nothing doubled
    EXPECT_EQ(other.OwnerHistory(there).size(), 2u);
    EXPECT_EQ(other.OwnersOn(there, {2027, 2, 1}).at(1).name, "Χρυσάνθη");
    EXPECT_EQ(other.OwnersOn(there, {2026, 2, 1}).at(1).name, "Αλέξης");
    EXPECT_EQ(other.Details(there).manager, "Άλλος");
    EXPECT_EQ(other.DraftOf(there)->content, "typed");
    EXPECT_FALSE(other.ImportColumns(there).empty());
    // Into an empty history everything comes.
    const auto openedThird = stores.Open("three");
    BillingHistory& third = *openedThird;
    third.Import(folder.File("moved.sqlite"));
    const int64_t moved = *third.FindBuilding(kBuilding);
    EXPECT_EQ(third.Details(moved).iban, "GR1601101250000000012300695");
}

TEST(NoticeFiles, NamedByPeriodNumberAndAName) {
    PeriodBill bill = Bill({2026, 10, 1}, {2027, 4, 30});
    ASSERT_TRUE(bill.Ok());
    const struct {
        const char* name;
        const char* file;
    } cases[] = {
        {"Α1", "2027-04_001_Α1.pdf"},
        {"Διαμέρισμα Α1 / ισόγειο", "2027-04_001_Διαμέρισμα_Α1___ισόγειο.pdf"},
        {"  ..κρυφό: \"*?<>|\\ ", "2027-04_001_κρυφό.pdf"},
        {"", "2027-04_001.pdf"},
        {"....", "2027-04_001.pdf"},
    };
    for (const auto& c : cases) {
        bill.lines[0].name = c.name;
        EXPECT_EQ(NoticeFileName(bill, bill.lines[0]), c.file) << c.name;
    }
    // A long name is cut at a whole letter.
    bill.lines[0].name = std::string(41, 'x') + "αβγδεζηθικλμνξοπρστυφχψω";
    EXPECT_EQ(NoticeFileName(bill, bill.lines[0]),
              "2027-04_001_" + std::string(41, 'x') + "αβγδεζηθι.pdf");
}

TEST(NoticeDueDate, GivenOrThePeriodsEndAndTheDays) {
    const PeriodBill bill = Bill({2026, 10, 1}, {2027, 4, 30});
    BillingDetails details;
    EXPECT_FALSE(NoticeDueDate(bill, details, std::nullopt));
    details.daysToPay = 20;
    EXPECT_EQ(NoticeDueDate(bill, details, std::nullopt), (BillDate{2027, 5, 20}));
    EXPECT_EQ(NoticeDueDate(bill, details, BillDate{2027, 6, 1}), (BillDate{2027, 6, 1}));
    details.daysToPay = 1;
    EXPECT_EQ(NoticeDueDate(bill, details, std::nullopt), (BillDate{2027, 5, 1}));
}

} // namespace
} // namespace pyrostat

#include "billing/BuildingSearch.h"

namespace pyrostat {
namespace {

// On a desk's file and on an office's server alike.
using BuildingSummaries = test::OnBothStores;
INSTANTIATE_ON_BOTH_STORES(BuildingSummaries);

TEST_P(BuildingSummaries, EachBuildingWithItsLastPeriodAndADraftWaiting) {
    const auto opened = stores.Open();
    BillingHistory& history = *opened;
    BuildingKey second = kBuilding;
    second.studyPath = "/μελέτες/άλλη.pyx";
    second.title = "Αγίου Νικολάου 3";
    second.location = "Χαλάνδρι";
    const int64_t other = history.FindOrAddBuilding(second);
    history.SaveDraft(other, "typed");
    history.Save(kBuilding, Bill({2025, 10, 1}, {2026, 4, 30}));
    history.Save(kBuilding, Bill({2026, 10, 1}, {2027, 4, 30}));
    history.Save(kBuilding, Bill({2026, 10, 1}, {2027, 4, 30})); // a second version
    BillRequest estimated;
    estimated.costCents = 20000;
    estimated.from = BillDate{2027, 5, 1};
    estimated.to = BillDate{2027, 5, 31};
    estimated.estimate = true;
    history.Save(kBuilding,
                 MakePeriodBill(Flats(), ParseReadings("Α1\t10\nΒ1\t20\nΓ1\n"), estimated));

    const std::vector<BillingHistory::BuildingSummary> list = history.BuildingSummaries();
    ASSERT_EQ(list.size(), 2u);
    // By title: «Αγίου Νικολάου» before «Πολυκατοικία Δοκιμής».
    EXPECT_EQ(list[0].key.title, "Αγίου Νικολάου 3");
    EXPECT_EQ(list[0].periods, 0);
    EXPECT_FALSE(list[0].lastTo);
    EXPECT_TRUE(list[0].draftWaiting);
    const BillingHistory::BuildingSummary& b = list[1];
    EXPECT_EQ(b.periods, 3);
    EXPECT_EQ(b.lastFrom, (BillDate{2027, 5, 1}));
    EXPECT_EQ(b.lastTo, (BillDate{2027, 5, 31}));
    EXPECT_EQ(b.lastVersion, 1);
    EXPECT_EQ(b.lastCostCents, 20000);
    EXPECT_EQ(b.lastEstimates, 1);
    EXPECT_FALSE(b.draftWaiting);

    EXPECT_TRUE(BuildingMatches(list[0], ""));
    EXPECT_TRUE(BuildingMatches(list[0], "αγιου χαλανδρι"));
    EXPECT_TRUE(BuildingMatches(list[0], "ΝΙΚΟΛΆΟΥ"));
    EXPECT_TRUE(BuildingMatches(list[0], "άλλη"));
    EXPECT_FALSE(BuildingMatches(list[0], "αγιου πατρα"));
    EXPECT_TRUE(BuildingMatches(list[1], "πατρα  δοκιμης"));
}

} // namespace
} // namespace pyrostat
