#include "reports/gui/SheetRenderer.h"

#include "reports/gui/PainterCanvas.h"
#include "reports/gui/PdfCanvas.h"
#include "workspace/NumberText.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QVector>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace pyrostat {

namespace {

// The smallest size a text is printed at; below it, it wraps instead.
constexpr double kLegibleFloorPoints = 6.5;

QColor Rgb(int64_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

double LinePoints(BorderLine line) {
    switch (line) {
    case BorderLine::Thin:
        return 0.5;
    case BorderLine::Medium:
        return 1.3;
    case BorderLine::Double:
        return 0.4;
    case BorderLine::None:
        break;
    }
    return 0;
}

// The border segments of a page joined into as few lines as draw the same
// strokes: a side two neighbouring cells share is drawn once, and the sides
// along one row or column that meet become one line.
QVector<QLineF> JoinedLines(const QVector<QLineF>& segments) {
    std::map<double, std::vector<std::pair<double, double>>> across;
    std::map<double, std::vector<std::pair<double, double>>> down;
    QVector<QLineF> joined;
    for (const QLineF& s : segments) {
        if (s.y1() == s.y2()) {
            across[s.y1()].emplace_back(std::min(s.x1(), s.x2()), std::max(s.x1(), s.x2()));
        } else if (s.x1() == s.x2()) {
            down[s.x1()].emplace_back(std::min(s.y1(), s.y2()), std::max(s.y1(), s.y2()));
        } else {
            joined.append(s);
        }
    }
    auto join = [&joined](auto& byLine, bool horizontal) {
        for (auto& [at, spans] : byLine) {
            std::sort(spans.begin(), spans.end());
            std::pair<double, double> run = spans.front();
            auto flush = [&] {
                joined.append(horizontal ? QLineF(run.first, at, run.second, at)
                                         : QLineF(at, run.first, at, run.second));
            };
            for (size_t i = 1; i < spans.size(); ++i) {
                if (spans[i].first <= run.second + 1e-6) {
                    run.second = std::max(run.second, spans[i].second);
                } else {
                    flush();
                    run = spans[i];
                }
            }
            flush();
        }
    };
    join(across, true);
    join(down, false);
    return joined;
}

// A face of a font (regular, bold, italic) as the sheets take it: resolved at
// one size for every format, which then takes it at its own. The same face
// asked for again is found in Qt's font cache of this thread.
QRawFont FaceOf(const std::string& family, bool bold, bool italic, QPaintDevice& device) {
    QFont font(QString::fromStdString(family));
    font.setPointSizeF(10);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QRawFont::fromFont(QFont(font, &device));
}

} // namespace

// Each format's font, its glyphs and the width of each text measured so far.
// A sheet's texts are plain Greek and Latin: a glyph per character, placed by
// its advance, needs no shaping, and a character met once (a digit, a comma)
// is looked up in the font once for the whole rendering. A text with a
// character the font lacks is left to Qt, which finds it in another font.
struct SheetRenderer::TextCache {
    struct Format {
        std::unique_ptr<QFont> font; // the format's font and its metrics on the device
        std::unique_ptr<QFontMetricsF> metrics;
        double ascent = 0;
        double descent = 0;
        bool made = false;
        QRawFont raw; // at the device's resolution
        // By character: its glyph and advance, looked up in the font once.
        struct Glyph {
            quint32 index = 0;
            double advance = 0;
            char known = 0; // 0 not yet looked up, 1 in the font, 2 not in it
        };
        std::vector<Glyph> glyphs;
        QHash<QString, double> widths; // texts that had to be measured by Qt
    };
    std::vector<Format> formats;
    // Each face (family, weight, slant) resolved once; a format takes it at
    // its own size.
    QHash<QString, QRawFont> faces;

