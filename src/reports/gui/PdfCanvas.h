#pragma once

#include "reports/PdfFile.h"
#include "reports/gui/SheetCanvas.h"

#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QRawFont>

#include <future>
#include <string>
#include <vector>

class QPaintDevice;

namespace pyrostat {

// The pages drawn straight into a PDF file: each text a run of glyphs of
// an embedded font subset, with its characters for search and copying.
// `metrics` is the device the page is laid out for (its resolution).
class PdfCanvas : public SheetCanvas {
public:
    PdfCanvas(QPaintDevice& metrics, const QPageLayout& layout);

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

    // The file's bytes; empty when a font could not be embedded.
    std::string Finish(const std::string& title);

private:
    // A text laid out in a box: its glyph runs from the box's corner. The
    // captions of a table's head come again on every page.
    struct BoxText {
        QList<QGlyphRun> runs;
        double dy = 0;
    };

    struct Font {
        PdfFont pdf;
        double thousandths = 1.0;   // a font unit in thousandths of the em
        std::vector<double> widths; // as the file gives them, thousandths of the em (-1: not yet)
        std::vector<bool> named;    // glyphs whose text is known
    };

    void StartPage();
    void EndPage();
    std::string& Content() { return pages_.back().content; }
    int FontOf(const QRawFont& raw);
    BoxText LayOut(const QSizeF& box, int flags, const QFont& font, const QString& text);
    void SetFill(const QColor& colour);

    QPaintDevice& metrics_;
    QPageLayout layout_;
    std::vector<PdfPage> pages_;
    // Each finished page is deflated on the other core while the next is drawn.
    std::vector<std::future<std::string>> deflating_;
    std::vector<Font> fonts_;
    QHash<QString, int> fontIds_;
    QHash<QRawFont, int> rawIds_;
    // A box text is known by its font, its flags, its box and its text.
    struct BoxKey {
        QFont font;
        int flags = 0;
        double width = 0, height = 0;
        QString text;
        bool operator==(const BoxKey& other) const {
            return flags == other.flags && width == other.width && height == other.height &&
                   text == other.text && font == other.font;
        }
    };
    friend size_t qHash(const BoxKey& key, size_t seed) {
        return qHashMulti(seed, key.font.family(), key.font.pointSizeF(), key.font.weight(),
                          key.font.italic(), key.flags, key.width, key.height, key.text);
    }
    QHash<BoxKey, BoxText> boxTexts_;
    // The colour and the font last set, until a "Q" puts them back.
    QColor fill_;
    bool fillSet_ = false;
    int fontSet_ = -1;
    double sizeSet_ = 0;
};

// Reads a face's tables ahead of the first sheet that embeds it.
void PreloadPdfFace(const QRawFont& raw);

} // namespace pyrostat
