#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// A fixed-length record as it lies on disk: fields packed one after another,
// little-endian, numbers as IEEE singles, texts as Windows-1253 bytes padded
// on the right with blanks. Every accessor checks its bounds; a field outside
// the record is a programming error and throws std::out_of_range.
class FixedRecord {
public:
    explicit FixedRecord(size_t length);
    // Wraps bytes read from a file; `bytes` must be exactly the record length.
    static FixedRecord FromBytes(std::string_view bytes);

    const std::string& Bytes() const { return bytes_; }

    void PutInt16(size_t offset, int16_t value);
    void PutSingle(size_t offset, float value);
    // Trims the UTF-8 text of blanks, converts it to Windows-1253, cuts it to
    // `width` bytes and pads it with blanks.
    void PutText(size_t offset, size_t width, std::string_view utf8);
    // Stores raw bytes (already in the code page), cut or blank-padded to `width`.
    void PutRaw(size_t offset, size_t width, std::string_view bytes, char pad = ' ');
    void Fill(size_t offset, size_t width, char value);

    int16_t GetInt16(size_t offset) const;
    float GetSingle(size_t offset) const;
    // The field's bytes decoded to UTF-8 and trimmed of blanks at both ends.
    std::string GetText(size_t offset, size_t width) const;
    std::string_view GetRaw(size_t offset, size_t width) const;

private:
    void Check(size_t offset, size_t width) const;
    std::string bytes_;
};

// The number of whole records in a file of `fileLength` bytes, and whether a
// partial record trails them.
struct RecordCount {
    size_t whole = 0;
    bool partial = false;
};
RecordCount CountRecords(uint64_t fileLength, size_t recordLength);

} // namespace pyrostat
