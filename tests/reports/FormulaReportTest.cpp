#include "reports/FormulaReport.h"
#include "ReportFixture.h"

namespace pyrostat::test {
namespace {

class FormulaReportTest : public ReportFixture {
protected:
    void Run(int n, const ReportJob& job = ReportJob::Preview()) {
        WriteResults(Properties(n));
        WriteFormulas(n);
        ReportServices services = Services();
        FormulaReport(services, job);
    }
};

// The page edges: 35 lines fill one page, the 36th opens a second, the 71st a third.
TEST_F(FormulaReportTest, PagesBreaksAndLastLineAtTheEdges) {
    struct Case {
        int n;
        std::vector<int> breaks;
        int lastRow; // row of the last property line
    };
    const Case cases[] = {
        {35, {}, 55},
        {36, {58}, 78},       // 57 + 21
        {71, {58, 115}, 135}, // 2 x 57 + 21
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        Run(c.n);
        EXPECT_EQ(std::vector<int>(Sheet().PageBreaks().begin(), Sheet().PageBreaks().end()),
                  c.breaks);
        EXPECT_EQ(Sheet().Pages().size(), c.breaks.size() + 1);
        EXPECT_EQ(Text(c.lastRow, 1), std::to_string(c.n));
        EXPECT_EQ(Text(c.lastRow, 2), "Δ" + std::to_string(c.n) + kFormulaLeader);
        EXPECT_EQ(Text(c.lastRow, 3), FormulaLineOf(c.n));
        EXPECT_EQ(Text(c.lastRow + 1, 1), "");
    }
}

TEST_F(FormulaReportTest, EveryLineSitsOnItsPageRow) {
    Run(71);
    for (int j = 1; j <= 71; ++j) {
        const int page = (j - 1) / 35 + 1;
        const int k = (j - 1) % 35 + 1;
        const int row = 57 * (page - 1) + 20 + k;
        ASSERT_EQ(Text(row, 1), std::to_string(j)) << "row " << row;
        ASSERT_EQ(Text(row, 3), FormulaLineOf(j));
    }
}

TEST_F(FormulaReportTest, HeadRepeatsOnEveryPageAndHeadingLinesNeverAppear) {
    Run(71);
    for (int page = 0; page < 3; ++page) {
        const int top = 57 * page;
        EXPECT_EQ(Text(top + 1, 1), "Μελετητής : Γ. Μηχανικός");
        EXPECT_EQ(Text(top + 4, 3), "Ιδιοκτήτες Πολυκατοικίας");
        EXPECT_EQ(Text(top + 5, 3), "Κατανομή θέρμανσης");
        EXPECT_EQ(Text(top + 6, 3), "Πάτρα");
    }
    for (const auto& [key, cell] : Sheet().Cells()) {
        EXPECT_NE(cell.value.text, "ΓΕΝΙΚΟΣ ΤΥΠΟΣ :");
        EXPECT_EQ(cell.value.text.find("Πi(%)"), std::string::npos);
    }
}

TEST_F(FormulaReportTest, CopiedBodyKeepsFormatsButNotValues) {
    WriteResults(Properties(36));
    WriteFormulas(36);
    sheets.makeTemplate = [](SheetModel& m) {
        CellFormat head;
        head.bold = true;
        m.SetFormat(2, 1, head);
        m.SetText(2, 1, "ΤΥΠΟΙ ΚΑΤΑΝΟΜΗΣ");
        m.SetRowHeight(20, 30);
        CellFormat body;
        body.bottom = BorderLine::Thin;
        for (int r = 21; r <= 56; ++r) {
            m.SetFormat(r, 3, body);
        }
        m.SetText(56, 3, "ΣΗΜΕΙΩΣΗ"); // a value of the body that must not repeat
        m.SetText(57, 1, "ΥΠΟΓΡΑΦΗ");
    };
    ReportServices services = Services();
    FormulaReport(services, ReportJob::Preview());
    // The head of page 2 is the first page's, with its format and height.
    EXPECT_EQ(Text(57 + 2, 1), "ΤΥΠΟΙ ΚΑΤΑΝΟΜΗΣ");
    EXPECT_TRUE(Sheet().Format(57 + 2, 1).bold);
    EXPECT_EQ(Sheet().RowHeight(57 + 20), 30);
    EXPECT_EQ(Text(57 + 1, 1), "Μελετητής : Γ. Μηχανικός");
    // Its body: the formats without the values (line 36 only, at row 78).
    for (int r = 57 + 21; r <= 57 + 56; ++r) {
        EXPECT_EQ(Sheet().Format(r, 3).bottom, BorderLine::Thin) << r;
    }
    EXPECT_EQ(Text(57 + 21, 3), FormulaLineOf(36));
    EXPECT_EQ(Text(57 + 22, 3), "");
    EXPECT_EQ(Text(56 + 57, 3), "");
    // Its foot, and the first page untouched.
    EXPECT_EQ(Text(57 * 2, 1), "ΥΠΟΓΡΑΦΗ");
    EXPECT_EQ(Text(56, 3), "ΣΗΜΕΙΩΣΗ");
    EXPECT_EQ(Text(55, 3), FormulaLineOf(35));
}

} // namespace
} // namespace pyrostat::test
