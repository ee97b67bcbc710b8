#include "reports/PdfFile.h"
#include "reports/TrueTypeSubset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>

namespace pyrostat {
namespace {

uint32_t U16(const std::string& b, size_t at) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 8) |
           static_cast<uint8_t>(b[at + 1]);
}

uint32_t U32(const std::string& b, size_t at) {
    return (U16(b, at) << 16) | U16(b, at + 2);
}

// The tables of a font file, read by its table directory.
FontTables TablesOf(const std::string& file) {
    FontTables tables;
    const uint32_t count = U16(file, 4);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 12 + 16 * i;
        tables[file.substr(entry, 4)] = file.substr(U32(file, entry + 8), U32(file, entry + 12));
    }
    return tables;
}

std::string Outline(const FontTables& t, uint32_t glyph) {
    const std::string& loca = t.at("loca");
    const bool longOffsets = U16(t.at("head"), 50) != 0;
    const uint32_t from = longOffsets ? U32(loca, glyph * 4) : U16(loca, glyph * 2) * 2;
    const uint32_t to = longOffsets ? U32(loca, glyph * 4 + 4) : U16(loca, glyph * 2 + 2) * 2;
    return t.at("glyf").substr(from, to - from);
}

FontTables DejaVuSans() {
    std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
    return TablesOf(std::string(std::istreambuf_iterator<char>(in), {}));
}

TEST(PdfNumber, DecimalsWithoutExponentOrTrailingZeros) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {0, 4, "0"},
        {0.12, 4, "0.12"},
        {-0.12, 4, "-0.12"},
        {629.16666, 4, "629.1667"},
        {629.16666, 2, "629.17"},
        {100, 4, "100"},
        {0.00004, 4, "0"},
        {-0.00004, 4, "0"},
        {0.00005, 4, "0.0001"},
        {12.54, 1, "12.5"},
        {0.862745, 4, "0.8627"},
        {1234567.891, 2, "1234567.89"},
        {0.5, 0, "1"},
        {-1e15, 4, "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PdfNumber(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
    }
}

TEST(TrueTypeSubset, KeepsTheGlyphsAskedForAtTheirNumbersAndNothingElse) {
    const FontTables font = DejaVuSans();
    ASSERT_FALSE(font.empty()) << "DejaVu Sans is installed by the project's set-up";
    const uint32_t glyphs = U16(font.at("maxp"), 4);
    // A composite glyph: its parts must come along.
    uint32_t composite = 0;
    for (uint32_t g = 1; g < glyphs && composite == 0; ++g) {
        const std::string o = Outline(font, g);
        if (o.size() > 10 && (static_cast<uint8_t>(o[0]) & 0x80) != 0) {
            composite = g;
        }
    }
    ASSERT_NE(composite, 0u);
    const uint32_t part = U16(Outline(font, composite), 12);

    const std::string file = SubsetTrueType(font, {36, 37, composite});
    ASSERT_FALSE(file.empty());
    // The whole file sums to the magic number of its head table.
    ASSERT_EQ(file.size() % 4, 0u);
    uint32_t sum = 0;
    for (size_t i = 0; i < file.size(); i += 4) {
        sum += U32(file, i);
    }
    EXPECT_EQ(sum, 0xB1B0AFBAu);

    const FontTables subset = TablesOf(file);
    for (const char* tag : {"head", "hhea", "hmtx", "maxp", "loca", "glyf"}) {
        EXPECT_EQ(subset.count(tag), 1u) << tag;
    }
    EXPECT_EQ(subset.at("hmtx"), font.at("hmtx"));
    for (const uint32_t kept : {0u, 36u, 37u, composite, part}) {
        EXPECT_EQ(Outline(subset, kept), Outline(font, kept)) << kept;
        EXPECT_FALSE(Outline(subset, kept).empty()) << kept;
    }
    EXPECT_TRUE(Outline(subset, 38).empty());
    EXPECT_TRUE(Outline(subset, glyphs - 1).empty() || glyphs - 1 == part);
    EXPECT_LT(subset.at("glyf").size(), font.at("glyf").size() / 50);

    EXPECT_EQ(GlyphAdvance(font, 36), static_cast<int>(U16(font.at("hmtx"), 36 * 4)));
    const FontMeasures m = ReadFontMeasures(font);
    EXPECT_TRUE(m.valid);
    EXPECT_EQ(m.unitsPerEm, 2048);
    EXPECT_TRUE(SubsetTrueType({}, {36}).empty());
}