    // The glyphs of `text` at their places on the baseline, and its width;
    // false when a character is not in the font.
    bool Run(Format& f, const QString& text, QVector<quint32>& indexes, QVector<QPointF>& positions,
             double& width) {
        if (!f.raw.isValid()) {
            return false;
        }
        indexes.resize(text.size());
        positions.resize(text.size());
        double x = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t code = text[i].unicode();
            if (code >= f.glyphs.size()) {
                f.glyphs.resize(static_cast<size_t>(code) + 1);
            }
            Format::Glyph& glyph = f.glyphs[code];
            if (glyph.known == 0) {
                const QChar ch(code);
                glyph.known = 2;
                if (!ch.isSurrogate() && ch.category() != QChar::Other_Control) {
                    const QList<quint32> one = f.raw.glyphIndexesForString(QString(ch));
                    if (one.size() == 1 && (one[0] != 0 || ch.isSpace())) {
                        glyph.index = one[0];
                        glyph.advance = f.raw.advancesForGlyphIndexes(one).value(0).x();
                        glyph.known = 1;
                    }
                }
            }
            if (glyph.known != 1) {
                return false;
            }
            indexes[i] = glyph.index;
            positions[i] = QPointF(x, 0);
            x += glyph.advance;
        }
        width = x;
        return true;
    }
};

SheetRenderer::SheetRenderer(const SheetModel& model, char decimalSeparator, char groupSeparator)
    : model_(model), decimal_(decimalSeparator), group_(groupSeparator) {}

double SheetRenderer::ColumnPoints(double characters) {
    // A spreadsheet column of w characters is 7w + 5 pixels wide at 96 dpi.
    return characters <= 0 ? 0.0 : (characters * 7.0 + 5.0) * 0.75;
}

QPageLayout SheetRenderer::PageLayout() const {
    const PageSetup& s = model_.Setup();
    const QPageSize size(s.paper == "A3" ? QPageSize::A3 : QPageSize::A4);
    return QPageLayout(size, s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(s.marginLeftMm, s.marginTopMm, s.marginRightMm, s.marginBottomMm),
                       QPageLayout::Millimeter);
}

bool SheetRenderer::Render(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PainterCanvas canvas(painter, device);
    Render(device, canvas);
    painter.end();
    return true;
}

void SheetRenderer::Render(QPagedPaintDevice& device, SheetCanvas& canvas) const {
    const auto pages = model_.Pages();
    TextCache texts;
    texts.formats.resize(model_.Formats().size());
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            canvas.NewPage();
        }
        RenderPage(canvas, device, pages[i].first, pages[i].second, static_cast<int>(i + 1),
                   static_cast<int>(pages.size()), texts);
    }
}

// One page of the sheet: its block of rows laid out on the paper (the
// columns' and rows' edges, the texts that need a smaller size or more lines,
// the scale), then drawn in layers: interiors, values, borders, the foot line.
class SheetRenderer::Page {
public:
    Page(const SheetModel& model, QPagedPaintDevice& device, TextCache& texts, int first, int last,
         NumberLocale locale)
        : model_(model), device_(device), texts_(texts), locale_(locale), first_(first),
          last_(last), columns_(std::max(model.PrintColumns(), 1)), rows_(last - first + 1),
          k_(device.logicalDpiY() / 72.0),
          paint_(device.pageLayout().paintRectPixels(device.logicalDpiY())), pad_(2.0 * k_),
          begin_(model.Cells().lower_bound({first, 0})),
          end_(model.Cells().lower_bound({last + 1, 0})) {
        // Column edges in device pixels at full size.
        colX_.assign(static_cast<size_t>(columns_) + 2, 0.0);
        for (int c = 1; c <= columns_; ++c) {
            colX_[static_cast<size_t>(c + 1)] =
                colX_[static_cast<size_t>(c)] + ColumnPoints(model_.ColumnWidth(c)) * k_;
        }
        // The merged ranges that touch this page.
        for (const CellRange& m : model_.Merges()) {
            if (m.row2 >= first && m.row1 <= last) {
                merges_.push_back(m);
            }
        }
    }

