#pragma once

#include <string>

namespace pyrostat {

// The two controls of the main window that a study carries besides the grid:
// the title box and the insulation check box. The window implements this; the
// command line and the tests use MemoryStudyFields.
class StudyWindowFields {
public:
    virtual ~StudyWindowFields() = default;

    virtual std::string TitleText() const = 0;
    virtual void SetTitleText(const std::string& title) = 0;
    virtual bool InsulationTicked() const = 0;
    virtual void SetInsulationTicked(bool ticked) = 0;
};

} // namespace pyrostat
