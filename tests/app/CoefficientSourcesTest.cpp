#include "app/BillCommand.h"
#include "billing/BillTsv.h"
#include "billing/PeriodBill.h"
#include "distribution/Distribution.h"
#include "distribution/ResultsFiles.h"
#include "distribution/SampleStudy.h"
#include "distribution/StudyCalculation.h"
#include "support/TestFolder.h"

#include "billing/HistoryStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace pyrostat {
namespace {

std::vector<StudyRow> SampleRows() {
    const std::vector<test::GridRowTexts> grid = test::SampleGrid();
    return {grid.begin(), grid.end()};
}

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

// Hour readings of the nine properties of the sample study, by number.
const char* kSampleReadings = "1\t1000\t1400\n2\t500\t900\n3\t333.5\n4\t10\t10\n5\t100\t800\n"
                              "6\t0\t100\tκλειστό\n7\t1000\t20\tαντικατάσταση 1500 0\n8\t300\n"
                              "9\t582.78\n";

// The amounts columns of a bill (fixed, variable, amount), without the names
// a TYPES file does not have.
std::string Amounts(const PeriodBill& bill) {
    std::string text;
    for (const BilledLine& line : bill.lines) {
        text += std::to_string(line.coefficients.number) + " " + std::to_string(line.fixedCents) +
                " " + std::to_string(line.variableCents) + " " + std::to_string(line.amountCents) +
                "\n";
    }
    return text;
}

class CoefficientSources : public ::testing::Test {
protected:
    void SetUp() override {
        study = folder.File("Ευριπίδου 14.pyx");
        WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
        WriteAll(folder.File("Ευριπίδου 14.tpx"), FormatGeneralData(test::SampleGeneralData()));
        request.costCents = 2850000;
    }
    TestFolder folder;
    std::string study;
    BillRequest request;
};

// A study, its TYPES file as the results window archives it, and a table of
// its printed FE, OMS and e bill the same amounts.
TEST_F(CoefficientSources, StudyTypesFileAndTableBillTheSame) {
    const BillingCoefficients fromStudy = LoadCoefficients(study);
    ASSERT_TRUE(fromStudy.Ok()) << fromStudy.faults.front();
    EXPECT_EQ(fromStudy.lines.size(), 9u);
    EXPECT_EQ(fromStudy.lines[0].name, "Υ1 Αποθήκη-Γραφείο");
    EXPECT_EQ(fromStudy.title, test::kSampleTitle);
    // Π9 (%) = [0.0480 + (0.6493 x 0.1654 x Ωρες_i) / (Σ(0.1654 x Ωρες_i))] x 100
    EXPECT_DOUBLE_EQ(fromStudy.lines[8].fe, 0.0480);
    EXPECT_DOUBLE_EQ(fromStudy.lines[8].oms, 0.6493);
    EXPECT_DOUBLE_EQ(fromStudy.lines[8].e, 0.1654);

    // The TYPES file written by the archive of the results window.
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    const StudyCalculation run = CalculateStudy(SampleRows(), true, NumberLocale::English());
    ASSERT_TRUE(run.Ok());
    ASSERT_TRUE(WriteDistributionFiles(state, run.result));
    ASSERT_TRUE(ArchiveResults(state, "Ευριπίδου 14"));
    const std::string types = folder.File("PYXFiles/FLEFiles/TYPES_Ευριπίδου 14.FIL");
    ASSERT_TRUE(std::filesystem::exists(types));
    const BillingCoefficients fromTypes = LoadCoefficients(types);
    ASSERT_TRUE(fromTypes.Ok()) << fromTypes.faults.front();

    std::string table = "Ιδιοκτησία\tFE\tΟΜΣ\te\n";
    for (const CoefficientLine& line : fromStudy.lines) {
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, "\t%.4f\t%.4f\t%.4f\n", line.fe, line.oms, line.e);
        table += line.name + numbers;
    }
    WriteAll(folder.File("πίνακας.txt"), table);
    const BillingCoefficients fromTable = LoadCoefficients(folder.File("πίνακας.txt"));
    ASSERT_TRUE(fromTable.Ok()) << fromTable.faults.front();

