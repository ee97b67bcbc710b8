#include "platform/RecordFile.h"

#include "platform/FileAccess.h"

namespace pyrostat {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes) == FileProblem::None;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    return ReplaceFileSafely(path, bytes) == FileProblem::None;
}

RecordFileContents ReadRecordFile(const std::string& path, size_t recordLength) {
    RecordFileContents contents;
    std::string bytes;
    if (recordLength == 0) {
        return contents;
    }
    contents.problem = ReadRegularFile(path, bytes);
    if (contents.problem != FileProblem::None) {
        return contents;
    }
    contents.opened = true;
    const size_t whole = bytes.size() / recordLength;
    contents.partial = bytes.size() % recordLength != 0;
    contents.records.reserve(whole);
    for (size_t i = 0; i < whole; ++i) {
        contents.records.push_back(bytes.substr(i * recordLength, recordLength));
    }
    return contents;
}

} // namespace pyrostat
