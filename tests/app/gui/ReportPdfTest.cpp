#include "app/gui/ReportCommand.h"
#include "platform/Utf8.h"
#include "reports/gui/SheetTemplateLoader.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyRecords.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>

namespace pyrostat::test {
namespace {

constexpr int kProperties = 40;

// Property i of the sample study: total losses 4000 + 10 i, openings 900,
// ventilation 400, area 80 + i, height 3, lateral lengths 10, 4, 12.
StudyRow SampleRow(int i) {
    const char* kinds[] = {"ΙΣΟΓΕΙΟ", "ΕΝΔΙΑΜΕΣΟ", "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"};
    return StudyRow{"Διαμέρισμα " + std::to_string(i),
                    std::to_string(4000 + 10 * i),
                    "900",
                    "400",
                    std::to_string(80 + i),
                    "3",
                    "10",
                    "4",
                    "12",
                    kinds[i % 4],
                    i % 3 == 0 ? "ΕΝΤΟΣ ΙΔΙΟΚΤ." : "ΕΚΤΟΣ ΙΔΙΟΚΤ."};
}

class ReportPdfTest : public ::testing::Test {
protected:
    ReportPdfTest() {
        state.ProgramFolder = program.WithSlash();
        state.ChosenEngineer = "Γεώργιος Παπαδόπουλος, Μηχανολόγος Μηχανικός";
        for (const char* name : {"LDKOIN_01i.json", "LDKOIN_02i.json", "LDKOIN_03i.json"}) {
            std::filesystem::copy_file(std::string(PYROSTAT_SOURCE_DATA_DIR) + "/" + name,
                                       program.File(name));
        }
        std::vector<StudyRow> rows;
        for (int i = 1; i <= kProperties; ++i) {
            rows.push_back(SampleRow(i));
        }
        ProgramState encoding;
        WriteAll(work.File("Sample.pyx"),
                 EncodeStudyRecords(rows, "Πολυκατοικία οδού Κύπρου 12", true, encoding));
        WriteAll(work.File("Sample.tpx"),
                 FormatGeneralData({"Σύλλογος Ιδιοκτητών", "Κατανομή θέρμανσης", "Πάτρα"}));
    }

    int Run(const std::string& kind, const std::string& pdf, const std::string& xlsx = "") {
        std::vector<std::string> args{kind, work.File("Sample.pyx"), "--decimal", ","};
        if (!pdf.empty()) {
            args.insert(args.end(), {"--pdf", pdf});
        }
        if (!xlsx.empty()) {
            args.insert(args.end(), {"--xlsx", xlsx});
        }
        std::istringstream in;
        std::ostringstream out;
        const int rc = RunReportCommand(args, state, in, out, errors);
        // PYROSTAT_KEEP_REPORTS=<folder> keeps the files for a look at them.
        if (const char* keep = std::getenv("PYROSTAT_KEEP_REPORTS")) {
            for (const std::string& file : {pdf, xlsx}) {
                if (!file.empty() && std::filesystem::exists(file)) {
                    std::filesystem::copy_file(
                        file, std::filesystem::path(keep) / std::filesystem::path(file).filename(),
                        std::filesystem::copy_options::overwrite_existing);
                }
            }
        }
        return rc;
    }

    // The text of the PDF as pdftotext lays it out; pages end with a form feed.
    static std::string PdfText(const std::string& pdf) {
        QProcess p;
        p.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
        EXPECT_TRUE(p.waitForFinished(30000));
        return p.readAllStandardOutput().toStdString();
    }
    static int Pages(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\f'));
    }
    static std::string Unzipped(const std::string& xlsx, const std::string& member) {
        QProcess p;
        p.start("unzip", {"-p", QString::fromStdString(xlsx), QString::fromStdString(member)});
        EXPECT_TRUE(p.waitForFinished(30000));
        return p.readAllStandardOutput().toStdString();
    }

