#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// One line of the study browser's list file "Studies.std": 526 bytes,
// little-endian, Windows-1253 texts padded with blanks, 18 zero bytes at the
// end.
struct StudyListEntry {
    static constexpr size_t kLength = 526;
    static constexpr size_t kEntryNo = 0, kListTitle = 2, kStudyFolder = 122, kStudyFileName = 386,
                            kStudyDate = 486, kStudyTime = 498, kReserved = 508;
    static constexpr size_t kTitleWidth = 120, kFolderWidth = 264, kFileNameWidth = 100,
                            kDateWidth = 12, kTimeWidth = 10, kReservedWidth = 18;

    int16_t EntryNo = 0;
    std::string ListTitle;
    std::string StudyFolder;   // ends in "/"
    std::string StudyFileName; // without folder
    std::string StudyDate;
    std::string StudyTime; // "HH:MM"

    std::string Pack() const;
    // `bytes` must be exactly kLength long.
    static StudyListEntry Unpack(std::string_view bytes);
};

} // namespace pyrostat
