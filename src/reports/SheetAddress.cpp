#include "reports/SheetAddress.h"

#include <algorithm>
#include <cctype>

namespace pyrostat {

std::string ColumnLetters(int col) {
    std::string letters;
    while (col > 0) {
        const int rest = (col - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + rest));
        col = (col - 1) / 26;
    }
    return letters;
}

std::string CellName(int row, int col) {
    return ColumnLetters(col) + std::to_string(row);
}

namespace {

// Reads a run of decimal digits at `pos` into `value`; false when there is
// none or the value leaves [1, limit].
bool ReadNumber(std::string_view text, size_t& pos, int limit, int& value) {
    const size_t start = pos;
    long long v = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        v = v * 10 + (text[pos] - '0');
        if (v > limit) {
            return false;
        }
        ++pos;
    }
    if (pos == start || v < 1) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

} // namespace

bool ParseCellName(std::string_view text, int& row, int& col) {
    size_t pos = 0;
    long long c = 0;
    while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) {
        c = c * 26 + (std::toupper(static_cast<unsigned char>(text[pos])) - 'A' + 1);
        if (c > kMaxSheetCols) {
            return false;
        }
        ++pos;
    }
    if (pos == 0) {
        return false;
    }
    int r = 0;
    if (!ReadNumber(text, pos, kMaxSheetRows, r) || pos != text.size()) {
        return false;
    }
    row = r;
    col = static_cast<int>(c);
    return true;
}

bool ParseRangeName(std::string_view text, CellRange& range) {
    const size_t colon = text.find(':');
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (colon == std::string_view::npos) {
        if (!ParseCellName(text, r1, c1)) {
            return false;
        }
        range = {r1, c1, r1, c1};
        return true;
    }
    if (!ParseCellName(text.substr(0, colon), r1, c1) ||
        !ParseCellName(text.substr(colon + 1), r2, c2)) {
        return false;
    }
    range = {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
    return true;
}

} // namespace pyrostat
