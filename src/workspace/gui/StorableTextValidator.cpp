#include "workspace/gui/StorableTextValidator.h"

#include "workspace/CellInput.h"

namespace pyrostat {

QValidator::State StorableTextValidator::validate(QString& input, int& /*pos*/) const {
    return CheckStorableText(input.toStdString(), maxChars_) == InputState::Acceptable ? Acceptable
                                                                                       : Invalid;
}

} // namespace pyrostat
