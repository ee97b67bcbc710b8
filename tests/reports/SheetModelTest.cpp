#include "reports/SheetModel.h"
#include "reports/SheetAddress.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(SheetAddressTest, CellNamesBothWays) {
    struct Case {
        const char* name;
        int row;
        int col;
    };
    const Case cases[] = {{"A1", 1, 1},     {"C4", 4, 3},   {"W81", 81, 23}, {"Z9", 9, 26},
                          {"AA10", 10, 27}, {"AZ2", 2, 52}, {"BA3", 3, 53}};
    for (const Case& c : cases) {
        int row = 0, col = 0;
        EXPECT_TRUE(ParseCellName(c.name, row, col)) << c.name;
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(col, c.col);
        EXPECT_EQ(CellName(c.row, c.col), c.name);
    }
    for (const char* bad : {"", "A", "1", "A0", "1A", "A1B", "A-1", "A99999999"}) {
        int row = 0, col = 0;
        EXPECT_FALSE(ParseCellName(bad, row, col)) << bad;
    }
}

TEST(SheetAddressTest, RangeNames) {
    CellRange r;
    EXPECT_TRUE(ParseRangeName("C3:A1", r));
    EXPECT_EQ(r, (CellRange{1, 1, 3, 3}));
}

TEST(SheetModelTest, PasteCarriesValuesFormatsMergesAndHeights) {
    SheetModel m;
    CellFormat bold;
    bold.bold = true;
    m.SetText(1, 1, "ΤΙΤΛΟΣ");
    m.SetFormat(1, 1, bold);
    m.AddMerge({1, 1, 1, 5});
    m.SetRowHeight(2, 30);
    m.SetNumber(3, 2, 12.5);
    const SheetRowBlock block = m.CopyRows(1, 3);
    m.PasteRows(block, 11);
    EXPECT_EQ(m.Value(11, 1).text, "ΤΙΤΛΟΣ");
    EXPECT_TRUE(m.Format(11, 1).bold);
    EXPECT_EQ(m.Value(13, 2).number, 12.5);
    EXPECT_EQ(m.RowHeight(12), 30);
    EXPECT_EQ(m.RowHeight(13), m.DefaultRowHeight());
    ASSERT_NE(m.MergeStartingAt(11, 1), nullptr);
    EXPECT_EQ(m.MergeStartingAt(11, 1)->col2, 5);
    EXPECT_TRUE(m.IsCoveredByMerge(11, 3));
    EXPECT_FALSE(m.IsCoveredByMerge(11, 1));
    m.ClearRowValues(11, 13);
    EXPECT_EQ(m.Value(11, 1).kind, SheetValue::Kind::Empty);
    EXPECT_TRUE(m.Format(11, 1).bold);
    EXPECT_EQ(m.Value(1, 1).text, "ΤΙΤΛΟΣ");
}

TEST(SheetModelTest, PagesFollowTheManualBreaks) {
    SheetModel m;
    EXPECT_EQ(m.Pages().size(), 1u);
    m.SetText(100, 1, "x");
    m.AddPageBreak(1); // above the first row: no break
    m.AddPageBreak(42);
    m.AddPageBreak(83);
    m.AddPageBreak(200); // below the used rows: no page
    const auto pages = m.Pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], std::make_pair(1, 41));
    EXPECT_EQ(pages[1], std::make_pair(42, 82));
    EXPECT_EQ(pages[2], std::make_pair(83, 100));
}

TEST(SheetModelTest, InteriorShowsOnlyWithASolidPattern) {
    struct Case {
        int index;
        int pattern;
        int64_t rgb;
        int64_t expected;
    };
    const Case cases[] = {
        {36, kPatternSolid, -1, 0xFFFF99}, {36, 0, -1, -1},
        {36, kPatternNone, -1, -1},        {0, kPatternSolid, 0xDDEEFF, 0xDDEEFF},
        {0, kPatternSolid, -1, -1},        {15, kPatternSolid, -1, 0xC0C0C0},
    };
    for (const Case& c : cases) {
        CellFormat f;
        f.interiorColorIndex = c.index;
        f.interiorPattern = c.pattern;
        f.fillRgb = c.rgb;
        EXPECT_EQ(EffectiveFill(f), c.expected) << c.index << " " << c.pattern;
    }
}

// What the reports do to a sheet: rows copied with their values and formats,
// the values cleared with the formats kept, formats changed over a range.
TEST(SheetModelTest, CopiedRowsClearedValuesAndChangedFormats) {
    SheetModel m;
    CellFormat boxed;
    boxed.bottom = BorderLine::Thin;
    m.SetFormat(2, 2, boxed);
    m.SetText(2, 2, "κείμενο");
    m.SetNumber(3, 2, 7);
    m.PasteRows(m.CopyRows(2, 3), 10);
    EXPECT_EQ(m.Value(10, 2).text, "κείμενο");
    EXPECT_EQ(m.Value(11, 2).number, 7);
    EXPECT_EQ(m.Format(10, 2).bottom, BorderLine::Thin);
    m.ClearRowValues(10, 11);
    EXPECT_EQ(m.Value(10, 2).kind, SheetValue::Kind::Empty);
    EXPECT_EQ(m.Value(11, 2).kind, SheetValue::Kind::Empty);
    EXPECT_EQ(m.Format(10, 2).bottom, BorderLine::Thin);
    EXPECT_EQ(m.Value(3, 2).number, 7);

    m.ChangeFormats({5, 1, 5, 3}, [](CellFormat& f) { f.bold = true; });
    EXPECT_TRUE(m.Format(5, 1).bold);
    EXPECT_TRUE(m.Format(5, 3).bold);
    EXPECT_FALSE(m.Format(5, 4).bold);
    EXPECT_FALSE(m.Format(4, 1).bold);
    // A change keeps what it does not touch.
    m.ChangeFormats({2, 2, 2, 2}, [](CellFormat& f) { f.bold = true; });
    EXPECT_EQ(m.Format(2, 2).bottom, BorderLine::Thin);
    EXPECT_EQ(m.Value(2, 2).text, "κείμενο");
}

} // namespace
} // namespace pyrostat
