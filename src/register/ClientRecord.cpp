#include "register/ClientRecord.h"

#include "platform/Codepage1253.h"
#include "platform/FixedRecord.h"
#include "platform/Utf8.h"
#include "register/Scrambling.h"

#include <stdexcept>

namespace pyrostat {

std::string ScrambleField(std::string_view utf8, size_t width) {
    std::string plain = Utf8ToCp1253(TrimBlanks(utf8));
    plain.resize(width, ' ');
    std::string stored;
    ScrambleWithFixedKey(plain, stored);
    return stored;
}

std::string UnscrambleField(std::string_view stored) {
    std::string plain;
    UnscrambleWithFixedKey(stored, plain);
    return TrimBlanks(Cp1253ToUtf8(plain));
}

std::string ClientRecord::ToBytes() const {
    FixedRecord record(kLength);
    record.PutInt16(kRecordNoOffset, RecordNo);
    record.PutRaw(kNameOffset, kNameWidth, ScrambleField(EngineerName, kNameWidth));
    record.PutRaw(kPasswordOffset, kPasswordWidth, ScrambleField(Password, kPasswordWidth));
    return record.Bytes();
}

ClientRecord ClientRecord::FromBytes(std::string_view bytes) {
    if (bytes.size() != kLength) {
        throw std::invalid_argument("a register record is 100 bytes");
    }
    const FixedRecord record = FixedRecord::FromBytes(bytes);
    ClientRecord result;
    result.RecordNo = record.GetInt16(kRecordNoOffset);
    result.EngineerName = UnscrambleField(record.GetRaw(kNameOffset, kNameWidth));
    result.Password = UnscrambleField(record.GetRaw(kPasswordOffset, kPasswordWidth));
    return result;
}

} // namespace pyrostat
