#include "distribution/Distribution.h"
#include "distribution/CalculationRun.h"
#include "distribution/FormulaTextFile.h"
#include "distribution/Plausibility.h"
#include "distribution/StudyGrids.h"
#include "platform/Codepage1253.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace pyrostat {
namespace {

using test::FillGrid;
using test::GridRowTexts;
using test::ReadAll;
using test::RecordingMessages;
using test::TestFolder;

ProgramState StateIn(const TestFolder& folder, char decimal) {
    ProgramState s;
    s.ProgramFolder = folder.WithSlash();
    s.DecimalSeparatorCode = decimal;
    s.ThousandsSeparatorCode = decimal == ',' ? '.' : ',';
    return s;
}

TitleBoxAccess Title(const std::string& text) {
    TitleBoxAccess t;
    t.text = [text] { return text; };
    return t;
}

std::string Quoted(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) {
        bytes += "\"" + Utf8ToCp1253(l) + "\"\r\n";
    }
    return bytes;
}

const std::string kHead1 = "ΓΕΝΙΚΟΣ ΤΥΠΟΣ :";
const std::string kHead2 = "Πi(%) = [fi x ei + (1 - Σ(fi x ei) x (ei x Ωi)/Σ(ei x Ωi))] x 100";

float SingleAt(const std::string& bytes, size_t offset) {
    float f;
    std::memcpy(&f, bytes.data() + offset, 4);
    return f;
}

struct CalcRun {
    CalculationOutcome outcome;
    std::string result;
    std::string formula;
    RecordingMessages messages;
};

CalcRun Calculate(const TestFolder& folder, char decimal, const std::vector<GridRowTexts>& rows,
                  bool insulated, bool goOnWithImplausible = false) {
    ProgramState state = StateIn(folder, decimal);
    MemoryGrid grid(NumberLocale::Of(state));
    FillGrid(grid, rows);
    CalcRun run;
    if (goOnWithImplausible) {
        run.messages.AnswerNext(MessageService::Answer::Yes);
    }
    run.outcome = RunCalculation(grid, state, run.messages, Title("Πολυκατοικία"), insulated);
    run.result = ReadAll(folder.File("PYROSTAT.TMP"));
    run.formula = ReadAll(folder.File("~mirttype.txt"));
    return run;
}

// The three flats, by hand: T = 15700, W = 2000 + 1500 + 1700 = 5200,
// V = 256.5 + 208.8 + 352 = 817.3, K = 10500 / 817.3 = 12.84717...,
// q = V_i K + W_i, Q = T, e = q / Q; f = kind − (pipe + area + exposure):
// 0.60 − (0.06 + 0.04 + 0.15) = 0.35 (ratio 36/60 = 0.6), 0.65 − (0.01 + 0.08 +
// 0.10) = 0.46 (ratio 23.2/58 = 0.4), 0.55 − (0.03 + 0 + 0.20) = 0.32 (ratio
// 67.2/80 = 0.84); S = 0.3674..., 1 − S = 0.6326. The singles below were
// worked out with a separate single-precision model of the same rules.
TEST(Distribution, ThreeFlatsRecordsAreByteExact) {
    TestFolder folder;
    const CalcRun run = Calculate(folder, '.', test::ThreeFlats(false), true);
    ASSERT_EQ(run.outcome, CalculationOutcome::Written);
    EXPECT_TRUE(run.messages.Empty());
    ASSERT_EQ(run.result.size(), 3u * 149u);

    struct Expected {
        const char* name;
        float values[18];
    };
    // total, openings, ventilation, area, height, volume, ext, unheated,
    // heated, q, e, exposed, lateral, ratio, kind, pipe, area f., exposure f.
    const Expected expected[] = {
        {"Α1 Ισόγειο",
         {6000, 1200, 800, 85.5f, 3, 256.5f, 10, 4, 6, 5295.30176f, 0.337280363f, 36, 60,
          0.600000024f, 0.600000024f, 0.0599999987f, 0.0399999991f, 0.150000006f}},
        {"Β1 Όροφος",
         {4500, 900, 600, 72, 2.9000001f, 208.800003f, 8, 0, 12, 4182.49121f, 0.266400725f,
          23.2000008f, 58, 0.400000006f, 0.649999976f, 0.00999999978f, 0.0799999982f,
          0.100000001f}},
        {"Γ1 Ρετιρέ",
         {5200, 1000, 700, 110, 3.20000005f, 352, 20, 2, 3, 6222.20752f, 0.396318942f, 67.2000046f,
          80, 0.840000033f, 0.550000012f, 0.0299999993f, 0, 0.200000003f}},
    };
    for (size_t k = 0; k < 3; ++k) {
        const std::string rec = run.result.substr(k * 149, 149);
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(static_cast<unsigned char>(rec[0]), k + 1);
        EXPECT_EQ(rec[1], '\0');
        std::string name = Utf8ToCp1253(expected[k].name);
        name.resize(35, ' ');
        EXPECT_EQ(rec.substr(2, 35), name);
        for (size_t f = 0; f < 18; ++f) {
            EXPECT_EQ(SingleAt(rec, 37 + 4 * f), expected[k].values[f]) << "field " << f;
        }
        EXPECT_EQ(rec.substr(109), std::string(40, '\0'));
    }
}

