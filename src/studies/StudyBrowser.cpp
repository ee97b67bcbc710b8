#include "studies/StudyBrowser.h"

#include "platform/FileAccess.h"
#include "studies/FileDialogService.h"
#include "studies/StudiesListFile.h"
#include "studies/StudyRecords.h"

#include <filesystem>

namespace pyrostat {

StudyBrowser::StudyBrowser(const ProgramState& state, ShortDateFormatter formatDate)
    : state_(state), formatDate_(std::move(formatDate)) {}

std::string StudyBrowser::StudyFolder() const {
    return state_.ProgramFolder + kStudyFolderName;
}

bool StudyBrowser::IsStudyOfTheFolder(const StudyListEntry& entry) const {
    const std::string& name = entry.StudyFileName;
    return entry.StudyFolder == StudyFolder() && !name.empty() &&
           name.find('/') == std::string::npos && name != "." && name != ".." &&
           HasStudyExtension(name) && ExamineFile(StudyFolder() + name) == FileProblem::None;
}

void StudyBrowser::Load() {
    std::error_code ec;
    std::filesystem::create_directories(StudyFolder(), ec);
    Warning.clear();
    // The folder is read once; the list file is written from it and read back.
    const std::string listPath = state_.InProgramFolder(kStudiesListFileName);
    std::vector<StudyListEntry> collected = CollectStudyEntries(StudyFolder(), formatDate_);
    const FileProblem written = WriteStudiesList(listPath, collected);
    if (written != FileProblem::None) {
        Warning = "Ο ΚΑΤΑΛΟΓΟΣ ΤΩΝ ΜΕΛΕΤΩΝ ΔΕΝ ΓΡΑΦΤΗΚΕ :\n" +
                  FileProblemMessage(listPath, written) +
                  "\n\nΟι μελέτες του φακέλου δείχνονται από τον ίδιο τον φάκελο.";
        entries_ = std::move(collected);
    } else {
        StudiesList list = ReadStudiesList(listPath);
        entries_.clear();
        size_t foreign = 0;
        for (StudyListEntry& entry : list.entries) {
            if (IsStudyOfTheFolder(entry)) {
                entries_.push_back(std::move(entry));
            } else {
                ++foreign;
            }
        }
        if (foreign != 0 || list.partial || entries_.size() != collected.size()) {
            // Changed under us between the writing and the reading.
            Warning = "Ο ΚΑΤΑΛΟΓΟΣ ΤΩΝ ΜΕΛΕΤΩΝ ΗΤΑΝ ΚΑΤΕΣΤΡΑΜΜΕΝΟΣ :\n" + listPath +
                      "\n\nΚρατήθηκαν μόνο οι μελέτες του φακέλου " + StudyFolder() +
                      " και ο κατάλογος ξαναφτιάχτηκε.";
            WriteStudiesList(listPath, collected);
            entries_ = std::move(collected);
        }
    }
    lines_.clear();
    lines_.reserve(entries_.size());
    for (const StudyListEntry& entry : entries_) {
        lines_.push_back(entry.ListTitle);
    }
    selected_ = -1;
}

void StudyBrowser::Activate() {
    selected_ = -1;
    FilePathLabel = StudyFolder();
    FileNameLabel.clear();
    FileDateLabel.clear();
    FileTimeLabel.clear();
}

void StudyBrowser::Select(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) {
        selected_ = -1;
        return;
    }
    selected_ = index;
    const StudyListEntry& entry = entries_[static_cast<size_t>(index)];
    Caption = entry.ListTitle;
    FilePathLabel = entry.StudyFolder;
    FileNameLabel = entry.StudyFileName;
    FileDateLabel = " < " + entry.StudyDate + " > ";
    FileTimeLabel = " < " + entry.StudyTime + " > ";
}

std::string StudyBrowser::CountText() const {
    return FormatStudyCount(static_cast<long long>(entries_.size()), state_.ThousandsSeparator());
}

std::string StudyBrowser::ToolTipFor(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= lines_.size()) {
        return {};
    }
    return lines_[static_cast<size_t>(index)];
}

std::optional<std::string> StudyBrowser::SelectedPath() const {
    if (selected_ < 0) {
        return std::nullopt;
    }
    const StudyListEntry& entry = entries_[static_cast<size_t>(selected_)];
    std::string folder = entry.StudyFolder;
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder + entry.StudyFileName;
}

} // namespace pyrostat
