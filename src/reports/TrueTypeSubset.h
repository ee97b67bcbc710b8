#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace pyrostat {

// A TrueType font as its tables ("head", "glyf", ...), each as its bytes.
using FontTables = std::map<std::string, std::string>;

// The measures a PDF font descriptor carries, in font units.
struct FontMeasures {
    bool valid = false;
    int unitsPerEm = 1000;
    int xMin = 0;
    int yMin = 0;
    int xMax = 0;
    int yMax = 0;
    int ascender = 0;
    int descender = 0;
};

FontMeasures ReadFontMeasures(const FontTables& tables);

// The advance width of a glyph in font units (0 for a glyph the font lacks).
int GlyphAdvance(const FontTables& tables, uint32_t glyph);

// A font file that keeps the outlines of `glyphs` only (with glyph 0 and the
// parts of composite glyphs); every other glyph keeps its number with no
// outline, so that a text's glyph numbers are those of the whole font. Empty
// when the tables are not those of a TrueType font with outlines.
std::string SubsetTrueType(const FontTables& tables, const std::set<uint32_t>& glyphs);

} // namespace pyrostat
