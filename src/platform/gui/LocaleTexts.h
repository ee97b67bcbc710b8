#pragma once

#include <QLocale>

#include <string>

namespace pyrostat {

// 2500 formatted with the pattern "#,##0.0" in `locale`: grouped thousands,
// one decimal. The start-up takes the separator codes from this text.
std::string FormatSeparatorSample(const QLocale& locale);

// A date in the locale's short form, always with a four-digit year.
std::string LocaleShortDate(const QLocale& locale, int year, int month, int day);

} // namespace pyrostat
