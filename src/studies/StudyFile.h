#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "studies/FileStore.h"
#include "studies/StudyWindowFields.h"
#include "workspace/GridContract.h"

#include <functional>
#include <string>

namespace pyrostat {

enum class SaveOutcome {
    Saved,      // the study, its companion and the backup are on disk
    Incomplete, // the general data are missing: nothing was written
    Failed,     // a file could not be written: the old files are as they were
    Cancelled,  // the user cancelled the choice of a file name: nothing written
};

// Writes the current study (grid, title, insulation, general data) to a ".pyx"
// file with its ".tpx" companion and a copy in the folder BACKUP beside it,
// and reads one back into the grid.
class StudyFile {
public:
    StudyFile(GridContract& grid, ProgramState& state, MessageService& messages,
              StudyWindowFields& fields);

    // The general data dialog, shown modally; whether it was left with O.K.
    // or Esc, the data it leaves decide. Unset: no dialog.
    std::function<void()> ShowGeneralData;
    // A pause that lets the window process its pending events. Unset: none.
    std::function<void(float seconds)> WaitSeconds;

    // Where the files go; the real disk unless a test gives another.
    void SetFileStore(FileStore& store) { store_ = &store; }

    // Saves to `path` (a name ending in ".pyx"). Asks for the general data
    // when "Thema.tmp" is missing and writes nothing while any of them is
    // empty. Every file is first written in full to a temporary file beside
    // it and only then put in place, so a failure (full disk, no rights)
    // leaves the previous study, companion and backup intact and is told in a
    // message box.
    SaveOutcome SaveAsFile(const std::string& path);

    // Loads the study at `path` into the grid, the title box and the
    // insulation box, and its companion into the general data and
    // "Thema.tmp". A file that cannot be read changes nothing and is told; a
    // damaged file (a partial record at the end, values that are not numbers
    // or do not fit their cells) loads what can be read and is told. False
    // only when the file could not be read at all.
    bool OpenFile(const std::string& path);
    // Whether the last file opened was damaged (it was told, and only part
    // of it is in the grid).
    bool LastOpenDamaged() const { return lastOpenDamaged_; }

private:
    void Wait();

    GridContract& grid_;
    ProgramState& state_;
    MessageService& messages_;
    StudyWindowFields& fields_;
    FileStore* store_;
    bool lastOpenDamaged_ = false;
};

// The title of the program's warning boxes.
inline constexpr const char* kStudyWarningTitle = "!! ΠΡΟΣΟΧΗ !!";

} // namespace pyrostat
