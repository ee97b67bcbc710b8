#include "reports/InputDataReport.h"
#include "ReportFixture.h"

namespace pyrostat::test {
namespace {

class InputDataReportTest : public ReportFixture {
protected:
    static std::vector<PropertyRecord> Rows(int n, float insulation = -1.0f) {
        std::vector<PropertyRecord> rows;
        for (int i = 1; i <= n; ++i) {
            PropertyRecord r;
            r.RowNo = static_cast<int16_t>(i);
            r.Title = "Πολυκατοικία";
            r.PropertyName = "Α" + std::to_string(i);
            r.TotalLosses = 4000.0f + static_cast<float>(i);
            r.OpeningLosses = 900.5f;
            r.VentilationLosses = 450.25f;
            r.Area = 95.0f;
            r.MeanHeight = 2.9f;
            r.Volume = 95.0f * 2.9f;
            r.LengthToExterior = 12.5f;
            r.LengthToUnheated = 3.0f;
            r.LengthToHeated = 20.0f;
            r.Kind = "ΕΝΔΙΑΜΕΣΟ";
            r.PipePassage = "ΕΚΤΟΣ ΙΔΙΟΚΤ.";
            r.Insulation = insulation;
            rows.push_back(r);
        }
        return rows;
    }
    void Run(const std::vector<PropertyRecord>& rows) {
        std::string bytes;
        for (const PropertyRecord& r : rows) {
            bytes += r.Pack();
        }
        WriteAll(folder.File(kInputDataFileName), bytes);
        ReportServices services = Services();
        InputDataReport(services, ReportJob::Preview());
    }
};

TEST_F(InputDataReportTest, PagesAtTheEdges) {
    struct Case {
        int n;
        std::vector<int> breaks;
        int lastRow;
    };
    const Case cases[] = {
        {1, {}, 12},        {25, {}, 36}, {26, {39}, 50}, // 38 + 11 + 1
        {50, {39}, 74},                                   // exactly two pages, no empty third
        {51, {39, 77}, 88},                               // 2 x 38 + 12
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        Run(Rows(c.n));
        EXPECT_EQ(std::vector<int>(Sheet().PageBreaks().begin(), Sheet().PageBreaks().end()),
                  c.breaks);
        EXPECT_EQ(Sheet().Pages().size(), c.breaks.size() + 1);
        EXPECT_EQ(Text(c.lastRow, 1), std::to_string(c.n));
        EXPECT_EQ(Text(c.lastRow, 2), "Α" + std::to_string(c.n));
    }
}

TEST_F(InputDataReportTest, LineColumnsHoldTheRecord) {
    Run(Rows(26));
    const int row = 50;
    EXPECT_EQ(Number(row, 3), 4026.0);
    EXPECT_EQ(Number(row, 4), 900.5);
    EXPECT_EQ(Number(row, 5), 450.25);
    EXPECT_EQ(Number(row, 6), 95.0);
    EXPECT_EQ(Number(row, 7), static_cast<double>(2.9f));
    EXPECT_EQ(Number(row, 8), 12.5);
    EXPECT_EQ(Number(row, 9), 3.0);
    EXPECT_EQ(Number(row, 10), 20.0);
    EXPECT_EQ(Text(row, 11), "ΕΝΔΙΑΜΕΣΟ");
    EXPECT_EQ(Text(row, 12), "ΕΚΤΟΣ ΙΔΙΟΚΤ.");
    // The volume is not printed.
    EXPECT_EQ(Sheet().Value(row, 13).kind, SheetValue::Kind::Empty);
}

TEST_F(InputDataReportTest, InsulationAnswerInD6OnEveryPage) {
    struct Case {
        float insulation;
        std::string expected;
    };
    const Case cases[] = {{-1.0f, "ΝΑΙ"}, {0.0f, "ΟΧΙ"}, {1.0f, ""}, {-0.5f, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.insulation);
        Run(Rows(30, c.insulation));
        EXPECT_EQ(Text(6, 4), c.expected);
        EXPECT_EQ(Text(38 + 6, 4), c.expected);
        EXPECT_EQ(Text(38 + 3, 3), "Ιδιοκτήτες Πολυκατοικίας");
    }
}

// A value the calculation warned about stands out on the page where it is:
// only that cell, red and bold.
TEST_F(InputDataReportTest, ImplausibleValuesAreMarked) {
    std::vector<PropertyRecord> rows = Rows(30);
    rows[27].MeanHeight = 3400.0f; // page 2, its third line
    rows[2].Area = 4.0f;           // page 1, its third line
    Run(rows);
    const int second = 38 + 11 + 3;
    EXPECT_EQ(Sheet().Format(second, 7).fontRgb, kImplausibleRgb);
    EXPECT_TRUE(Sheet().Format(second, 7).bold);
    EXPECT_EQ(Sheet().Format(11 + 3, 6).fontRgb, kImplausibleRgb);
    for (const int col : {3, 4, 5, 6, 8}) {
        EXPECT_NE(Sheet().Format(second, col).fontRgb, kImplausibleRgb) << col;
    }
    EXPECT_NE(Sheet().Format(11 + 4, 6).fontRgb, kImplausibleRgb);
    EXPECT_NE(Sheet().Format(11 + 3, 7).fontRgb, kImplausibleRgb);
}

// The head is written before the first page is copied: the second page
// carries it, and none of the first page's lines.
TEST_F(InputDataReportTest, TheSecondPageHasTheHeadAndOnlyItsOwnLines) {
    Run(Rows(26));
    EXPECT_EQ(std::vector<int>(Sheet().PageBreaks().begin(), Sheet().PageBreaks().end()),
              (std::vector<int>{39}));
    EXPECT_EQ(Text(39, 1), "Μελετητής : Γ. Μηχανικός");
    EXPECT_EQ(Text(38 + 4, 3), "Κατανομή θέρμανσης");
    EXPECT_EQ(Text(38 + 12, 2), "Α26");
    EXPECT_EQ(Text(38 + 13, 2), "");
}

} // namespace
} // namespace pyrostat::test
