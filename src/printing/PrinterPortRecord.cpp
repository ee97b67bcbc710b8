#include "printing/PrinterPortRecord.h"

#include "platform/FixedRecord.h"

namespace pyrostat {

std::string PrinterPortRecord::ToBytes() const {
    FixedRecord record(kLength);
    record.PutInt16(0, RecordNo);
    record.PutText(kNameOffset, kNameWidth, PrinterName);
    record.PutText(kPortOffset, kPortWidth, DriverAndPort);
    record.Fill(kRestOffset, kRestWidth, ' ');
    return record.Bytes();
}

PrinterPortRecord PrinterPortRecord::FromBytes(std::string_view bytes) {
    const FixedRecord record = FixedRecord::FromBytes(bytes);
    PrinterPortRecord result;
    result.RecordNo = record.GetInt16(0);
    result.PrinterName = record.GetText(kNameOffset, kNameWidth);
    result.DriverAndPort = record.GetText(kPortOffset, kPortWidth);
    return result;
}

} // namespace pyrostat
