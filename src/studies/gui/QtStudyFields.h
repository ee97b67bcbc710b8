#pragma once

#include "studies/StudyWindowFields.h"

class QCheckBox;
class QLineEdit;

namespace pyrostat {

// The main window's title box TxtThema and check box ChkInsulation.
class QtStudyFields : public StudyWindowFields {
public:
    QtStudyFields(QLineEdit* title, QCheckBox* insulation)
        : title_(title), insulation_(insulation) {}

    std::string TitleText() const override;
    void SetTitleText(const std::string& title) override;
    bool InsulationTicked() const override;
    void SetInsulationTicked(bool ticked) override;

private:
    QLineEdit* title_;
    QCheckBox* insulation_;
};

} // namespace pyrostat
