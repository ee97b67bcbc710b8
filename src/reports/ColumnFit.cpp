#include "reports/ColumnFit.h"

#include "workspace/NumberText.h"

#include <algorithm>
#include <map>

namespace pyrostat {

namespace {

// Advance widths of DejaVu Sans and DejaVu Sans Bold, in em.
constexpr double kDigit = 0.636, kDigitBold = 0.696;
constexpr double kSeparator = 0.318, kSeparatorBold = 0.381;
constexpr double kOther = 0.75;
// The padding of a cell on each side, in points.
constexpr double kPaddingPoints = 2.0;

} // namespace

double ColumnCharsFor(std::string_view text, double size, bool bold) {
    double em = 0;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            em += bold ? kDigitBold : kDigit;
        } else if (ch == '.' || ch == ',' || ch == ' ' || ch == '-') {
            em += bold ? kSeparatorBold : kSeparator;
        } else if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) {
            em += kOther; // the first byte of a character
        }
    }
    const double points = em * size + 2 * kPaddingPoints;
    // (7w + 5) * 0.75 points hold it.
    return (points / 0.75 - 5.0) / 7.0;
}

void FitColumnsToNumbers(SheetModel& sheet, NumberLocale locale) {
    std::map<int, double> needed;
    for (const auto& [at, cell] : sheet.Cells()) {
        if (cell.value.kind != SheetValue::Kind::Number ||
            sheet.MergeStartingAt(at.first, at.second) ||
            sheet.IsCoveredByMerge(at.first, at.second)) {
            continue;
        }
        const CellFormat& format = sheet.Formats()[static_cast<size_t>(cell.format)];
        const double chars =
            ColumnCharsFor(FormatSheetNumber(cell.value.number, format.numberFormat, locale),
                           format.fontSize, format.bold);
        double& widest = needed[at.second];
        widest = std::max(widest, chars);
    }
    for (const auto& [col, chars] : needed) {
        if (chars > sheet.ColumnWidth(col)) {
            sheet.SetColumnWidth(col, chars);
        }
    }
}

} // namespace pyrostat
