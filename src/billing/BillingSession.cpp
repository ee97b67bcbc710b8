#include "billing/BillingSession.h"

#include "billing/BillNumber.h"
#include "billing/CarryForward.h"
#include "billing/TextFields.h"
#include "platform/Utf8.h"

namespace pyrostat {

namespace {

// The readings line of one row, as a readings table would hold it: the
// property by its number, so that two properties of one name never mix.
std::string LineOf(const CoefficientLine& property, const BillingSession::Row& row) {
    std::string line = std::to_string(property.number);
    if (!TrimBlanks(row.measure).empty()) {
        line += '\t' + row.measure;
    }
    if (!TrimBlanks(row.previous).empty() || !TrimBlanks(row.current).empty()) {
        line += '\t' + (TrimBlanks(row.previous).empty() ? std::string("-") : row.previous) + '\t' +
                (TrimBlanks(row.current).empty() ? std::string("-") : row.current);
    }
    if (!TrimBlanks(row.marks).empty()) {
        line += '\t' + row.marks;
    }
    return line;
}

} // namespace

BillingSession::BillingSession(BillingCoefficients coefficients)
    : coefficients_(std::move(coefficients)), rows_(coefficients_.lines.size()) {}

void BillingSession::SetRow(size_t index, Row row) {
    if (index < rows_.size()) {
        rows_[index] = std::move(row);
    }
}

bool BillingSession::AnythingTyped() const {
    for (const Row& row : rows_) {
        if (!row.previous.empty() || !row.current.empty() || !row.measure.empty() ||
            !row.marks.empty()) {
            return true;
        }
    }
    return !cost_.empty() || !from_.empty() || !to_.empty();
}

void BillingSession::SetDates(std::string from, std::string to) {
    from_ = std::move(from);
    to_ = std::move(to);
}

std::string BillingSession::NumberText(const BillNumber& number) const {
    return FormatLocaleNumber(number.value, number.decimals, locale_);
}

std::vector<std::string> BillingSession::PasteAt(size_t row, Cell cell, std::string_view text) {
    static const char* const kTitles[kTypedCells] = {"Προηγ. ένδειξη", "Τρέχ. ένδειξη",
                                                     "Ώρες / Μονάδες", "Σημειώσεις"};
    std::vector<std::string> lines = SplitLines(std::string(text));
    while (!lines.empty() && TrimBlanks(lines.back()).empty()) {
        lines.pop_back(); // the line break a spreadsheet ends its copy with
    }
    std::vector<std::string> faults;
    std::vector<Row> filled;
    const auto first = static_cast<size_t>(cell);
    for (size_t k = 0; k < lines.size(); ++k) {
        const size_t r = row + k;
        if (r >= rows_.size()) {
            faults.push_back("Οι " + std::to_string(lines.size() - k) +
                             " τελευταίες γραμμές της επικόλλησης δεν χωρούν: η τελευταία "
                             "Ιδιοκτησία είναι στη σειρά " +
                             std::to_string(rows_.size()) + ".");
            break;
        }
        Row values = rows_[r];
        std::string* cells[kTypedCells] = {&values.previous, &values.current, &values.measure,
                                           &values.marks};
        const std::vector<std::string> fields = SplitOn(lines[k], '	');
        const std::string where = "Σειρά " + std::to_string(r + 1) + " («" +
                                  coefficients_.DisplayName(coefficients_.lines[r]) + "»)";
        for (size_t f = 0; f < fields.size(); ++f) {
            const size_t c = first + f;
            const std::string value = TrimBlanks(fields[f]);
            if (c >= kTypedCells) {
                if (!value.empty()) {
                    faults.push_back(where + ": η τιμή «" + value +
                                     "» πέφτει έξω από τις στήλες των ενδείξεων.");
                }
                continue;
            }
            if (c != static_cast<size_t>(Cell::Marks) && !value.empty() && value != "-" &&
                !ParseBillNumber(value, locale_)) {
                faults.push_back(where + ", " + kTitles[c] + ": «" + value +
                                 "» δεν είναι αριθμός με υποδιαστολή «" +
                                 std::string(1, locale_.decimal) + "».");
                continue;
            }
            *cells[c] = value;
        }
        filled.push_back(std::move(values));
    }
    if (faults.empty()) {
        for (size_t k = 0; k < filled.size(); ++k) {
            rows_[row + k] = std::move(filled[k]);
        }
    }
    return faults;
}

std::vector<std::string> BillingSession::Paste(std::string_view text, bool headings,
                                               int firstLine) {
    const ReadingsTable table = ParseReadings(text, headings, firstLine, locale_);
    std::vector<std::string> faults = table.faults;
    std::vector<std::pair<size_t, Row>> filled;
    const PropertyIndex properties(coefficients_);
    for (const ReadingLine& r : table.lines) {
        std::string fault;
        const int index = properties.Match(r.property, fault);
        if (index < 0) {
            faults.push_back(fault);
            continue;
        }
        Row row;
        if (r.measure) {
            row.measure = NumberText(*r.measure);
        }
        if (r.current) {
            row.previous = r.previous ? NumberText(*r.previous) : std::string();
            row.current = NumberText(*r.current);
        }
        if (r.closed) {
            row.marks = kClosedMark;
        }
        if (r.replaced) {
            row.marks += std::string(row.marks.empty() ? "" : " ") + kReplacedMark + " " +
                         NumberText(r.oldFinal) + " " + NumberText(r.newStart);
        }
        filled.push_back({static_cast<size_t>(index), row});
    }
    if (faults.empty()) {
        for (auto& [index, row] : filled) {
            rows_[index] = std::move(row);
        }
    }
    return faults;
}

PeriodBill BillingSession::Bill() const {
    BillRequest request;
    request.locale = locale_;
    request.method = method_;
    request.estimate = estimate_;
    std::vector<std::string> faults;
    const std::optional<int64_t> cost = ParseEuroCents(cost_, locale_);
    if (!cost) {
        faults.push_back(TrimBlanks(cost_).empty()
                             ? "Δώστε τη δαπάνη της περιόδου σε ευρώ."
                             : "Η δαπάνη «" + cost_ +
                                   "» δεν είναι ποσό σε ευρώ (μη αρνητικό, με έως δύο "
                                   "δεκαδικά).");
    } else {
        request.costCents = *cost;
    }
    for (auto [text, date] : {std::pair{&from_, &request.from}, std::pair{&to_, &request.to}}) {
        if (!TrimBlanks(*text).empty()) {
            *date = ParseBillDate(TrimBlanks(*text));
            if (!*date) {
                faults.push_back("Η ημερομηνία «" + *text +
                                 "» δεν είναι έγκυρη (π.χ. 15/10/2026).");
            }
        }
    }
    request.billedEstimates = BilledEstimatesBefore(stored_, request.from);
    // Each row read as a line of a table whose line numbers are the rows'.
    ReadingsTable readings;
    for (size_t i = 0; i < rows_.size(); ++i) {
        ReadingsTable row = ParseReadings(LineOf(coefficients_.lines[i], rows_[i]), false,
                                          static_cast<int>(i + 1), locale_);
        for (ReadingLine& line : row.lines) {
            line.propertyIndex = static_cast<int>(i);
            readings.lines.push_back(line);
        }
        readings.faults.insert(readings.faults.end(), row.faults.begin(), row.faults.end());
    }
    PeriodBill bill = MakePeriodBill(coefficients_, readings, request);
    if (!faults.empty()) {
        faults.insert(faults.end(), bill.faults.begin(), bill.faults.end());
        bill.faults = std::move(faults);
    }
    return bill;
}

} // namespace pyrostat
