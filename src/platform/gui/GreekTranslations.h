#pragma once

class QCoreApplication;

namespace pyrostat {

// Loads Qt's own Greek translations (Debian's qt6-translations-l10n) so that
// the standard dialogs (file, print, preview) speak Greek like the program.
// Returns false when they are not installed; the dialogs then stay English.
bool InstallGreekTranslations(QCoreApplication& app);

} // namespace pyrostat
