#pragma once

#include "studies/FileStore.h"

#include <string>
#include <vector>

namespace pyrostat {

// One file to put in place: its final path and its whole new content.
struct PendingFile {
    std::string path;
    std::string bytes;
};

// The temporary name a file is written under before it replaces `path`: in the
// same folder, so that the final rename never crosses a file system.
std::string TemporaryPathFor(const std::string& path);

// Writes every file to its temporary name and forces it to the disk; only when
// all of them are safely written are they renamed over the old files. A failed
// write removes the temporaries and leaves every old file as it was; the
// result is then false. A failed rename (rare: the folder changed under us)
// also gives false; each file is then either wholly old or wholly new.
bool ReplaceFilesSafely(const std::vector<PendingFile>& files, FileStore& store);

} // namespace pyrostat
