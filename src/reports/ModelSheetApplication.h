#pragma once

#include "reports/SheetApplication.h"
#include "reports/SheetModel.h"

#include <optional>
#include <string>

namespace pyrostat {

// The sheet engine over a SheetModel: every value, copy, paste, page break and
// format lands in the model. Loading a template, the preview and the print are
// left to the engine that owns the real outputs (a window, a printer); here a
// template is an empty sheet and the outputs do nothing.
class ModelSheetApplication : public SheetApplication {
public:
    void SetVisible(bool visible) override { visible_ = visible; }
    bool Visible() const override { return visible_; }

    bool OpenTemplate(const std::string& path, const std::string& password) override;

    void SetRangeValue(const std::string& cellName, const std::string& text) override;
    void SetCellText(int row, int col, const std::string& text) override;
    void SetCellNumber(int row, int col, double number) override;

    void SelectRows(const std::string& rowsText) override;
    void SelectCell(int row, int col) override;
    void SelectRange(int row1, int col1, int row2, int col2) override;
    void CopySelection() override;
    void Paste() override;
    void ClearContents() override;
    void ClearBordersAndFill() override;
    void AddPageBreakAboveActiveCell() override;

    void SetSelectionBold(bool bold) override;
    void SetSelectionInteriorColorIndex(int index) override;
    void SetSelectionInteriorPattern(int pattern) override;

    bool PrintPreview() override { return true; }
    void PrintOut(int, const std::string&, bool) override {}

    void CloseWithoutSaving(const std::string& templateFileName) override;
    bool UserControl() const override { return false; }
    bool Quit() override { return true; }

    SheetModel& Model() { return model_; }
    const SheetModel& Model() const { return model_; }
    bool IsOpen() const { return open_; }
    const CellRange& Selection() const { return selection_; }
    int ActiveRow() const { return activeRow_; }
    int ActiveCol() const { return activeCol_; }

protected:
    // Reads the template into `model`; the model sheet starts empty.
    virtual bool LoadTemplate(const std::string& path, SheetModel& model);

private:
    template <typename Change> void FormatSelection(Change change);

    SheetModel model_;
    bool visible_ = false;
    bool open_ = false;
    CellRange selection_{1, 1, 1, 1};
    bool wholeRows_ = false;
    int activeRow_ = 1;
    int activeCol_ = 1;
    std::optional<SheetRowBlock> clipboard_;
};

} // namespace pyrostat
