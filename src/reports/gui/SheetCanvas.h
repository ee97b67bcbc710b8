#pragma once

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVector>

namespace pyrostat {

// What the sheet renderer draws its pages with: a painter on the preview or
// the printer, or the PDF file. Coordinates are device pixels of the page's
// printable area, multiplied by the scale last set.
class SheetCanvas {
public:
    virtual ~SheetCanvas() = default;

    // Starts a page after the first.
    virtual void NewPage() = 0;
    virtual void SetScale(double factor) = 0;
    virtual void FillRects(const QColor& colour, const QVector<QRectF>& rects) = 0;
    // Black lines of the given width with square ends.
    virtual void StrokeLines(double width, const QVector<QLineF>& lines) = 0;
    // Glyphs placed on the baseline through `origin`; `text` is what they
    // read as, a character a glyph.
    virtual void Glyphs(const QPointF& origin, const QGlyphRun& run, const QColor& colour,
                        const QString& text) = 0;
    // A text Qt lays out: one line on a baseline, or in a box by the
    // alignment and wrapping `flags`, cut at `clip` unless it is empty.
    virtual void Text(const QPointF& origin, const QFont& font, const QColor& colour,
                      const QString& text) = 0;
    virtual void Text(const QRectF& box, int flags, const QFont& font, const QColor& colour,
                      const QString& text, const QRectF& clip) = 0;
};

} // namespace pyrostat
