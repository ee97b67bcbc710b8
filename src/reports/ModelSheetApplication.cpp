#include "reports/ModelSheetApplication.h"

#include <algorithm>
#include <stdexcept>

namespace pyrostat {

bool ModelSheetApplication::LoadTemplate(const std::string&, SheetModel& model) {
    model = SheetModel{};
    return true;
}

bool ModelSheetApplication::OpenTemplate(const std::string& path, const std::string&) {
    SheetModel loaded;
    if (!LoadTemplate(path, loaded)) {
        return false;
    }
    model_ = std::move(loaded);
    open_ = true;
    SelectCell(1, 1);
    return true;
}

void ModelSheetApplication::SetRangeValue(const std::string& cellName, const std::string& text) {
    int row = 0, col = 0;
    if (!ParseCellName(cellName, row, col)) {
        throw std::invalid_argument("not a cell name: " + cellName);
    }
    model_.SetText(row, col, text);
}

void ModelSheetApplication::SetCellText(int row, int col, const std::string& text) {
    model_.SetText(row, col, text);
}

void ModelSheetApplication::SetCellNumber(int row, int col, double number) {
    model_.SetNumber(row, col, number);
}

void ModelSheetApplication::SelectRows(const std::string& rowsText) {
    int first = 0, last = 0;
    if (!ParseRowsText(rowsText, first, last)) {
        throw std::invalid_argument("not a rows text: " + rowsText);
    }
    selection_ = {first, 1, last, kMaxSheetCols};
    wholeRows_ = true;
    activeRow_ = first;
    activeCol_ = 1;
}

void ModelSheetApplication::SelectCell(int row, int col) {
    selection_ = {row, col, row, col};
    wholeRows_ = false;
    activeRow_ = row;
    activeCol_ = col;
}

void ModelSheetApplication::SelectRange(int row1, int col1, int row2, int col2) {
    selection_ = {std::min(row1, row2), std::min(col1, col2), std::max(row1, row2),
                  std::max(col1, col2)};
    wholeRows_ = false;
    activeRow_ = selection_.row1;
    activeCol_ = selection_.col1;
}

void ModelSheetApplication::CopySelection() {
    // Only whole-row blocks are copied by the reports; any selection copies the
    // rows it spans.
    clipboard_ = model_.CopyRows(selection_.row1, selection_.row2);
}

void ModelSheetApplication::Paste() {
    if (!clipboard_) {
        throw std::logic_error("paste without a copy");
    }
    model_.PasteRows(*clipboard_, activeRow_);
    selection_ = {activeRow_, 1, activeRow_ + clipboard_->rowCount - 1, kMaxSheetCols};
    wholeRows_ = true;
    activeCol_ = 1;
}

void ModelSheetApplication::ClearContents() {
    model_.ClearRangeValues(selection_);
}

void ModelSheetApplication::AddPageBreakAboveActiveCell() {
    model_.AddPageBreak(activeRow_);
}

template <typename Change> void ModelSheetApplication::FormatSelection(Change change) {
    // Formats reach every cell of the selection; whole rows stop at the last
    // printed column so the model stays small.
    const int lastCol =
        wholeRows_ ? std::max(model_.PrintColumns(), model_.LastColumn()) : selection_.col2;
    for (int r = selection_.row1; r <= selection_.row2; ++r) {
        for (int c = selection_.col1; c <= lastCol; ++c) {
            CellFormat f = model_.Format(r, c);
            change(f);
            model_.SetFormat(r, c, f);
        }
    }
}

void ModelSheetApplication::ClearBordersAndFill() {
    FormatSelection([](CellFormat& f) {
        f.left = f.top = f.right = f.bottom = BorderLine::None;
        f.interiorColorIndex = 0;
        f.interiorPattern = kPatternNone;
        f.fillRgb = -1;
    });
}

void ModelSheetApplication::SetSelectionBold(bool bold) {
    FormatSelection([bold](CellFormat& f) { f.bold = bold; });
}

void ModelSheetApplication::SetSelectionInteriorColorIndex(int index) {
    FormatSelection([index](CellFormat& f) { f.interiorColorIndex = index; });
}

void ModelSheetApplication::SetSelectionInteriorPattern(int pattern) {
    FormatSelection([pattern](CellFormat& f) { f.interiorPattern = pattern; });
}

void ModelSheetApplication::CloseWithoutSaving(const std::string&) {
    open_ = false;
}

} // namespace pyrostat
