#include "distribution/gui/CalculationCommand.h"

#include "distribution/MessageByCode.h"
#include "distribution/ResultsFiles.h"
#include "distribution/gui/FrmPyrRes.h"

namespace pyrostat {

CalculationOutcome RunCalculationCommand(QWidget* parent, GridContract& grid, ProgramState& state,
                                         MessageService& messages, const TitleBoxAccess& titleBox,
                                         bool insulated, const ResultsWindowHooks& hooks,
                                         const std::function<void()>& showResults) {
    const CalculationOutcome outcome = RunCalculation(grid, state, messages, titleBox, insulated);
    if (outcome == CalculationOutcome::WriteFailed) {
        std::string text = "... ΔΕΝ είναι δυνατή η εγγραφή των Αρχείων Αποτελεσμάτων στον Φάκελο "
                           "του Προγράμματος ...\r";
        if (const std::string why = DistributionFilesProblem(state); !why.empty()) {
            text += why + "\r";
        }
        ShowCalculationStop(messages, text);
        grid.SetFocus();
        return outcome;
    }
    if (outcome != CalculationOutcome::Written) {
        return outcome;
    }
    // The archive copy under the study title, before the results show.
    if (!ArchiveResults(state, titleBox.Text())) {
        const std::string text = "... ΔΕΝ είναι δυνατή η εγγραφή του Αντιγράφου των Αποτελεσμάτων "
                                 "στον Φάκελο \"" +
                                 state.InProgramFolder(kArchiveFolder) + "\" ...\r";
        if (hooks.warn) {
            hooks.warn(kAttentionTitle, text);
        } else {
            ShowCalculationStop(messages, text);
        }
    }
    if (showResults) {
        showResults();
    } else {
        FrmPyrRes results(state, hooks, parent);
        results.exec();
    }
    grid.SetFocus();
    return outcome;
}

} // namespace pyrostat
