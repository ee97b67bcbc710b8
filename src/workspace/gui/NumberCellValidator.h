#pragma once

#include "program/NumberLocale.h"

#include <QValidator>

namespace pyrostat {

// The number cells' editor check: refuses, as typed, what a number cell would
// not take (see CheckNumberInput).
class NumberCellValidator : public QValidator {
    Q_OBJECT

public:
    NumberCellValidator(NumberLocale locale, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    NumberLocale locale_;
};

} // namespace pyrostat