    void Draw(SheetCanvas& canvas, int pageNo, int pageCount) {
        FitTexts();
        LayOutRows();
        canvas.SetScale(scale_);
        FillInteriors(canvas);
        for (auto it = begin_; it != end_; ++it) {
            DrawValue(canvas, it->first.first, it->first.second, it->second);
        }
        DrawBorders(canvas);
        DrawCharts(canvas);
        canvas.SetScale(1.0);
        DrawFooter(canvas, pageNo, pageCount);
    }

private:
    // How a text that does not fit is set: smaller, down to a legible floor,
    // and below it wrapped onto more lines (its row grows to hold them).
    // Nothing is cut.
    struct TextFit {
        double size = 0; // points
        bool wrap = false;
        int wrapFlags = 0;
    };

    const CellRange* MergeAt(int r, int c) const {
        for (const CellRange& m : merges_) {
            if (m.Contains(r, c)) {
                return &m;
            }
        }
        return nullptr;
    }

    // One font and its metrics per format, made on first use for the whole
    // rendering.
    const QFont& FontOf(size_t formatId) {
        TextCache::Format& g = texts_.formats[formatId];
        if (!g.font) {
            const CellFormat& f = model_.Formats()[formatId];
            auto made = std::make_unique<QFont>(QString::fromStdString(f.fontName));
            made->setPointSizeF(f.fontSize);
            made->setBold(f.bold);
            made->setItalic(f.italic);
            made->setHintingPreference(QFont::PreferNoHinting);
            g.font = std::move(made);
        }
        return *g.font;
    }

    // Its metrics, for a text the font's glyphs alone cannot give: each size
    // of a font Qt resolves costs a query to the system's font configuration.
    const QFontMetricsF& MetricsOf(size_t formatId) {
        TextCache::Format& g = texts_.formats[formatId];
        if (!g.metrics) {
            g.metrics = std::make_unique<QFontMetricsF>(FontOf(formatId), &device_);
        }
        return *g.metrics;
    }

    // A format's glyphs, its font resolved once for the whole rendering.
    TextCache::Format& GlyphsOf(size_t formatId) {
        TextCache::Format& g = texts_.formats[formatId];
        if (!g.made) {
            g.made = true;
            const CellFormat& f = model_.Formats()[formatId];
            const QString face = QString::fromStdString(f.fontName) + QLatin1Char('|') +
                                 QLatin1Char(f.bold ? 'b' : 'n') +
                                 QLatin1Char(f.italic ? 'i' : 'n');
            auto found = texts_.faces.constFind(face);
            if (found == texts_.faces.constEnd()) {
                found = texts_.faces.insert(face, FaceOf(f.fontName, f.bold, f.italic, device_));
            }
            g.raw = *found;
            g.raw.setPixelSize(f.fontSize * device_.logicalDpiY() / 72.0);
            g.ascent = g.raw.isValid() ? g.raw.ascent() : MetricsOf(formatId).ascent();
            g.descent = g.raw.isValid() ? g.raw.descent() : MetricsOf(formatId).descent();
        }
        return g;
    }

    // A text's width in its format's font, in device pixels.
    double WidthOf(size_t formatId, const QString& text) {
        TextCache::Format& g = GlyphsOf(formatId);
        double width = 0;
        if (texts_.Run(g, text, indexes_, positions_, width)) {
            return width;
        }
        const auto found = g.widths.constFind(text);
        if (found != g.widths.constEnd()) {
            return *found;
        }
        width = MetricsOf(formatId).horizontalAdvance(text);
        g.widths.insert(text, width);
        return width;
    }

