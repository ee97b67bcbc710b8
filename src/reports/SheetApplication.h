#pragma once

#include <functional>
#include <memory>
#include <string>

namespace pyrostat {

// The report sheet engine as the report routines drive it: one template opened
// per report, values written into its active sheet, page blocks copied, rows
// formatted, then a print preview or a print, a close without saving and the
// end of the engine. Rows and columns count from 1, row first.
class SheetApplication {
public:
    virtual ~SheetApplication() = default;

    // The work happens unseen; the preview is shown to the user.
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;

    // Opens the template; its sheet is the one all later calls address. False
    // when the template cannot be read.
    virtual bool OpenTemplate(const std::string& path, const std::string& password) = 0;

    // Range("A1").Value = text.
    virtual void SetRangeValue(const std::string& cellName, const std::string& text) = 0;
    // Cells(row, col).Value = text or number.
    virtual void SetCellText(int row, int col, const std::string& text) = 0;
    virtual void SetCellNumber(int row, int col, double number) = 0;

    // Rows("first:last").Select.
    virtual void SelectRows(const std::string& rowsText) = 0;
    // Cells(row, col).Select: the cell becomes the selection and the active cell.
    virtual void SelectCell(int row, int col) = 0;
    // Range(cell, cell).Select.
    virtual void SelectRange(int row1, int col1, int row2, int col2) = 0;
    // The selected rows go to the engine's clipboard, with their formats.
    virtual void CopySelection() = 0;
    // Pastes the copied rows starting at the active cell's row; the pasted
    // rows become the selection.
    virtual void Paste() = 0;
    // Removes the values of the selection, keeping the formats.
    virtual void ClearContents() = 0;
    // Takes the borders and the fill off the selected cells (their text and
    // number formats stay).
    virtual void ClearBordersAndFill() = 0;
    // A manual page break above the active cell's row.
    virtual void AddPageBreakAboveActiveCell() = 0;

    // Formats of the selection.
    virtual void SetSelectionBold(bool bold) = 0;
    virtual void SetSelectionInteriorColorIndex(int index) = 0;
    virtual void SetSelectionInteriorPattern(int pattern) = 0;

    // Shows the preview and returns when the user closes it; false on an
    // error of the preview.
    virtual bool PrintPreview() = 0;
    // Prints the sheet; an empty printer name prints on the current printer.
    virtual void PrintOut(int copies, const std::string& printerName, bool collate) = 0;

    // Closes the template (by its file name) without saving: the file on disk
    // stays as it was.
    virtual void CloseWithoutSaving(const std::string& templateFileName) = 0;
    // Whether the user has taken control of the engine.
    virtual bool UserControl() const = 0;
    // Ends the engine; false when that failed.
    virtual bool Quit() = 0;
};

// Starts an engine; an empty pointer when none can be started.
using SheetApplicationFactory = std::function<std::shared_ptr<SheetApplication>()>;

} // namespace pyrostat
