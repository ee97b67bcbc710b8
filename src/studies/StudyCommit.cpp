#include "studies/StudyCommit.h"

#include "platform/FileChecks.h"
#include "platform/FolderLock.h"
#include "platform/RecordFile.h"
#include "studies/StudyRecords.h"

#include <filesystem>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyrostat {

namespace {

constexpr const char* kNoteHeader = "PYROSTAT-COMMIT 1";
constexpr const char* kNoteEnd = "END";

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

// The file a write to `path` replaces, as an absolute path.
std::string ResolvedTarget(const std::string& path, FileProblem& problem) {
    return Absolute(WriteTargetOf(path, problem));
}

// How long a save waits for another copy's save in the same folder.
constexpr int kSaveLockWaitMilliseconds = 10000;

struct NoteLine {
    char action; // 'R' put the temporary file in place, 'D' delete
    std::string path;
};

std::string FormatNote(const std::vector<NoteLine>& lines) {
    std::string text = std::string(kNoteHeader) + "\n";
    for (const NoteLine& line : lines) {
        text += line.action;
        text += '\t';
        text += line.path;
        text += '\n';
    }
    return text + kNoteEnd + "\n";
}

// The lines of a whole note; false for anything else (a note is put in place
// by one rename, so a partial one means a foreign or damaged file).
bool ParseNote(const std::string& text, std::vector<NoteLine>& lines) {
    lines.clear();
    size_t pos = 0;
    bool header = false;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        if (end == std::string::npos) {
            return false;
        }
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!header) {
            if (line != kNoteHeader) {
                return false;
            }
            header = true;
        } else if (line == kNoteEnd) {
            return pos == text.size();
        } else if (line.size() > 2 && (line[0] == 'R' || line[0] == 'D') && line[1] == '\t' &&
                   line[2] == '/') {
            lines.push_back({line[0], line.substr(2)});
        } else {
            return false;
        }
    }
    return false;
}

// The places a save of this study may have left temporary files.
std::vector<std::string> DerivedTargets(const std::string& studyTarget) {
    return {studyTarget, CompanionPathOf(studyTarget), BackupPathOf(studyTarget)};
}

void FinishLocked(const std::string& studyTarget, FileStore& store) {
    const std::string notePath = CommitNotePathFor(studyTarget);
    std::set<std::string> folders{FolderOfPath(studyTarget)};
    std::string text;
    std::vector<NoteLine> lines;
    if (ReadWholeFile(notePath, text) && ParseNote(text, lines)) {
        // The save had committed: complete its renames and deletions.
        for (const NoteLine& line : lines) {
            if (line.action == 'R') {
                const std::string temp = TemporaryPathFor(line.path);
                if (FileExists(temp)) {
                    store.Rename(temp, line.path);
                }
            } else {
                store.Remove(line.path);
            }
            folders.insert(FolderOfPath(line.path));
        }
    } else {
        // No note (or not one of ours): the save never committed.
        for (const std::string& target : DerivedTargets(studyTarget)) {
            if (FileExists(TemporaryPathFor(target))) {
                store.Remove(TemporaryPathFor(target));
                folders.insert(FolderOfPath(target));
            }
        }
    }
    for (const std::string& folder : folders) {
        store.SyncFolder(folder);
    }
    store.Remove(notePath + ".new");
    if (FileExists(notePath)) {
        store.Remove(notePath);
        store.SyncFolder(FolderOfPath(notePath));
    }
}

} // namespace

std::string TemporaryPathFor(const std::string& path) {
    const std::string folder = FolderOfPath(path);
    return folder + "." + path.substr(folder.size()) + ".saving";
}

std::string CommitNotePathFor(const std::string& studyPath) {
    const std::string folder = FolderOfPath(studyPath);
    return folder + "." + studyPath.substr(folder.size()) + ".commit";
}

void FinishInterruptedCommit(const std::string& studyPath, FileStore& store) {
    FileProblem problem = FileProblem::None;
    const std::string target = ResolvedTarget(studyPath, problem);
    if (problem != FileProblem::None && problem != FileProblem::Missing) {
        return;
    }
    if (!FileExists(CommitNotePathFor(target)) && !FileExists(TemporaryPathFor(target)) &&
        !FileExists(TemporaryPathFor(CompanionPathOf(target))) &&
        !FileExists(TemporaryPathFor(BackupPathOf(target)))) {
        return; // the usual case: nothing left behind, no lock needed
    }
    FolderLock lock(FolderOfPath(target), kSaveLockWaitMilliseconds);
    FinishLocked(target, store);
}

CommitResult CommitStudyFiles(const StudyCommit& commit, FileStore& store) {
    FileProblem problem = FileProblem::None;
    const std::string studyTarget = ResolvedTarget(commit.studyPath, problem);
    if (problem != FileProblem::None) {
        return {problem, commit.studyPath};
    }
    // Every target is checked before anything is written.
    std::vector<std::string> targets;
    for (const PendingFile& file : commit.files) {
        const std::string target = ResolvedTarget(file.path, problem);
        if (problem == FileProblem::None) {
            problem = ReplaceableProblem(target);
        }
        if (problem != FileProblem::None) {
            return {problem, file.path};
        }
        targets.push_back(target);
    }

    FolderLock lock(FolderOfPath(studyTarget), kSaveLockWaitMilliseconds);
    FinishLocked(studyTarget, store);

    std::vector<std::string> written;
    const auto dropWritten = [&] {
        for (const std::string& temp : written) {
            store.Remove(temp);
        }
    };
    for (size_t i = 0; i < commit.files.size(); ++i) {
        const std::string temp = TemporaryPathFor(targets[i]);
        written.push_back(temp);
        if (!store.WriteDurably(temp, commit.files[i].bytes)) {
            dropWritten();
            return {FileProblem::WriteError, commit.files[i].path};
        }
    }
    std::vector<NoteLine> lines;
    std::set<std::string> folders{FolderOfPath(studyTarget)};
    for (const std::string& target : targets) {
        lines.push_back({'R', target});
        folders.insert(FolderOfPath(target));
    }
    for (const std::string& removal : commit.removals) {
        lines.push_back({'D', Absolute(removal)});
        folders.insert(FolderOfPath(Absolute(removal)));
    }
    for (const std::string& folder : folders) {
        store.SyncFolder(folder); // the temporary files' names are on the disk
    }
    // The commit: the note appears whole, in one rename.
    const std::string notePath = CommitNotePathFor(studyTarget);
    if (!store.WriteDurably(notePath + ".new", FormatNote(lines)) ||
        !store.Rename(notePath + ".new", notePath)) {
        store.Remove(notePath + ".new");
        dropWritten();
        return {FileProblem::WriteError, commit.studyPath};
    }
    store.SyncFolder(FolderOfPath(notePath));
    // From here the new files win: what a failure leaves is completed later.
    bool renamed = true;
    for (size_t i = 0; i < targets.size(); ++i) {
        renamed = store.Rename(TemporaryPathFor(targets[i]), targets[i]) && renamed;
    }
    for (const std::string& removal : commit.removals) {
        store.Remove(removal);
    }
    for (const std::string& folder : folders) {
        store.SyncFolder(folder);
    }
    if (renamed) {
        store.Remove(notePath);
        store.SyncFolder(FolderOfPath(notePath));
    }
    // Otherwise the note stays: the next open or save of the study completes it.
    return {};
}

} // namespace pyrostat
