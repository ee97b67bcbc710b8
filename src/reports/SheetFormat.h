#pragma once

#include <cstdint>
#include <string>

namespace pyrostat {

// Line weight of one side of a cell.
enum class BorderLine : uint8_t { None = 0, Thin = 1, Medium = 2, Double = 3 };
enum class HorizontalAlign : uint8_t { General, Left, Center, Right };
enum class VerticalAlign : uint8_t { Bottom, Center, Top };

// The interior pattern codes of the sheet: no fill, and a solid fill that shows
// the interior colour.
inline constexpr int kPatternNone = -4142;
inline constexpr int kPatternSolid = 1;

// How one cell looks: font, alignment, borders, interior and number format.
struct CellFormat {
    std::string fontName = "DejaVu Sans";
    double fontSize = 9.0;
    bool bold = false;
    bool italic = false;
    uint32_t fontRgb = 0x000000;
    HorizontalAlign hAlign = HorizontalAlign::General;
    VerticalAlign vAlign = VerticalAlign::Bottom;
    bool wrap = false;
    bool shrink = false; // shrink the text to fit the cell width
    BorderLine left = BorderLine::None;
    BorderLine top = BorderLine::None;
    BorderLine right = BorderLine::None;
    BorderLine bottom = BorderLine::None;
    // Interior: a palette index (0 = none, then fillRgb counts) and a pattern;
    // only a solid pattern paints the interior.
    int interiorColorIndex = 0;
    int interiorPattern = kPatternNone;
    int64_t fillRgb = -1; // -1: no colour of its own
    // Number format in the spreadsheet notation: "General", "0.00",
    // "#,##0.00", "0.0000", "@" (text).
    std::string numberFormat = "General";

    bool operator==(const CellFormat&) const = default;
};

// The interior colour the cell shows, or -1 when it is not filled.
int64_t EffectiveFill(const CellFormat& format);

// RGB of an entry of the classic 56-colour palette (index 1 to 56); -1 for any
// other index. Index 36 is the light yellow RGB(255, 255, 153).
int64_t PaletteColour(int index);

} // namespace pyrostat
