#pragma once

#include <QValidator>

#include <cstddef>

namespace pyrostat {

// Refuses, as typed, text longer than `maxChars` characters or holding a
// character that Windows-1253 cannot store, so that nothing typed is lost when
// the study is saved (the designation cells, the study title).
class StorableTextValidator : public QValidator {
    Q_OBJECT

public:
    StorableTextValidator(size_t maxChars, QObject* parent)
        : QValidator(parent), maxChars_(maxChars) {}
    State validate(QString& input, int& pos) const override;

private:
    size_t maxChars_;
};

} // namespace pyrostat
