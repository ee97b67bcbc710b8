#pragma once

#include "platform/FileDates.h"
#include "program/ProgramState.h"
#include "studies/StudyListEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// What the study browser shows and opens, without a window: it rebuilds
// "Studies.std" from the study folder, reads the list back and keeps the
// selected line and the texts of the labels.
class StudyBrowser {
public:
    explicit StudyBrowser(const ProgramState& state, ShortDateFormatter formatDate = {});

    // The study folder: the program folder followed by "PYXFiles/".
    std::string StudyFolder() const;

    // Opening the window: creates the study folder when it is missing,
    // rebuilds the list file and reads its entries. Only entries that lead to
    // a readable study file in the study folder are kept; a list that held
    // anything else is built again from the folder itself and Warning says so.
    void Load();
    // Each time the window becomes active: no line selected, the folder label
    // shows the study folder, the other labels are empty.
    void Activate();
    // A click on line `index` (from 0); an index outside the list selects
    // nothing.
    void Select(int index);

    const std::vector<std::string>& Lines() const { return lines_; }
    // "LblNumber": the count with digit grouping, empty for none.
    std::string CountText() const;
    // The list's tool tip over line `index`: the line's whole text, or empty
    // when the pointer is over no line.
    std::string ToolTipFor(int index) const;
    // The path of the selected study, or nothing when no line is selected.
    std::optional<std::string> SelectedPath() const;

    std::string Caption;       // window caption: the selected title
    std::string FileNameLabel; // LblFileName
    std::string FilePathLabel; // LblFilePath
    std::string FileDateLabel; // LblFileDate: " < date > "
    std::string FileTimeLabel; // LblFileTime: " < time > "
    // After Load: what the user must be told about the list file (it could
    // not be written, or it held entries that are not studies of the study
    // folder and was rebuilt); empty when all was well.
    std::string Warning;

private:
    bool IsStudyOfTheFolder(const StudyListEntry& entry) const;

    const ProgramState& state_;
    ShortDateFormatter formatDate_;
    std::vector<StudyListEntry> entries_;
    std::vector<std::string> lines_;
    int selected_ = -1;
};

} // namespace pyrostat
