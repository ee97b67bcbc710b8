#include "studies/StudyFile.h"

#include "platform/FileChecks.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"
#include "studies/DiskFileStore.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyCommit.h"
#include "studies/StudyRecords.h"

namespace pyrostat {

namespace {

DiskFileStore& TheDisk() {
    static DiskFileStore disk; // stateless
    return disk;
}

} // namespace

StudyFile::StudyFile(GridContract& grid, ProgramState& state, MessageService& messages,
                     StudyWindowFields& fields)
    : grid_(grid), state_(state), messages_(messages), fields_(fields), store_(&TheDisk()) {}

void StudyFile::Wait() {
    if (WaitSeconds) {
        WaitSeconds(0.1f);
    }
}

SaveOutcome StudyFile::SaveAsFile(const std::string& path) {
    const std::string thema = state_.InProgramFolder(kGeneralDataFileName);
    if (!FileExists(thema)) {
        if (ShowGeneralData) {
            ShowGeneralData();
        }
    }
    const GeneralData general{state_.Employer, state_.Project, state_.Location};
    if (!general.Complete()) {
        return SaveOutcome::Incomplete;
    }
    Wait();

    // The companion is a copy of the working file, when that file holds the
    // general data the program works with; should it have gone missing, or
    // still hold another study's (its rewriting failed), the data in memory
    // stand in for it.
    std::string companion;
    GeneralData inFile;
    if (!ReadWholeFile(thema, companion) || !ParseGeneralData(companion, inFile) ||
        TrimBlanks(inFile.Employer) != TrimBlanks(general.Employer) ||
        TrimBlanks(inFile.Project) != TrimBlanks(general.Project) ||
        TrimBlanks(inFile.Location) != TrimBlanks(general.Location)) {
        companion = FormatGeneralData(general);
    }
    const std::string records = EncodeStudyRecords(ReadGridRows(grid_), fields_.TitleText(),
                                                   fields_.InsulationTicked(), state_);

    StudyCommit commit;
    commit.studyPath = path;
    commit.files = {{path, records}, {CompanionPathOf(path), companion}};
    bool backupFolderMissing = false;
    // An empty study leaves the previous backup copy alone.
    if (!records.empty()) {
        const std::string backup = BackupPathOf(path);
        if (store_->CreateFolder(FolderOfPath(backup))) {
            commit.files.push_back({backup, records});
        } else {
            backupFolderMissing = true;
        }
    }
    const CommitResult result = CommitStudyFiles(commit, *store_);
    if (!result.Done()) {
        messages_.ShowWithBeeps(kStudyWarningTitle,
                                "Η ΑΠΟΘΗΚΕΥΣΗ ΤΗΣ ΜΕΛΕΤΗΣ ΑΠΕΤΥΧΕ :\n" + path + "\n\n" +
                                    FileProblemMessage(result.path, result.problem) +
                                    "\nΤα προηγούμενα αρχεία της μελέτης έμειναν όπως ήταν.",
                                MessageService::Icon::Exclamation);
        return SaveOutcome::Failed;
    }
    if (backupFolderMissing) {
        messages_.ShowWithBeeps(kStudyWarningTitle,
                                "Η μελέτη αποθηκεύτηκε, αλλά ο φάκελος του αντιγράφου "
                                "ασφαλείας δεν δημιουργήθηκε :\n" +
                                    FolderOfPath(BackupPathOf(path)),
                                MessageService::Icon::Exclamation);
    }
    return SaveOutcome::Saved;
}

bool StudyFile::OpenFile(const std::string& path) {
    FinishInterruptedCommit(path, *store_);
    std::string bytes;
    const FileProblem problem = ReadRegularFile(path, bytes);
    if (problem != FileProblem::None) {
        messages_.ShowWithBeeps(kStudyWarningTitle,
                                "ΤΟ ΑΡΧΕΙΟ ΤΗΣ ΜΕΛΕΤΗΣ ΔΕΝ ΔΙΑΒΑΖΕΤΑΙ :\n" + path + "\n\n" +
                                    FileProblemMessage(path, problem),
                                MessageService::Icon::Exclamation);
        return false;
    }
    // The companion is read before anything changes: a folder or a FIFO in
    // its place must not leave a study without its general data unnoticed.
    const std::string companionPath = CompanionPathOf(path);
    const GeneralDataRead companion = ReadGeneralDataFile(companionPath);
    if (companion.problem != FileProblem::None && companion.problem != FileProblem::Missing) {
        messages_.ShowWithBeeps(kStudyWarningTitle,
                                "ΤΑ ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΤΗΣ ΜΕΛΕΤΗΣ ΔΕΝ ΔΙΑΒΑΖΟΝΤΑΙ :\n" +
                                    FileProblemMessage(companionPath, companion.problem) +
                                    "\n\nΗ μελέτη δεν ανοίχτηκε.",
                                MessageService::Icon::Exclamation);
        return false;
    }
    ClearGridRows(grid_);
    state_.CurrentStudyFile = path;

    const DecodedStudy study = DecodeStudyRecords(bytes, NumberLocale::Of(state_), grid_.MaxRows());
    for (size_t i = 0; i < study.rows.size(); ++i) {
        if (i == 0) {
            fields_.SetTitleText(study.title);
        }
        grid_.SetRow(static_cast<int>(i + 1));
        for (int c = 1; c <= kGridColumns; ++c) {
            grid_.SetCol(c);
            grid_.SetText(study.rows[i][c - 1]);
        }
        if (i == 0 && study.InsulationChoice()) {
            fields_.SetInsulationTicked(*study.InsulationChoice());
        }
    }

    state_.Employer.clear();
    state_.Project.clear();
    state_.Location.clear();
    if (companion.Usable()) {
        Wait();
        WriteWholeFile(state_.InProgramFolder(kGeneralDataFileName), companion.bytes);
        state_.Employer = companion.data.Employer;
        state_.Project = companion.data.Project;
        state_.Location = companion.data.Location;
    }
    if (!companion.refusal.empty()) {
        // Left empty: the general data dialog asks for them before they are used.
        messages_.ShowWithBeeps(kStudyWarningTitle,
                                "ΤΑ ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΤΗΣ ΜΕΛΕΤΗΣ ΕΙΝΑΙ ΚΑΤΕΣΤΡΑΜΜΕΝΑ :\n" +
                                    companionPath + "\n\n" + companion.refusal +
                                    "\nΣυμπληρώστε τα ξανά πριν την αποθήκευση.",
                                MessageService::Icon::Exclamation);
    }

    lastOpenDamaged_ = study.Damaged() || !companion.refusal.empty();
    if (study.Damaged()) {
        messages_.ShowWithBeeps(kStudyWarningTitle, DamagedStudyMessage(study, path),
                                MessageService::Icon::Exclamation);
    }
    return true;
}

} // namespace pyrostat
