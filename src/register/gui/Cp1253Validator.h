#pragma once

#include <QValidator>

namespace pyrostat {

// Lets into a text box only what the register file can store: characters of
// the Greek code page (Windows-1253). Anything else would come back as "?",
// and a password with such a character could never be typed again.
class Cp1253Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace pyrostat
