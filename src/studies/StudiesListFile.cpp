#include "studies/StudiesListFile.h"

#include "platform/FileAccess.h"

#include "platform/Codepage1253.h"
#include "platform/RecordFile.h"
#include "studies/PropertyRecord.h"
#include "studies/StudyRecords.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace pyrostat {

namespace {

// The name with Latin and Greek capitals made small, for the list's order.
std::u32string FoldedName(const std::string& utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = b;
        size_t n = 1;
        if (b >= 0xF0 && i + 3 < utf8.size()) {
            cp = ((b & 0x07u) << 18) | ((utf8[i + 1] & 0x3Fu) << 12) |
                 ((utf8[i + 2] & 0x3Fu) << 6) | (utf8[i + 3] & 0x3Fu);
            n = 4;
        } else if (b >= 0xE0 && i + 2 < utf8.size()) {
            cp = ((b & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
            n = 3;
        } else if (b >= 0xC0 && i + 1 < utf8.size()) {
            cp = ((b & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu);
            n = 2;
        }
        if (cp >= U'A' && cp <= U'Z') {
            cp += 0x20;
        } else if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) {
            cp += 0x20;
        }
        out.push_back(cp);
        i += n;
    }
    return out;
}

// The title of the study's first record; blank when there is no whole record.
std::string FirstRecordTitle(const std::string& path) {
    std::string bytes;
    if (ReadRegularFile(path, bytes) != FileProblem::None ||
        bytes.size() < PropertyRecord::kLength) {
        return {};
    }
    return PropertyRecord::Unpack(std::string_view(bytes).substr(0, PropertyRecord::kLength)).Title;
}

// Whether the text goes into a field of `width` bytes whole.
bool FitsField(const std::string& utf8, size_t width) {
    bool ok = false;
    const std::string bytes = Utf8ToCp1253(utf8, &ok);
    return ok && bytes.size() <= width && bytes.find(' ') != 0 &&
           (bytes.empty() || bytes.back() != ' ');
}

} // namespace

std::vector<std::string> ListStudyFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        // Only studies the program can read: an unreadable file would be
        // listed and then refused.
        if (HasStudyExtension(name) && ExamineFile(it->path().string()) == FileProblem::None) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::u32string fa = FoldedName(a);
        const std::u32string fb = FoldedName(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

std::vector<StudyListEntry> CollectStudyEntries(const std::string& folder,
                                                const ShortDateFormatter& formatDate) {
    const std::string withSlash = folder.empty() || folder.back() != '/' ? folder + "/" : folder;
    std::vector<StudyListEntry> entries;
    if (!FitsField(withSlash, StudyListEntry::kFolderWidth)) {
        return entries;
    }
    for (const std::string& name : ListStudyFileNames(withSlash)) {
        if (!FitsField(name, StudyListEntry::kFileNameWidth) || entries.size() == 32767) {
            continue;
        }
        const std::string path = withSlash + name;
        StudyListEntry entry;
        entry.EntryNo = static_cast<int16_t>(entries.size() + 1);
        entry.ListTitle = FirstRecordTitle(path);
        entry.StudyFolder = withSlash;
        entry.StudyFileName = name;
        bool ok = false;
        const FileDateParts when = GetFileDateParts(path, formatDate, &ok);
        if (ok) {
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d", when.hour, when.minute);
            entry.StudyDate = when.dateText;
            entry.StudyTime = time;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

FileProblem WriteStudiesList(const std::string& listPath,
                             const std::vector<StudyListEntry>& entries) {
    std::string bytes;
    for (const StudyListEntry& entry : entries) {
        bytes += entry.Pack();
    }
    return ReplaceFileSafely(listPath, bytes);
}

int MakeCurrentStudiesFile(const ProgramState& state, const std::string& folder,
                           const ShortDateFormatter& formatDate) {
    const std::vector<StudyListEntry> entries = CollectStudyEntries(folder, formatDate);
    if (WriteStudiesList(state.InProgramFolder(kStudiesListFileName), entries) !=
        FileProblem::None) {
        return -1;
    }
    return static_cast<int>(entries.size());
}

StudiesList ReadStudiesList(const std::string& path) {
    StudiesList list;
    const RecordFileContents file = ReadRecordFile(path, StudyListEntry::kLength);
    list.partial = file.partial;
    list.entries.reserve(file.records.size());
    for (const std::string& record : file.records) {
        list.entries.push_back(StudyListEntry::Unpack(record));
    }
    return list;
}

std::string FormatStudyCount(long long count, char group) {
    if (count == 0) {
        return {};
    }
    const std::string digits = std::to_string(count);
    // A sign stays before the groups.
    const size_t first = digits.front() == '-' ? 1 : 0;
    std::string out = digits.substr(0, first);
    for (size_t i = first; i < digits.size(); ++i) {
        if (i != first && (digits.size() - i) % 3 == 0) {
            out.push_back(group);
        }
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace pyrostat
