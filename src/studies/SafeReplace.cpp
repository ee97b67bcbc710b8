#include "studies/SafeReplace.h"

#include <set>

namespace pyrostat {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

std::string TemporaryPathFor(const std::string& path) {
    const std::string folder = FolderOf(path);
    return folder + "." + path.substr(folder.size()) + ".saving";
}

bool ReplaceFilesSafely(const std::vector<PendingFile>& files, FileStore& store) {
    std::vector<std::string> written;
    for (const PendingFile& file : files) {
        const std::string temp = TemporaryPathFor(file.path);
        if (!store.WriteDurably(temp, file.bytes)) {
            store.Remove(temp);
            for (const std::string& done : written) {
                store.Remove(done);
            }
            return false;
        }
        written.push_back(temp);
    }
    std::set<std::string> folders;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!store.Rename(written[i], files[i].path)) {
            for (size_t j = i; j < files.size(); ++j) {
                store.Remove(written[j]);
            }
            return false;
        }
        folders.insert(FolderOf(files[i].path));
    }
    for (const std::string& folder : folders) {
        store.SyncFolder(folder);
    }
    return true;
}

} // namespace pyrostat