// The title is written in UTF-16: Greek, a character past the basic plane as
// its two surrogates, and a character cut off at the end of the text as
// replacement characters, never read past its end.
TEST(WritePdf, TheTitleInUtf16) {
    PdfFont font;
    font.name = "DejaVuSans-Book";
    font.tables = std::make_shared<const FontTables>(DejaVuSans());
    font.text = {{36, u"A"}};
    const std::vector<PdfPage> pages(1);
    const std::pair<std::string, std::string> cases[] = {
        {"Πα", "03A003B1"},
        {"A\xF0\x9F\x98\x80", "0041D83DDE00"},
        {"A\xF0\x9F\x98", "0041FFFDFFFDFFFD"},
        {"A\xE2\x82", "0041FFFDFFFD"},
    };
    for (const auto& [title, hex] : cases) {
        const std::string pdf = WritePdf(pages, {font}, title);
        EXPECT_NE(pdf.find("/Title <FEFF" + hex + ">"), std::string::npos) << hex;
    }
}

TEST(WritePdf, ObjectsWhereTheTableSaysAndEveryGlyphReadable) {
    PdfFont font;
    font.name = "DejaVuSans-Book";
    font.tables = std::make_shared<const FontTables>(DejaVuSans());
    font.text = {{36, u"A"}, {37, u"B"}, {0x3C1, u"ρ"}};
    std::vector<PdfPage> pages(2);
    pages[0].content = "BT /F1 12 Tf 10 10 Td <00240025> Tj ET\n";
    pages[1].width = 842;
    pages[1].height = 595;
    const std::string pdf = WritePdf(pages, {font}, "Πίνακας");
    ASSERT_EQ(pdf.rfind("%PDF-1.4", 0), 0u);

    // Every offset of the cross-reference table points at its object.
    const size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    std::smatch size;
    const std::string table = pdf.substr(xref);
    ASSERT_TRUE(std::regex_search(table, size, std::regex("0 (\\d+)\n")));
    const int objects = std::stoi(size[1]);
    for (int id = 1; id < objects; ++id) {
        const size_t at = std::stoul(pdf.substr(xref + 5 + size[0].length() + 20 * id, 10));
        EXPECT_EQ(pdf.compare(at, std::to_string(id).size() + 6, std::to_string(id) + " 0 obj"), 0)
            << id;
    }
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [0 0 842 595]"), std::string::npos);
    auto width = [&](uint32_t g) {
        return std::to_string(
            static_cast<int>(std::lround(U16(font.tables->at("hmtx"), g * 4) * 1000.0 / 2048)));
    };
    EXPECT_NE(
        pdf.find("/CIDToGIDMap /Identity /W [36 [" + width(36) + "] 37 [" + width(37) + "] 961 ["),
        std::string::npos);
    EXPECT_TRUE(std::regex_search(pdf, std::regex("/BaseFont /[A-Z]{6}\\+DejaVuSans-Book")));
    EXPECT_NE(pdf.find("/Title <FEFF03A003AF03BD03B103BA03B103C2>"), std::string::npos);

    // A font that is no TrueType font makes no file.
    PdfFont empty;
    empty.name = "Nothing";
    empty.text = {{1, u"x"}};
    EXPECT_TRUE(WritePdf(pages, {empty}, "x").empty());
}

} // namespace
} // namespace pyrostat
