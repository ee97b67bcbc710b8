#include "reports/gui/PdfCanvas.h"

#include <QPaintDevice>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
#include <memory>
#include <mutex>

namespace pyrostat {

namespace {

const char* const kFontTables[] = {"head", "hhea", "hmtx", "maxp", "loca",
                                   "glyf", "cvt ", "fpgm", "prep"};

std::string Colour(const QColor& c) {
    return PdfNumber(c.redF()) + " " + PdfNumber(c.greenF()) + " " + PdfNumber(c.blueF());
}

// Device pixels: a hundredth of one is far below what any printer shows.
std::string Pixels(double v) {
    return PdfNumber(v, 2);
}

std::string Point(const QPointF& p) {
    return Pixels(p.x()) + " " + Pixels(p.y());
}

std::string Hex4(quint32 v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out(4, '0');
    for (int i = 3; i >= 0; --i) {
        out[static_cast<size_t>(i)] = digits[v & 0xF];
        v >>= 4;
    }
    return out;
}

// A name PDF takes: letters and digits of the family and the style.
std::string PostScriptName(const QRawFont& raw) {
    std::string name;
    for (const QChar ch : raw.familyName() + QLatin1Char('-') + raw.styleName()) {
        if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
            ch == '-') {
            name.push_back(static_cast<char>(ch.unicode()));
        }
    }
    return name.empty() ? "Font" : name;
}

// A face's key: the same face at any size.
QString FaceKey(const QRawFont& raw) {
    return raw.familyName() + QLatin1Char('|') + raw.styleName() + QLatin1Char('|') +
           QString::number(raw.weight()) + QLatin1Char('|') +
           QString::number(static_cast<int>(raw.style()));
}

// The tables a face is embedded from, read from its file once a process: a
// report's faces are the same from one sheet to the next, and the start
// reads them while the study is being calculated.
std::shared_ptr<const FontTables> TablesOf(const QRawFont& raw, const QString& key) {
    static std::mutex lock;
    static QHash<QString, std::shared_ptr<const FontTables>> known;
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = known.constFind(key);
        if (found != known.constEnd()) {
            return *found;
        }
    }
    auto tables = std::make_shared<FontTables>();
    for (const char* tag : kFontTables) {
        const QByteArray bytes = raw.fontTable(tag);
        if (!bytes.isEmpty()) {
            (*tables)[tag] = bytes.toStdString();
        }
    }
    const std::lock_guard<std::mutex> hold(lock);
    return *known.insert(key, std::move(tables));
}

} // namespace

void PreloadPdfFace(const QRawFont& raw) {
    if (raw.isValid()) {
        TablesOf(raw, FaceKey(raw));
    }
}

PdfCanvas::PdfCanvas(QPaintDevice& metrics, const QPageLayout& layout)
    : metrics_(metrics), layout_(layout) {
    StartPage();
}

void PdfCanvas::StartPage() {
    PdfPage page;
    const QRectF full = layout_.fullRect(QPageLayout::Point);
    const QRectF paint = layout_.paintRect(QPageLayout::Point);
    page.width = full.width();
    page.height = full.height();
    // Device pixels of the printable area, y downwards, to points.
    const double k = 72.0 / metrics_.logicalDpiY();
    page.content = "q " + PdfNumber(k) + " 0 0 " + PdfNumber(-k) + " " + PdfNumber(paint.left()) +
                   " " + PdfNumber(full.height() - paint.top()) + " cm\nq\n";
    pages_.push_back(std::move(page));
    fillSet_ = false;
    fontSet_ = -1;
}

void PdfCanvas::EndPage() {
    Content() += "Q\nQ\n";
    deflating_.push_back(std::async(std::launch::async, DeflateStream, std::move(Content())));
}

void PdfCanvas::NewPage() {
    EndPage();
    StartPage();
}

void PdfCanvas::SetScale(double factor) {
    Content() += "Q\nq\n";
    if (factor != 1.0) {
        Content() += PdfNumber(factor) + " 0 0 " + PdfNumber(factor) + " 0 0 cm\n";
    }
    fillSet_ = false;
    fontSet_ = -1;
}

void PdfCanvas::SetFill(const QColor& colour) {
    if (!fillSet_ || colour != fill_) {
        Content() += Colour(colour) + " rg\n";
        fill_ = colour;
        fillSet_ = true;
    }
}

