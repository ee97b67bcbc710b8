#include "billing/BillSheets.h"

#include "billing/BillNumber.h"
#include "billing/Iban.h"
#include "billing/PaymentReference.h"

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

// A short name of a period for a chart's bar: "10/26–04/27".
std::string ShortPeriod(const PeriodFigure& f) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d–%02d/%02d", f.from.month % 100,
                  f.from.year % 100, f.to.month % 100, f.to.year % 100);
    return buffer;
}

// The block of a notice that compares, in small type: the previous period,
// the same period a year before, the property's and the building's measure
// per unit of e, and its last periods, drawn beside them as a bar chart.
int Comparison(Writer& w, int row, const PropertyComparison& c, bool hours, NumberLocale locale) {
    CellFormat small = w.Base();
    small.fontSize = 7;
    CellFormat bold = small;
    bold.bold = true;
    SheetModel& sheet = w.sheet_;
    auto line = [&](int at) { sheet.SetRowHeight(at, 9.5); };
    line(row);
    w.Text(row++, 1, std::string("Σύγκριση: ") + (hours ? "ώρες λειτουργίας" : "μονάδες ενέργειας"),
           bold);
    const int first = row;
    auto number = [&](int at, double value, const std::string& format) {
        CellFormat f = small;
        f.numberFormat = format;
        f.hAlign = HorizontalAlign::Right;
        sheet.SetNumber(at, 2, value);
        sheet.SetFormat(at, 2, f);
    };
    auto figure = [&](const char* caption, const std::optional<PeriodFigure>& f) {
        line(row);
        if (!f) {
            w.Text(row++, 1, std::string(caption) + ": —", small);
            return;
        }
        w.Text(row, 1,
               std::string(caption) + " " + ShortPeriod(*f) + " (" +
                   FormatEuroText(f->amountCents, locale) + " €)",
               small);
        number(row++, f->omega, DecimalsFormat(f->omegaDecimals));
    };
    figure("Προηγούμενη", c.previous);
    figure("Πέρσι", c.yearBefore);
    line(row);
    w.Text(row, 1, "Ω ανά μονάδα e: η Ιδιοκτησία", small);
    number(row++, c.perE, "#,##0.00");
    line(row);
    w.Text(row, 1, "Ω ανά μονάδα e: μέσος όρος κτιρίου", small);
    number(row++, c.buildingPerE, "#,##0.00");
    // The last periods, as the chart beside them draws them.
    SheetChart chart;
    chart.title = "Οι τελευταίες περίοδοι";
    ChartSeries series;
    series.name = hours ? "Ώρες" : "Μονάδες";
    const int barsFirst = row;
    int decimals = 0;
    for (const PeriodFigure& f : c.recent) {
        line(row);
        w.Text(row, 1, PeriodText(f) + (f.estimated ? " (εκτίμηση)" : ""), small);
        number(row++, f.omega, DecimalsFormat(f.omegaDecimals));
        chart.categories.push_back(ShortPeriod(f));
        series.values.push_back(f.omega);
        decimals = std::max(decimals, f.omegaDecimals);
    }
    if (!c.recent.empty()) {
        chart.categoryCells = {barsFirst, 1, row - 1, 1};
        series.cells = {barsFirst, 2, row - 1, 2};
        chart.valueFormat = DecimalsFormat(decimals);
        chart.series.push_back(std::move(series));
        chart.anchor = {first, 3, row - 1, 4};
        sheet.AddChart(std::move(chart));
    }
    return row;
}

