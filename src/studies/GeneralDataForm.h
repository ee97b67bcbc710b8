#pragma once

#include "program/StateParts.h"

#include <string>
#include <string_view>
#include <utility>

namespace pyrostat {

// What the general data dialog decides, apart from its window: which typed
// texts a box takes and when O.K. is accepted. Esc changes nothing.
class GeneralDataForm {
public:
    // `programFolder` ends with its separator; "Thema.tmp" is written there.
    GeneralDataForm(GeneralDataFields& general, std::string programFolder)
        : state_(general), programFolder_(std::move(programFolder)) {}

    // The texts the boxes open with.
    const std::string& Employer() const { return state_.Employer; }
    const std::string& Project() const { return state_.Project; }
    const std::string& Location() const { return state_.Location; }

    // Whether a box may hold this text: no double quote (it would end the
    // value early in "Thema.tmp") and nothing the code page cannot store.
    static bool AcceptsText(std::string_view utf8);

    // O.K.: with all three texts non-blank, stores them trimmed in the state,
    // writes "Thema.tmp" and returns true (the dialog closes); otherwise
    // changes nothing and returns false (it stays open). `written` tells
    // whether the file could be written.
    bool Confirm(std::string_view employer, std::string_view project, std::string_view location,
                 bool* written = nullptr);

    // The working copy "Thema.tmp" in the program folder.
    std::string WorkingFilePath() const;

private:
    GeneralDataFields& state_;
    std::string programFolder_;
};

} // namespace pyrostat
