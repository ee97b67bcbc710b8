#include "studies/gui/GeneralDataValidator.h"

#include "studies/GeneralDataForm.h"

namespace pyrostat {

QValidator::State GeneralDataValidator::validate(QString& input, int& /*pos*/) const {
    return GeneralDataForm::AcceptsText(input.toStdString()) ? Acceptable : Invalid;
}

} // namespace pyrostat
