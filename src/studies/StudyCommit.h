#pragma once

#include "platform/FileAccess.h"
#include "studies/FileStore.h"

#include <string>
#include <vector>

namespace pyrostat {

// One file to put in place: its final path and its whole new content.
struct PendingFile {
    std::string path;
    std::string bytes;
};

// The files of one study (the ".pyx", its ".tpx" companion, the backup copy)
// replaced as one unit: after a crash or a kill at any moment, the files are
// either all the old ones or all the new ones.
//
// How: every new file is first written in full beside its final place under
// a temporary name and forced to the disk. Then a commit note naming them is
// put in place in one rename; from that moment the save counts as done, and
// the renames that follow are completed by whoever next opens or saves the
// study, should they be cut short. Without the note, temporary files are
// leftovers of a save that never committed and are removed. A save holds an
// exclusive lock on the study's folder, so two saves of the same study (two
// copies of the program, or the window and the command line) follow one
// another instead of mixing their files.
struct StudyCommit {
    std::string studyPath;             // the ".pyx" the unit belongs to
    std::vector<PendingFile> files;    // to write (the study among them)
    std::vector<std::string> removals; // to delete in the same unit
};

struct CommitResult {
    FileProblem problem = FileProblem::None; // None: every file is in place
    std::string path;                        // the file the problem is about
    bool Done() const { return problem == FileProblem::None; }
};

// Carries the unit out. Symbolic links among the final paths are followed:
// the files they point to are replaced and the links stay. A read-only file,
// a folder or another non-regular file in the place of one of them refuses
// the whole unit before anything is written.
CommitResult CommitStudyFiles(const StudyCommit& commit, FileStore& store);

// Completes or clears what a save of this study left when it was cut short.
// Called, under the same lock, before a study is read or saved again.
void FinishInterruptedCommit(const std::string& studyPath, FileStore& store);

// Where the commit note of a study lives, and the temporary name of a file.
std::string CommitNotePathFor(const std::string& studyPath);
std::string TemporaryPathFor(const std::string& path);

} // namespace pyrostat
