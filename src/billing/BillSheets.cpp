#include "billing/BillSheets.h"

#include "billing/BillNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace pyrostat {

namespace {

std::string DecimalsFormat(int decimals) {
    return decimals <= 0 ? "#,##0" : "#,##0." + std::string(static_cast<size_t>(decimals), '0');
}

// Shorthands over the sheet for the few formats the two sheets use.
class Writer {
public:
    explicit Writer(SheetModel& sheet) : sheet_(sheet) {
        base_.fontName = "DejaVu Sans";
        base_.fontSize = 8.5;
        sheet_.DefaultFormat() = base_;
    }
    CellFormat Base() const { return base_; }
    void Text(int row, int col, const std::string& text, CellFormat f) {
        sheet_.SetText(row, col, text);
        sheet_.SetFormat(row, col, f);
    }
    void Text(int row, int col, const std::string& text) { Text(row, col, text, base_); }
    void Number(int row, int col, double value, const std::string& format, bool bold = false,
                bool boxed = true) {
        CellFormat f = base_;
        f.numberFormat = format;
        f.hAlign = HorizontalAlign::Right;
        f.bold = bold;
        if (boxed) {
            Box(f);
        }
        sheet_.SetNumber(row, col, value);
        sheet_.SetFormat(row, col, f);
    }
    void Merged(int row, int col1, int col2, const std::string& text, CellFormat f) {
        Text(row, col1, text, f);
        for (int c = col1 + 1; c <= col2; ++c) {
            sheet_.SetFormat(row, c, f);
        }
        if (col2 > col1) {
            sheet_.AddMerge({row, col1, row, col2});
        }
    }
    static void Box(CellFormat& f) { f.left = f.right = f.top = f.bottom = BorderLine::Thin; }
    SheetModel& sheet_;

private:
    CellFormat base_;
};

std::string Period(const PeriodBill& bill) {
    if (!bill.request.from) {
        return "Περίοδος: —";
    }
    return "Περίοδος: " + FormatBillDate(*bill.request.from) + " έως " +
           FormatBillDate(*bill.request.to) + " (" +
           std::to_string(bill.periodHours / kHoursPerDay) + " ημέρες, " +
           std::to_string(bill.periodHours) + " ώρες)";
}

std::string Building(const BillingCoefficients& c) {
    std::string text;
    for (const std::string* part : {&c.employer, &c.project, &c.location}) {
        if (!part->empty()) {
            text += (text.empty() ? "" : ", ") + *part;
        }
    }
    return text;
}

std::string Marks(const BilledLine& line, NumberLocale locale) {
    std::string marks;
    auto add = [&marks](const std::string& m) { marks += (marks.empty() ? "" : ", ") + m; };
    if (line.closed) {
        add(kClosedMark);
    }
    if (line.estimated) {
        add("εκτίμηση");
    }
    if (line.reading && line.reading->replaced) {
        add(std::string(kReplacedMark) + " " +
            FormatDecimal(line.reading->oldFinal.value, line.reading->oldFinal.decimals, locale) +
            " / " +
            FormatDecimal(line.reading->newStart.value, line.reading->newStart.decimals, locale));
    }
    return marks;
}

std::string FormulaText(MeterMethod method) {
    return method == MeterMethod::Hours
               ? "Πi(%) = [FEi + ΟΜΣ x (ei x Ωi) / Σ(ei x Ωi)] x 100, Ωi οι ώρες λειτουργίας"
               : "Πi(%) = [FEi + ΟΜΣ x Ωi / ΣΩ] x 100, Ωi οι μονάδες ενέργειας";
}

// The heading block shared by both sheets; returns the next free row.
int Heading(Writer& w, int row, int lastCol, const std::string& title, const PeriodBill& bill,
            const BillingCoefficients& c) {
    CellFormat big = w.Base();
    big.bold = true;
    big.fontSize = 12;
    big.hAlign = HorizontalAlign::Center;
    w.Merged(row++, 1, lastCol, title, big);
    CellFormat plain = w.Base();
    plain.shrink = true;
    if (!c.title.empty()) {
        CellFormat bold = plain;
        bold.bold = true;
        w.Merged(row++, 1, lastCol, c.title, bold);
    }
    if (!Building(c).empty()) {
        w.Merged(row++, 1, lastCol, Building(c), plain);
    }
    w.Merged(row++, 1, lastCol, Period(bill), plain);
    w.Merged(row++, 1, lastCol,
             "Δαπάνη περιόδου: " + FormatEuroText(bill.request.costCents, bill.request.locale) +
                 " €   Μέθοδος: " + MethodText(bill.request.method),
             plain);
    return row;
}

std::string PeriodText(const PeriodFigure& f) {
    return FormatBillDate(f.from) + " – " + FormatBillDate(f.to);
}

// The block of a notice that compares: two lines of figures, the average per
// unit of e, and a bar per period drawn with block characters.
int Comparison(Writer& w, int row, const PropertyComparison& c, bool hours) {
    CellFormat label = w.Base();
    CellFormat bold = w.Base();
    bold.bold = true;
    ++row;
    w.Text(row++, 1, "Σύγκριση", bold);
    const std::string unit = hours ? " ώρες" : " μονάδες";
    auto figure = [&](const char* caption, const std::optional<PeriodFigure>& f) {
        w.Text(row, 1, caption, label);
        if (!f) {
            w.Text(row++, 2, "—", label);
            return;
        }
        w.Text(row, 2, PeriodText(*f), label);
        w.Number(row, 3, f->omega, DecimalsFormat(f->omegaDecimals), false, false);
        w.Number(row++, 4, static_cast<double>(f->amountCents) / 100.0, "#,##0.00", false, false);
    };
    figure("Προηγούμενη περίοδος", c.previous);
    figure("Ίδια περίοδος πέρσι", c.yearBefore);
    w.Text(row, 1, "Ω ανά μονάδα e: η Ιδιοκτησία", label);
    w.Number(row, 2, c.perE, "#,##0.00", false, false);
    w.Text(row, 3, "ο μέσος όρος του κτιρίου", label);
    w.Number(row++, 4, c.buildingPerE, "#,##0.00", false, false);
    double top = 0;
    for (const PeriodFigure& f : c.recent) {
        top = std::max(top, f.omega);
    }
    for (const PeriodFigure& f : c.recent) {
        const int blocks = top > 0 ? static_cast<int>(std::lround(f.omega / top * 24)) : 0;
        std::string bar;
        for (int k = 0; k < blocks; ++k) {
            bar += "█";
        }
        w.Text(row, 1, PeriodText(f) + (f.estimated ? " (εκτίμηση)" : ""), label);
        w.Number(row, 2, f.omega, DecimalsFormat(f.omegaDecimals), false, false);
        w.Text(row++, 3, bar, label);
    }
    return row;
}

} // namespace

