// The .xlsx of every report prints in LibreOffice Calc as our PDF does: the
// same pages, and every word of our PDF on them (no ### for a number too
// wide for its column). Buildings of 1, 40, 120 and 500 properties (totals
// of seven digits).

#include "app/gui/ReportCommand.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyRecords.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

namespace pyrostat::test {
namespace {

namespace fs = std::filesystem;

StudyRow Row(int i) {
    static const char* kinds[] = {"PILOTIS ΚΑΤΩ", "ΙΣΟΓΕΙΟ", "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΕΝΔΙΑΜΕΣΟ",
                                  "ΡΕΤΙΡΕ"};
    static const char* pipes[] = {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ."};
    const int total = 2000 + (i * 7919) % 7000;
    return {"Διαμέρισμα " + std::to_string(i),
            std::to_string(total),
            std::to_string(total / 6),
            std::to_string(total / 10),
            std::to_string(40 + (i * 37) % 90),
            "3",
            std::to_string(1 + (i * 13) % 20),
            std::to_string((i * 5) % 8),
            std::to_string((i * 11) % 12),
            kinds[i % 5],
            pipes[i % 3]};
}

// Runs a program to its end and gives its output; `greek` runs it in the
// Greek locale (LibreOffice then writes numbers as our Greek reports do).
std::string RunProgram(const QString& program, const QStringList& args, bool greek = false) {
    QProcess p;
    if (greek) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("el_GR.UTF-8"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("el_GR.UTF-8"));
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(180000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << " "
                               << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput().toStdString();
}

// The words of a PDF's text; ligatures as the letters they join.
std::vector<std::string> Words(const std::string& pdf) {
    std::string text =
        RunProgram(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
    for (const auto& [ligature, letters] :
         {std::pair<std::string, std::string>{"\xEF\xAC\x81", "fi"}, {"\xEF\xAC\x82", "fl"}}) {
        for (size_t at = text.find(ligature); at != std::string::npos; at = text.find(ligature)) {
            text.replace(at, ligature.size(), letters);
        }
    }
    // Dot leaders run into the texts beside them differently in each
    // program's layout: they separate words.
    for (size_t at = text.find("..."); at != std::string::npos; at = text.find("...", at)) {
        size_t end = at;
        while (end < text.size() && text[end] == '.') {
            ++end;
        }
        text.replace(at, end - at, " ");
    }
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

int Pages(const std::string& pdf) {
    const std::string info = RunProgram(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

TEST(ReportLibreOffice, EveryReportsXlsxPrintsAsOurPdf) {
    TestFolder program;
    TestFolder work;
    for (const char* name : {"LDKOIN_01i.json", "LDKOIN_02i.json", "LDKOIN_03i.json"}) {
        fs::copy_file(std::string(PYROSTAT_SOURCE_DATA_DIR) + "/" + name, program.File(name));
    }
    std::vector<std::string> made;
    for (const int n : {1, 40, 120, 500}) {
        std::vector<StudyRow> rows;
        for (int i = 1; i <= n; ++i) {
            rows.push_back(Row(i));
        }
        ProgramState encoding;
        const std::string study = work.File("b" + std::to_string(n) + ".pyx");
        WriteAll(study,
                 EncodeStudyRecords(rows, "Πολυκατοικία " + std::to_string(n), true, encoding));
        WriteAll(work.File("b" + std::to_string(n) + ".tpx"),
                 FormatGeneralData({"Ιδιοκτήτες", "Κατανομή θέρμανσης", "Πάτρα"}));
        for (const char* kind : {"formulas", "table", "data"}) {
            const std::string base = work.File(std::string(kind) + std::to_string(n));
            ProgramState state;
            state.ProgramFolder = program.WithSlash();
            state.ChosenEngineer = "Γεώργιος Παπαδόπουλος";
            std::istringstream in;
            std::ostringstream out, err;
            ASSERT_EQ(RunReportCommand({kind, study, "--decimal", ",", "--pdf", base + ".pdf",
                                        "--xlsx", base + ".xlsx"},
                                       state, in, out, err),
                      0)
                << err.str();
            made.push_back(base);
        }
    }
    // LibreOffice prints every workbook to PDF, in one start.
    QStringList args{QStringLiteral("--headless"),
                     QStringLiteral("-env:UserInstallation=file://") +
                         QString::fromStdString(work.File("lo-profile")),
                     QStringLiteral("--convert-to"),
                     QStringLiteral("pdf"),
                     QStringLiteral("--outdir"),
                     QString::fromStdString(work.File("lo"))};
    for (const std::string& base : made) {
        args << QString::fromStdString(base + ".xlsx");
    }
    RunProgram(QStringLiteral("soffice"), args, true);
    for (const std::string& base : made) {
        const std::string name = fs::path(base).filename().string();
        SCOPED_TRACE(name);
        const std::string theirs = work.File("lo/" + name + ".pdf");
        ASSERT_TRUE(fs::exists(theirs)) << "LibreOffice (libreoffice-calc-nogui) must be installed";
        EXPECT_EQ(Pages(theirs), Pages(base + ".pdf"));
        // Their text without its blanks: spacing differs between the two
        // layouts ("e × Ω" may come out as one word or three).
        std::string joined;
        for (const std::string& word : Words(theirs)) {
            joined += word;
        }
        std::vector<std::string> missing;
        for (const std::string& word : Words(base + ".pdf")) {
            if (joined.find(word) == std::string::npos) {
                missing.push_back(word);
            }
        }
        EXPECT_TRUE(missing.empty())
            << missing.size() << " words missing, first: " << missing.front();
        EXPECT_EQ(joined.find("###"), std::string::npos) << "a number wider than its column";
    }
}

} // namespace
} // namespace pyrostat::test