    // The width a text of a cell has, in device pixels: its cell or merged
    // range, and for a text too long for its cell the empty cells to its
    // right it runs on over, as on a spreadsheet.
    std::pair<double, double> TextSpan(int r, int c, const CellRange* m, const CellFormat& f,
                                       bool number, double textW, HorizontalAlign align) const {
        double left = colX_[static_cast<size_t>(m ? m->col1 : c)];
        double right = colX_[static_cast<size_t>(std::min(m ? m->col2 : c, columns_) + 1)];
        if (!m && !f.wrap && !number && align == HorizontalAlign::Left &&
            textW + 2 * pad_ > right - left) {
            for (int next = c + 1; next <= columns_ && textW + 2 * pad_ > right - left; ++next) {
                if (model_.Value(r, next).kind != SheetValue::Kind::Empty || MergeAt(r, next)) {
                    break;
                }
                right = colX_[static_cast<size_t>(next + 1)];
            }
        }
        return {left, right};
    }

    // Whether the cell is drawn for itself: not a cell a merged range covers
    // below or right of its first one.
    bool Hidden(int r, int c, const CellRange* m) const {
        return m && !(m->row1 == r && m->col1 == c);
    }

    // The texts that do not fit their cells, and the height their rows need.
    void FitTexts() {
        rowNeed_.assign(static_cast<size_t>(rows_), 0.0);
        for (auto it = begin_; it != end_; ++it) {
            const auto [r, c] = it->first;
            const SheetValue& v = it->second.value;
            if (c > columns_ || v.kind != SheetValue::Kind::Text || v.text.empty()) {
                continue;
            }
            const CellRange* m = MergeAt(r, c);
            if (Hidden(r, c, m)) {
                continue;
            }
            const size_t formatId = static_cast<size_t>(it->second.format);
            const CellFormat& f = model_.Formats()[formatId];
            if (f.wrap) {
                continue; // the template's own wrapped captions: see DrawValue
            }
            const QString text = QString::fromStdString(v.text);
            const HorizontalAlign align =
                f.hAlign == HorizontalAlign::General ? HorizontalAlign::Left : f.hAlign;
            const double textW = WidthOf(formatId, text);
            const auto [left, right] = TextSpan(r, c, m, f, false, textW, align);
            const double width = right - left - 2 * pad_;
            if (textW <= width || width <= 0) {
                continue;
            }
            TextFit fit;
            fit.size = f.fontSize * width / textW;
            if (fit.size < kLegibleFloorPoints) {
                fit = Wrapped(formatId, f, text, width, r, m);
            }
            fits_[{r, c}] = fit;
        }
    }

