#pragma once

#include "platform/RememberedChoices.h"

#include <QString>

namespace pyrostat {

// The remembered choices in one small settings file of the user's:
// "pyrostat/pyrostat.conf" under the XDG config folder (~/.config), written
// by QSettings.
class QtChoicesStore : public ChoicesStore {
public:
    // `path` empty: the file under the XDG config folder.
    explicit QtChoicesStore(QString path = {});

    std::optional<RememberedChoices> Load() override;
    bool Save(const RememberedChoices& choices) override;

    const QString& Path() const { return path_; }

private:
    QString path_;
};

} // namespace pyrostat
