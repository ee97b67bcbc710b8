#pragma once

class QCoreApplication;

namespace pyrostat {

// Makes Qt's standard dialogs (message boxes, file, print, preview) speak
// Greek like the program: installs the program's own catalogue of their texts
// and, over it, Qt's Greek translations where the system has them. Returns
// true when the system's were found as well.
bool InstallGreekTranslations(QCoreApplication& app);

} // namespace pyrostat
