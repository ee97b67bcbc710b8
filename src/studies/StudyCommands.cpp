#include "studies/StudyCommands.h"

#include "platform/FileAccess.h"
#include "platform/FileChecks.h"
#include "platform/RecordFile.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyRecords.h"

#include <filesystem>

namespace pyrostat {

namespace {

void RemoveFile(const std::string& path) {
    RemoveFileOnly(path);
}

} // namespace

StudyCommands::StudyCommands(GridContract& grid, ProgramState& state, MessageService& messages,
                             StudyWindowFields& fields, FileDialogService& dialogs)
    : grid_(grid), state_(state), messages_(messages), fields_(fields), dialogs_(dialogs),
      file_(grid, state, messages, fields), saved_(TakeStudySnapshot(grid, fields, state)) {}

std::string StudyCommands::StudyFolder() const {
    return state_.ProgramFolder + kStudyFolderName;
}

bool StudyCommands::ConfirmReplace(bool* asked) {
    const bool unsaved = HasUnsavedChanges();
    if (asked != nullptr) {
        *asked = unsaved;
    }
    return pyrostat::ConfirmClose(messages_, unsaved, [this] { return Save(); }) ==
           CloseDecision::Close;
}

bool StudyCommands::New() {
    bool asked = false;
    if (!ConfirmReplace(&asked)) {
        grid_.SetFocus();
        return false;
    }
    // The working result file of the calculation run.
    const std::string result = state_.InProgramFolder("PYROSTAT.TMP");
    if (FileExists(result) && asked) {
        // The user has just chosen what becomes of the study: not asked twice.
        RemoveFile(result);
        RemoveFile(state_.InProgramFolder(kGeneralDataFileName));
    } else if (FileExists(result)) {
        const MessageService::Answer answer =
            messages_.Show(kQuestionTitle, kNewStudyPrompt, MessageService::Icon::Question,
                           MessageService::Buttons::YesNo, MessageService::Answer::No);
        if (answer != MessageService::Answer::Yes) {
            return false;
        }
        RemoveFile(result);
        RemoveFile(state_.InProgramFolder(kGeneralDataFileName));
    }
    ClearGridRows(grid_);
    state_.Employer.clear();
    state_.Project.clear();
    state_.Location.clear();
    state_.StudyTitle.clear();
    state_.DefaultHeight = 0;
    state_.CurrentStudyFile.clear();
    MarkUnchanged();
    if (Cleared) {
        Cleared();
    }
    return true;
}

void StudyCommands::Open() {
    if (ConfirmReplace() && ShowBrowser) {
        ShowBrowser();
    }
    grid_.SetFocus();
}

std::optional<std::string> StudyCommands::AskSaveName() {
    std::error_code ec;
    std::filesystem::create_directories(StudyFolder(), ec);
    std::optional<std::string> name = dialogs_.AskSaveFileName(StudyFolder(), kStudyFileFilter);
    if (!name || name->empty()) {
        return std::nullopt;
    }
    if (!HasStudyExtension(*name)) {
        *name += ".pyx";
    }
    return name;
}

SaveOutcome StudyCommands::SaveTo(const std::string& path) {
    const SaveOutcome outcome = file_.SaveAsFile(path);
    if (outcome == SaveOutcome::Saved) {
        state_.CurrentStudyFile = path;
        MarkUnchanged();
        if (Saved) {
            Saved(path);
        }
    }
    grid_.SetFocus();
    return outcome;
}

SaveOutcome StudyCommands::Save() {
    if (!state_.CurrentStudyFile.empty()) {
        return SaveTo(state_.CurrentStudyFile);
    }
    return SaveAs();
}

SaveOutcome StudyCommands::SaveAs() {
    const std::optional<std::string> path = AskSaveName();
    if (!path) {
        return SaveOutcome::Cancelled;
    }
    return SaveTo(*path);
}

void StudyCommands::ClassicOpenFile() {
    // Reached from the study browser, after Open has asked about changes.
    const std::optional<std::string> name =
        dialogs_.AskOpenFileName(StudyFolder(), kStudyFileFilter);
    if (!name) {
        return; // Cancel: nothing changes, the focus stays
    }
    // The open sets the current study file; a file that cannot be read leaves
    // the previous one (Save must not aim at a study that is not shown).
    if (!name->empty()) {
        OpenStudy(*name);
    }
    grid_.SetFocus();
}

bool StudyCommands::OpenStudy(const std::string& path) {
    if (!file_.OpenFile(path)) {
        return false;
    }
    MarkUnchanged();
    if (Opened) {
        Opened(path, grid_.DataRowCnt());
    }
    return true;
}

void StudyCommands::OpenWithDialog() {
    if (ConfirmReplace()) {
        ClassicOpenFile();
    }
    grid_.SetFocus();
}

void StudyCommands::PutTable(const StudyTextContents& table) {
    ClearGridRows(grid_);
    for (size_t r = 0; r < table.rows.size() && r < static_cast<size_t>(grid_.MaxRows()); ++r) {
        for (int c = 1; c <= kGridColumns; ++c) {
            grid_.SetCellText(static_cast<int>(r + 1), c,
                              table.rows[r][static_cast<size_t>(c - 1)]);
        }
    }
    if (!table.title.empty()) {
        fields_.SetTitleText(table.title);
    }
    if (table.insulationGiven) {
        fields_.SetInsulationTicked(table.insulation);
    }
    const GeneralData& g = table.general;
    if (!g.Employer.empty() || !g.Project.empty() || !g.Location.empty()) {
        state_.Employer = g.Employer;
        state_.Project = g.Project;
        state_.Location = g.Location;
        WriteWholeFile(state_.InProgramFolder(kGeneralDataFileName), FormatGeneralData(g));
    }
    state_.CurrentStudyFile.clear();
    grid_.SetFocus();
}

bool StudyCommands::HasUnsavedChanges() const {
    return !(TakeStudySnapshot(grid_, fields_, state_) == saved_);
}

void StudyCommands::MarkUnchanged() {
    saved_ = TakeStudySnapshot(grid_, fields_, state_);
}

CloseDecision StudyCommands::ConfirmClose() {
    return pyrostat::ConfirmClose(messages_, HasUnsavedChanges(), [this] { return Save(); });
}

} // namespace pyrostat
