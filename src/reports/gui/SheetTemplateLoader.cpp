#include "reports/gui/SheetTemplateLoader.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <mutex>
#include <optional>

namespace pyrostat {

namespace {

std::optional<BorderLine> BorderOf(const QJsonValue& v) {
    const QString s = v.toString();
    if (s == "none") {
        return BorderLine::None;
    }
    if (s == "thin") {
        return BorderLine::Thin;
    }
    if (s == "medium") {
        return BorderLine::Medium;
    }
    if (s == "double") {
        return BorderLine::Double;
    }
    return std::nullopt;
}

std::optional<uint32_t> ColourOf(const QJsonValue& v) {
    const QString s = v.toString();
    if (s.size() != 7 || s[0] != '#') {
        return std::nullopt;
    }
    bool ok = false;
    const uint32_t rgb = s.mid(1).toUInt(&ok, 16);
    return ok ? std::optional<uint32_t>(rgb) : std::nullopt;
}

// Applies the members of a style object on top of `f`; false with `what` set
// for a member of the wrong kind.
bool ApplyStyle(const QJsonObject& style, CellFormat& f, QString& what) {
    for (auto it = style.begin(); it != style.end(); ++it) {
        const QString key = it.key();
        const QJsonValue v = it.value();
        if (key == "font") {
            if (!v.isString()) {
                return what = key, false;
            }
            f.fontName = v.toString().toStdString();
        } else if (key == "size") {
            if (!v.isDouble() || v.toDouble() < 4 || v.toDouble() > 72) {
                return what = key, false;
            }
            f.fontSize = v.toDouble();
        } else if (key == "bold" || key == "italic" || key == "wrap" || key == "shrink") {
            if (!v.isBool()) {
                return what = key, false;
            }
            (key == "bold"     ? f.bold
             : key == "italic" ? f.italic
             : key == "wrap"   ? f.wrap
                               : f.shrink) = v.toBool();
        } else if (key == "color") {
            auto c = ColourOf(v);
            if (!c) {
                return what = key, false;
            }
            f.fontRgb = *c;
        } else if (key == "fill") {
            auto c = ColourOf(v);
            if (!c) {
                return what = key, false;
            }
            f.fillRgb = *c;
            f.interiorPattern = kPatternSolid;
        } else if (key == "align") {
            const QString s = v.toString();
            if (s == "left") {
                f.hAlign = HorizontalAlign::Left;
            } else if (s == "center") {
                f.hAlign = HorizontalAlign::Center;
            } else if (s == "right") {
                f.hAlign = HorizontalAlign::Right;
            } else if (s == "general") {
                f.hAlign = HorizontalAlign::General;
            } else {
                return what = key, false;
            }
        } else if (key == "valign") {
            const QString s = v.toString();
            if (s == "top") {
                f.vAlign = VerticalAlign::Top;
            } else if (s == "center") {
                f.vAlign = VerticalAlign::Center;
            } else if (s == "bottom") {
                f.vAlign = VerticalAlign::Bottom;
            } else {
                return what = key, false;
            }
        } else if (key == "number_format") {
            if (!v.isString()) {
                return what = key, false;
            }
            f.numberFormat = v.toString().toStdString();
        } else if (key.startsWith("border")) {
            auto b = BorderOf(v);
            if (!b) {
                return what = key, false;
            }
            if (key == "border") {
                f.left = f.top = f.right = f.bottom = *b;
            } else if (key == "border_left") {
                f.left = *b;
            } else if (key == "border_top") {
                f.top = *b;
            } else if (key == "border_right") {
                f.right = *b;
            } else if (key == "border_bottom") {
                f.bottom = *b;
            } else {
                return what = key, false;
            }
        } else {
            return what = key, false;
        }
    }
    return true;
}

} // namespace

bool SheetTemplateLoader::Fail(const QString& message) {
    error_ = message;
    return false;
}

bool SheetTemplateLoader::LoadFile(const QString& path, SheetModel& model) {
    // Through the program's own reader: a FIFO or a folder in its place is
    // told, never waited on. A page block description is small; anything far
    // larger is not one.
    std::string bytes;
    const FileProblem problem = ReadRegularFile(path.toStdString(), bytes, 4 * 1024 * 1024);
    if (problem != FileProblem::None) {
        return Fail(QString::fromStdString(FileProblemMessage(path.toStdString(), problem)));
    }
    // A template read before with the very same bytes is taken as it was
    // made then (the start reads the report's own while the study is being
    // calculated); any change of the file makes it again.
    static std::mutex lock;
    static std::map<std::string, std::pair<std::string, SheetModel>> made;
    const std::string key = path.toStdString();
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = made.find(key);
        if (found != made.end() && found->second.first == bytes) {
            error_.clear();
            model = found->second.second;
            return true;
        }
    }
    if (!Load(QByteArray::fromStdString(bytes), model)) {
        return false;
    }
    const std::lock_guard<std::mutex> hold(lock);
    made[key] = {std::move(bytes), model};
    return true;
}