    TestFolder program;
    TestFolder work;
    ProgramState state;
    std::ostringstream errors;
};

TEST_F(ReportPdfTest, TemplatesLoad) {
    for (const char* name : {"LDKOIN_01i.json", "LDKOIN_02i.json", "LDKOIN_03i.json"}) {
        SheetTemplateLoader loader;
        SheetModel model;
        EXPECT_TRUE(loader.LoadFile(QString::fromStdString(program.File(name)), model))
            << name << ": " << loader.ErrorString().toStdString();
        EXPECT_EQ(model.Formats()[0].fontName, "DejaVu Sans");
        EXPECT_EQ(model.Setup().footer, "Σελίδα &P από &N");
    }
}

TEST_F(ReportPdfTest, FormulaReportPdf) {
    const std::string pdf = work.File("formulas.pdf");
    ASSERT_EQ(Run("formulas", pdf), 0) << errors.str();
    const std::string text = PdfText(pdf);
    EXPECT_EQ(Pages(text), 2); // 35 lines on the first page, 5 on the second
    EXPECT_NE(text.find("Σελίδα 2 από 2"), std::string::npos);
    EXPECT_NE(text.find("Μελετητής : Γεώργιος Παπαδόπουλος"), std::string::npos);
    EXPECT_NE(text.find("Σύλλογος Ιδιοκτητών"), std::string::npos);
    EXPECT_NE(text.find("Π36 (%) = ["), std::string::npos);
    EXPECT_NE(text.find("Διαμέρισμα 36"), std::string::npos);
    EXPECT_NE(text.find("x Ωρες_i"), std::string::npos);
    // The second page starts with the head again.
    const std::string second = text.substr(text.find('\f'));
    EXPECT_NE(second.find("Πάτρα"), std::string::npos);
    EXPECT_NE(second.find("Π40 (%)"), std::string::npos);
}

TEST_F(ReportPdfTest, TableReportPdfAndXlsx) {
    const std::string pdf = work.File("table.pdf");
    const std::string xlsx = work.File("table.xlsx");
    ASSERT_EQ(Run("table", pdf, xlsx), 0) << errors.str();
    const std::string text = PdfText(pdf);
    EXPECT_EQ(Pages(text), 2); // 31 + 9 lines
    EXPECT_NE(text.find("ΣΥΝΟΛΙΚΕΣ ΤΙΜΕΣ"), std::string::npos);
    // Σ total losses = 40 x 4000 + 10 x (1 + ... + 40) = 168 200 kcal/h.
    EXPECT_NE(text.find("168.200"), std::string::npos);
    // Σ volume = 3 x (40 x 80 + 820) = 12 060,00 m³.
    EXPECT_NE(text.find("12.060,00"), std::string::npos);
    // Property 12: 4 120 kcal/h, area 92,00 m², volume 276,00 m³.
    EXPECT_NE(text.find("Διαμέρισμα 12"), std::string::npos);
    EXPECT_NE(text.find("4.120"), std::string::npos);
    EXPECT_NE(text.find("276,00"), std::string::npos);
    // W = 168 200 - 40 x 1 300 = 116 200,00; K = 116 200 / 12 060 = 9,635... -> 9,64.
    EXPECT_NE(text.find("116.200,00"), std::string::npos);
    EXPECT_NE(text.find("9,64"), std::string::npos);
    // Each line's equal part 1/40.
    EXPECT_NE(text.find("0,0250"), std::string::npos);

    // Landscape A4, and the totals row filled with the light yellow of colour 36.
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf)});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_NE(info.readAllStandardOutput().indexOf("842 x 595 pts (A4)"), -1);
    // Every font goes with the file, as a subset that reads back as text.
    QProcess fonts;
    fonts.start("pdffonts", {QString::fromStdString(pdf)});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QStringList fontLines =
        QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(fontLines.size(), 2);
    for (qsizetype i = 2; i < fontLines.size(); ++i) {
        EXPECT_TRUE(
            fontLines[i].contains(QRegularExpression("CID TrueType +Identity-H +yes yes yes")))
            << fontLines[i].toStdString();
    }
    QProcess raster;
    raster.start("pdftoppm", {"-r", "40", "-f", "2", "-l", "2", QString::fromStdString(pdf)});
    ASSERT_TRUE(raster.waitForFinished(30000));
    const QByteArray ppm = raster.readAllStandardOutput();
    ASSERT_TRUE(ppm.startsWith("P6"));
    int yellow = 0;
    // The pixels follow the three header lines; count light-yellow ones.
    int newlines = 0;
    qsizetype start = 0;
    while (newlines < 3 && start < ppm.size()) {
        newlines += ppm[start++] == '\n' ? 1 : 0;
    }
    for (qsizetype i = start; i + 2 < ppm.size(); i += 3) {
        yellow += static_cast<unsigned char>(ppm[i]) == 255 &&
                          static_cast<unsigned char>(ppm[i + 1]) == 255 &&
                          static_cast<unsigned char>(ppm[i + 2]) == 153
                      ? 1
                      : 0;
    }
    EXPECT_GT(yellow, 500);

    const std::string sheet = Unzipped(xlsx, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("<brk id=\"41\""), std::string::npos); // break above row 42
    EXPECT_NE(sheet.find("orientation=\"landscape\""), std::string::npos);
    EXPECT_NE(sheet.find("paperSize=\"9\""), std::string::npos);
    const std::string strings = Unzipped(xlsx, "xl/sharedStrings.xml");
    EXPECT_NE(strings.find("ΣΥΝΟΛΙΚΕΣ ΤΙΜΕΣ"), std::string::npos);
    EXPECT_NE(sheet.find("<v>168200</v>"), std::string::npos);
}