// The picture of the building, on a page of its own from `row`: each
// property's share of the measure this period against its own average over
// the stored periods. Its figures stand to the right of the printed columns
// (from the first row), where the .xlsx chart reads them.
void BuildingPicture(Writer& w, int row, int printed, const PeriodBill& bill,
                     const std::vector<PropertyComparison>& comparisons) {
    SheetModel& sheet = w.sheet_;
    const int nameCol = printed + 2, shareCol = nameCol + 1, averageCol = nameCol + 2;
    CellFormat head = w.Base();
    head.bold = true;
    w.Text(1, nameCol, "Ιδιοκτησία", head);
    w.Text(1, shareCol, "Μερίδιο περιόδου %", head);
    w.Text(1, averageCol, "Μέσο μερίδιο %", head);
    SheetChart chart;
    chart.title = "Το μερίδιο κάθε Ιδιοκτησίας στη μέτρηση του κτιρίου (%): αυτή η περίοδος "
                  "και ο μέσος όρος των αποθηκευμένων περιόδων της";
    chart.valueFormat = "0.00";
    ChartSeries now{"Αυτή η περίοδος", {}, {}, 0x4F81BD};
    ChartSeries average{"Μέσος όρος", {}, {}, 0xC0504D};
    bool anyAverage = false;
    const int n = static_cast<int>(bill.lines.size());
    for (int i = 0; i < n; ++i) {
        const BilledLine& line = bill.lines[static_cast<size_t>(i)];
        const PropertyComparison* c = static_cast<size_t>(i) < comparisons.size()
                                          ? &comparisons[static_cast<size_t>(i)]
                                          : nullptr;
        const std::string name =
            line.name.empty() ? std::to_string(line.coefficients.number) : line.name;
        w.Text(2 + i, nameCol, name);
        // In hundredths of a percent, as the cells print them and the chart
        // reads them.
        const double share = c && c->share ? std::round(*c->share * 10000.0) / 100.0 : 0.0;
        const double mean =
            c && c->averageShare ? std::round(*c->averageShare * 10000.0) / 100.0 : 0.0;
        anyAverage = anyAverage || (c && c->averageShare);
        w.Number(2 + i, shareCol, share, "0.00", false, false);
        w.Number(2 + i, averageCol, mean, "0.00", false, false);
        chart.categories.push_back(name);
        now.values.push_back(share);
        average.values.push_back(mean);
    }
    chart.categoryCells = {2, nameCol, n + 1, nameCol};
    now.cells = {2, shareCol, n + 1, shareCol};
    average.cells = {2, averageCol, n + 1, averageCol};
    chart.series.push_back(std::move(now));
    if (anyAverage) {
        chart.series.push_back(std::move(average));
    }
    sheet.AddPageBreak(row);
    chart.anchor = {row, 1, row + 27, printed};
    sheet.AddChart(std::move(chart));
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
    if (comparisons != nullptr && bill.lines.size() > 1) {
        BuildingPicture(w, row + 1, kCols, bill, *comparisons);
    }
    return sheet;
}

std::optional<BillDate> NoticeDueDate(const PeriodBill& bill, const BillingDetails& details,
                                      const std::optional<BillDate>& given) {
    if (given) {
        return given;
    }
    if (bill.request.to && details.daysToPay > 0) {
        return AddDays(*bill.request.to, details.daysToPay);
    }
    return std::nullopt;
}