std::string MethodText(MeterMethod method) {
    return method == MeterMethod::Hours ? "Ωρομετρητές (ώρες λειτουργίας)"
                                        : "Θερμιδομετρητές (μονάδες ενέργειας)";
}

SheetModel PeriodSheet(const PeriodBill& bill, const BillingCoefficients& c,
                       const std::vector<PropertyComparison>* comparisons) {
    SheetModel sheet;
    Writer w(sheet);
    constexpr int kCols = 12;
    const double widths[kCols] = {5, 26, 11, 11, 10, 8, 8, 10, 11, 12, 11, 20};
    for (int col = 1; col <= kCols; ++col) {
        sheet.SetColumnWidth(col, widths[col - 1]);
    }
    PageSetup& setup = sheet.Setup();
    setup.landscape = true;
    setup.marginLeftMm = setup.marginRightMm = 12;
    setup.footer = "Σελίδα &P από &N";
    setup.printColumns = kCols;

    int row = Heading(w, 1, kCols, "ΚΑΤΑΝΟΜΗ ΔΑΠΑΝΗΣ ΘΕΡΜΑΝΣΗΣ ΠΕΡΙΟΔΟΥ", bill, c);
    CellFormat note = w.Base();
    note.italic = true;
    w.Merged(row++, 1, kCols, FormulaText(bill.request.method), note);
    ++row;

    const char* heads[kCols] = {"Α/Α",
                                "Ιδιοκτησία",
                                "Προηγ. ένδειξη",
                                "Τρέχ. ένδειξη",
                                bill.request.method == MeterMethod::Hours ? "Ώρες Ω" : "Μονάδες Ω",
                                "e",
                                "FE",
                                "Π (%)",
                                "Πάγιο €",
                                "Μεταβλητό €",
                                "Σύνολο €",
                                "Σημειώσεις"};
    CellFormat head = w.Base();
    head.bold = true;
    head.wrap = true;
    head.hAlign = HorizontalAlign::Center;
    head.vAlign = VerticalAlign::Center;
    head.interiorColorIndex = 36;
    head.interiorPattern = kPatternSolid;
    Writer::Box(head);
    auto headings = [&](int at) {
        for (int col = 1; col <= kCols; ++col) {
            w.Text(at, col, heads[col - 1], head);
        }
        sheet.SetRowHeight(at, 24);
    };
    headings(row++);

    CellFormat text = w.Base();
    text.shrink = true;
    Writer::Box(text);
    CellFormat centre = text;
    centre.hAlign = HorizontalAlign::Center;
    int onPage = 0;
    int implausible = 0;
    for (size_t i = 0; i < bill.lines.size(); ++i) {
        const BilledLine& line = bill.lines[i];
        if (onPage == kSheetLinesPerPage) {
            sheet.AddPageBreak(row);
            headings(row++);
            onPage = 0;
        }
        ++onPage;
        w.Number(row, 1, line.coefficients.number, "0");
        w.Text(row, 2, line.name, text);
        const ReadingLine* r = line.reading ? &*line.reading : nullptr;
        if (r && r->current) {
            w.Number(row, 3, r->previous->value, DecimalsFormat(r->previous->decimals));
            w.Number(row, 4, r->current->value, DecimalsFormat(r->current->decimals));
        } else {
            w.Text(row, 3, "", text);
            w.Text(row, 4, "", text);
        }
        w.Number(row, 5, line.omega, DecimalsFormat(line.omegaDecimals));
        w.Number(row, 6, line.coefficients.e, "0.0000");
        w.Number(row, 7, line.coefficients.fe, "0.0000");
        w.Number(row, 8, PrintedPercent(line.percent), "0.00000");
        w.Number(row, 9, static_cast<double>(line.fixedCents) / 100.0, "#,##0.00");
        w.Number(row, 10, static_cast<double>(line.variableCents) / 100.0, "#,##0.00");
        w.Number(row, 11, static_cast<double>(line.amountCents) / 100.0, "#,##0.00", true);
        std::string marks = Marks(line, bill.request.locale);
        if (comparisons != nullptr && i < comparisons->size() && (*comparisons)[i].implausible) {
            marks += (marks.empty() ? "" : ", ") + std::string(kImplausibleMark);
            ++implausible;
        }
        w.Text(row, 12, marks, text);
        ++row;
    }
    CellFormat total = text;
    total.bold = true;
    w.Text(row, 1, "", total);
    w.Text(row, 2, "ΣΥΝΟΛΟ", total);
    for (int col : {3, 4, 6, 7, 12}) {
        w.Text(row, col, "", total);
    }
    w.Number(row, 5, bill.sumOmega, DecimalsFormat(bill.omegaDecimals), true);
    w.Number(row, 8, PrintedPercent(bill.PercentTotal()), "0.00000", true);
    w.Number(row, 9, static_cast<double>(bill.fixedTotal) / 100.0, "#,##0.00", true);
    w.Number(row, 10, static_cast<double>(bill.variableTotal) / 100.0, "#,##0.00", true);
    w.Number(row, 11, static_cast<double>(bill.request.costCents) / 100.0, "#,##0.00", true);
    row += 2;

    CellFormat wrapped = w.Base();
    wrapped.wrap = true;
    wrapped.vAlign = VerticalAlign::Top;
    w.Merged(row++, 1, kCols,
             "ΟΜΣ = 1 − Σ(f x e) = " + FormatDecimal(bill.oms, 4, bill.request.locale), wrapped);
    if (bill.scaled) {
        w.Merged(row, 1, kCols, ScaleFactorNote(bill), wrapped);
        sheet.SetRowHeight(row++, 24);
    }
    if (bill.estimatedCount > 0) {
        w.Merged(row++, 1, kCols,
                 "«εκτίμηση»: Ω από τον μέσο όρο του κτιρίου ανά μονάδα e (" +
                     std::to_string(bill.estimatedCount) + " Ιδιοκτησίες).",
                 wrapped);
    }
    if (implausible > 0) {
        sheet.SetRowHeight(row, 24);
        w.Merged(row++, 1, kCols,
                 "«" + std::string(kImplausibleMark) +
                     "»: το μερίδιο της Ιδιοκτησίας στη "
                     "μέτρηση του κτιρίου άλλαξε περισσότερο από το μισό έναντι των αποθηκευμένων "
                     "περιόδων της (" +
                     std::to_string(implausible) +
                     " Ιδιοκτησίες): ελέγξτε την "
                     "ένδειξη.",
                 wrapped);
    }
    if (bill.manyEstimates) {
        CellFormat warning = wrapped;
        warning.bold = true;
        w.Merged(row++, 1, kCols, ManyEstimatesWarning(bill), warning);
    }
    // What the manager should know of single properties: a closed one whose
    // meter moved, estimates settled against a reading at last.
    for (const std::string& note : bill.notes) {
        sheet.SetRowHeight(row, 24);
        w.Merged(row++, 1, kCols, note, wrapped);
    }
    return sheet;
}