    // A text wrapped at the largest size from the floor up that keeps it to
    // two lines, or at the floor on as many lines as it needs; its last row
    // grows to hold it.
    TextFit Wrapped(size_t formatId, const CellFormat& f, const QString& text, double width, int r,
                    const CellRange* m) {
        TextFit fit;
        fit.wrap = true;
        fit.size = kLegibleFloorPoints;
        fit.wrapFlags = Qt::TextWordWrap;
        QFont trial = FontOf(formatId);
        for (double size = std::min(f.fontSize, 2.0 * kLegibleFloorPoints);
             size >= kLegibleFloorPoints; size -= 0.25) {
            trial.setPointSizeF(size);
            const QFontMetricsF at(trial, &device_);
            const QRectF box = at.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text);
            if (box.width() <= width + 0.5 && box.height() <= 2.05 * at.lineSpacing()) {
                fit.size = size;
                break;
            }
        }
        trial.setPointSizeF(fit.size);
        const QFontMetricsF at(trial, &device_);
        // A word wider than the cell even at the floor breaks where it must.
        for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
            if (at.horizontalAdvance(word) > width) {
                fit.wrapFlags = Qt::TextWrapAnywhere;
            }
        }
        const double height =
            at.boundingRect(QRectF(0, 0, width, 1e6), fit.wrapFlags, text).height() + 1.5 * k_;
        const int lastRow = m ? std::min(m->row2, last_) : r;
        double have = 0;
        for (int row = r; row <= lastRow; ++row) {
            have += model_.RowHeight(row) * k_;
        }
        if (height > have) {
            double& need = rowNeed_[static_cast<size_t>(lastRow - first_)];
            need = std::max(need, model_.RowHeight(lastRow) * k_ + (height - have));
        }
        return fit;
    }

    // The rows' edges, and the scale that fits the block to the paper's
    // printable width (and further down to its height, less the foot line).
    void LayOutRows() {
        rowY_.assign(static_cast<size_t>(rows_) + 1, 0.0);
        for (int i = 0; i < rows_; ++i) {
            rowY_[static_cast<size_t>(i + 1)] =
                rowY_[static_cast<size_t>(i)] +
                std::max(model_.RowHeight(first_ + i) * k_, rowNeed_[static_cast<size_t>(i)]);
        }
        const double sheetW = colX_[static_cast<size_t>(columns_ + 1)];
        const double sheetH = rowY_[static_cast<size_t>(rows_)];
        footerH_ = model_.Setup().footer.empty() ? 0.0 : 16.0 * k_;
        scale_ = sheetW > 0 ? paint_.width() / sheetW : 1.0;
        if (sheetH * scale_ > paint_.height() - footerH_ && sheetH > 0) {
            scale_ = (paint_.height() - footerH_) / sheetH;
        }
    }

    QRectF CellRect(int r1, int c1, int r2, int c2) const {
        r1 = std::max(r1, first_);
        r2 = std::min(r2, last_);
        c2 = std::min(c2, columns_);
        return QRectF(
            QPointF(colX_[static_cast<size_t>(c1)], rowY_[static_cast<size_t>(r1 - first_)]),
            QPointF(colX_[static_cast<size_t>(c2 + 1)],
                    rowY_[static_cast<size_t>(r2 - first_ + 1)]));
    }

    QRectF RectOf(int r, int c, const CellRange* m) const {
        return m ? CellRect(m->row1, m->col1, m->row2, m->col2) : CellRect(r, c, r, c);
    }

    // Interiors first, so that text and lines lie on top; one call a colour.
    void FillInteriors(SheetCanvas& canvas) {
        std::map<int64_t, QVector<QRectF>> interiors;
        for (auto it = begin_; it != end_; ++it) {
            const auto [r, c] = it->first;
            if (c > columns_) {
                continue;
            }
            const CellFormat& f = model_.Formats()[static_cast<size_t>(it->second.format)];
            const int64_t fill = EffectiveFill(f);
            if (fill < 0) {
                continue;
            }
            const CellRange* m = MergeAt(r, c);
            if (Hidden(r, c, m) && m->row1 >= first_) {
                continue;
            }
            interiors[fill].append(RectOf(r, c, m));
        }
        for (const auto& [fill, rects] : interiors) {
            canvas.FillRects(Rgb(fill), rects);
        }
    }

    static int AlignmentFlags(HorizontalAlign align, VerticalAlign vAlign) {
        int flags = 0;
        switch (align) {
        case HorizontalAlign::Center:
            flags |= Qt::AlignHCenter;
            break;
        case HorizontalAlign::Right:
            flags |= Qt::AlignRight;
            break;
        default:
            flags |= Qt::AlignLeft;
            break;
        }
        switch (vAlign) {
        case VerticalAlign::Top:
            flags |= Qt::AlignTop;
            break;
        case VerticalAlign::Center:
            flags |= Qt::AlignVCenter;
            break;
        case VerticalAlign::Bottom:
            flags |= Qt::AlignBottom;
            break;
        }
        return flags;
    }

    void DrawValue(SheetCanvas& canvas, int r, int c, const SheetModel::Cell& cell) {
        const SheetValue& v = cell.value;
        if (c > columns_ || v.kind == SheetValue::Kind::Empty) {
            return;
        }
        const CellRange* m = MergeAt(r, c);
        if (Hidden(r, c, m)) {
            return;
        }
        const size_t formatId = static_cast<size_t>(cell.format);
        const CellFormat& f = model_.Formats()[formatId];
        const bool number = v.kind == SheetValue::Kind::Number;
        const QString text = QString::fromStdString(
            number ? FormatSheetNumber(v.number, f.numberFormat, locale_) : v.text);
        QRectF rect = RectOf(r, c, m);
        QFont font = FontOf(formatId);

        HorizontalAlign align = f.hAlign;
        if (align == HorizontalAlign::General) {
            align = number ? HorizontalAlign::Right : HorizontalAlign::Left;
        }
        double textW = WidthOf(formatId, text);
        const auto [left, right] = TextSpan(r, c, m, f, number, textW, align);
        rect.setLeft(left);
        rect.setRight(right);
        // A number that does not fit is drawn smaller.
        if (number && !f.wrap && textW + 2 * pad_ > rect.width() && textW > 0) {
            const double factor = std::max(0.5, (rect.width() - 2 * pad_) / textW);
            font.setPointSizeF(f.fontSize * factor);
            textW *= factor;
        }
        // A caption the template wraps breaks between words only: a word
        // wider than the cell makes the whole caption smaller.
        if (f.wrap) {
            double widest = 0;
            for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
                widest = std::max(widest, WidthOf(formatId, word));
            }
            if (widest + 2 * pad_ > rect.width() && widest > 0) {
                font.setPointSizeF(f.fontSize * std::max(0.5, (rect.width() - 2 * pad_) / widest));
            }
        }
        // A text set smaller or wrapped (see FitTexts).
        int wrapFlags = f.wrap ? static_cast<int>(Qt::TextWordWrap) : 0;
        if (const auto fit = fits_.find({r, c}); fit != fits_.end()) {
            font.setPointSizeF(fit->second.size);
            textW *= fit->second.size / f.fontSize;
            if (fit->second.wrap) {
                wrapFlags = fit->second.wrapFlags;
            }
        }
        const QColor colour = Rgb(f.fontRgb);
        const QRectF inner = rect.adjusted(pad_, k_ * 0.5, -pad_, -k_ * 1.0);
        if (wrapFlags == 0 && textW <= inner.width() + 0.5) {
            DrawLine(canvas, formatId, f, font, align, inner, textW, colour, text);
        } else {
            // Only a number drawn at its smallest may still need its cell's
            // edges; a text has been made to fit.
            canvas.Text(inner, AlignmentFlags(align, f.vAlign) | wrapFlags, font, colour, text,
                        number ? rect : QRectF());
        }
    }

    // One line that fits: drawn at its baseline, with no layout and no clip
    // (the common case, and most of the time a page takes).
    void DrawLine(SheetCanvas& canvas, size_t formatId, const CellFormat& f, const QFont& font,
                  HorizontalAlign align, const QRectF& inner, double textW, const QColor& colour,
                  const QString& text) {
        const bool resized = font.pointSizeF() != f.fontSize;
        // Without hinting a font's ascent and descent grow with its size.
        TextCache::Format& g = GlyphsOf(formatId);
        const double factor = font.pointSizeF() / f.fontSize;
        const double ascent = g.ascent * factor;
        const double descent = g.descent * factor;
        double x = inner.left();
        if (align == HorizontalAlign::Right) {
            x = inner.right() - textW;
        } else if (align == HorizontalAlign::Center) {
            x = inner.left() + (inner.width() - textW) / 2.0;
        }
        double y = inner.bottom() - descent;
        if (f.vAlign == VerticalAlign::Top) {
            y = inner.top() + ascent;
        } else if (f.vAlign == VerticalAlign::Center) {
            y = inner.top() + (inner.height() + ascent - descent) / 2.0;
        }
        double width = 0;
        if (!texts_.Run(g, text, indexes_, positions_, width)) {
            canvas.Text(QPointF(x, y), font, colour, text);
            return;
        }
        QRawFont raw = g.raw;
        if (resized) {
            raw.setPixelSize(g.raw.pixelSize() * factor);
            for (QPointF& p : positions_) {
                p.rx() *= factor;
            }
        }
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        canvas.Glyphs(QPointF(x, y), run, colour, text);
    }

    // Lines: gathered by their width and drawn in one call each.
    void DrawBorders(SheetCanvas& canvas) {
        std::map<double, QVector<QLineF>> lines;
        for (auto it = begin_; it != end_; ++it) {
            const auto [r, c] = it->first;
            if (c > columns_) {
                continue;
            }
            const CellFormat& f = model_.Formats()[static_cast<size_t>(it->second.format)];
            if (f.left == BorderLine::None && f.top == BorderLine::None &&
                f.right == BorderLine::None && f.bottom == BorderLine::None) {
                continue;
            }
            const QRectF rect = CellRect(r, c, r, c);
            auto side = [&](BorderLine line, QPointF a, QPointF b, QPointF inward) {
                if (line == BorderLine::None) {
                    return;
                }
                QVector<QLineF>& batch = lines[LinePoints(line) * k_];
                batch.append(QLineF(a, b));
                if (line == BorderLine::Double) {
                    const QPointF d = inward * (1.2 * k_);
                    batch.append(QLineF(a + d, b + d));
                }
            };
            side(f.top, rect.topLeft(), rect.topRight(), QPointF(0, 1));
            side(f.bottom, rect.bottomLeft(), rect.bottomRight(), QPointF(0, -1));
            side(f.left, rect.topLeft(), rect.bottomLeft(), QPointF(1, 0));
            side(f.right, rect.topRight(), rect.bottomRight(), QPointF(-1, 0));
        }
        for (const auto& [width, batch] : lines) {
            canvas.StrokeLines(width, JoinedLines(batch));
        }
    }

    // The charts whose cells begin on this page, drawn as shapes over them:
    // the bars, their values, the categories under them, a base line and,
    // with more than one series, a key.
    void DrawCharts(SheetCanvas& canvas) {
        for (const SheetChart& chart : model_.Charts()) {
            if (chart.anchor.row1 < first_ || chart.anchor.row1 > last_ || chart.series.empty() ||
                chart.categories.empty()) {
                continue;
            }
            DrawChart(canvas, chart);
        }
    }

    void DrawChart(SheetCanvas& canvas, const SheetChart& chart) {
        const QRectF box =
            CellRect(chart.anchor.row1, chart.anchor.col1, chart.anchor.row2, chart.anchor.col2)
                .adjusted(pad_, pad_, -pad_, -pad_);
        QFont small(QString::fromStdString(model_.Formats()[0].fontName));
        small.setPointSizeF(6.5);
        small.setHintingPreference(QFont::PreferNoHinting);
        const double line = 8.5 * k_;
        double top = box.top();
        if (!chart.title.empty()) {
            QFont bold = small;
            bold.setBold(true);
            canvas.Text(QRectF(box.left(), top, box.width(), line), Qt::AlignLeft | Qt::AlignTop,
                        bold, Qt::black, QString::fromStdString(chart.title), QRectF());
            top += line;
        }
        const size_t count = chart.categories.size();
        const size_t series = chart.series.size();
        if (series > 1) {
            // The key, on one line: a square of each series' colour and its name.
            double x = box.left();
            for (const ChartSeries& s : chart.series) {
                canvas.FillRects(Rgb(s.rgb), {QRectF(x, top + 1.5 * k_, 5 * k_, 5 * k_)});
                const QString name = QString::fromStdString(s.name);
                const double width = QFontMetricsF(small, &device_).horizontalAdvance(name);
                canvas.Text(QRectF(x + 7 * k_, top, width + 2 * k_, line),
                            Qt::AlignLeft | Qt::AlignTop, small, Qt::black, name, QRectF());
                x += 7 * k_ + width + 10 * k_;
            }
            top += line;
        }
        // Categories under the bars: every one when they fit, else every k-th.
        const double labelH = line;
        const QRectF plot(QPointF(box.left(), top + line),
                          QPointF(box.right(), box.bottom() - labelH));
        if (plot.height() <= 0 || plot.width() <= 0) {
            return;
        }
        double highest = 0;
        for (const ChartSeries& s : chart.series) {
            for (const double v : s.values) {
                highest = std::max(highest, v);
            }
        }
        const double group = plot.width() / static_cast<double>(count);
        const double bar = group * 0.75 / static_cast<double>(series);
        const bool valuesFit = bar >= 14 * k_;
        const int step = std::max(
            1, static_cast<int>(std::ceil(static_cast<double>(count) * 40 * k_ / plot.width())));
        for (size_t i = 0; i < count; ++i) {
            const double x0 = plot.left() + group * static_cast<double>(i) + group * 0.125;
            for (size_t k = 0; k < series; ++k) {
                const ChartSeries& s = chart.series[k];
                const double v = i < s.values.size() ? s.values[i] : 0.0;
                const double h = highest > 0 ? std::max(v, 0.0) / highest * plot.height() : 0.0;
                const QRectF r(x0 + bar * static_cast<double>(k), plot.bottom() - h, bar, h);
                canvas.FillRects(Rgb(s.rgb), {r});
                if (valuesFit) {
                    canvas.Text(
                        QRectF(r.left() - 4 * k_, r.top() - line, r.width() + 8 * k_, line),
                        Qt::AlignHCenter | Qt::AlignBottom, small, Qt::black,
                        QString::fromStdString(FormatSheetNumber(v, chart.valueFormat, locale_)),
                        QRectF());
                }
            }
            if (static_cast<int>(i) % step == 0) {
                canvas.Text(QRectF(plot.left() + group * static_cast<double>(i) - group,
                                   plot.bottom() + 1 * k_, group * 3, labelH),
                            Qt::AlignHCenter | Qt::AlignTop, small, Qt::black,
                            QString::fromStdString(chart.categories[i]), QRectF());
            }
        }
        canvas.StrokeLines(0.75 * k_, {QLineF(plot.bottomLeft(), plot.bottomRight())});
    }

    void DrawFooter(SheetCanvas& canvas, int pageNo, int pageCount) {
        const std::string& footer = model_.Setup().footer;
        if (footer.empty()) {
            return;
        }
        QString text = QString::fromStdString(footer);
        text.replace("&P", QString::number(pageNo));
        text.replace("&N", QString::number(pageCount));
        QFont font(QString::fromStdString(model_.Formats()[0].fontName));
        font.setPointSizeF(8);
        font.setHintingPreference(QFont::PreferNoHinting);
        canvas.Text(QRectF(0, paint_.height() - footerH_, paint_.width(), footerH_),
                    Qt::AlignHCenter | Qt::AlignBottom, font, Qt::black, text, QRectF());
    }

    using CellIterator = std::map<std::pair<int, int>, SheetModel::Cell>::const_iterator;

    const SheetModel& model_;
    QPagedPaintDevice& device_;
    TextCache& texts_;
    const NumberLocale locale_;
    const int first_, last_, columns_, rows_;
    const double k_; // device pixels per point
    const QRect paint_;
    const double pad_;
    const CellIterator begin_, end_;
    std::vector<double> colX_, rowY_, rowNeed_;
    std::vector<CellRange> merges_;
    std::map<std::pair<int, int>, TextFit> fits_;
    double scale_ = 1.0, footerH_ = 0.0;
    QVector<quint32> indexes_;
    QVector<QPointF> positions_;
};

void SheetRenderer::RenderPage(SheetCanvas& canvas, QPagedPaintDevice& device, int first, int last,
                               int pageNo, int pageCount, TextCache& texts) const {
    Page(model_, device, texts, first, last, {decimal_, group_}).Draw(canvas, pageNo, pageCount);
}

void WarmUpSheetFonts() {
    QBuffer unused;
    QPdfWriter device(&unused);
    device.setResolution(kSheetResolution);
    const std::string family = CellFormat().fontName;
    PreloadPdfFace(FaceOf(family, false, false, device));
    PreloadPdfFace(FaceOf(family, true, false, device));
    PreloadPdfFace(FaceOf(family, false, true, device));
}

} // namespace pyrostat