void PreloadSheetTemplate(const std::string& path) {
    SheetModel unused;
    SheetTemplateLoader().LoadFile(QString::fromStdString(path), unused);
}

bool SheetTemplateLoader::Load(const QByteArray& json, SheetModel& model) {
    error_.clear();
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        return Fail(QStringLiteral("not a JSON object: %1").arg(parseError.errorString()));
    }
    const QJsonObject root = doc.object();
    SheetModel m;

    // Page setup.
    const QJsonObject page = root.value("page").toObject();
    PageSetup& setup = m.Setup();
    const QString paper = page.value("paper").toString("A4");
    if (paper != "A4" && paper != "A3") {
        return Fail("page.paper must be A4 or A3");
    }
    setup.paper = paper.toStdString();
    const QString orientation = page.value("orientation").toString("portrait");
    if (orientation != "portrait" && orientation != "landscape") {
        return Fail("page.orientation must be portrait or landscape");
    }
    setup.landscape = orientation == "landscape";
    if (page.contains("margins_mm")) {
        const QJsonArray margins = page.value("margins_mm").toArray();
        if (margins.size() != 4) {
            return Fail("page.margins_mm needs four numbers: left, top, right, bottom");
        }
        double mm[4];
        for (int i = 0; i < 4; ++i) {
            if (!margins[i].isDouble() || margins[i].toDouble() < 0 || margins[i].toDouble() > 60) {
                return Fail("page.margins_mm holds a number out of 0..60");
            }
            mm[i] = margins[i].toDouble();
        }
        setup.marginLeftMm = mm[0];
        setup.marginTopMm = mm[1];
        setup.marginRightMm = mm[2];
        setup.marginBottomMm = mm[3];
    }
    setup.footer = page.value("footer").toString().toStdString();
    const int printColumns = page.value("print_columns").toInt(0);
    if (printColumns < 0 || printColumns > kMaxColumns) {
        return Fail("page.print_columns out of range");
    }
    setup.printColumns = printColumns;

    // The default font.
    QString what;
    if (root.contains("font")) {
        CellFormat& base = m.DefaultFormat();
        if (!ApplyStyle(root.value("font").toObject(), base, what)) {
            return Fail("font: bad member " + what);
        }
    }
    const CellFormat base = m.Formats()[0];

    // Geometry.
    const QJsonArray columns = root.value("columns").toArray();
    if (columns.size() > kMaxColumns) {
        return Fail("too many columns");
    }
    for (int i = 0; i < columns.size(); ++i) {
        if (!columns[i].isDouble() || columns[i].toDouble() <= 0 || columns[i].toDouble() > 255) {
            return Fail(QStringLiteral("columns[%1] must be a width of 0..255").arg(i));
        }
        m.SetColumnWidth(i + 1, columns[i].toDouble());
    }
    if (root.contains("default_row_height")) {
        const double h = root.value("default_row_height").toDouble(-1);
        if (h <= 0 || h > 409) {
            return Fail("default_row_height out of range");
        }
        m.SetDefaultRowHeight(h);
    }
    const QJsonObject heights = root.value("row_heights").toObject();
    for (auto it = heights.begin(); it != heights.end(); ++it) {
        bool ok = false;
        const int row = it.key().toInt(&ok);
        const double h = it.value().toDouble(-1);
        if (!ok || row < 1 || row > kMaxRows || h <= 0 || h > 409) {
            return Fail("row_heights: bad entry " + it.key());
        }
        m.SetRowHeight(row, h);
    }

    // Named styles, each on top of the default font.
    std::map<QString, QJsonObject> styles;
    const QJsonObject styleObject = root.value("styles").toObject();
    for (auto it = styleObject.begin(); it != styleObject.end(); ++it) {
        if (!it.value().isObject()) {
            return Fail("styles." + it.key() + " is not an object");
        }
        CellFormat probe = base;
        if (!ApplyStyle(it.value().toObject(), probe, what)) {
            return Fail("styles." + it.key() + ": bad member " + what);
        }
        styles[it.key()] = it.value().toObject();
    }

    auto rangeOf = [&](const QJsonObject& entry, CellRange& range) {
        const std::string at = entry.value("at").toString().toStdString();
        return ParseRangeName(at, range) && range.row2 <= kMaxRows && range.col2 <= kMaxColumns;
    };
    auto styleRange = [&](const QJsonObject& entry, const CellRange& range) -> bool {
        if (entry.contains("style")) {
            auto s = styles.find(entry.value("style").toString());
            if (s == styles.end()) {
                return Fail("unknown style " + entry.value("style").toString());
            }
            for (int r = range.row1; r <= range.row2; ++r) {
                for (int c = range.col1; c <= range.col2; ++c) {
                    CellFormat f = m.Format(r, c);
                    if (m.FormatId(r, c) == 0) {
                        f = base;
                    }
                    ApplyStyle(s->second, f, what);
                    m.SetFormat(r, c, f);
                }
            }
        }
        // Lines round the outside of the range, and between its cells.
        if (entry.contains("outline")) {
            auto b = BorderOf(entry.value("outline"));
            if (!b) {
                return Fail("bad outline");
            }
            for (int r = range.row1; r <= range.row2; ++r) {
                for (int c = range.col1; c <= range.col2; ++c) {
                    CellFormat f = m.Format(r, c);
                    if (r == range.row1)
                        f.top = *b;
                    if (r == range.row2)
                        f.bottom = *b;
                    if (c == range.col1)
                        f.left = *b;
                    if (c == range.col2)
                        f.right = *b;
                    m.SetFormat(r, c, f);
                }
            }
        }
        if (entry.contains("inner")) {
            auto b = BorderOf(entry.value("inner"));
            if (!b) {
                return Fail("bad inner");
            }
            for (int r = range.row1; r <= range.row2; ++r) {
                for (int c = range.col1; c <= range.col2; ++c) {
                    CellFormat f = m.Format(r, c);
                    if (r > range.row1)
                        f.top = *b;
                    if (r < range.row2)
                        f.bottom = *b;
                    if (c > range.col1)
                        f.left = *b;
                    if (c < range.col2)
                        f.right = *b;
                    m.SetFormat(r, c, f);
                }
            }
        }
        if (entry.value("merge").toBool(false)) {
            m.AddMerge(range);
        }
        return true;
    };

    // Formats first, then the captions with their own styles on top.
    const QJsonArray formats = root.value("formats").toArray();
    for (int i = 0; i < formats.size(); ++i) {
        const QJsonObject entry = formats[i].toObject();
        CellRange range;
        if (!rangeOf(entry, range)) {
            return Fail(QStringLiteral("formats[%1]: bad range").arg(i));
        }
        if (!styleRange(entry, range)) {
            return false;
        }
    }
    const QJsonArray cells = root.value("cells").toArray();
    for (int i = 0; i < cells.size(); ++i) {
        const QJsonObject entry = cells[i].toObject();
        CellRange range;
        if (!rangeOf(entry, range)) {
            return Fail(QStringLiteral("cells[%1]: bad cell").arg(i));
        }
        if (!styleRange(entry, range)) {
            return false;
        }
        const QJsonValue value = entry.value("value");
        if (value.isString()) {
            m.SetText(range.row1, range.col1, value.toString().toStdString());
        } else if (value.isDouble()) {
            m.SetNumber(range.row1, range.col1, value.toDouble());
        } else if (!value.isUndefined() && !value.isNull()) {
            return Fail(QStringLiteral("cells[%1]: value must be a text or a number").arg(i));
        }
    }
    model = std::move(m);
    return true;
}

} // namespace pyrostat
