#include "platform/FixedRecord.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"

#include <bit>
#include <stdexcept>

namespace pyrostat {

FixedRecord::FixedRecord(size_t length) : bytes_(length, '\0') {}

FixedRecord FixedRecord::FromBytes(std::string_view bytes) {
    FixedRecord record(bytes.size());
    record.bytes_.assign(bytes.data(), bytes.size());
    return record;
}

void FixedRecord::Check(size_t offset, size_t width) const {
    if (offset > bytes_.size() || width > bytes_.size() - offset) {
        throw std::out_of_range("record field outside the record");
    }
}

void FixedRecord::PutInt16(size_t offset, int16_t value) {
    Check(offset, 2);
    const auto u = static_cast<uint16_t>(value);
    bytes_[offset] = static_cast<char>(u & 0xFF);
    bytes_[offset + 1] = static_cast<char>(u >> 8);
}

void FixedRecord::PutSingle(size_t offset, float value) {
    Check(offset, 4);
    const auto u = std::bit_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
}

void FixedRecord::PutText(size_t offset, size_t width, std::string_view utf8) {
    PutRaw(offset, width, Utf8ToCp1253(TrimBlanks(utf8)));
}

void FixedRecord::PutRaw(size_t offset, size_t width, std::string_view raw, char pad) {
    Check(offset, width);
    for (size_t i = 0; i < width; ++i) {
        bytes_[offset + i] = i < raw.size() ? raw[i] : pad;
    }
}

void FixedRecord::Fill(size_t offset, size_t width, char value) {
    Check(offset, width);
    bytes_.replace(offset, width, width, value);
}

int16_t FixedRecord::GetInt16(size_t offset) const {
    Check(offset, 2);
    const auto lo = static_cast<unsigned char>(bytes_[offset]);
    const auto hi = static_cast<unsigned char>(bytes_[offset + 1]);
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

float FixedRecord::GetSingle(size_t offset) const {
    Check(offset, 4);
    uint32_t u = 0;
    for (size_t i = 0; i < 4; ++i) {
        u |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[offset + i])) << (8 * i);
    }
    return std::bit_cast<float>(u);
}

std::string FixedRecord::GetText(size_t offset, size_t width) const {
    return TrimBlanks(Cp1253ToUtf8(GetRaw(offset, width)));
}

std::string_view FixedRecord::GetRaw(size_t offset, size_t width) const {
    Check(offset, width);
    return std::string_view(bytes_).substr(offset, width);
}

RecordCount CountRecords(uint64_t fileLength, size_t recordLength) {
    RecordCount count;
    count.whole = static_cast<size_t>(fileLength / recordLength);
    count.partial = (fileLength % recordLength) != 0;
    return count;
}

} // namespace pyrostat