    const ReadingsTable readings = ParseReadings(kSampleReadings);
    const PeriodBill a = MakePeriodBill(fromStudy, readings, request);
    const PeriodBill b = MakePeriodBill(fromTypes, readings, request);
    const PeriodBill c = MakePeriodBill(fromTable, readings, request);
    ASSERT_TRUE(a.Ok() && b.Ok() && c.Ok());
    EXPECT_TRUE(a.scaled); // the sample's printed numbers add up to 1.0002
    EXPECT_EQ(Amounts(a), Amounts(b));
    EXPECT_EQ(Amounts(a), Amounts(c));
    EXPECT_EQ(BillTsv(a), BillTsv(c));
}

TEST_F(CoefficientSources, DamagedOrForeignFilesAreRefusedByName) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"TYPES_x.FIL", "0.0312,0.6493,0.0799,0.0799\r\n0.05,0.6493\r\n", "Η γραμμή 2"},
        {"TYPES_y.FIL", "0.0312,0.6493,0.0799,0.0799\r\n0.05,0.7,0.1,0.1\r\n", "άλλο ΟΜΣ"},
        {"table.txt", "Α\t0.5\t0.2\nΒ\tμισό\t0.3\n", "Η γραμμή 2 του πίνακα"},
        {"f.txt", "Α\t0.5\t1.2\n", "συντελεστή f εκτός"},
        {"empty.txt", "# τίποτα\n\n", "καμία Ιδιοκτησία"},
        {"half.pyx", std::string(300, 'x'), "ΚΑΤΕΣΤΡΑΜΜΕΝΟ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(folder.File(c.name), c.bytes);
        const BillingCoefficients read = LoadCoefficients(folder.File(c.name));
        ASSERT_FALSE(read.Ok());
        std::string all;
        for (const std::string& f : read.faults) {
            all += f;
        }
        EXPECT_NE(all.find(c.expected), std::string::npos) << all;
    }
    // The kind goes by the extension, not by how a name happens to end.
    WriteAll(folder.File("κτίριο_pyx"), "Α\t0.5\t0.2\nΒ\t0.5\t0.2\n");
    EXPECT_TRUE(LoadCoefficients(folder.File("κτίριο_pyx")).Ok());
    std::filesystem::create_directory(folder.File("folder.pyx"));
    EXPECT_TRUE(LoadCoefficients(folder.File("folder.pyx")).unreadable);
}

// A double of the renderer that keeps what it was given.
class KeptSheets : public SheetWriter {
public:
    bool WritePdf(const SheetModel& sheet, const std::string& path, NumberLocale,
                  std::string&) override {
        pdf[path] = sheet;
        return true;
    }
    bool WriteXlsx(const SheetModel& sheet, const std::string& path, std::string&) override {
        xlsx[path] = sheet;
        return true;
    }
    std::map<std::string, SheetModel> pdf, xlsx;
};

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun Bill(const std::vector<std::string>& args, SheetWriter* writer = nullptr,
                const std::string& input = "", const std::string& history = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    BillContext context;
    context.writer = writer;
    context.history = HistoryStore::InFile(history);
    const int status = RunBillCommand(args, in, out, err, context);
    return {status, out.str(), err.str()};
}

