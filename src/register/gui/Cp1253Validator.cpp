#include "register/gui/Cp1253Validator.h"

#include "platform/Codepage1253.h"

namespace pyrostat {

QValidator::State Cp1253Validator::validate(QString& input, int& /*pos*/) const {
    return IsCp1253Encodable(input.toStdString()) ? Acceptable : Invalid;
}

} // namespace pyrostat