std::string NoticeFileName(const PeriodBill& bill, const BilledLine& line) {
    std::string name;
    if (bill.request.to) {
        char month[16];
        std::snprintf(month, sizeof month, "%04d-%02d_", bill.request.to->year % 10000,
                      bill.request.to->month % 100);
        name = month;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%03d", line.coefficients.number % 1000);
    name += number;
    // The property's name with what a file system or a mail program refuses
    // (separators, quotes, wildcards, control characters) as "_", and no
    // blank or dot at its ends; cut at a whole character.
    std::string safe;
    for (const char ch : line.name) {
        const unsigned char u = static_cast<unsigned char>(ch);
        const bool refused = u < 0x20 || u == 0x7F ||
                             std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos;
        safe += refused || ch == ' ' ? '_' : ch;
    }
    while (!safe.empty() && (safe.front() == '_' || safe.front() == '.')) {
        safe.erase(safe.begin());
    }
    while (!safe.empty() && (safe.back() == '_' || safe.back() == '.')) {
        safe.pop_back();
    }
    constexpr size_t kMostNameBytes = 60;
    if (safe.size() > kMostNameBytes) {
        size_t cut = kMostNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        safe.resize(cut);
    }
    if (!safe.empty()) {
        name += "_" + safe;
    }
    return name + ".pdf";
}

namespace {

// The notices with each one `stride` rows below the one before; the rows the
// longest of them takes in `longest`.
SheetModel NoticesWithStride(const PeriodBill& bill, const BillingCoefficients& c,
                             const std::vector<PropertyComparison>* comparisons,
                             const NoticeAddress* address, std::optional<size_t> only, int stride,
                             int& longest) {
    longest = 0;
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
    const NumberLocale locale = bill.request.locale;

    CellFormat label = w.Base();
    CellFormat bold = w.Base();
    bold.bold = true;
    CellFormat wrapped = w.Base();
    wrapped.wrap = true;
    wrapped.vAlign = VerticalAlign::Top;
    CellFormat small = w.Base();
    small.fontSize = 7;
    CellFormat smallBold = small;
    smallBold.bold = true;
    CellFormat smallWrapped = small;
    smallWrapped.wrap = true;
    smallWrapped.vAlign = VerticalAlign::Top;
    const bool hours = bill.request.method == MeterMethod::Hours;
    double weightSum = 0;
    for (const BilledLine& line : bill.lines) {
        weightSum += hours ? line.coefficients.e * line.omega : line.omega;
    }
    const std::string euro = " €";
    auto money = [&](int64_t cents) { return FormatEuroText(cents, locale) + euro; };
    // A number of the small box of figures, two to a row.
    auto smallNumber = [&](int row, int col, double value, const std::string& format) {
        CellFormat f = small;
        f.numberFormat = format;
        f.hAlign = HorizontalAlign::Right;
        sheet.SetNumber(row, col, value);
        sheet.SetFormat(row, col, f);
    };
    const std::optional<BillDate> due =
        address ? NoticeDueDate(bill, address->details, address->due) : std::nullopt;

    int first = 1;
    size_t made = 0;
    for (size_t i = 0; i < bill.lines.size(); ++i) {
        if (only && i != *only) {
            continue;
        }
        const BilledLine& line = bill.lines[i];
        if (made > 0 && made % 2 == 0) {
            sheet.AddPageBreak(first);
        }
        int row = Heading(w, first, kCols, "ΕΙΔΟΠΟΙΗΤΗΡΙΟ ΔΑΠΑΝΗΣ ΘΕΡΜΑΝΣΗΣ", bill, c);
        ++row;
        CellFormat name = bold;
        name.fontSize = 10;
        const Owner* owner = nullptr;
        if (address) {
            const auto found = address->owners.find(line.coefficients.number);
            owner = found != address->owners.end() ? &found->second : nullptr;
        }
        w.Merged(row++, 1, kCols,
                 owner ? "Προς: " + owner->name
                       : std::string("Προς: τον ιδιοκτήτη ή τον ένοικο της Ιδιοκτησίας"),
                 name);
        w.Merged(row++, 1, kCols,
                 "Ιδιοκτησία " + std::to_string(line.coefficients.number) + ": " + line.name, name);
        // The amount, large: what the owner looks for first.
        CellFormat big = bold;
        big.fontSize = 14;
        big.vAlign = VerticalAlign::Center;
        w.Text(row, 1, "ΠΟΣΟ ΠΛΗΡΩΜΗΣ €", big);
        CellFormat amount = big;
        amount.numberFormat = "#,##0.00";
        amount.hAlign = HorizontalAlign::Right;
        Writer::Box(amount);
        sheet.SetNumber(row, 2, static_cast<double>(line.amountCents) / 100.0);
        sheet.SetFormat(row, 2, amount);
        if (due) {
            w.Text(row, 3, "Πληρωμή έως " + FormatBillDate(*due), big);
        }
        sheet.SetRowHeight(row++, 22);
        if (address && !address->details.iban.empty()) {
            w.Merged(row++, 1, kCols,
                     "Κατάθεση στον λογαριασμό του κτιρίου: IBAN " +
                         GroupedIban(address->details.iban),
                     bold);
        }
        if (address && address->building > 0 && bill.request.to) {
            w.Merged(
                row++, 1, kCols,
                "Αιτιολογία πληρωμής (γράψτε τη στην κατάθεση): " +
                    PaymentReference(address->building, line.coefficients.number, *bill.request.to),
                label);
        }
        if (address && (!address->details.manager.empty() || !address->details.phone.empty())) {
            std::string contact = "Για κάθε απορία: ";
            contact +=
                address->details.manager.empty() ? "ο διαχειριστής" : address->details.manager;
            if (!address->details.phone.empty()) {
                contact += ", τηλ. " + address->details.phone;
            }
            w.Merged(row++, 1, kCols, contact, label);
        }
        ++row;
        // How the amount is made, in plain words.
        const std::string measure =
            FormatSheetNumber(line.omega, DecimalsFormat(line.omegaDecimals), locale) +
            (hours ? " ώρες λειτουργίας" : " μονάδες ενέργειας");
        std::string how = "Πώς προκύπτει το ποσό: η δαπάνη θέρμανσης του κτιρίου για την περίοδο "
                          "είναι " +
                          money(bill.request.costCents) + ". Το πάγιο μέρος της (" +
                          money(bill.fixedTotal) +
                          ") πληρώνει τη θέρμανση του κτιρίου ως συνόλου (σωληνώσεις, "
                          "κοινόχρηστοι χώροι) και μοιράζεται με τους συντελεστές της μελέτης "
                          "θέρμανσης: σε αυτή την Ιδιοκτησία αναλογούν " +
                          money(line.fixedCents) + ". ";
        if (line.closed) {
            how += "Η Ιδιοκτησία ήταν κλειστή: από το υπόλοιπο (" + money(bill.variableTotal) +
                   ", που μοιράζεται με τους μετρητές) δεν της αναλογεί τίποτα.";
        } else {
            how += "Το υπόλοιπο (" + money(bill.variableTotal) +
                   ") μοιράζεται με τους μετρητές: ο μετρητής της Ιδιοκτησίας μέτρησε " + measure +
                   (line.estimated ? " (εκτίμηση, γιατί δεν δόθηκε ένδειξη)" : "") +
                   " και της αναλογούν " + money(line.variableCents) + ".";
        }
        w.Merged(row, 1, kCols, how, wrapped);
        sheet.SetRowHeight(row++, 60);
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
        w.Text(row++, 3, Marks(line, locale), bold);

        // The figures for whoever checks, in a smaller box.
        auto smallRow = [&](int at) { sheet.SetRowHeight(at, 9.5); };
        const int boxFirst = ++row;
        smallRow(row);
        w.Text(row++, 1, "Για έλεγχο: οι συντελεστές και τα σύνολα του κτιρίου", smallBold);
        smallRow(row);
        w.Text(row, 1, "Συντελεστής e", small);
        smallNumber(row, 2, line.coefficients.e, "0.0000");
        w.Text(row, 3, "Πάγιο FE = f x e", small);
        smallNumber(row++, 4, line.coefficients.fe, "0.0000");
        smallRow(row);
        w.Text(row, 1, "ΟΜΣ = 1 − Σ(f x e)", small);
        smallNumber(row, 2, bill.oms, "0.0000");
        w.Text(row, 3, hours ? "Σ(e x Ω) του κτιρίου" : "ΣΩ του κτιρίου", small);
        smallNumber(row++, 4, hours ? weightSum : bill.sumOmega,
                    hours ? "#,##0.0000" : DecimalsFormat(bill.omegaDecimals));
        smallRow(row);
        w.Merged(row++, 1, kCols, FormulaText(bill.request.method), small);
        if (bill.scaled) {
            w.Merged(row, 1, kCols, ScaleFactorNote(bill), smallWrapped);
            sheet.SetRowHeight(row++, 18);
        }
        smallRow(row);
        w.Text(row, 1, "Ποσοστό Π (%)", smallBold);
        smallNumber(row, 2, PrintedPercent(line.percent), "0.00000");
        w.Text(row, 3, hours ? "Σύνολο ωρών ΣΩ" : "Σύνολο μονάδων ΣΩ", small);
        smallNumber(row++, 4, bill.sumOmega, DecimalsFormat(bill.omegaDecimals));
        smallRow(row);
        w.Text(row, 1, "Πάγιο μέρος €", small);
        smallNumber(row, 2, static_cast<double>(line.fixedCents) / 100.0, "#,##0.00");
        w.Text(row, 3, "Κτίριο: πάγιο μέρος €", small);
        smallNumber(row++, 4, static_cast<double>(bill.fixedTotal) / 100.0, "#,##0.00");
        smallRow(row);
        w.Text(row, 1, "Μεταβλητό μέρος €", small);
        smallNumber(row, 2, static_cast<double>(line.variableCents) / 100.0, "#,##0.00");
        w.Text(row, 3, "Κτίριο: μεταβλητό μέρος €", small);
        smallNumber(row++, 4, static_cast<double>(bill.variableTotal) / 100.0, "#,##0.00");
        // Its frame.
        sheet.ChangeFormats({boxFirst, 1, boxFirst, kCols},
                            [](CellFormat& f) { f.top = BorderLine::Thin; });
        sheet.ChangeFormats({row - 1, 1, row - 1, kCols},
                            [](CellFormat& f) { f.bottom = BorderLine::Thin; });
        sheet.ChangeFormats({boxFirst, 1, row - 1, 1},
                            [](CellFormat& f) { f.left = BorderLine::Thin; });
        sheet.ChangeFormats({boxFirst, kCols, row - 1, kCols},
                            [](CellFormat& f) { f.right = BorderLine::Thin; });
        if (comparisons != nullptr && i < comparisons->size()) {
            row = Comparison(w, row, (*comparisons)[i], hours, locale);
        }
        longest = std::max(longest, row - first);
        first += stride;
        // A cut line between the two notices of a page.
        if (made % 2 == 0) {
            CellFormat cut = w.Base();
            cut.bottom = BorderLine::Thin;
            for (int col = 1; col <= kCols; ++col) {
                sheet.SetFormat(first - 2, col, cut);
            }
        }
        ++made;
    }
    return sheet;
}

} // namespace

SheetModel NoticesSheet(const PeriodBill& bill, const BillingCoefficients& c,
                        const std::vector<PropertyComparison>* comparisons,
                        const NoticeAddress* address, std::optional<size_t> only) {
    // Each notice takes the rows of the longest and a row for the cut line,
    // so that two fill a page alike.
    int longest = 0;
    NoticesWithStride(bill, c, comparisons, address, only, 1000, longest);
    return NoticesWithStride(bill, c, comparisons, address, only, longest + 3, longest);
}

} // namespace pyrostat