TEST_F(CoefficientSources, CommandWritesTheBillOrNothing) {
    WriteAll(folder.File("r.tsv"), kSampleReadings);
    KeptSheets sheets;
    const std::string tsv = folder.File("bill.tsv");
    const CommandRun made = Bill({study, folder.File("r.tsv"), "--cost", "28.500,00", "--from",
                                  "15/10/2026", "--to", "2027-04-30", "--tsv", tsv, "--pdf",
                                  "s.pdf", "--xlsx", "s.xlsx", "--notices", "n.pdf"},
                                 &sheets);
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string text = ReadAll(tsv);
    const std::string total = text.substr(text.rfind("ΣΥΝΟΛΟ"));
    EXPECT_EQ(total.rfind("ΣΥΝΟΛΟ\t\t3236.28\t100.00000\t", 0), 0u) << total;
    EXPECT_TRUE(total.ends_with("\t28500.00\n")) << total;
    EXPECT_NE(made.err.find("συντελεστή αναγωγής"), std::string::npos);
    ASSERT_EQ(sheets.pdf.size(), 2u);
    ASSERT_EQ(sheets.xlsx.size(), 1u);
    // The sheet names every property; the notices give each its own block.
    const SheetModel& sheet = sheets.pdf.at("s.pdf");
    int names = 0;
    for (const auto& [at, cell] : sheet.Cells()) {
        names += cell.value.text == "Δ1 Ρετιρέ" ? 1 : 0;
    }
    EXPECT_EQ(names, 1);
    EXPECT_EQ(sheets.pdf.at("n.pdf").PageBreaks().size(), 4u); // 9 notices, 2 a page

    // A fault: status 2, the property named, nothing written.
    std::filesystem::remove(tsv);
    WriteAll(folder.File("bad.tsv"), std::string(kSampleReadings) + "1\t5\n");
    const CommandRun refused = Bill({study, folder.File("bad.tsv"), "--cost", "100", "--tsv", tsv});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("«Υ1 Αποθήκη-Γραφείο» έχει δύο γραμμές"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tsv));

    // Readings of another building: the first fifty faults named, the rest
    // counted, the verdict last.
    std::string foreign;
    for (int i = 1; i <= 60; ++i) {
        foreign += "Άλλη " + std::to_string(i) + "\t5\n";
    }
    WriteAll(folder.File("foreign.tsv"), foreign);
    const CommandRun flood = Bill({study, folder.File("foreign.tsv"), "--cost", "100"});
    EXPECT_EQ(flood.status, 2);
    EXPECT_NE(flood.err.find("«Άλλη 50»"), std::string::npos) << flood.err;
    EXPECT_EQ(flood.err.find("«Άλλη 51»"), std::string::npos) << flood.err;
    EXPECT_NE(flood.err.find("... και άλλα 19 σφάλματα (69 συνολικά).\nΟ λογαριασμός της "
                             "περιόδου ΔΕΝ έγινε.\n"),
              std::string::npos)
        << flood.err;

    // Readings from the standard input, the bill on the standard output.
    const CommandRun piped =
        Bill({study, "-", "--cost", "100", "--method", "energy"}, nullptr, kSampleReadings);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_NE(piped.out.find("ΣΥΝΟΛΟ\t\t3236.28\t100.00000\t"), std::string::npos);
}

TEST_F(CoefficientSources, CommandUsageFaults) {
    WriteAll(folder.File("r.tsv"), kSampleReadings);
    const std::string r = folder.File("r.tsv");
    const std::vector<std::vector<std::string>> wrong = {
        {study, r},                                        // no cost
        {study, r, "--cost", "12.3456"},                   // four decimals
        {study, r, "--cost", "-5"},                        // negative
        {study, r, "--cost", "5", "--method", "gas"},      // no such method
        {study, r, "--cost", "5", "--from", "31/02/2026"}, // no such day
        {study, r, "--cost", "5", "--pdf", "x.pdf"},       // no renderer here
        {study, "--cost", "5"},                            // one file
        {study, r, "--cost", "5", "--colour"},             // no such option
        {study, folder.File("missing.tsv"), "--cost", "5"},
    };
    for (const auto& args : wrong) {
        SCOPED_TRACE(args.back());
        const CommandRun run = Bill(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
}

} // namespace
} // namespace pyrostat
