// The history of the period bills: storing the bill of a 500-property
// building (one transaction, WAL, fsync at the commit), and reading back ten
// years of its monthly periods (120 bills, 60,000 lines) as the notices'
// comparisons and the history command read them.
#include "billing/BillingHistory.h"
#include "billing/PeriodComparison.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace pyrostat;

constexpr int kProperties = 500;
const BuildingKey kKey{
    "/μελέτες/500.pyx", "Πολυκατοικία 500 ιδιοκτησιών", "Ιδιοκτήτες", "Θέρμανση", "Πάτρα", {}};

BillingCoefficients Building() {
    std::string table;
    for (int i = 1; i <= kProperties; ++i) {
        table += "Διαμέρισμα " + std::to_string(i) + "\t0.002\t0.3\n";
    }
    return ParseCoefficientTable(table);
}

PeriodBill MonthBill(const BillingCoefficients& c, int month) {
    std::string readings;
    for (int i = 1; i <= kProperties; ++i) {
        const int previous = month * 300 + i;
        readings += std::to_string(i) + "\t" + std::to_string(previous) + "\t" +
                    std::to_string(previous + 100 + (i * 37 + month) % 250) + "\n";
    }
    BillRequest request;
    request.costCents = 4825000;
    request.from = BillDate{2016 + month / 12, 1 + month % 12, 1};
    request.to = BillDate{2016 + month / 12, 1 + month % 12, 28};
    return MakePeriodBill(c, ParseReadings(readings), request);
}

std::string FreshDatabase(const char* name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return (folder / "Billing.sqlite").string();
}

void BM_StoreA500PropertyBill(benchmark::State& run) {
    const BillingCoefficients c = Building();
    const PeriodBill bill = MonthBill(c, 0);
    BillingHistory history(FreshDatabase("pyrostat-bench-store"));
    for (auto _ : run) {
        benchmark::DoNotOptimize(history.Save(kKey, bill).id);
    }
}
BENCHMARK(BM_StoreA500PropertyBill)->Unit(benchmark::kMillisecond);

void BM_ReadTenYearsOfMonthlyPeriods(benchmark::State& run) {
    const BillingCoefficients c = Building();
    BillingHistory history(FreshDatabase("pyrostat-bench-read"));
    for (int month = 0; month < 120; ++month) {
        history.Save(kKey, MonthBill(c, month));
    }
    const PeriodBill next = MonthBill(c, 120);
    for (auto _ : run) {
        const auto building = history.FindBuilding(kKey);
        const std::vector<StoredPeriod> latest = history.LatestPeriods(*building);
        const std::vector<PropertyComparison> compared = ComparePeriod(next, latest);
        if (latest.size() != 120 || compared.size() != kProperties) {
            run.SkipWithError("the history did not read back whole");
        }
        benchmark::DoNotOptimize(compared.data());
    }
}
BENCHMARK(BM_ReadTenYearsOfMonthlyPeriods)->Unit(benchmark::kMillisecond);

// The buildings window's lines of an office's history: 300 buildings of 20
// properties, each with ten years of monthly periods (36,000 bills, 720,000
// lines), listed with each one's last period, estimates and draft. The
// history is made once (without waiting for the disk at each bill) and kept
// in the temporary folder for the next runs.
void BM_ListThreeHundredBuildings(benchmark::State& run) {
    constexpr int kBuildings = 300, kFlats = 20, kMonths = 120;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "pyrostat-bench-office";
    const std::string path = (folder / "Billing.sqlite").string();
    const std::filesystem::path made = folder / "made";
    if (!std::filesystem::exists(made)) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        BillingHistory history(path);
        history.Database().Exec("PRAGMA synchronous = OFF");
        std::string table;
        for (int i = 1; i <= kFlats; ++i) {
            table += "Δ" + std::to_string(i) + "\t0.05\t0.3\n";
        }
        const BillingCoefficients c = ParseCoefficientTable(table);
        for (int b = 1; b <= kBuildings; ++b) {
            BuildingKey key{"/μελέτες/κτίριο " + std::to_string(b) + ".pyx",
                            "Πολυκατοικία " + std::to_string(b),
                            "Ιδιοκτήτες",
                            "Θέρμανση",
                            b % 2 ? "Πάτρα" : "Αθήνα",
                            {}};
            for (int month = 0; month < kMonths; ++month) {
                std::string readings;
                for (int i = 1; i <= kFlats; ++i) {
                    readings +=
                        std::to_string(i) + "\t" + std::to_string(10 + (i * b + month) % 90) + "\n";
                }
                BillRequest request;
                request.costCents = 120000 + b;
                request.from = BillDate{2016 + month / 12, 1 + month % 12, 1};
                request.to = BillDate{2016 + month / 12, 1 + month % 12, 28};
                history.Save(key, MakePeriodBill(c, ParseReadings(readings), request));
            }
            if (b % 10 == 0) {
                history.SaveDraft(history.FindOrAddBuilding(key), "pyrostat-draft\t1\n");
            }
        }
        std::ofstream(made) << "made\n";
    }
    BillingHistory history(path);
    for (auto _ : run) {
        const auto lines = history.BuildingSummaries();
        if (lines.size() != kBuildings || lines.front().periods != kMonths) {
            run.SkipWithError("the office's history did not list whole");
        }
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_ListThreeHundredBuildings)->Unit(benchmark::kMillisecond);

// The readings of a 10,000-property table matched to their properties, by
// number and by name: one lookup table for both, so both take about the same.
void ReadingsOf10000(benchmark::State& run, bool byNumber) {
    constexpr int n = 10000;
    std::string table, readings;
    for (int i = 1; i <= n; ++i) {
        table += "Δ" + std::to_string(i) + "\t0.0001\t0.3\n";
        readings += (byNumber ? std::to_string(i) : "Δ" + std::to_string(i)) + "\t" +
                    std::to_string(i % 97) + "\n";
    }
    const BillingCoefficients c = ParseCoefficientTable(table);
    const ReadingsTable read = ParseReadings(readings);
    BillRequest request;
    request.costCents = 10000000;
    for (auto _ : run) {
        const PeriodBill bill = MakePeriodBill(c, read, request);
        if (!bill.Ok() || bill.lines.size() != n) {
            run.SkipWithError("the bill was refused");
        }
        benchmark::DoNotOptimize(bill.lines.data());
    }
}
void BM_ReadingsOf10000ByNumber(benchmark::State& run) {
    ReadingsOf10000(run, true);
}
void BM_ReadingsOf10000ByName(benchmark::State& run) {
    ReadingsOf10000(run, false);
}
BENCHMARK(BM_ReadingsOf10000ByNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadingsOf10000ByName)->Unit(benchmark::kMillisecond);

} // namespace