void PdfCanvas::FillRects(const QColor& colour, const QVector<QRectF>& rects) {
    SetFill(colour);
    std::string& out = Content();
    for (const QRectF& r : rects) {
        out += Point(r.topLeft()) + " " + Pixels(r.width()) + " " + Pixels(r.height()) + " re\n";
    }
    out += "f\n";
}

void PdfCanvas::StrokeLines(double width, const QVector<QLineF>& lines) {
    std::string& out = Content();
    out += "0 G " + Pixels(width) + " w 2 J\n";
    for (const QLineF& l : lines) {
        out += Point(l.p1()) + " m " + Point(l.p2()) + " l\n";
    }
    out += "S\n";
}

int PdfCanvas::FontOf(const QRawFont& raw) {
    const auto same = rawIds_.constFind(raw);
    if (same != rawIds_.constEnd()) {
        return *same;
    }
    const QString key = FaceKey(raw);
    const auto found = fontIds_.constFind(key);
    if (found != fontIds_.constEnd()) {
        rawIds_.insert(raw, *found);
        return *found;
    }
    Font font;
    font.pdf.name = PostScriptName(raw);
    font.pdf.tables = TablesOf(raw, key);
    const FontMeasures m = ReadFontMeasures(*font.pdf.tables);
    font.thousandths = 1000.0 / m.unitsPerEm;
    fonts_.push_back(std::move(font));
    const int id = static_cast<int>(fonts_.size()) - 1;
    fontIds_.insert(key, id);
    rawIds_.insert(raw, id);
    return id;
}

void PdfCanvas::Glyphs(const QPointF& origin, const QGlyphRun& run, const QColor& colour,
                       const QString& text) {
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    if (glyphs.isEmpty() || positions.size() != glyphs.size()) {
        return;
    }
    const QRawFont raw = run.rawFont();
    const int id = FontOf(raw);
    Font& font = fonts_[static_cast<size_t>(id)];

    // What each glyph reads as: a character a glyph, or else each character
    // of the text found in the font.
    if (text.size() == glyphs.size()) {
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const quint32 g = glyphs[i];
            if (g >= font.named.size()) {
                font.named.resize(g + 1, false);
            }
            if (!font.named[g]) {
                font.named[g] = true;
                font.pdf.text.emplace(g, std::u16string(1, text[i].unicode()));
            }
        }
    } else {
        // The run is not one glyph a character: a glyph drawn for several
        // letters (a ligature such as «fi»), or characters that another
        // font draws. A glyph that is a character's own reads as it; any
        // other reads as the letters of this font up to the next glyph's.
        std::vector<quint32> own(static_cast<size_t>(text.size()), 0);
        for (qsizetype k = 0; k < text.size(); ++k) {
            const QList<quint32> one = raw.glyphIndexesForString(QString(text[k]));
            own[static_cast<size_t>(k)] = one.size() == 1 ? one[0] : 0;
        }
        auto ownAt = [&](qsizetype k) { return own[static_cast<size_t>(k)]; };
        qsizetype at = 0;
        for (qsizetype i = 0; i < glyphs.size() && at < text.size(); ++i) {
            const quint32 g = glyphs[i];
            std::u16string reads;
            qsizetype k = at;
            while (k < text.size() && ownAt(k) != g) {
                ++k;
            }
            if (k < text.size()) {
                reads = std::u16string(1, text[k].unicode());
                at = k + 1;
            } else {
                qsizetype start = at;
                while (start < text.size() && ownAt(start) == 0) {
                    ++start; // drawn by another font
                }
                qsizetype end = start;
                while (end < text.size() && ownAt(end) != 0 &&
                       (end == start || i + 1 >= glyphs.size() || ownAt(end) != glyphs[i + 1])) {
                    reads += static_cast<char16_t>(text[end].unicode());
                    ++end;
                }
                at = end;
            }
            if (g >= font.named.size()) {
                font.named.resize(g + 1, false);
            }
            if (!font.named[g] && !reads.empty()) {
                font.named[g] = true;
                font.pdf.text[g] = reads;
            } else {
                font.pdf.text.emplace(g, std::u16string());
            }
        }
        for (const quint32 g : glyphs) {
            font.pdf.text.emplace(g, std::u16string());
        }
    }

    const double size = raw.pixelSize();
    if (size <= 0) {
        return;
    }
    SetFill(colour);
    std::string& out = Content();
    out += "BT ";
    if (fontSet_ != id || sizeSet_ != size) {
        out += "/F";
        out += std::to_string(id + 1);
        out += ' ';
        out += Pixels(size);
        out += " Tf ";
        fontSet_ = id;
        sizeSet_ = size;
    }
    qsizetype i = 0;
    while (i < glyphs.size()) {
        // A stretch of glyphs on one baseline: one text matrix, each glyph
        // moved from where the one before it ends when the run places it
        // elsewhere (kerning).
        const QPointF start = origin + positions[i];
        out += "1 0 0 -1 ";
        out += Point(start);
        out += " Tm [<";
        double x = positions[i].x();
        const double y = positions[i].y();
        for (; i < glyphs.size() && positions[i].y() == y; ++i) {
            const double gap = (positions[i].x() - x) * 1000.0 / size;
            if (std::abs(gap) > 0.01) {
                out += "> ";
                out += PdfNumber(-gap, 1);
                out += " <";
            }
            out += Hex4(glyphs[i]);
            const quint32 g = glyphs[i];
            if (g >= font.widths.size()) {
                font.widths.resize(g + 1, -1.0);
            }
            if (font.widths[g] < 0) {
                font.widths[g] = std::round(GlyphAdvance(*font.pdf.tables, g) * font.thousandths);
            }
            x = positions[i].x() + font.widths[g] * size / 1000.0;
        }
        out += ">] TJ ";
    }
    out += "ET\n";
}

