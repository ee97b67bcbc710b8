#include "workspace/gui/NumberCellValidator.h"

#include "workspace/CellInput.h"

namespace pyrostat {

NumberCellValidator::NumberCellValidator(NumberLocale locale, QObject* parent)
    : QValidator(parent), locale_(locale) {}

QValidator::State NumberCellValidator::validate(QString& input, int& /*pos*/) const {
    switch (CheckNumberInput(input.toStdString(), locale_)) {
    case InputState::Acceptable:
        return Acceptable;
    case InputState::Intermediate:
        return Intermediate;
    case InputState::Invalid:
        break;
    }
    return Invalid;
}

} // namespace pyrostat
