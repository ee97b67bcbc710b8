#include "studies/GeneralDataForm.h"

#include "platform/RecordFile.h"
#include "platform/Utf8.h"
#include "studies/GeneralDataFile.h"

namespace pyrostat {

bool GeneralDataForm::AcceptsText(std::string_view utf8) {
    return IsGeneralDataText(utf8);
}

bool GeneralDataForm::Confirm(std::string_view employer, std::string_view project,
                              std::string_view location, bool* written) {
    GeneralData data{TrimBlanks(employer), TrimBlanks(project), TrimBlanks(location)};
    if (!data.Complete() || !AcceptsText(data.Employer) || !AcceptsText(data.Project) ||
        !AcceptsText(data.Location)) {
        return false;
    }
    state_.Employer = data.Employer;
    state_.Project = data.Project;
    state_.Location = data.Location;
    const bool ok = WriteWholeFile(programFolder_ + kGeneralDataFileName, FormatGeneralData(data));
    if (written != nullptr) {
        *written = ok;
    }
    return true;
}

std::string GeneralDataForm::WorkingFilePath() const {
    return programFolder_ + kGeneralDataFileName;
}

} // namespace pyrostat
