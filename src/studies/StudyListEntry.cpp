#include "studies/StudyListEntry.h"

#include "platform/FixedRecord.h"

#include <stdexcept>

namespace pyrostat {

std::string StudyListEntry::Pack() const {
    FixedRecord r(kLength);
    r.PutInt16(kEntryNo, EntryNo);
    r.PutText(kListTitle, kTitleWidth, ListTitle);
    r.PutText(kStudyFolder, kFolderWidth, StudyFolder);
    r.PutText(kStudyFileName, kFileNameWidth, StudyFileName);
    r.PutText(kStudyDate, kDateWidth, StudyDate);
    r.PutText(kStudyTime, kTimeWidth, StudyTime);
    r.Fill(kReserved, kReservedWidth, '\0');
    return r.Bytes();
}

StudyListEntry StudyListEntry::Unpack(std::string_view bytes) {
    if (bytes.size() != kLength) {
        throw std::invalid_argument("a list entry is 526 bytes");
    }
    const FixedRecord r = FixedRecord::FromBytes(bytes);
    StudyListEntry e;
    e.EntryNo = r.GetInt16(kEntryNo);
    e.ListTitle = r.GetText(kListTitle, kTitleWidth);
    e.StudyFolder = r.GetText(kStudyFolder, kFolderWidth);
    e.StudyFileName = r.GetText(kStudyFileName, kFileNameWidth);
    e.StudyDate = r.GetText(kStudyDate, kDateWidth);
    e.StudyTime = r.GetText(kStudyTime, kTimeWidth);
    return e;
}

} // namespace pyrostat
