#pragma once

#include "reports/gui/SheetCanvas.h"

class QPagedPaintDevice;
class QPainter;

namespace pyrostat {

// The pages drawn with a painter: the preview and the printer.
class PainterCanvas : public SheetCanvas {
public:
    PainterCanvas(QPainter& painter, QPagedPaintDevice& device);

    void NewPage() override;
    void SetScale(double factor) override;
    void FillRects(const QColor& colour, const QVector<QRectF>& rects) override;
    void StrokeLines(double width, const QVector<QLineF>& lines) override;
    void Glyphs(const QPointF& origin, const QGlyphRun& run, const QColor& colour,
                const QString& text) override;
    void Text(const QPointF& origin, const QFont& font, const QColor& colour,
              const QString& text) override;
    void Text(const QRectF& box, int flags, const QFont& font, const QColor& colour,
              const QString& text, const QRectF& clip) override;

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
};

} // namespace pyrostat
