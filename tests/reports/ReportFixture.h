#pragma once

#include "RecordingOutputs.h"
#include "distribution/FormulaTextFile.h"
#include "distribution/ResultRecord.h"
#include "reports/ReportServices.h"
#include "studies/PropertyRecord.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pyrostat::test {

// A program folder with the three templates in place, the general data set,
// a fixed engineer name and recording report outputs.
class ReportFixture : public ::testing::Test {
public:
    ReportFixture() {
        state.ProgramFolder = folder.WithSlash();
        state.Employer = "  Ιδιοκτήτες Πολυκατοικίας ";
        state.Project = "Κατανομή θέρμανσης";
        state.Location = "Πάτρα";
        for (const char* name :
             {kFormulaTemplateName, kTableTemplateName, kInputDataTemplateName}) {
            WriteAll(folder.File(name), "{}");
        }
    }

    // The engineer chosen in the register is the one a report carries.
    ReportServices Services() {
        state.ChosenEngineer = "  Γ. Μηχανικός  ";
        return ReportServices{state, messages, outputs, kMadeOn};
    }

    // "PYROSTAT.TMP" with `records`.
    void WriteResults(const std::vector<ResultRecord>& records) {
        std::string bytes;
        for (const ResultRecord& r : records) {
            bytes += r.Pack();
        }
        WriteAll(folder.File("PYROSTAT.TMP"), bytes);
    }

    // n properties named "Δ<i>" with distinct numbers.
    static std::vector<ResultRecord> Properties(int n) {
        std::vector<ResultRecord> records;
        for (int i = 1; i <= n; ++i) {
            ResultRecord r;
            r.RowNo = static_cast<int16_t>(i);
            r.PropertyName = "Δ" + std::to_string(i);
            r.TotalLosses = 1000.0f + static_cast<float>(i);
            r.OpeningLosses = 200.0f;
            r.VentilationLosses = 100.0f;
            r.Area = 80.0f;
            r.MeanHeight = 3.0f;
            r.Volume = 240.0f;
            r.HeatDemand = 1000.0f;
            r.DemandShare = 1.0f / static_cast<float>(n);
            r.ExposedWallArea = 30.0f;
            r.LateralWallArea = 60.0f;
            r.ExposureRatio = 0.5f;
            r.KindFactor = 0.65f;
            r.PipeFactor = 0.01f;
            r.AreaFactor = 0.04f;
            r.ExposureFactor = 0.05f;
            records.push_back(r);
        }
        return records;
    }

    // "~mirttype.txt" with the two heading lines and one line per property.
    void WriteFormulas(int n) {
        std::vector<std::string> lines{"ΓΕΝΙΚΟΣ ΤΥΠΟΣ :", "Πi(%) = [fi x ei + ...] x 100"};
        for (int i = 1; i <= n; ++i) {
            lines.push_back(FormulaLineOf(i));
        }
        WriteAll(folder.File(kFormulaFileName), FormatQuotedLines(lines));
    }
    static std::string FormulaLineOf(int i) {
        return "Π" + std::to_string(i) +
               " (%) = [0.0641 + (0.4377 x 0.1165 x Ωρες_i) / (Σ(0.1165 x Ωρες_i))] x 100";
    }

    const SheetModel& Sheet() { return sheets.Last().sheet; }
    std::string Text(int row, int col) { return Sheet().Value(row, col).text; }
    double Number(int row, int col) {
        EXPECT_EQ(Sheet().Value(row, col).kind, SheetValue::Kind::Number)
            << "cell " << CellName(row, col);
        return Sheet().Value(row, col).number;
    }

    static constexpr const char* kMadeOn = "08/12/2026";

    TestFolder folder;
    ProgramState state;
    RecordingMessages messages;
    std::shared_ptr<RecordingOutputs> outputs = std::make_shared<RecordingOutputs>();
    RecordingOutputs& sheets = *outputs;
};

} // namespace pyrostat::test