TEST(Distribution, ThreeFlatsFormulaFileWithEachSeparator) {
    struct Case {
        char decimal;
        bool insulated;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {'.',
         true,
         {"Π1 (%) = [0.1180 + (0.6326 x 0.3373 x Ωρες_i) / (Σ(0.3373 x Ωρες_i))] x 100",
          "Π2 (%) = [0.1225 + (0.6326 x 0.2664 x Ωρες_i) / (Σ(0.2664 x Ωρες_i))] x 100",
          "Π3 (%) = [0.1268 + (0.6326 x 0.3963 x Ωρες_i) / (Σ(0.3963 x Ωρες_i))] x 100"}},
        {',',
         true,
         {"Π1 (%) = [0,1180 + (0,6326 x 0,3373 x Ωρες_i) / (Σ(0,3373 x Ωρες_i))] x 100",
          "Π2 (%) = [0,1225 + (0,6326 x 0,2664 x Ωρες_i) / (Σ(0,2664 x Ωρες_i))] x 100",
          "Π3 (%) = [0,1268 + (0,6326 x 0,3963 x Ωρες_i) / (Σ(0,3963 x Ωρες_i))] x 100"}},
        // Without insulation every kind factor is 0.10 lower: f = 0.25, 0.36,
        // 0.22, S = 0.2674.
        {',',
         false,
         {"Π1 (%) = [0,0843 + (0,7326 x 0,3373 x Ωρες_i) / (Σ(0,3373 x Ωρες_i))] x 100",
          "Π2 (%) = [0,0959 + (0,7326 x 0,2664 x Ωρες_i) / (Σ(0,2664 x Ωρες_i))] x 100",
          "Π3 (%) = [0,0872 + (0,7326 x 0,3963 x Ωρες_i) / (Σ(0,3963 x Ωρες_i))] x 100"}},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        const CalcRun run =
            Calculate(folder, c.decimal, test::ThreeFlats(c.decimal == ','), c.insulated);
        ASSERT_EQ(run.outcome, CalculationOutcome::Written);
        std::vector<std::string> all = {kHead1, kHead2};
        all.insert(all.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(run.formula, Quoted(all)) << c.decimal << c.insulated;
    }
}

TEST(Distribution, InsulationMovesEveryKindFactorByATenth) {
    TestFolder a;
    TestFolder b;
    const CalcRun on = Calculate(a, '.', test::ThreeFlats(false), true);
    const CalcRun off = Calculate(b, '.', test::ThreeFlats(false), false);
    for (size_t k = 0; k < 3; ++k) {
        const float kindOn = SingleAt(on.result, k * 149 + 93);
        const float kindOff = SingleAt(off.result, k * 149 + 93);
        EXPECT_NEAR(kindOn - kindOff, 0.10, 1e-6);
    }
}

TEST(Distribution, OnePropertyAndTwoIdenticalProperties) {
    // One intermediate flat, insulated, pipes inside, 80 m², ratio 9/30 = 0.3:
    // f = 0.65 − (0.01 + 0.04 + 0.05) = 0.55 and e = 1.
    const GridRowTexts flat = {"Διαμέρισμα", "5000", "800", "400",       "80",           "3",
                               "3",          "0",    "7",   "ΕΝΔΙΑΜΕΣΟ", "ΕΝΤΟΣ ΙΔΙΟΚΤ."};
    {
        TestFolder folder;
        const CalcRun run = Calculate(folder, '.', {flat}, true);
        ASSERT_EQ(run.outcome, CalculationOutcome::Written);
        EXPECT_EQ(run.formula,
                  Quoted({kHead1, kHead2,
                          "Π1 (%) = [0.5500 + (0.4500 x 1.0000 x Ωρες_i) / (Σ(1.0000 x "
                          "Ωρες_i))] x 100"}));
        // Q equals T: the demand of a lone flat is the building's losses.
        EXPECT_EQ(SingleAt(run.result, 73), 5000.0f);
        EXPECT_EQ(SingleAt(run.result, 77), 1.0f);
    }
    {
        // Two identical flats share half each: FE = 0.55 × 0.5 = 0.275 →
        // 0.2750, S = 0.55, 1 − S = 0.4500.
        TestFolder folder;
        const CalcRun run = Calculate(folder, ',', {flat, flat}, true);
        ASSERT_EQ(run.outcome, CalculationOutcome::Written);
        EXPECT_EQ(run.formula,
                  Quoted({kHead1, kHead2,
                          "Π1 (%) = [0,2750 + (0,4500 x 0,5000 x Ωρες_i) / (Σ(0,5000 x "
                          "Ωρες_i))] x 100",
                          "Π2 (%) = [0,2750 + (0,4500 x 0,5000 x Ωρες_i) / (Σ(0,5000 x "
                          "Ωρες_i))] x 100"}));
        EXPECT_EQ(SingleAt(run.result, 77), 0.5f);
        EXPECT_EQ(SingleAt(run.result, 149 + 77), 0.5f);
    }
}

TEST(Distribution, RoundingHoldsTheProductAsASingle) {
    struct Case {
        float x;
        const char* text;
    };
    // With the product kept in double, 0.00005 (a single just below it) and
    // 0.99995 would round down; held as a single they go up.
    const Case cases[] = {
        {0.00005f, "0.0001"},  {0.00004f, "0.0000"},    {0.00015f, "0.0002"}, {0.12345f, "0.1235"},
        {0.99995f, "1.0000"},  {0.55f, "0.5500"},       {1.0f, "1.0000"},     {0.0f, "0.0000"},
        {0.333333f, "0.3333"}, {0.00049999f, "0.0005"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFourDecimals(RoundFourDecimals(c.x), '.', ','), c.text) << c.x;
    }
}

TEST(Distribution, FormatFourDecimalsGroupsThousands) {
    struct Case {
        float x;
        char decimal;
        char group;
        const char* text;
    };
    const Case cases[] = {
        {0.5f, '.', ',', "0.5000"},        {0.5f, ',', '.', "0,5000"},
        {1234.5f, ',', '.', "1.234,5000"}, {1234.5f, '.', ',', "1,234.5000"},
        {123.25f, '.', ',', "123.2500"},   {1048576.0f, '.', ',', "1,048,576.0000"},
        {-0.25f, '.', ',', "-0.2500"},     {9.9999f, ',', '.', "9,9999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFourDecimals(c.x, c.decimal, c.group), c.text);
    }
}

ResultRecord Property(const char* name, float total, float openings, float volume) {
    ResultRecord r;
    r.PropertyName = name;
    r.TotalLosses = total;
    r.OpeningLosses = openings;
    r.Volume = volume;
    r.MeanHeight = 3;
    r.LengthToExterior = 5;
    r.KindFactor = 0.65f;
    r.PipeFactor = 0.01f;
    r.AreaFactor = 0.04f;
    r.ExposureFactor = 0.05f;
    return r;
}

TEST(Distribution, SumsAreAccumulatedAsSingles) {
    // 2^24 + 1 + 1 in single precision stays 2^24 (each 1 is lost), where a
    // double sum would give 16777218.
    ProgramState state;
    const DistributionResult r = CalculateDistribution(
        {Property("a", 16777216.0f, 0, 100), Property("b", 1, 0, 100), Property("c", 1, 0, 100)},
        NumberLocale::Of(state));
    EXPECT_EQ(r.T, 16777216.0f);
    EXPECT_EQ(r.V, 300.0f);
    // K = 2^24 / 300 held as a single; each q = 100 K.
    const float K = static_cast<float>(16777216.0 / 300.0);
    EXPECT_EQ(r.K, K);
    EXPECT_EQ(r.records[0].HeatDemand, static_cast<float>(100.0 * K));
}

TEST(Distribution, ResultsThatCannotStandAreRefused) {
    ProgramState state;
    // Openings larger than the building's losses allow: T − W = 2000 − 3000,
    // K = −1000 / 200 = −5, q2 = 100 × −5 = −500 < 0 while q1 = 2500.
    const DistributionResult negative = CalculateDistribution(
        {Property("Κατάστημα", 1000, 3000, 100), Property("Αποθήκη", 1000, 0, 100)},
        NumberLocale::Of(state));
    EXPECT_EQ(negative.stop, DistributionStop::NegativeShare);
    EXPECT_EQ(negative.stopRow, 2);
    EXPECT_EQ(negative.stopName, "Αποθήκη");
    EXPECT_TRUE(negative.lines.empty());
    EXPECT_NE(DistributionStopPrompt(negative).find("«Αποθήκη», ΣΕΙΡΑ : 2"), std::string::npos);

    // W = 21000, T = 1000, K = −100: q1 = 11000, q2 = −10000, Q = 1000 and
    // e1 = 11: "11.0000" would not fit six characters (row 1 is met first).
    const DistributionResult wide = CalculateDistribution(
        {Property("Α", 1000, 21000, 100), Property("Β", 0, 0, 100)}, NumberLocale::Of(state));
    EXPECT_EQ(wide.stop, DistributionStop::WideNumber);
    EXPECT_EQ(wide.stopRow, 1);

    const DistributionResult none = CalculateDistribution({}, NumberLocale::Of(state));
    EXPECT_EQ(none.stop, DistributionStop::NoRecords);

    // Zero losses everywhere: Q = 0, never a division.
    const DistributionResult zero = CalculateDistribution(
        {Property("Α", 0, 0, 100), Property("Β", 0, 0, 100)}, NumberLocale::Of(state));
    EXPECT_EQ(zero.stop, DistributionStop::ZeroDemand);
}

TEST(Distribution, NegativeShareWritesNothingAndNamesTheProperty) {
    TestFolder folder;
    test::WriteAll(folder.File("PYROSTAT.TMP"), "old");
    test::WriteAll(folder.File("~mirttype.txt"), "old");
    std::vector<GridRowTexts> rows = {
        {"Κατάστημα", "1000", "3000", "0", "50", "3", "5", "0", "0", "ΙΣΟΓΕΙΟ", "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
        {"Αποθήκη", "1000", "0", "0", "50", "3", "5", "0", "0", "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
    };
    // Openings above the total losses are asked about first; going on, the
    // negative share stops the run.
    const CalcRun run = Calculate(folder, '.', rows, true, true);
    EXPECT_EQ(run.outcome, CalculationOutcome::Stopped);
    ASSERT_EQ(run.messages.shown.size(), 2u);
    EXPECT_EQ(run.messages.shown.front().title, kImplausibleTitle);
    EXPECT_EQ(run.messages.beeps, 2);
    EXPECT_EQ(run.messages.Last().title, "!! ΠΡΟΣΟΧΗ !!");
    EXPECT_NE(run.messages.Last().prompt.find("Αποθήκη"), std::string::npos);
    EXPECT_EQ(run.messages.Last().prompt.back(), '\r');
    EXPECT_EQ(run.result, "old");
    EXPECT_EQ(run.formula, "old");
}

TEST(Distribution, RunningTwiceReplacesTheFiles) {
    TestFolder folder;
    ProgramState state = StateIn(folder, '.');
    MemoryGrid grid;
    std::vector<GridRowTexts> rows;
    for (int i = 0; i < 12; ++i) {
        rows.push_back({"Δ" + std::to_string(i + 1), "3000", "500", "300", "60", "3", "4", "2", "6",
                        "ΕΝΔΙΑΜΕΣΟ", "ΕΚΤΟΣ ΙΔΙΟΚΤ."});
    }
    FillGrid(grid, rows);
    RecordingMessages messages;
    ASSERT_EQ(RunCalculation(grid, state, messages, Title("Τ"), true), CalculationOutcome::Written);
    ASSERT_EQ(RunCalculation(grid, state, messages, Title("Τ"), true), CalculationOutcome::Written);
    EXPECT_EQ(ReadAll(folder.File("PYROSTAT.TMP")).size(), 1788u);
    EXPECT_EQ(ReadQuotedLines(folder.File("~mirttype.txt")).size(), 14u);
}

} // namespace
} // namespace pyrostat
