#include "reports/gui/PainterCanvas.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace pyrostat {

PainterCanvas::PainterCanvas(QPainter& painter, QPagedPaintDevice& device)
    : painter_(painter), device_(device) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void PainterCanvas::NewPage() {
    device_.newPage();
}

void PainterCanvas::SetScale(double factor) {
    painter_.setWorldTransform(QTransform::fromScale(factor, factor));
}

void PainterCanvas::FillRects(const QColor& colour, const QVector<QRectF>& rects) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& rect : rects) {
        path.addRect(rect);
    }
    painter_.fillPath(path, colour);
}

void PainterCanvas::StrokeLines(double width, const QVector<QLineF>& lines) {
    QPen pen(Qt::black);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLines(lines);
}

void PainterCanvas::Glyphs(const QPointF& origin, const QGlyphRun& run, const QColor& colour,
                           const QString& /*text*/) {
    painter_.setPen(colour);
    painter_.drawGlyphRun(origin, run);
}

void PainterCanvas::Text(const QPointF& origin, const QFont& font, const QColor& colour,
                         const QString& text) {
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(origin, text);
}

void PainterCanvas::Text(const QRectF& box, int flags, const QFont& font, const QColor& colour,
                         const QString& text, const QRectF& clip) {
    painter_.save();
    if (!clip.isEmpty()) {
        painter_.setClipRect(clip);
    }
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(box, flags, text);
    painter_.restore();
}

} // namespace pyrostat
