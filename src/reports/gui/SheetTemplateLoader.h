#pragma once

#include "reports/SheetModel.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace pyrostat {

// Reads a report template: a JSON description of one page block (page setup,
// column widths, row heights, named styles, captions, merged ranges, borders
// and number formats). Every member is checked for its type and range; a
// template that does not fit is refused with a message naming what is wrong.
class SheetTemplateLoader {
public:
    // The largest page block a template may describe.
    static constexpr int kMaxRows = 2000;
    static constexpr int kMaxColumns = 60;

    bool LoadFile(const QString& path, SheetModel& model);
    bool Load(const QByteArray& json, SheetModel& model);
    const QString& ErrorString() const { return error_; }

private:
    bool Fail(const QString& message);
    QString error_;
};

// Reads and makes a template ahead of the report that will ask for it; a
// template that cannot be read is left for that report to tell.
void PreloadSheetTemplate(const std::string& path);

} // namespace pyrostat
