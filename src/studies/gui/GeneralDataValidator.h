#pragma once

#include <QValidator>

namespace pyrostat {

// Refuses, as they are typed or pasted, the characters a general-data text
// cannot hold: the double quote and anything outside the Greek code page.
class GeneralDataValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace pyrostat
