#include "reports/PdfFile.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace pyrostat {

std::string DeflateStream(const std::string& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                  Z_BEST_SPEED) != Z_OK) {
        return {};
    }
    out.resize(size);
    return out;
}

namespace {

std::string Hex4(uint32_t v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", v & 0xFFFF);
    return buffer;
}

// UTF-8 to UTF-16, a malformed byte read as U+FFFD.
std::u16string Utf16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        uint32_t code = 0xFFFD;
        size_t length = 1;
        if (c < 0x80) {
            code = c;
        } else if ((c >> 5) == 0x6 && i + 1 < utf8.size()) {
            code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            length = 2;
        } else if ((c >> 4) == 0xE && i + 2 < utf8.size()) {
            code = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
            length = 3;
        } else if ((c >> 3) == 0x1E && i + 3 < utf8.size()) {
            code = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 12) |
                   ((static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(utf8[i + 3]) & 0x3Fu);
            length = 4;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return out;
}

std::string HexText(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        out += Hex4(c);
    }
    return out;
}

// The six capitals a subset's name starts with, made from what it holds.
std::string SubsetTag(const std::string& name, const std::set<uint32_t>& glyphs, size_t index) {
    uint32_t h = 2166136261u ^ static_cast<uint32_t>(index);
    for (const char c : name) {
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    for (const uint32_t g : glyphs) {
        h = (h ^ g) * 16777619u;
    }
    std::string tag;
    for (int i = 0; i < 6; ++i) {
        tag.push_back(static_cast<char>('A' + h % 26));
        h /= 26;
    }
    return tag;
}

class Objects {
public:
    int Reserve() {
        offsets_.push_back(0);
        return static_cast<int>(offsets_.size());
    }
    void Put(int id, const std::string& body) {
        offsets_[static_cast<size_t>(id - 1)] = out_.size();
        out_ += std::to_string(id) + " 0 obj\n" + body + "\nendobj\n";
    }
    void PutStream(int id, const std::string& dictionary, const std::string& data) {
        offsets_[static_cast<size_t>(id - 1)] = out_.size();
        out_ += std::to_string(id) + " 0 obj\n<<" + dictionary + " /Length " +
                std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream\nendobj\n";
    }
    std::string Finish(int root, int info) {
        const size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        for (const size_t at : offsets_) {
            char line[24];
            std::snprintf(line, sizeof line, "%010zu 00000 n \n", at);
            out_ += line;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
                std::to_string(root) + " 0 R /Info " + std::to_string(info) +
                " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

    std::string out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";

private:
    std::vector<size_t> offsets_;
};

} // namespace

std::string PdfNumber(double value, int decimals) {
    if (!std::isfinite(value) || std::abs(value) >= 1e12) {
        return "0";
    }
    // Ten-thousandths, rounded half away from zero (at the decimals asked
    // for), written without an exponent and without trailing zeros.
    static const double kSteps[] = {10000.0, 1000.0, 100.0, 10.0, 1.0};
    const double step = kSteps[std::clamp(decimals, 0, 4)];
    const long long scaled = std::llround(std::round(value * 10000.0 / step) * step);
    const unsigned long long magnitude = static_cast<unsigned long long>(std::llabs(scaled));
    char buffer[32];
    char* end = buffer + sizeof buffer;
    char* at = end;
    unsigned long long fraction = magnitude % 10000;
    int digits = 4;
    while (digits > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    for (int i = 0; i < digits; ++i) {
        *--at = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    if (digits > 0) {
        *--at = '.';
    }
    unsigned long long whole = magnitude / 10000;
    do {
        *--at = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (scaled < 0) {
        *--at = '-';
    }
    return std::string(at, end);
}

std::string WritePdf(const std::vector<PdfPage>& pages, const std::vector<PdfFont>& fonts,
                     const std::string& title) {
    Objects objects;
    const int catalog = objects.Reserve();
    const int pageTree = objects.Reserve();
    const int info = objects.Reserve();
    const int resources = objects.Reserve();

    std::string fontList;
    for (size_t i = 0; i < fonts.size(); ++i) {
        const PdfFont& font = fonts[i];
        if (!font.tables) {
            return {};
        }
        std::set<uint32_t> used;
        for (const auto& [glyph, text] : font.text) {
            used.insert(glyph);
        }
        const std::string subset = SubsetTrueType(*font.tables, used);
        const FontMeasures m = ReadFontMeasures(*font.tables);
        if (subset.empty() || !m.valid) {
            return {};
        }
        const double em = 1000.0 / m.unitsPerEm;
        const std::string name = SubsetTag(font.name, used, i) + "+" + font.name;

        const int type0 = objects.Reserve();
        const int cid = objects.Reserve();
        const int descriptor = objects.Reserve();
        const int file = objects.Reserve();
        const int toUnicode = objects.Reserve();

        std::string widths;
        for (const uint32_t g : used) {
            widths += std::to_string(g) + " [" +
                      PdfNumber(std::round(GlyphAdvance(*font.tables, g) * em)) + "] ";
        }
        std::string map;
        size_t entries = 0;
        std::string block;
        auto flush = [&] {
            if (entries > 0) {
                map += std::to_string(entries) + " beginbfchar\n" + block + "endbfchar\n";
            }
            entries = 0;
            block.clear();
        };
        for (const auto& [glyph, text] : font.text) {
            if (text.empty()) {
                continue;
            }
            block += "<" + Hex4(glyph) + "> <" + HexText(text) + ">\n";
            if (++entries == 100) {
                flush();
            }
        }
        flush();
        const std::string cmap =
            "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
            "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
            "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
            "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n" +
            map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";

        objects.Put(type0, "<< /Type /Font /Subtype /Type0 /BaseFont /" + name +
                               " /Encoding /Identity-H /DescendantFonts [" + std::to_string(cid) +
                               " 0 R] /ToUnicode " + std::to_string(toUnicode) + " 0 R >>");
        objects.Put(cid, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
                             " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) "
                             "/Supplement 0 >> /FontDescriptor " +
                             std::to_string(descriptor) + " 0 R /CIDToGIDMap /Identity /W [" +
                             widths + "] >>");
        objects.Put(descriptor, "<< /Type /FontDescriptor /FontName /" + name +
                                    " /Flags 32 /FontBBox [" + PdfNumber(std::round(m.xMin * em)) +
                                    " " + PdfNumber(std::round(m.yMin * em)) + " " +
                                    PdfNumber(std::round(m.xMax * em)) + " " +
                                    PdfNumber(std::round(m.yMax * em)) +
                                    "] /ItalicAngle 0 /Ascent " +
                                    PdfNumber(std::round(m.ascender * em)) + " /Descent " +
                                    PdfNumber(std::round(m.descender * em)) + " /CapHeight " +
                                    PdfNumber(std::round(m.ascender * em)) +
                                    " /StemV 80 /FontFile2 " + std::to_string(file) + " 0 R >>");
        objects.PutStream(file, " /Filter /FlateDecode /Length1 " + std::to_string(subset.size()),
                          DeflateStream(subset));
        objects.PutStream(toUnicode, " /Filter /FlateDecode", DeflateStream(cmap));
        fontList += " /F" + std::to_string(i + 1) + " " + std::to_string(type0) + " 0 R";
    }
    objects.Put(resources, "<< /ProcSet [/PDF /Text] /Font <<" + fontList + " >> >>");

    std::string kids;
    for (const PdfPage& page : pages) {
        const int pageId = objects.Reserve();
        const int contents = objects.Reserve();
        objects.Put(pageId, "<< /Type /Page /Parent " + std::to_string(pageTree) +
                                " 0 R /MediaBox [0 0 " + PdfNumber(page.width) + " " +
                                PdfNumber(page.height) + "] /Resources " +
                                std::to_string(resources) + " 0 R /Contents " +
                                std::to_string(contents) + " 0 R >>");
        objects.PutStream(contents, " /Filter /FlateDecode",
                          page.deflated ? page.content : DeflateStream(page.content));
        kids += std::to_string(pageId) + " 0 R ";
    }
    objects.Put(pageTree, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                              std::to_string(pages.size()) + " >>");
    objects.Put(info, "<< /Title <FEFF" + HexText(Utf16(title)) +
                          "> /Creator (Pyrostat) /Producer (Pyrostat) >>");
    objects.Put(catalog, "<< /Type /Catalog /Pages " + std::to_string(pageTree) + " 0 R >>");
    return objects.Finish(catalog, info);
}

} // namespace pyrostat
