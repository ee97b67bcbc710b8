#include "platform/gui/GreekTranslations.h"

#include "platform/gui/GreekQtCatalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pyrostat {

bool InstallGreekTranslations(QCoreApplication& app) {
    // Our own catalogue first: translators installed later are asked first,
    // so a Greek catalogue of Qt's, where the system has one, wins.
    QCoreApplication::installTranslator(new GreekQtCatalogue(&app));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool system = false;
    for (const char* name : {"qtbase_el", "qt_el"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder)) {
            QCoreApplication::installTranslator(translator);
            system = true;
        } else {
            delete translator;
        }
    }
    return system;
}

} // namespace pyrostat
