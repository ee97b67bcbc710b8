// Checks the calculation against an independent model of the rules written in
// Python (tests/tools/reference_distribution.py), on many random buildings:
// the result file and the formula file must agree byte for byte.

#include "app/CalcCommand.h"
#include "studies/PropertyRecord.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace pyrostat {
namespace {

const char* const kKinds[] = {"PILOTIS ΚΑΤΩ", "ΙΣΟΓΕΙΟ", "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"};
const char* const kPipes[] = {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ."};

bool PythonAvailable() {
    return std::system("python3 -c 'import struct' >/dev/null 2>&1") == 0;
}

struct Building {
    std::vector<PropertyRecord> rows;
    std::string tsv;
};

// Two-decimal values, as the grid holds them.
double Cents(std::mt19937& rng, double lo, double hi) {
    std::uniform_int_distribution<long> d(static_cast<long>(lo * 100), static_cast<long>(hi * 100));
    return static_cast<double>(d(rng)) / 100.0;
}

Building RandomBuilding(std::mt19937& rng, bool insulated) {
    Building b;
    std::uniform_int_distribution<int> count(1, 40);
    const int n = count(rng);
    for (int i = 1; i <= n; ++i) {
        PropertyRecord p;
        p.RowNo = static_cast<int16_t>(i);
        p.Title = "ΕΛΕΓΧΟΣ";
        p.PropertyName = "Δ" + std::to_string(i);
        const double open = Cents(rng, 0, 1500);
        const double vent = Cents(rng, 0, 1500);
        const double total = open + vent + Cents(rng, 500, 20000);
        double v[8] = {total,
                       open,
                       vent,
                       Cents(rng, 15, 160),
                       Cents(rng, 2.4, 4.0),
                       Cents(rng, 0, 25),
                       Cents(rng, 0, 25),
                       Cents(rng, 0, 25)};
        if (std::uniform_int_distribution<int>(0, 5)(rng) == 0) {
            v[5] = v[6] = 0; // only heated neighbours
        }
        if (v[5] == 0 && v[6] == 0 && v[7] == 0) {
            v[7] = 3;
        }
        for (int c = 2; c <= 9; ++c) {
            p.SetColumnValue(c, static_cast<float>(v[c - 2]));
        }
        p.Volume = p.Area * p.MeanHeight;
        p.Kind = kKinds[std::uniform_int_distribution<int>(0, 4)(rng)];
        p.PipePassage = kPipes[std::uniform_int_distribution<int>(0, 2)(rng)];
        p.Insulation = insulated ? -1.0f : 0.0f;
        b.rows.push_back(p);
        std::ostringstream line;
        line.precision(2);
        line << std::fixed << p.PropertyName;
        for (double x : v) {
            line << '\t' << x;
        }
        line << '\t' << p.Kind << '\t' << p.PipePassage << '\n';
        b.tsv += line.str();
    }
    return b;
}

TEST(ReferenceModel, RandomBuildingsAgreeByteForByte) {
    if (!PythonAvailable()) {
        GTEST_SKIP() << "python3 is not installed";
    }
    std::mt19937 rng(20261206);
    int compared = 0;
    for (int round = 0; round < 24; ++round) {
        const bool insulated = round % 3 != 0;
        const char decimal = round % 2 == 0 ? '.' : ',';
        const Building b = RandomBuilding(rng, insulated);
        test::TestFolder folder;
        std::string study;
        for (const auto& p : b.rows) {
            study += p.Pack();
        }
        test::WriteAll(folder.File("b.pyx"), study);
        test::WriteAll(folder.File("grid.tsv"), b.tsv);
        std::filesystem::create_directories(folder.Path() / "ref");

        ProgramState state;
        state.ProgramFolder = folder.WithSlash();
        std::istringstream in;
        std::ostringstream out, err;
        ASSERT_EQ(RunCalcCommand({folder.File("b.pyx"), "--decimal", std::string(1, decimal)},
                                 state, in, out, err),
                  0)
            << err.str();

        const std::string command = std::string("python3 '") + PYROSTAT_TESTS_DIR +
                                    "/tools/reference_distribution.py' '" +
                                    folder.File("grid.tsv") + "' '" + decimal + "' " +
                                    (insulated ? "1" : "0") + " '" + folder.File("ref") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_EQ(test::ReadAll(folder.File("PYROSTAT.TMP")).size(), 149 * b.rows.size());
        ASSERT_FALSE(test::ReadAll(folder.File("ref/~mirttype.txt")).empty());
        EXPECT_EQ(test::ReadAll(folder.File("PYROSTAT.TMP")),
                  test::ReadAll(folder.File("ref/PYROSTAT.TMP")))
            << "round " << round;
        EXPECT_EQ(test::ReadAll(folder.File("~mirttype.txt")),
                  test::ReadAll(folder.File("ref/~mirttype.txt")))
            << "round " << round;
        ++compared;
    }
    EXPECT_EQ(compared, 24);
}

} // namespace
} // namespace pyrostat
