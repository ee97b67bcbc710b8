#pragma once

#include "reports/SheetModel.h"

#include <QPageLayout>

#include <memory>

class QPagedPaintDevice;

namespace pyrostat {

class SheetCanvas;

// The resolution, in dots per inch, a PDF file's pages are laid out at.
inline constexpr int kSheetResolution = 600;

// Paints the report sheet page by page: the one drawing routine behind the
// preview, the printer and the PDF file. Each page's block of rows is scaled
// to the printable width of the paper (and further down when it would not fit
// the height); the foot line carries the page number.
class SheetRenderer {
public:
    SheetRenderer(const SheetModel& model, char decimalSeparator, char groupSeparator);

    // The paper, orientation and margins the sheet asks for.
    QPageLayout PageLayout() const;

    // Paints every page on `device`, which must already carry the page layout;
    // false when no painter could be opened on it.
    bool Render(QPagedPaintDevice& device) const;

    // Draws every page on `canvas`, laid out for `device` (its resolution
    // and page layout).
    void Render(QPagedPaintDevice& device, SheetCanvas& canvas) const;

    // A column width in characters as points on paper.
    static double ColumnPoints(double characters);

private:
    // What the pages of one rendering share about their texts, and the
    // layout and drawing of one page (in the .cpp).
    struct TextCache;
    class Page;

    void RenderPage(SheetCanvas& canvas, QPagedPaintDevice& device, int first, int last, int pageNo,
                    int pageCount, TextCache& texts) const;

    const SheetModel& model_;
    char decimal_;
    char group_;
};

// Loads the faces of the sheets' font (regular, bold, italic) into this
// thread's font cache, so that the first page does not wait for them.
void WarmUpSheetFonts();

} // namespace pyrostat