SheetModel NoticesSheet(const PeriodBill& bill, const BillingCoefficients& c,
                        const std::vector<PropertyComparison>* comparisons) {
    SheetModel sheet;
    Writer w(sheet);
    constexpr int kCols = 4;
    const double widths[kCols] = {30, 16, 30, 16};
    for (int col = 1; col <= kCols; ++col) {
        sheet.SetColumnWidth(col, widths[col - 1]);
    }
    PageSetup& setup = sheet.Setup();
    setup.printColumns = kCols;
    setup.marginTopMm = setup.marginBottomMm = 12;

    CellFormat label = w.Base();
    CellFormat bold = w.Base();
    bold.bold = true;
    CellFormat wrapped = w.Base();
    wrapped.wrap = true;
    wrapped.vAlign = VerticalAlign::Top;
    const bool hours = bill.request.method == MeterMethod::Hours;
    double weightSum = 0;
    for (const BilledLine& line : bill.lines) {
        weightSum += hours ? line.coefficients.e * line.omega : line.omega;
    }
    // Each notice takes the same rows, so that two fill a page.
    const int kNoticeRows = comparisons != nullptr ? 36 : 27;
    int first = 1;
    for (size_t i = 0; i < bill.lines.size(); ++i) {
        const BilledLine& line = bill.lines[i];
        if (i > 0 && i % 2 == 0) {
            sheet.AddPageBreak(first);
        }
        int row = Heading(w, first, kCols, "ΕΙΔΟΠΟΙΗΤΗΡΙΟ ΔΑΠΑΝΗΣ ΘΕΡΜΑΝΣΗΣ", bill, c);
        ++row;
        CellFormat name = bold;
        name.fontSize = 10;
        w.Merged(row++, 1, kCols,
                 "Ιδιοκτησία " + std::to_string(line.coefficients.number) + ": " + line.name, name);
        const ReadingLine* r = line.reading ? &*line.reading : nullptr;
        if (r && r->current) {
            w.Text(row, 1, "Προηγούμενη ένδειξη", label);
            w.Number(row, 2, r->previous->value, DecimalsFormat(r->previous->decimals), false,
                     false);
            w.Text(row, 3, "Τρέχουσα ένδειξη", label);
            w.Number(row++, 4, r->current->value, DecimalsFormat(r->current->decimals), false,
                     false);
        }
        if (r && r->replaced) {
            w.Text(row, 1, "Τελική ένδειξη παλιού μετρητή", label);
            w.Number(row, 2, r->oldFinal.value, DecimalsFormat(r->oldFinal.decimals), false, false);
            w.Text(row, 3, "Αρχική ένδειξη νέου μετρητή", label);
            w.Number(row++, 4, r->newStart.value, DecimalsFormat(r->newStart.decimals), false,
                     false);
        }
        w.Text(row, 1, hours ? "Ώρες λειτουργίας Ω" : "Μονάδες ενέργειας Ω", label);
        w.Number(row, 2, line.omega, DecimalsFormat(line.omegaDecimals), true, false);
        w.Text(row++, 3, Marks(line, bill.request.locale), bold);
        w.Text(row, 1, "Συντελεστής e", label);
        w.Number(row, 2, line.coefficients.e, "0.0000", false, false);
        w.Text(row, 3, "Πάγιο FE = f x e", label);
        w.Number(row++, 4, line.coefficients.fe, "0.0000", false, false);
        w.Text(row, 1, "ΟΜΣ = 1 − Σ(f x e)", label);
        w.Number(row, 2, bill.oms, "0.0000", false, false);
        w.Text(row, 3, hours ? "Σ(e x Ω) του κτιρίου" : "ΣΩ του κτιρίου", label);
        w.Number(row++, 4, hours ? weightSum : bill.sumOmega,
                 hours ? "#,##0.0000" : DecimalsFormat(bill.omegaDecimals), false, false);
        w.Merged(row++, 1, kCols, FormulaText(bill.request.method), wrapped);
        if (bill.scaled) {
            w.Merged(row, 1, kCols, ScaleFactorNote(bill), wrapped);
            sheet.SetRowHeight(row++, 24);
        }
        w.Text(row, 1, "Ποσοστό Π (%)", bold);
        w.Number(row++, 2, PrintedPercent(line.percent), "0.00000", true, false);
        w.Text(row, 1, "Πάγιο μέρος €", label);
        w.Number(row++, 2, static_cast<double>(line.fixedCents) / 100.0, "#,##0.00", false, false);
        w.Text(row, 1, "Μεταβλητό μέρος €", label);
        w.Number(row++, 2, static_cast<double>(line.variableCents) / 100.0, "#,##0.00", false,
                 false);
        w.Text(row, 1, "ΠΟΣΟ ΠΛΗΡΩΜΗΣ €", bold);
        w.Number(row++, 2, static_cast<double>(line.amountCents) / 100.0, "#,##0.00", true, true);
        ++row;
        w.Text(row, 1, "Κτίριο: δαπάνη €", label);
        w.Number(row, 2, static_cast<double>(bill.request.costCents) / 100.0, "#,##0.00", false,
                 false);
        w.Text(row, 3, hours ? "Σύνολο ωρών ΣΩ" : "Σύνολο μονάδων ΣΩ", label);
        w.Number(row++, 4, bill.sumOmega, DecimalsFormat(bill.omegaDecimals), false, false);
        w.Text(row, 1, "Κτίριο: πάγιο μέρος €", label);
        w.Number(row, 2, static_cast<double>(bill.fixedTotal) / 100.0, "#,##0.00", false, false);
        w.Text(row, 3, "Κτίριο: μεταβλητό μέρος €", label);
        w.Number(row++, 4, static_cast<double>(bill.variableTotal) / 100.0, "#,##0.00", false,
                 false);
        if (comparisons != nullptr && i < comparisons->size()) {
            row = Comparison(w, row, (*comparisons)[i], hours);
        }
        first += kNoticeRows;
        // A cut line between the two notices of a page.
        if (i % 2 == 0) {
            CellFormat cut = w.Base();
            cut.bottom = BorderLine::Thin;
            for (int col = 1; col <= kCols; ++col) {
                sheet.SetFormat(first - 2, col, cut);
            }
        }
    }
    return sheet;
}

} // namespace pyrostat
