#include "billing/BillingSession.h"

#include "billing/BillNumber.h"
#include "platform/Utf8.h"

namespace pyrostat {

namespace {

std::string Number(const BillNumber& n) {
    return FormatFixed(n.value, n.decimals);
}

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

void BillingSession::SetDates(std::string from, std::string to) {
    from_ = std::move(from);
    to_ = std::move(to);
}

std::vector<std::string> BillingSession::Paste(std::string_view text) {
    const ReadingsTable table = ParseReadings(text);
    std::vector<std::string> faults = table.faults;
    std::vector<std::pair<size_t, Row>> filled;
    for (const ReadingLine& r : table.lines) {
        std::string fault;
        const int index = MatchProperty(coefficients_, r.property, fault);
        if (index < 0) {
            faults.push_back(fault);
            continue;
        }
        Row row;
        if (r.measure) {
            row.measure = Number(*r.measure);
        }
        if (r.current) {
            row.previous = Number(*r.previous);
            row.current = Number(*r.current);
        }
        if (r.closed) {
            row.marks = kClosedMark;
        }
        if (r.replaced) {
            row.marks += std::string(row.marks.empty() ? "" : " ") + kReplacedMark + " " +
                         Number(r.oldFinal) + " " + Number(r.newStart);
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
    request.method = method_;
    request.estimate = estimate_;
    std::vector<std::string> faults;
    const std::optional<int64_t> cost = ParseEuroCents(cost_);
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
    // Each row read as a line of a table whose line numbers are the rows'.
    ReadingsTable readings;
    for (size_t i = 0; i < rows_.size(); ++i) {
        ReadingsTable row =
            ParseReadings(LineOf(coefficients_.lines[i], rows_[i]), false, static_cast<int>(i + 1));
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
