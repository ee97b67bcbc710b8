// The period's sheet and the notices as sheets: their headings by method,
// the widths the marks need, and the charts with the cells they read.

#include "billing/BillSheets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pyrostat {
namespace {

BillingCoefficients Flats() {
    return ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
}

PeriodBill Bill(MeterMethod method) {
    BillRequest request;
    request.costCents = 30000;
    request.method = method;
    request.from = BillDate{2026, 10, 1};
    request.to = BillDate{2027, 4, 30};
    return MakePeriodBill(Flats(), ParseReadings("Α1\t10\nΒ1\t20\nΓ1\t30\n"), request);
}

bool Holds(const SheetModel& sheet, const std::string& text) {
    for (const auto& [at, cell] : sheet.Cells()) {
        if (cell.value.text == text) {
            return true;
        }
    }
    return false;
}

TEST(BillSheets, TheHeadingsFollowTheMetersAndTheMarksHaveRoom) {
    const SheetModel hours = PeriodSheet(Bill(MeterMethod::Hours), Flats());
    const SheetModel energy = PeriodSheet(Bill(MeterMethod::Energy), Flats());
    EXPECT_TRUE(Holds(hours, "Ώρες Ω"));
    EXPECT_FALSE(Holds(hours, "Μονάδες Ω"));
    EXPECT_TRUE(Holds(energy, "Μονάδες Ω"));
    // The marks' column, the last printed, is the widest but the name's.
    EXPECT_EQ(hours.Setup().printColumns, 12);
    EXPECT_DOUBLE_EQ(hours.ColumnWidth(12), 20);
    EXPECT_DOUBLE_EQ(hours.ColumnWidth(2), 26);
    // Without a history, no picture of the building.
    EXPECT_TRUE(hours.Charts().empty());
}

TEST(BillSheets, ThePictureOfTheBuildingReadsItsOwnCells) {
    const PeriodBill bill = Bill(MeterMethod::Hours);
    std::vector<PropertyComparison> compared(3);
    compared[0].share = 10.0 / 60.0;
    compared[0].averageShare = 0.123456;
    compared[1].share = 20.0 / 60.0;
    compared[2].share = 30.0 / 60.0;
    const SheetModel sheet = PeriodSheet(bill, Flats(), &compared);
    ASSERT_EQ(sheet.Charts().size(), 1u);
    const SheetChart& chart = sheet.Charts().front();
    ASSERT_EQ(chart.series.size(), 2u); // one property has an average
    EXPECT_EQ(chart.categories, (std::vector<std::string>{"Α1", "Β1", "Γ1"}));
    // Each series' cells hold the values it draws, as they print.
    for (const ChartSeries& s : chart.series) {
        ASSERT_EQ(s.values.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(sheet.Value(s.cells.row1 + i, s.cells.col1).number, s.values[i]);
        }
    }
    EXPECT_DOUBLE_EQ(chart.series[0].values[0], 16.67);
    EXPECT_DOUBLE_EQ(chart.series[1].values[0], 12.35);
    EXPECT_DOUBLE_EQ(chart.series[1].values[1], 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sheet.Value(chart.categoryCells.row1 + i, chart.categoryCells.col1).text,
                  chart.categories[static_cast<size_t>(i)]);
    }
    // Its figures stand right of the printed columns; the chart on its own page.
    EXPECT_GT(chart.categoryCells.col1, sheet.Setup().printColumns);
    EXPECT_EQ(chart.anchor.col2, sheet.Setup().printColumns);
    EXPECT_EQ(sheet.PageBreaks().count(chart.anchor.row1), 1u);
    EXPECT_GE(sheet.LastRow(), chart.anchor.row2);
}

TEST(BillSheets, EachNoticeChartsItsLastPeriodsBesideTheirFigures) {
    const PeriodBill bill = Bill(MeterMethod::Hours);
    std::vector<PropertyComparison> compared(3);
    for (PropertyComparison& c : compared) {
        c.recent = {{{2025, 10, 1}, {2026, 4, 30}, 12, 0, 1000, false},
                    {{2026, 10, 1}, {2027, 4, 30}, 10, 0, 900, false}};
    }
    const SheetModel sheet = NoticesSheet(bill, Flats(), &compared);
    ASSERT_EQ(sheet.Charts().size(), 3u);
    for (const SheetChart& chart : sheet.Charts()) {
        EXPECT_EQ(chart.categories, (std::vector<std::string>{"10/25–04/26", "10/26–04/27"}));
        ASSERT_EQ(chart.series.size(), 1u);
        EXPECT_EQ(chart.series[0].values, (std::vector<double>{12, 10}));
        EXPECT_EQ(sheet.Value(chart.series[0].cells.row2, chart.series[0].cells.col1).number, 10);
        EXPECT_EQ(chart.anchor.col1, 3);
        EXPECT_EQ(chart.anchor.col2, 4);
    }
    // Two notices a page: a break before the third.
    EXPECT_EQ(sheet.PageBreaks().size(), 1u);
    // A notice alone is the same notice.
    const SheetModel one = NoticesSheet(bill, Flats(), &compared, nullptr, 1);
    EXPECT_EQ(one.Charts().size(), 1u);
    EXPECT_TRUE(Holds(one, "Ιδιοκτησία 2: Β1"));
    EXPECT_FALSE(Holds(one, "Ιδιοκτησία 1: Α1"));
}

} // namespace
} // namespace pyrostat