TEST_F(ReportPdfTest, InputDataReportPdf) {
    const std::string pdf = work.File("data.pdf");
    ASSERT_EQ(Run("data", pdf), 0) << errors.str();
    const std::string text = PdfText(pdf);
    EXPECT_EQ(Pages(text), 2); // 25 + 15 lines
    EXPECT_NE(text.find("Σελίδα 1 από 2"), std::string::npos);
    EXPECT_NE(text.find("ΝΑΙ"), std::string::npos);
    EXPECT_NE(text.find("Διαμέρισμα 27"), std::string::npos);
    EXPECT_NE(text.find("4.270,00"), std::string::npos);
    EXPECT_NE(text.find("107,00"), std::string::npos);
    EXPECT_NE(text.find("ΕΝΤΟΣ ΙΔΙΟΚΤ."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(program.File("S_PYROS.TMP")));
}

// A study whose insulation field makes no choice (0.5) is calculated as
// insulated (the box starts ticked); the input-data report says the same.
TEST_F(ReportPdfTest, TheInputDataReportReadsTheInsulationAsTheCalculationDoes) {
    std::string study = ReadAll(work.File("Sample.pyx"));
    const float undecided = 0.5f;
    for (size_t r = 0; r + 197 <= study.size(); r += 197) {
        std::memcpy(study.data() + r + 181, &undecided, 4);
    }
    WriteAll(work.File("Sample.pyx"), study);
    const std::string pdf = work.File("undecided.pdf");
    ASSERT_EQ(Run("data", pdf), 0) << errors.str();
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("ΝΑΙ"), std::string::npos);
    EXPECT_EQ(text.find("ΟΧΙ"), std::string::npos);
}

// Long texts are never cut: an engineer name of 78 characters, general data
// of 150 and property names of 35 wide capitals come out whole, every word,
// in each report (smaller, or on more lines).
TEST_F(ReportPdfTest, LongTextsComeOutWhole) {
    state.ChosenEngineer =
        "Αριστοτέλης Παπαγεωργόπουλος-Κωνσταντινίδης, Διπλ. Μηχανολόγος Μηχανικός Ε.Μ.Π";
    ASSERT_EQ(Utf8Length(state.ChosenEngineer), 78u);
    std::string employer = "Σύλλογος Ιδιοκτητών Πολυκατοικίας Οδού Αριστοτέλους Και Πλατείας "
                           "Ελευθερίας Με Πολύ Μεγάλη Επωνυμία Που Δεν Χωρά Πουθενά Στη Σελίδα";
    while (Utf8Length(employer) < 150) {
        employer += " Τέλος";
    }
    std::vector<StudyRow> rows;
    for (int i = 1; i <= 12; ++i) {
        StudyRow row = SampleRow(i);
        row[0] = "ΩΜΩΜΩΜΩΜ ΨΨΨΨΨΨΨ ΩΩΩΩΩΩ ΜΜΜΜΜΜΜΜΜ" + std::string(i < 10 ? "0" : "") +
                 std::to_string(i);
        rows.push_back(row);
    }
    ASSERT_EQ(Utf8Length(rows[0][0]), 35u);
    ProgramState encoding;
    WriteAll(work.File("Sample.pyx"), EncodeStudyRecords(rows, "Μακριά ονόματα", true, encoding));
    WriteAll(work.File("Sample.tpx"), FormatGeneralData({employer, "Κατανομή θέρμανσης", "Πάτρα"}));
    for (const char* kind : {"formulas", "table", "data"}) {
        SCOPED_TRACE(kind);
        const std::string pdf = work.File(std::string(kind) + "-long.pdf");
        ASSERT_EQ(Run(kind, pdf), 0) << errors.str();
        std::istringstream words(PdfText(pdf));
        std::multiset<std::string> found;
        for (std::string word; words >> word;) {
            // Dot leaders run into the word before them.
            found.insert(word.substr(0, word.find("...")));
        }
        std::vector<std::string> expected;
        for (const std::string& text : {state.ChosenEngineer, employer}) {
            std::istringstream in(text);
            for (std::string word; in >> word;) {
                expected.push_back(word);
            }
        }
        for (const StudyRow& row : rows) {
            std::istringstream in(row[0]);
            for (std::string word; in >> word;) {
                expected.push_back(word);
            }
        }
        for (const std::string& word : expected) {
            EXPECT_GT(found.count(word), 0u) << "«" << word << "» is not whole in the " << kind;
        }
    }
}

