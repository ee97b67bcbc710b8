#include "platform/gui/LocaleTexts.h"

#include <QDate>

namespace pyrostat {

std::string FormatSeparatorSample(const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(2500.0, 'f', 1).toStdString();
}

std::string LocaleShortDate(const QLocale& locale, int year, int month, int day) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Short formats often cut the year to two digits; the study list sorts
    // and shows dates by their full year.
    if (!format.contains(QStringLiteral("yyyy"))) {
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return locale.toString(QDate(year, month, day), format).toStdString();
}

} // namespace pyrostat
