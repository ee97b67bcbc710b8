#include "platform/RecordFile.h"

#include <fstream>
#include <iterator>

namespace pyrostat {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

RecordFileContents ReadRecordFile(const std::string& path, size_t recordLength) {
    RecordFileContents contents;
    std::string bytes;
    if (recordLength == 0 || !ReadWholeFile(path, bytes)) {
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
