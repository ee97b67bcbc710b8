#include "reports/gui/XlsxExport.h"

#include "reports/SheetStoredNumber.h"

#include "platform/FileAccess.h"
#include "reports/gui/SheetRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#ifdef PYROSTAT_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace pyrostat {

#ifdef PYROSTAT_HAVE_XLSXWRITER

bool XlsxExportAvailable() {
    return true;
}

namespace {

// The height a footer line takes and the least distance of the footer to the
// paper's edge, in millimetres.
constexpr double kFooterLineMm = 6.0;
constexpr double kFooterEdgeMm = 2.5;

uint8_t BorderOf(BorderLine line) {
    switch (line) {
    case BorderLine::Thin:
        return LXW_BORDER_THIN;
    case BorderLine::Medium:
        return LXW_BORDER_MEDIUM;
    case BorderLine::Double:
        return LXW_BORDER_DOUBLE;
    case BorderLine::None:
        break;
    }
    return LXW_BORDER_NONE;
}

lxw_format* MakeFormat(lxw_workbook* workbook, const CellFormat& f) {
    lxw_format* x = workbook_add_format(workbook);
    format_set_font_name(x, f.fontName.c_str());
    format_set_font_size(x, f.fontSize);
    if (f.bold) {
        format_set_bold(x);
    }
    if (f.italic) {
        format_set_italic(x);
    }
    if (f.fontRgb != 0) {
        format_set_font_color(x, static_cast<lxw_color_t>(f.fontRgb));
    }
    switch (f.hAlign) {
    case HorizontalAlign::Left:
        format_set_align(x, LXW_ALIGN_LEFT);
        break;
    case HorizontalAlign::Center:
        format_set_align(x, LXW_ALIGN_CENTER);
        break;
    case HorizontalAlign::Right:
        format_set_align(x, LXW_ALIGN_RIGHT);
        break;
    case HorizontalAlign::General:
        break;
    }
    switch (f.vAlign) {
    case VerticalAlign::Top:
        format_set_align(x, LXW_ALIGN_VERTICAL_TOP);
        break;
    case VerticalAlign::Center:
        format_set_align(x, LXW_ALIGN_VERTICAL_CENTER);
        break;
    case VerticalAlign::Bottom:
        format_set_align(x, LXW_ALIGN_VERTICAL_BOTTOM);
        break;
    }
    if (f.wrap) {
        format_set_text_wrap(x);
    }
    if (f.shrink) {
        format_set_shrink(x);
    }
    format_set_left(x, BorderOf(f.left));
    format_set_top(x, BorderOf(f.top));
    format_set_right(x, BorderOf(f.right));
    format_set_bottom(x, BorderOf(f.bottom));
    const int64_t fill = EffectiveFill(f);
    if (fill >= 0) {
        format_set_pattern(x, LXW_PATTERN_SOLID);
        format_set_bg_color(x, static_cast<lxw_color_t>(fill));
    }
    if (!f.numberFormat.empty() && f.numberFormat != "General") {
        format_set_num_format(x, f.numberFormat.c_str());
    }
    return x;
}

// The padding a cell keeps on each side of its text, in points.
constexpr double kCellPaddingPoints = 2.0;

// The width of a text in the format's font, in points: the whole text, or
// (`widestWord`) its widest word.
double TextPoints(const CellFormat& format, const std::string& text, bool widestWord) {
    QFont font(QString::fromStdString(format.fontName));
    font.setPointSizeF(format.fontSize);
    font.setBold(format.bold);
    font.setItalic(format.italic);
    // A device of 72 dots an inch measures in points.
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(2835);
        image.setDotsPerMeterY(2835);
        return image;
    }();
    const QFontMetricsF metrics(font, &device);
    const QString all = QString::fromStdString(text);
    if (!widestWord) {
        return metrics.horizontalAdvance(all);
    }
    double widest = 0;
    for (const QString& word : all.split(' ', Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest;
}

// Far above any sheet of the program (a table of 500 properties is 100 kB).
constexpr std::size_t kMaxMadeWorkbook = 256u * 1024u * 1024u;

double MillimetresToInches(double mm) {
    return mm / 25.4;
}

} // namespace

bool WriteSheetXlsx(const SheetModel& model, const std::string& path, std::string& error) {
    // The workbook is made in a file of its own and then takes the place of
    // the one named, whole, as every file of the program does: a failure
    // halfway leaves an earlier file as it was.
    QTemporaryFile made;
    if (!made.open()) {
        error = "Το αρχείο .xlsx δεν δημιουργήθηκε: " + path +
                " (ο προσωρινός φάκελος δεν "
                "δέχεται αρχεία)";
        return false;
    }
    const std::string madePath = made.fileName().toStdString();
    made.close();
    lxw_workbook* workbook = workbook_new(madePath.c_str());
    if (!workbook) {
        error = "Το αρχείο .xlsx δεν δημιουργήθηκε: " + path;
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Εκτύπωση"); // as the charts name it
    std::vector<lxw_format*> formats;
    for (const CellFormat& f : model.Formats()) {
        formats.push_back(MakeFormat(workbook, f));
    }

    const int columns = std::max(model.PrintColumns(), 1);
    for (int c = 1; c <= columns; ++c) {
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c - 1), static_cast<lxw_col_t>(c - 1),
                             model.ColumnWidth(c), nullptr);
    }
    worksheet_set_default_row(sheet, model.DefaultRowHeight(), LXW_FALSE);
    for (const auto& [row, height] : model.RowHeights()) {
        worksheet_set_row(sheet, static_cast<lxw_row_t>(row - 1), height, nullptr);
    }

