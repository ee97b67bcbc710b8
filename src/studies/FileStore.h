#pragma once

#include <string>

namespace pyrostat {

// The few file operations a study save needs, behind an interface so that a
// test can make the disk fail half-way through a write.
class FileStore {
public:
    virtual ~FileStore() = default;

    // Creates or replaces the file with exactly these bytes and forces them to
    // the disk before returning; false on any error (the file may then hold
    // part of the bytes).
    virtual bool WriteDurably(const std::string& path, const std::string& bytes) = 0;
    // Replaces `to` with `from` in one step (both in the same folder).
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Deletes a file that may be missing; errors are ignored.
    virtual void Remove(const std::string& path) = 0;
    // Makes sure the folder exists (creating it when missing); false when it
    // cannot be made.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Forces the folder's entries (after renames) to the disk; errors ignored.
    virtual void SyncFolder(const std::string& path) = 0;
};

} // namespace pyrostat
