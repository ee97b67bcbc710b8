#pragma once

#include "reports/TrueTypeSubset.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pyrostat {

// A font of a PDF file: a TrueType font whose glyphs are written by their
// numbers (two bytes each), with the width and the text of each glyph used.
struct PdfFont {
    std::string name; // PostScript name, without blanks
    // The whole font, shared by every file a process writes with it; only the
    // glyphs used are embedded.
    std::shared_ptr<const FontTables> tables;
    std::map<uint32_t, std::u16string> text; // what each glyph used reads as
};

struct PdfPage {
    double width = 595.0; // points
    double height = 842.0;
    std::string content;   // the page's drawing operators
    bool deflated = false; // `content` is already deflated (DeflateStream)
};

// Bytes as a PDF stream's /FlateDecode filter reads them.
std::string DeflateStream(const std::string& bytes);

// The whole file: pages in order, fonts as "/F1", "/F2", ... in order, each
// page's drawing compressed. Every font used is embedded as a subset; a
// font whose tables are not TrueType outlines is refused (empty result).
std::string WritePdf(const std::vector<PdfPage>& pages, const std::vector<PdfFont>& fonts,
                     const std::string& title);

// A number as PDF writes it: up to `decimals` decimals (at most four), no
// exponent, no trailing zeros.
std::string PdfNumber(double value, int decimals = 4);

} // namespace pyrostat