    for (const CellRange& m : model.Merges()) {
        worksheet_merge_range(
            sheet, static_cast<lxw_row_t>(m.row1 - 1), static_cast<lxw_col_t>(m.col1 - 1),
            static_cast<lxw_row_t>(m.row2 - 1), static_cast<lxw_col_t>(m.col2 - 1), "",
            formats[static_cast<size_t>(model.FormatId(m.row1, m.col1))]);
    }
    std::map<int, lxw_format*> shrinking;                   // shrink-to-fit variants of the formats
    std::map<std::pair<int, double>, lxw_format*> captions; // smaller wrapped captions
    for (const auto& [key, cell] : model.Cells()) {
        const lxw_row_t r = static_cast<lxw_row_t>(key.first - 1);
        const lxw_col_t c = static_cast<lxw_col_t>(key.second - 1);
        lxw_format* f = formats[static_cast<size_t>(cell.format)];
        switch (cell.value.kind) {
        case SheetValue::Kind::Number:
            if (!cell.value.text.empty()) {
                // A total that follows its rows, with its value for the
                // programs that do not calculate.
                worksheet_write_formula_num(sheet, r, c, cell.value.text.c_str(), f,
                                            cell.value.number);
            } else {
                // The cell holds the number it prints.
                worksheet_write_number(
                    sheet, r, c,
                    SheetStoredNumber(
                        cell.value.number,
                        model.Formats()[static_cast<size_t>(cell.format)].numberFormat),
                    f);
            }
            break;
        case SheetValue::Kind::Text: {
            // A text is never cut: one longer than its cell (or merged range)
            // is shrunk to fit by the program that opens the file, unless it
            // runs on over empty cells to its right; a caption the template
            // wraps, whose widest word is wider than the column, is set
            // smaller as the preview and the PDF draw it, not broken between
            // its letters.
            const CellFormat& own = model.Formats()[static_cast<size_t>(cell.format)];
            const CellRange* merge = model.MergeStartingAt(key.first, key.second);
            double room = -2 * kCellPaddingPoints;
            for (int col = key.second; col <= (merge ? merge->col2 : key.second); ++col) {
                room += SheetRenderer::ColumnPoints(model.ColumnWidth(col));
            }
            const bool runsOn =
                !merge && key.second < columns &&
                model.Value(key.first, key.second + 1).kind == SheetValue::Kind::Empty;
            if (!own.wrap && !own.shrink && !runsOn &&
                TextPoints(own, cell.value.text, false) > room) {
                lxw_format*& shrunk = shrinking[cell.format];
                if (shrunk == nullptr) {
                    CellFormat variant = own;
                    variant.shrink = true;
                    shrunk = MakeFormat(workbook, variant);
                }
                f = shrunk;
            } else if (own.wrap && room > 0) {
                const double widest = TextPoints(own, cell.value.text, true);
                if (widest > room) {
                    // In half points.
                    const double size = std::floor(2.0 * own.fontSize * room / widest) / 2.0;
                    lxw_format*& smaller = captions[{cell.format, size}];
                    if (smaller == nullptr) {
                        CellFormat variant = own;
                        variant.fontSize = std::max(1.0, size);
                        smaller = MakeFormat(workbook, variant);
                    }
                    f = smaller;
                }
            }
            worksheet_write_string(sheet, r, c, cell.value.text.c_str(), f);
            break;
        }
        case SheetValue::Kind::Empty:
            if (!model.IsCoveredByMerge(key.first, key.second) &&
                !model.MergeStartingAt(key.first, key.second)) {
                worksheet_write_blank(sheet, r, c, f);
            }
            break;
        }
    }

