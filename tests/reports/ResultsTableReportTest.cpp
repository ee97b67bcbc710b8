#include "reports/ResultsTableReport.h"
#include "ReportFixture.h"

#include <cmath>

namespace pyrostat::test {
namespace {

class ResultsTableReportTest : public ReportFixture {
protected:
    void Run(const std::vector<ResultRecord>& records) {
        WriteResults(records);
        ReportServices services = Services();
        ResultsTableReport(services, ReportJob::Preview());
    }
};

TEST_F(ResultsTableReportTest, TotalsRowAndFootAtThePageEdges) {
    struct Case {
        int n;
        int totalsRow;
        int footRow;
        size_t pages;
    };
    const Case cases[] = {
        {10, 19, 40, 1},
        {31, 50, 81, 2}, // a full first page: totals on a page of their own
        {32, 51, 81, 2},
        {62, 91, 122, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        Run(Properties(c.n));
        EXPECT_EQ(Sheet().Pages().size(), c.pages);
        EXPECT_EQ(Text(c.totalsRow, 2), kTotalsCaption);
        EXPECT_EQ(Number(c.totalsRow, 23), 1.0);
        EXPECT_TRUE(Sheet().Format(c.totalsRow, 1).bold);
        EXPECT_TRUE(Sheet().Format(c.totalsRow, 23).bold);
        EXPECT_FALSE(Sheet().Format(c.totalsRow, 24).bold);
        EXPECT_EQ(EffectiveFill(Sheet().Format(c.totalsRow, 12)), 0xFFFF99);
        EXPECT_EQ(Sheet().Value(c.footRow, 2).kind, SheetValue::Kind::Number);
        EXPECT_EQ(Sheet().Value(c.footRow, 11).kind, SheetValue::Kind::Number);
        EXPECT_FALSE(Sheet().Format(c.totalsRow - 1, 1).bold);
    }
}

// The boxes of W and K and their captions stand at the foot of the last page
// only: the pages before it, copies of the first, lose them.
TEST_F(ResultsTableReportTest, TheBoxesOfWAndKStandOnTheLastPageOnly) {
    // A first page with the foot of the template: captions and boxed cells.
    sheets.makeTemplate = [](SheetModel& model) {
        CellFormat box;
        box.left = box.top = box.right = box.bottom = BorderLine::Medium;
        box.numberFormat = "#,##0.00";
        model.SetFormat(40, 2, box);
        model.SetFormat(40, 11, box);
        model.SetText(40, 3, "kcal/h : W");
        model.SetText(40, 12, "K = W / ΣV");
    };
    Run(Properties(70)); // three pages
    ASSERT_EQ(Sheet().Pages().size(), 3u);
    for (const int foot : {40, 81}) {
        SCOPED_TRACE(foot);
        EXPECT_EQ(Sheet().Value(foot, 3).kind, SheetValue::Kind::Empty);
        EXPECT_EQ(Sheet().Value(foot, 12).kind, SheetValue::Kind::Empty);
        EXPECT_EQ(Sheet().Value(foot, 2).kind, SheetValue::Kind::Empty);
        EXPECT_EQ(Sheet().Format(foot, 2).left, BorderLine::None);
        EXPECT_EQ(Sheet().Format(foot, 11).bottom, BorderLine::None);
        // The number format of the box stays with the cell.
        EXPECT_EQ(Sheet().Format(foot, 2).numberFormat, "#,##0.00");
    }
    EXPECT_EQ(Text(122, 3), "kcal/h : W");
    EXPECT_EQ(Text(122, 12), "K = W / ΣV");
    EXPECT_EQ(Sheet().Value(122, 2).kind, SheetValue::Kind::Number);
    EXPECT_EQ(Sheet().Format(122, 2).left, BorderLine::Medium);
}

TEST_F(ResultsTableReportTest, ThirtyOnePropertiesFillRowsNineToThirtyNine) {
    Run(Properties(31));
    EXPECT_EQ(Text(9, 1), "1");
    EXPECT_EQ(Text(39, 1), "31");
    EXPECT_EQ(Text(39, 2), "Δ31");
    EXPECT_EQ(Sheet().Value(40, 2).kind, SheetValue::Kind::Empty); // W only on the last page
    EXPECT_EQ(Sheet().Value(40, 11).kind, SheetValue::Kind::Empty);
    EXPECT_EQ(std::vector<int>(Sheet().PageBreaks().begin(), Sheet().PageBreaks().end()),
              std::vector<int>{42});
    // The head of page 2 repeats the engineer and the general data.
    EXPECT_EQ(Text(42, 1), "Μελετητής : Γ. Μηχανικός");
    EXPECT_EQ(Text(44, 3), "Ιδιοκτήτες Πολυκατοικίας");
    EXPECT_EQ(Text(46, 3), "Πάτρα");
}

TEST_F(ResultsTableReportTest, PropertyLineColumns) {
    std::vector<ResultRecord> records = Properties(4);
    ResultRecord& r = records[1];
    r.TotalLosses = 5234.5f;
    r.DemandShare = 0.123456f;
    r.ExposureRatio = 0.4444f;
    r.KindFactor = 0.70f;
    r.PipeFactor = 0.02f;
    r.AreaFactor = 0.03f;
    r.ExposureFactor = 0.05f;
    Run(records);
    const int row = 10;
    EXPECT_EQ(Text(row, 1), "2");
    EXPECT_EQ(Text(row, 2), "Δ2");
    EXPECT_EQ(Number(row, 3), 5234.5);
    EXPECT_EQ(Number(row, 4), 200.0);
    EXPECT_EQ(Number(row, 5), 100.0);
    EXPECT_EQ(Number(row, 6), 80.0);
    EXPECT_EQ(Number(row, 7), 240.0);
    EXPECT_EQ(Number(row, 8), 1000.0);
    EXPECT_EQ(Number(row, 9), static_cast<double>(0.1235f));
    EXPECT_EQ(Number(row, 12), static_cast<double>(0.444f));
    EXPECT_EQ(Number(row, 13), static_cast<double>(0.70f));
    const float fixed = 0.70f - (0.02f + 0.03f + 0.05f);
    EXPECT_EQ(Number(row, 17), static_cast<double>(fixed));
    EXPECT_NEAR(Number(row, 17), 0.60, 1e-6);
    EXPECT_EQ(Sheet().Value(row, 18).kind, SheetValue::Kind::Empty);
    EXPECT_EQ(Number(row, 21), static_cast<double>(fixed * 0.123456f));
    EXPECT_EQ(Text(row, 22), kSeeFormula);
    for (int line = 9; line <= 12; ++line) {
        EXPECT_EQ(Number(line, 23), 0.25);
    }
}

TEST_F(ResultsTableReportTest, RoundingOfShareAndRatioHalvesGoUp) {
    struct Case {
        float value;
        int decimals;
        float expected;
    };
    const Case cases[] = {
        {0.123456f, 4, 0.1235f},
        {0.12344f, 4, 0.1234f},
        {0.4444f, 3, 0.444f},
        {0.4445f, 3, 0.445f},
        {0.00005f, 4, 0.0001f},
        {1.0f, 4, 1.0f},
        {1234.565f, 2, 1234.56f} /* the single lies just below the half */,
        {0.0f, 3, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfUpSingle(c.value, c.decimals), c.expected) << c.value;
    }
}

TEST_F(ResultsTableReportTest, TotalsAndFootValues) {
    // Three properties with sums that single precision holds exactly.
    std::vector<ResultRecord> records = Properties(3);
    const float total[] = {3000, 2500, 1500};
    const float opening[] = {400, 300, 200};
    const float vent[] = {100, 50, 50};
    const float volume[] = {250, 200, 150};
    const float share[] = {0.5f, 0.25f, 0.25f};
    for (int i = 0; i < 3; ++i) {
        records[i].TotalLosses = total[i];
        records[i].OpeningLosses = opening[i];
        records[i].VentilationLosses = vent[i];
        records[i].Volume = volume[i];
        records[i].HeatDemand = total[i];
        records[i].DemandShare = share[i];
    }
    Run(records);
    const int t = 12;
    EXPECT_EQ(Number(t, 3), 7000.0);
    EXPECT_EQ(Number(t, 4), 900.0);
    EXPECT_EQ(Number(t, 5), 200.0);
    EXPECT_EQ(Sheet().Value(t, 6).kind, SheetValue::Kind::Empty);
    EXPECT_EQ(Number(t, 7), 600.0);
    EXPECT_EQ(Number(t, 8), 7000.0);
    EXPECT_EQ(Number(t, 9), 1.0);
    // f = 0.65 - (0.01 + 0.04 + 0.05) for each, weighted by the shares.
    const float f = 0.65f - (0.01f + 0.04f + 0.05f);
    const float fe = f * 0.5f + f * 0.25f + f * 0.25f;
    EXPECT_EQ(Number(t, 21), static_cast<double>(fe));
    // W = 7000 - 1100 = 5900; K = 5900 / 600 = 9.8333 -> 9.83.
    EXPECT_EQ(Number(40, 2), 5900.0);
    EXPECT_EQ(Number(40, 11), 9.83);
    for (int col = 1; col <= 23; ++col) {
        EXPECT_TRUE(Sheet().Format(t, col).bold) << col;
        EXPECT_EQ(Sheet().Format(t, col).interiorColorIndex, 36) << col;
        EXPECT_EQ(Sheet().Format(t, col).interiorPattern, kPatternSolid) << col;
    }
    EXPECT_FALSE(Sheet().Format(t, 24).bold);
    EXPECT_FALSE(Sheet().Format(t - 1, 1).bold);
}

// W of a building whose ΣT − ΣOV is 175,312.25: the product by 100 needs
// more than the 24 bits of a single, and a single-precision rounding prints
// 175,312.23. The foot carries the sum rounded to cents.
TEST_F(ResultsTableReportTest, TheFootIsTheSumRoundedToCents) {
    std::vector<ResultRecord> records = Properties(2);
    records[0].TotalLosses = 100000.25f;
    records[1].TotalLosses = 80312.0f;
    records[0].OpeningLosses = 3000.0f;
    records[1].OpeningLosses = 2000.0f;
    records[0].VentilationLosses = 0.0f;
    records[1].VentilationLosses = 0.0f;
    records[0].Volume = 300.0f;
    records[1].Volume = 300.0f;
    // Both sums are singles exactly: 180,312.25 and 5,000.
    ASSERT_EQ(static_cast<double>(records[0].TotalLosses + records[1].TotalLosses), 180312.25);
    Run(records);
    EXPECT_EQ(Number(40, 2), 175312.25);
    // K = 175,312.25 / 600 = 292.187... -> 292.19.
    EXPECT_EQ(Number(40, 11), 292.19);
    // What single precision gave, for the record: not the sum in cents.
    const float single = std::floor(175312.25f * 100.0f + 0.5f) / 100.0f;
    EXPECT_NE(static_cast<double>(single), 175312.25);
}

// Further pages are the first page as the template and the head made it,
// before any property line was written.
// 500 properties of a few thousand kcal/h: a running sum in single
// precision loses cents (ΣQ printed 2,712,960 against rows adding up to
// 2,712,958.49). Each total is the sum of the numbers its column holds.
TEST_F(ResultsTableReportTest, EachTotalIsTheSumOfItsColumn) {
    const int n = 500;
    std::vector<ResultRecord> records = Properties(n);
    for (int i = 0; i < n; ++i) {
        ResultRecord& r = records[static_cast<size_t>(i)];
        r.TotalLosses = 4000.37f + 13.11f * static_cast<float>(i % 37);
        r.OpeningLosses = 700.23f + static_cast<float>(i % 11);
        r.VentilationLosses = 350.71f + static_cast<float>(i % 7);
        r.Volume = 259.97f + 0.37f * static_cast<float>(i % 13);
        r.HeatDemand = 5425.91f + 7.7f * static_cast<float>(i % 17);
        r.DemandShare = 1.0f / static_cast<float>(n) + 1e-6f * static_cast<float>(i % 3 - 1);
    }
    Run(records);
    // The rows, page after page, then the totals row.
    std::vector<int> rows;
    for (int i = 0; i < n; ++i) {
        rows.push_back(41 * (i / 31) + 9 + i % 31);
    }
    const int t = rows.back() + 1;
    ASSERT_EQ(Text(t, 2), kTotalsCaption);
    for (const int col : {3, 4, 5, 7, 8, 21}) {
        SCOPED_TRACE(col);
        double column = 0;
        float running = 0;
        for (const int row : rows) {
            column += Number(row, col);
            running += static_cast<float>(Number(row, col));
        }
        EXPECT_EQ(Number(t, col), column);
        // The single-precision sum would not be.
        if (col != 21) {
            EXPECT_NE(static_cast<double>(running), column);
        }
    }
    // W and K from the double sums, to the cent.
    double w = 0;
    double v = 0;
    for (const int row : rows) {
        w += Number(row, 3) - (Number(row, 4) + Number(row, 5));
        v += Number(row, 7);
    }
    EXPECT_NEAR(Number(41 * 17 - 1, 2), w, 0.005);
    EXPECT_NEAR(Number(41 * 17 - 1, 11), Number(41 * 17 - 1, 2) / v, 0.005);
}

// In a spreadsheet the totals follow their rows: each is the sum of its
// column's property lines, page by page, with the value it prints.
TEST_F(ResultsTableReportTest, TotalsAreFormulasOverTheirLines) {
    Run(Properties(70)); // 31 + 31 + 8 lines
    const int t = 41 * 2 + 8 + 8 + 1;
    ASSERT_EQ(Text(t, 2), kTotalsCaption);
    const char* letters[] = {"C", "D", "E", "G", "H", "I", "U"};
    const int cols[] = {3, 4, 5, 7, 8, 9, 21};
    for (size_t i = 0; i < std::size(cols); ++i) {
        const std::string c = letters[i];
        EXPECT_EQ(Sheet().Value(t, cols[i]).text,
                  "=SUM(" + c + "9:" + c + "39," + c + "50:" + c + "80," + c + "91:" + c + "98)");
        EXPECT_EQ(Sheet().Value(t, cols[i]).kind, SheetValue::Kind::Number);
    }
    EXPECT_EQ(Number(t, 4), 70 * 200.0);
    // The lines themselves are plain numbers.
    EXPECT_EQ(Sheet().Value(9, 3).text, "");
}

TEST_F(ResultsTableReportTest, FurtherPagesAreTheFirstPageWithABreak) {
    sheets.makeTemplate = [](SheetModel& model) {
        model.SetText(7, 3, "Απώλειες");
        CellFormat line;
        line.right = BorderLine::Thin;
        model.SetFormat(9, 3, line);
        model.SetRowHeight(8, 40);
    };
    Run(Properties(70)); // 70 / 31 = 2 further pages
    EXPECT_EQ(std::vector<int>(Sheet().PageBreaks().begin(), Sheet().PageBreaks().end()),
              (std::vector<int>{42, 83}));
    for (const int top : {42, 83}) {
        SCOPED_TRACE(top);
        EXPECT_EQ(Text(top, 1), "Μελετητής : Γ. Μηχανικός");
        EXPECT_EQ(Text(top + 2, 3), "Ιδιοκτήτες Πολυκατοικίας");
        EXPECT_EQ(Text(top + 6, 3), "Απώλειες");
        EXPECT_EQ(Sheet().RowHeight(top + 7), 40);
        EXPECT_EQ(Sheet().Format(top + 8, 3).right, BorderLine::Thin);
    }
    EXPECT_EQ(Text(41 + 9, 1), "32");
    EXPECT_EQ(Text(82 + 8 + 8, 1), "70");
}

TEST_F(ResultsTableReportTest, EmptyResultFileMakesNoReport) {
    WriteAll(folder.File("PYROSTAT.TMP"), "");
    ReportServices services = Services();
    ResultsTableReport(services, ReportJob::Preview());
    EXPECT_TRUE(sheets.made.empty());
    EXPECT_TRUE(messages.Empty());
}

TEST_F(ResultsTableReportTest, ZeroVolumeGivesZeroPerCubicMetre) {
    std::vector<ResultRecord> records = Properties(2);
    for (ResultRecord& r : records) {
        r.Volume = 0;
    }
    Run(records);
    EXPECT_EQ(Number(40, 11), 0.0);
    EXPECT_TRUE(std::isfinite(Number(40, 2)));
}

} // namespace
} // namespace pyrostat::test