void PdfCanvas::Text(const QPointF& origin, const QFont& font, const QColor& colour,
                     const QString& text) {
    QTextLayout layout(text, QFont(font, &metrics_), &metrics_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    const QPointF shift = origin - QPointF(0, line.ascent());
    for (const QGlyphRun& run : layout.glyphRuns()) {
        Glyphs(shift, run, colour, text);
    }
}

void PdfCanvas::Text(const QRectF& box, int flags, const QFont& font, const QColor& colour,
                     const QString& text, const QRectF& clip) {
    const BoxKey key{font, flags, box.width(), box.height(), text};
    auto known = boxTexts_.constFind(key);
    if (known == boxTexts_.constEnd()) {
        known = boxTexts_.insert(key, LayOut(box.size(), flags, font, text));
    }
    if (!clip.isEmpty()) {
        Content() += "q " + Point(clip.topLeft()) + " " + Pixels(clip.width()) + " " +
                     Pixels(clip.height()) + " re W n\n";
        fillSet_ = false;
        fontSet_ = -1;
    }
    for (const QGlyphRun& run : known->runs) {
        Glyphs(box.topLeft() + QPointF(0, known->dy), run, colour, text);
    }
    if (!clip.isEmpty()) {
        Content() += "Q\n";
        fillSet_ = false;
        fontSet_ = -1;
    }
}

PdfCanvas::BoxText PdfCanvas::LayOut(const QSizeF& box, int flags, const QFont& font,
                                     const QString& text) {
    QTextLayout layout(text, QFont(font, &metrics_), &metrics_);
    QTextOption option(static_cast<Qt::Alignment>(flags & Qt::AlignHorizontal_Mask));
    if (flags & Qt::TextWrapAnywhere) {
        option.setWrapMode(QTextOption::WrapAnywhere);
    } else if (flags & Qt::TextWordWrap) {
        option.setWrapMode(QTextOption::WordWrap);
    } else {
        option.setWrapMode(QTextOption::ManualWrap);
    }
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    BoxText laid;
    if (flags & Qt::AlignBottom) {
        laid.dy = box.height() - height;
    } else if (flags & Qt::AlignVCenter) {
        laid.dy = (box.height() - height) / 2;
    }
    laid.runs = layout.glyphRuns();
    return laid;
}

std::string PdfCanvas::Finish(const std::string& title) {
    EndPage();
    for (size_t i = 0; i < pages_.size(); ++i) {
        pages_[i].content = deflating_[i].get();
        pages_[i].deflated = true;
    }
    std::vector<PdfFont> fonts;
    fonts.reserve(fonts_.size());
    for (Font& f : fonts_) {
        fonts.push_back(std::move(f.pdf));
    }
    return WritePdf(pages_, fonts, title);
}

} // namespace pyrostat