    // Each chart as a chart of the workbook over the same cells, its series
    // reading the cells that hold its figures.
    const char* const sheetName = "Εκτύπωση";
    for (const SheetChart& chart : model.Charts()) {
        if (chart.series.empty()) {
            continue;
        }
        lxw_chart* made = workbook_add_chart(workbook, LXW_CHART_COLUMN);
        if (!chart.title.empty()) {
            chart_title_set_name(made, chart.title.c_str());
        } else {
            chart_title_off(made);
        }
        for (const ChartSeries& s : chart.series) {
            lxw_chart_series* series = chart_add_series(made, nullptr, nullptr);
            const CellRange& k = chart.categoryCells;
            chart_series_set_categories(series, sheetName, static_cast<lxw_row_t>(k.row1 - 1),
                                        static_cast<lxw_col_t>(k.col1 - 1),
                                        static_cast<lxw_row_t>(k.row2 - 1),
                                        static_cast<lxw_col_t>(k.col2 - 1));
            const CellRange& v = s.cells;
            chart_series_set_values(series, sheetName, static_cast<lxw_row_t>(v.row1 - 1),
                                    static_cast<lxw_col_t>(v.col1 - 1),
                                    static_cast<lxw_row_t>(v.row2 - 1),
                                    static_cast<lxw_col_t>(v.col2 - 1));
            chart_series_set_name(series, s.name.c_str());
            lxw_chart_fill fill{};
            fill.color = s.rgb;
            chart_series_set_fill(series, &fill);
            if (chart.categories.size() * chart.series.size() <= 24) {
                chart_series_set_labels(series);
            }
        }
        if (chart.series.size() < 2) {
            chart_legend_set_position(made, LXW_CHART_LEGEND_NONE);
        }
        // As large as the cells it stands over (a chart is 480 x 288 pixels
        // unless scaled; a column of width w is 7w + 5 pixels, a point 4/3).
        const CellRange& a = chart.anchor;
        double width = 0, height = 0;
        for (int col = a.col1; col <= a.col2; ++col) {
            width += std::floor(model.ColumnWidth(col) * 7 + 5);
        }
        for (int row = a.row1; row <= a.row2; ++row) {
            height += model.RowHeight(row) * 4.0 / 3.0;
        }
        lxw_chart_options options{};
        options.x_scale = width / 480.0;
        options.y_scale = height / 288.0;
        worksheet_insert_chart_opt(sheet, static_cast<lxw_row_t>(a.row1 - 1),
                                   static_cast<lxw_col_t>(a.col1 - 1), made, &options);
    }

    const PageSetup& setup = model.Setup();
    worksheet_set_paper(sheet, setup.paper == "A3" ? 8 : 9);
    if (setup.landscape) {
        worksheet_set_landscape(sheet);
    } else {
        worksheet_set_portrait(sheet);
    }
    worksheet_set_margins(
        sheet, MillimetresToInches(setup.marginLeftMm), MillimetresToInches(setup.marginRightMm),
        MillimetresToInches(setup.marginTopMm), MillimetresToInches(setup.marginBottomMm));
    if (!setup.footer.empty()) {
        // A spreadsheet prints the footer between its own margin and the
        // bottom margin: at Excel's 7.6 mm under a 10 mm margin a line of
        // text is cut in half. The footer's margin leaves it the room of a
        // line, as the PDF prints it, and never less than 2.5 mm to the edge.
        lxw_header_footer_options options{};
        options.margin =
            MillimetresToInches(std::max(kFooterEdgeMm, setup.marginBottomMm - kFooterLineMm));
        const std::string footer = "&C" + setup.footer;
        worksheet_set_footer_opt(sheet, footer.c_str(), &options);
    }
    std::vector<lxw_row_t> breaks;
    for (int row : model.PageBreaks()) {
        if (breaks.size() < LXW_BREAKS_MAX) {
            breaks.push_back(static_cast<lxw_row_t>(row - 1)); // break above this row
        }
    }
    if (!breaks.empty()) {
        breaks.push_back(0);
        worksheet_set_h_pagebreaks(sheet, breaks.data());
    }
    const int lastRow = std::max(model.LastRow(), 1);
    worksheet_print_area(sheet, 0, 0, static_cast<lxw_row_t>(lastRow - 1),
                         static_cast<lxw_col_t>(columns - 1));
    // Each page one page wide, whatever the program that opens the file
    // measures the columns and fonts at; as tall as the page breaks of the
    // blocks make it.
    worksheet_fit_to_pages(sheet, 1, 0);

    const lxw_error result = workbook_close(workbook);
    if (result != LXW_NO_ERROR) {
        error = "Το αρχείο .xlsx δεν γράφτηκε: " + path +
                " (το βιβλίο δεν ολοκληρώθηκε στον προσωρινό φάκελο: δεν υπάρχει χώρος ή "
                "σφάλμα του μέσου αποθήκευσης)";
        return false;
    }
    std::string bytes;
    FileProblem problem = ReadRegularFile(madePath, bytes, kMaxMadeWorkbook);
    if (problem == FileProblem::None) {
        problem = ReplaceFileSafely(path, bytes);
    }
    if (problem != FileProblem::None) {
        error = FileProblemMessage(path, problem);
        return false;
    }
    return true;
}

#else

bool XlsxExportAvailable() {
    return false;
}

bool WriteSheetXlsx(const SheetModel&, const std::string&, std::string& error) {
    error = "Αυτή η έκδοση του προγράμματος δεν γράφει αρχεία .xlsx.";
    return false;
}

#endif

} // namespace pyrostat
