#pragma once

#include "reports/SheetAddress.h"
#include "reports/SheetFormat.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace pyrostat {

// One cell's value.
struct SheetValue {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;  // UTF-8, for Kind::Text; for Kind::Number, the
                       // spreadsheet formula that computes it ("=SUM(C9:C39)")
                       // or empty
    double number = 0; // for Kind::Number

    bool operator==(const SheetValue&) const = default;
};

// Paper and margins of the printed sheet, and the foot line printed under
// every page ("&P" stands for the page number, "&N" for the page count).
struct PageSetup {
    std::string paper = "A4"; // "A4" or "A3"
    bool landscape = false;
    double marginLeftMm = 15, marginTopMm = 15, marginRightMm = 15, marginBottomMm = 15;
    std::string footer;
    // The columns printed: 1 to printColumns (0: up to the last used column).
    int printColumns = 0;
};

// A block of whole rows taken from the sheet, with values, formats, merged
// ranges and row heights, as Copy leaves it for Paste.
struct SheetRowBlock {
    int rowCount = 0;
    // Cells by (row offset from 0, column).
    std::map<std::pair<int, int>, std::pair<SheetValue, int>> cells;
    std::vector<CellRange> merges;    // relative rows (first row of the block is 0)
    std::map<int, double> rowHeights; // by row offset
};

// A bar chart drawn over a block of cells: a group of bars per category, a
// bar per series, each bar with its value printed on it. Its figures also
// stand in cells of the sheet, so that the .xlsx carries it as a chart over
// those cells.
struct ChartSeries {
    std::string name;
    std::vector<double> values; // one per category
    CellRange cells;            // where the values stand in the sheet
    uint32_t rgb = 0x4F81BD;
};
struct SheetChart {
    CellRange anchor; // the cells it is drawn over
    std::string title;
    std::vector<std::string> categories;
    CellRange categoryCells; // where the categories stand in the sheet
    std::vector<ChartSeries> series;
    std::string valueFormat = "#,##0"; // of the values printed on the bars
};

// The report sheet as the engine holds it: cells by row and column holding a
// text or a number and a format, merged ranges, row heights, column widths,
// manual page breaks and the page setup. The report routines fill it; the
// renderer and the .xlsx writer read it.
class SheetModel {
public:
    SheetModel();

    // Values.
    void SetText(int row, int col, const std::string& text);
    void SetNumber(int row, int col, double number);
    // A number with the formula that gives it in a spreadsheet; the sheet
    // prints the number, the .xlsx keeps both.
    void SetFormula(int row, int col, const std::string& formula, double number);
    const SheetValue& Value(int row, int col) const;

    // Formats, interned: cells refer to an entry of Formats().
    const CellFormat& Format(int row, int col) const;
    int FormatId(int row, int col) const;
    void SetFormat(int row, int col, const CellFormat& format);
    int Intern(const CellFormat& format);
    // Changes the format of every cell of `range`.
    void ChangeFormats(const CellRange& range, const std::function<void(CellFormat&)>& change);
    const std::vector<CellFormat>& Formats() const { return formats_; }
    CellFormat& DefaultFormat() { return formats_[0]; }

    // Every cell that holds a value or a format of its own, by (row, col).
    struct Cell {
        SheetValue value;
        int format = 0;
    };
    const std::map<std::pair<int, int>, Cell>& Cells() const { return cells_; }

    // Geometry. Column widths are in characters of the standard font, row
    // heights in points.
    void SetColumnWidth(int col, double width);
    double ColumnWidth(int col) const;
    void SetRowHeight(int row, double points);
    double RowHeight(int row) const;
    void SetDefaultRowHeight(double points) { defaultRowHeight_ = points; }
    double DefaultRowHeight() const { return defaultRowHeight_; }
    const std::map<int, double>& RowHeights() const { return rowHeights_; }
    const std::map<int, double>& ColumnWidths() const { return columnWidths_; }

    void AddMerge(const CellRange& range);
    const std::vector<CellRange>& Merges() const { return merges_; }
    // The merged range that starts at (row, col), or nullptr.
    const CellRange* MergeStartingAt(int row, int col) const;
    // True when the cell lies inside a merged range without being its corner.
    bool IsCoveredByMerge(int row, int col) const;

    // Manual page breaks: a break above `row` starts a new page there.
    void AddPageBreak(int row);
    const std::set<int>& PageBreaks() const { return pageBreaks_; }

    // Charts, in the order they were added.
    void AddChart(SheetChart chart) { charts_.push_back(std::move(chart)); }
    const std::vector<SheetChart>& Charts() const { return charts_; }

    PageSetup& Setup() { return setup_; }
    const PageSetup& Setup() const { return setup_; }

    // Copy and paste of whole rows with their formats.
    SheetRowBlock CopyRows(int first, int last) const;
    void PasteRows(const SheetRowBlock& block, int atRow);
    // Removes the values of rows first..last, keeping their formats.
    void ClearRowValues(int first, int last);
    void ClearRangeValues(const CellRange& range);

    // The last row and column holding a value or a format (0 when none).
    int LastRow() const;
    int LastColumn() const;
    // The columns that print: the page setup's, or up to the last used one.
    int PrintColumns() const;

    // The pages as the manual breaks cut the used rows: [first, last] row pairs.
    std::vector<std::pair<int, int>> Pages() const;

private:
    Cell& CellAt(int row, int col);
    void DropIfBare(int row, int col);

    std::map<std::pair<int, int>, Cell> cells_;
    std::vector<CellFormat> formats_;
    std::map<int, double> columnWidths_;
    std::map<int, double> rowHeights_;
    double defaultColumnWidth_ = 8.43;
    double defaultRowHeight_ = 12.75;
    std::vector<CellRange> merges_;
    std::set<int> pageBreaks_;
    std::vector<SheetChart> charts_;
    PageSetup setup_;
};

} // namespace pyrostat