TEST(ReportKinds, NamesAndFiles) {
    EXPECT_EQ(ReportKinds("table"), std::vector<std::string>{"table"});
    EXPECT_EQ(ReportKinds("data,formulas"), (std::vector<std::string>{"data", "formulas"}));
    for (const char* bad : {"", ",", "table,", ",table", "table,table", "tables", "table,chart"}) {
        EXPECT_FALSE(ReportKinds(bad)) << bad;
    }
    struct Case {
        const char* path;
        bool several;
        const char* expected;
    };
    const Case cases[] = {
        {"out.pdf", false, "out.pdf"},
        {"out.pdf", true, "out-table.pdf"},
        {"/tmp/a.b/out", true, "/tmp/a.b/out-table"},
        {"/tmp/a.b/.out", true, "/tmp/a.b/.out-table"},
        {"dir/out.x.xlsx", true, "dir/out.x-table.xlsx"},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReportFileFor(c.path, "table", c.several), c.expected) << c.path;
    }
}

// Several reports in one run are the reports each run alone makes.
TEST_F(ReportPdfTest, SeveralReportsInOneRunAreEachAlone) {
    ASSERT_EQ(Run("formulas,table,data", work.File("all.pdf"), work.File("all.xlsx")), 0)
        << errors.str();
    for (const std::string kind : {"formulas", "table", "data"}) {
        ASSERT_EQ(Run(kind, work.File(kind + ".pdf")), 0) << errors.str();
        EXPECT_EQ(ReadAll(work.File("all-" + kind + ".pdf")), ReadAll(work.File(kind + ".pdf")))
            << kind;
        EXPECT_TRUE(std::filesystem::is_regular_file(work.File("all-" + kind + ".xlsx"))) << kind;
    }
    EXPECT_FALSE(std::filesystem::exists(work.File("all.pdf")));
}

TEST_F(ReportPdfTest, UsageAndMissingStudy) {
    struct Case {
        std::vector<std::string> args;
        int expected;
    };
    const Case cases[] = {
        {{}, 1},
        {{"chart", "x.pyx", "--pdf", "x.pdf"}, 1},
        {{"table,table", "x.pyx", "--pdf", "x.pdf"}, 1},
        {{"table", "x.pyx"}, 1},
        {{"table", "--pdf"}, 1},
        {{"data", work.File("missing.pyx"), "--pdf", work.File("m.pdf")}, 1},
    };
    for (const Case& c : cases) {
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(RunReportCommand(c.args, state, in, out, err), c.expected);
        EXPECT_FALSE(err.str().empty());
    }
}

TEST_F(ReportPdfTest, StudiesThatFailTheChecksWriteNothing) {
    struct Case {
        const char* kind;
        std::vector<StudyRow> rows;
        const char* message;
    };
    StudyRow zeroArea = SampleRow(1);
    zeroArea[4] = "0";
    const Case cases[] = {
        {"data", {}, "ΔΕΝ έχει Ιδιοκτησίες"},
        {"table", {}, "ΔΕΝ έχει Ιδιοκτησίες"},
        {"data", {SampleRow(1), zeroArea}, "ΜΗΔΕΝΙΚΑ"},
        {"formulas", {SampleRow(1), zeroArea}, "ΜΗΔΕΝΙΚΑ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ProgramState encoding;
        WriteAll(work.File("Sample.pyx"), EncodeStudyRecords(c.rows, "Θέμα", false, encoding));
        errors.str("");
        const std::string pdf = work.File(std::string("failed-") + c.kind + ".pdf");
        EXPECT_EQ(Run(c.kind, pdf), 2);
        EXPECT_NE(errors.str().find(c.message), std::string::npos) << errors.str();
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
}

TEST_F(ReportPdfTest, IncompleteGeneralDataStopsTheReport) {
    std::filesystem::remove(work.File("Sample.tpx"));
    EXPECT_EQ(Run("data", work.File("d.pdf")), 2);
    EXPECT_FALSE(std::filesystem::exists(work.File("d.pdf")));
}

} // namespace
} // namespace pyrostat::test
