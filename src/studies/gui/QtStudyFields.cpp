#include "studies/gui/QtStudyFields.h"

#include <QCheckBox>
#include <QLineEdit>

namespace pyrostat {

std::string QtStudyFields::TitleText() const {
    return title_ != nullptr ? title_->text().toStdString() : std::string();
}

void QtStudyFields::SetTitleText(const std::string& title) {
    if (title_ != nullptr) {
        title_->setText(QString::fromStdString(title));
    }
}

bool QtStudyFields::InsulationTicked() const {
    return insulation_ != nullptr && insulation_->isChecked();
}

void QtStudyFields::SetInsulationTicked(bool ticked) {
    if (insulation_ != nullptr) {
        insulation_->setChecked(ticked);
    }
}

} // namespace pyrostat
