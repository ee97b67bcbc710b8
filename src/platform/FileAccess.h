#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pyrostat {

// What kept a file from being read or written. Every reader and writer of the
// program goes through the two routines below, so a folder, a FIFO, a link
// loop or a read-only file is met with a message and never with a crash or a
// hang.
enum class FileProblem {
    None,
    Missing,      // no such file
    Folder,       // a folder stands where the file belongs
    NotRegular,   // a FIFO, a device or a socket
    NoPermission, // the file or its folder may not be read or written
    LinkLoop,     // symbolic links that point round in a circle
    TooLarge,     // longer than any file of this kind can be
    ReadOnly,     // the file is marked read-only
    NameTooLong,  // a name longer than the file system takes
    ReadError,    // the medium failed while reading
    WriteError,   // no space, or the medium failed while writing
    NoFolder,     // the folder a new file is to be written in does not exist
};

// The largest file the program reads (a study of 500 records is 98 kB).
inline constexpr std::size_t kMaxReadableFile = 16u * 1024u * 1024u;

// Reads a whole regular file. A FIFO is never opened for a blocking read, a
// folder is never read as a stream.
FileProblem ReadRegularFile(const std::string& path, std::string& bytes,
                            std::size_t limit = kMaxReadableFile);

// What stands at `path`, without opening it: None for a regular file the
// program may read, otherwise why it cannot be read as one.
FileProblem ExamineFile(const std::string& path);

// Whether the file at `target` (no link followed) may be replaced: None for
// a writable regular file or no file at all; a folder, another non-regular
// file, a file marked read-only or one the user may not write is refused,
// and so is a new file whose folder is not there.
FileProblem ReplaceableProblem(const std::string& target);

// What can be seen beforehand to stop a write to `path` (its chain of links
// followed): the problems of WriteTargetOf and ReplaceableProblem, None
// when nothing is in the way.
FileProblem WriteProblem(const std::string& path);

// Replaces the file with exactly these bytes, as one step: the bytes go to a
// temporary file beside it, are forced to the disk, and only then take its
// place, keeping its permissions. A symbolic link is followed: the file it
// points to is replaced and the link stays. A read-only file, a folder or
// any other non-regular file in its place is refused and left as it was.
FileProblem ReplaceFileSafely(const std::string& path, const std::string& bytes);

// The path a write to `path` actually replaces: the end of its chain of
// symbolic links (relative links are taken from the link's own folder).
// `problem` tells when the chain loops or names something that is not a
// regular file.
std::string WriteTargetOf(const std::string& path, FileProblem& problem);

// Writes all the bytes to an open file and forces them to the disk; false on
// any error.
bool WriteAllDurably(int fd, std::string_view bytes);

// Removes a file or a symbolic link; a folder in its place, even an empty
// one, is left alone. False when nothing was removed (nothing there, or
// something that may not go).
bool RemoveFileOnly(const std::string& path);

// Forces a folder's entries (after a rename) to the disk; errors are ignored.
// An empty folder is the working folder.
void SyncFolder(const std::string& folder);

// Whether two names lead to one file: the same file on the disk (through
// links too), or, where nothing stands yet, the same place.
bool SameFile(const std::string& a, const std::string& b);

// Greek text of the problem ("είναι φάκελος", ...), to follow a file name.
std::string DescribeFileProblem(FileProblem problem);

// "Το αρχείο <path> <problem>": a whole line to show the user.
std::string FileProblemMessage(const std::string& path, FileProblem problem);

} // namespace pyrostat
