// The history of the period bills: storing the bill of a 500-property
// building (one transaction, WAL, fsync at the commit), and reading back ten
// years of its monthly periods (120 bills, 60,000 lines) as the notices'
// comparisons and the history command read them.
#include "billing/BillingHistory.h"
#include "billing/PeriodComparison.h"
#include "billing/PostgresDatabase.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
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

// An office's history: 300 buildings of 20 properties, each with ten years
// of monthly periods (36,000 bills, 720,000 lines). Made once (without
// waiting for the disk at each bill) and kept in the temporary folder for
// the next runs.
constexpr int kOfficeBuildings = 300, kOfficeFlats = 20, kOfficeMonths = 120;

std::string OfficeHistoryFile() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "pyrostat-bench-office";
    const std::string path = (folder / "Billing.sqlite").string();
    const std::filesystem::path made = folder / "made";
    if (std::filesystem::exists(made)) {
        return path;
    }
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    BillingHistory history(path);
    history.Database().Exec("PRAGMA synchronous = OFF");
    std::string table;
    for (int i = 1; i <= kOfficeFlats; ++i) {
        table += "Δ" + std::to_string(i) + "\t0.05\t0.3\n";
    }
    const BillingCoefficients c = ParseCoefficientTable(table);
    for (int b = 1; b <= kOfficeBuildings; ++b) {
        BuildingKey key{"/μελέτες/κτίριο " + std::to_string(b) + ".pyx",
                        "Πολυκατοικία " + std::to_string(b),
                        "Ιδιοκτήτες",
                        "Θέρμανση",
                        b % 2 ? "Πάτρα" : "Αθήνα",
                        {}};
        for (int month = 0; month < kOfficeMonths; ++month) {
            std::string readings;
            for (int i = 1; i <= kOfficeFlats; ++i) {
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
    return path;
}

// The buildings window's lines of the office's history, one query.
void ListOffice(benchmark::State& run, BillingHistory& history) {
    for (auto _ : run) {
        const auto lines = history.BuildingSummaries();
        if (lines.size() != kOfficeBuildings || lines.front().periods != kOfficeMonths ||
            lines.front().lastCostCents == 0) {
            run.SkipWithError("the office's history did not list whole");
        }
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_ListThreeHundredBuildings(benchmark::State& run) {
    BillingHistory history(OfficeHistoryFile());
    ListOffice(run, history);
}
BENCHMARK(BM_ListThreeHundredBuildings)->Unit(benchmark::kMillisecond);

// The office moved to a server (PYROSTAT_BENCH_POSTGRES, a server of its own:
// bench/office-server.sh starts one): the whole history exported to a file
// as `history --export` does, and imported into an empty database on the
// server as `history --import` does. Once, it is long.
std::string ServerConnection() {
    const char* set = std::getenv("PYROSTAT_BENCH_POSTGRES");
    return set != nullptr ? set : "";
}

void BM_MoveOfficeToServer(benchmark::State& run) {
    if (ServerConnection().empty()) {
        run.SkipWithError("PYROSTAT_BENCH_POSTGRES is not set (bench/office-server.sh)");
        return;
    }
    const std::string source = OfficeHistoryFile();
    const std::string moved =
        (std::filesystem::temp_directory_path() / "pyrostat-bench-move.sqlite").string();
    for (auto _ : run) {
        run.PauseTiming();
        std::filesystem::remove(moved);
        {
            PostgresDatabase admin(ServerConnection() + " dbname=postgres");
            admin.Exec("DROP DATABASE IF EXISTS pyrostat_office WITH (FORCE)");
            admin.Exec("CREATE DATABASE pyrostat_office ENCODING 'UTF8' TEMPLATE template0");
        }
        run.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        BillingHistory desk(source);
        desk.ExportAll(moved);
        const auto exported = std::chrono::steady_clock::now();
        BillingHistory office(
            std::make_unique<PostgresDatabase>(ServerConnection() + " dbname=pyrostat_office"));
        const int added = office.Import(moved);
        const auto imported = std::chrono::steady_clock::now();
        run.counters["export_s"] = std::chrono::duration<double>(exported - start).count();
        run.counters["import_s"] = std::chrono::duration<double>(imported - exported).count();
        if (added != kOfficeBuildings * kOfficeMonths ||
            office.BuildingSummaries().size() != kOfficeBuildings) {
            run.SkipWithError("the office did not arrive whole");
        }
    }
}
BENCHMARK(BM_MoveOfficeToServer)->Unit(benchmark::kSecond)->Iterations(1);

void BM_ListThreeHundredBuildingsOnServer(benchmark::State& run) {
    if (ServerConnection().empty()) {
        run.SkipWithError("PYROSTAT_BENCH_POSTGRES is not set (bench/office-server.sh)");
        return;
    }
    BillingHistory office(
        std::make_unique<PostgresDatabase>(ServerConnection() + " dbname=pyrostat_office"));
    ListOffice(run, office);
}
BENCHMARK(BM_ListThreeHundredBuildingsOnServer)->Unit(benchmark::kMillisecond);

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
