#pragma once

#include <QTranslator>

#include <span>

namespace pyrostat {

// Greek for the texts of Qt's standard dialogs that the program shows (message
// box buttons, file dialog, print dialog, print preview, edit menus). Debian
// ships no Greek catalogue of Qt 6, so the program carries its own; a Greek
// catalogue found on the system is installed after it and takes precedence.
class GreekQtCatalogue : public QTranslator {
public:
    explicit GreekQtCatalogue(QObject* parent = nullptr);

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override;
};

// The Greek text of `source` in Qt's translation context `context`, or null.
const char* GreekQtText(const char* context, const char* source);
struct GreekQtEntry {
    const char* context;
    const char* source;
    const char* greek;
};

// Every text of the catalogue.
std::span<const GreekQtEntry> GreekQtEntries();

} // namespace pyrostat
