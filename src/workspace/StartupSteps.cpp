#include "workspace/StartupSteps.h"

#include "platform/TextFold.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace pyrostat {

namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

} // namespace

bool ClaimSingleCopy(SingleCopyLock& lock, const ProgramState& state, MessageService& messages) {
    if (lock.Acquire(state.ProgramFolder)) {
        return true;
    }
    messages.Show(kAlreadyRunningTitle, kAlreadyRunningText, MessageService::Icon::Critical,
                  MessageService::Buttons::Ok);
    return false;
}

void DeleteWorkingFile(const ProgramState& state, std::string_view name) {
    std::error_code ec;
    if (state.ProgramFolder.empty()) {
        return;
    }
    fs::directory_iterator it(state.ProgramFolder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code itemError;
        if (it->is_regular_file(itemError) &&
            SameNameIgnoringCase(it->path().filename().string(), name)) {
            fs::remove(it->path(), itemError);
        }
    }
}

void RemoveWorkingFilesAtStart(const ProgramState& state) {
    DeleteWorkingFile(state, "PYROSTAT.TMP");
    DeleteWorkingFile(state, "THEMA.TMP");
}

void RemoveAllWorkingFiles(const ProgramState& state) {
    DeleteWorkingFile(state, "PYROSTAT.TMP");
    DeleteWorkingFile(state, "THEMA.TMP");
    DeleteWorkingFile(state, "S_PYROS.TMP");
}

bool SetSeparatorCodes(NumberSeparators& state, std::string_view formatted2500) {
    std::u32string chars;
    for (size_t pos = 0; pos < formatted2500.size();) {
        char32_t cp = 0;
        DecodeUtf8(formatted2500, pos, cp);
        chars.push_back(cp);
    }
    auto isDigit = [](char32_t ch) { return ch >= U'0' && ch <= U'9'; };
    char32_t group = 0;
    char32_t decimal = 0;
    if (chars.size() > 5 && !isDigit(chars[1]) && !isDigit(chars[5])) {
        group = chars[1];
        decimal = chars[5];
    } else {
        // Locales that do not group a four-digit number ("2500,0") would make
        // the fixed places name digits; take the separators that are there.
        for (const char32_t ch : chars) {
            if (!isDigit(ch)) {
                group = decimal;
                decimal = ch;
            }
        }
        if (decimal == 0) {
            return false;
        }
    }
    state.DecimalSeparatorCode = decimal < 0x80 ? static_cast<int>(decimal) : '.';
    if (group != 0 && group < 0x80 && static_cast<int>(group) != state.DecimalSeparatorCode) {
        state.ThousandsSeparatorCode = static_cast<int>(group);
    } else {
        state.ThousandsSeparatorCode = ' ';
    }
    return true;
}

} // namespace pyrostat
