#pragma once

#include "billing/BillingHistory.h"
#include "billing/PeriodBill.h"

#include <map>
#include <string>
#include <vector>

namespace pyrostat {

// The period billing as the window holds it: the building's coefficients,
// per property the texts typed into its readings cells, and the cost, the
// method, the dates and the estimate as typed. Every change is billed again
// at once, so the window shows the percentages and amounts as they are typed.
class BillingSession {
public:
    // The readings cells of one property.
    struct Row {
        std::string previous, current; // meter readings
        std::string measure;           // or the hours (units) of the period
        std::string marks;             // "κλειστό", "αντικατάσταση OLD NEW"
    };

    explicit BillingSession(BillingCoefficients coefficients);

    // The separators readings, hours, the cost and the numbers the window
    // shows are read and written with, as the property grid's for the
    // locale. Greek until told.
    void SetLocale(NumberLocale locale) { locale_ = locale; }
    NumberLocale Locale() const { return locale_; }

    const BillingCoefficients& Coefficients() const { return coefficients_; }
    const std::vector<Row>& Rows() const { return rows_; }
    void SetRow(size_t index, Row row);

    void SetCost(std::string text) { cost_ = std::move(text); }
    void SetMethod(MeterMethod method) { method_ = method; }
    void SetDates(std::string from, std::string to);
    void SetEstimate(bool on) { estimate_ = on; }
    const std::string& CostText() const { return cost_; }
    MeterMethod Method() const { return method_; }
    const std::string& FromText() const { return from_; }
    const std::string& ToText() const { return to_; }
    bool EstimateOn() const { return estimate_; }
    // Whether anything is typed: a reading, a mark, the cost or a date.
    bool AnythingTyped() const;

    // Fills rows from an imported readings table, each line matched to its
    // property by name or number; rows it does not name keep what they hold.
    // The faults of the text (a property unknown, a line unreadable) come
    // back, and nothing is filled when there is one.
    // `headings`: a first line of headings is skipped; `firstLine`: the
    // number of the text's first line in the faults.
    std::vector<std::string> Paste(std::string_view text, bool headings = true, int firstLine = 1);

    // The typed columns of a row, in the window's order.
    enum class Cell { Previous, Current, Measure, Marks };
    static constexpr int kTypedCells = 4;
    // A paste as into the property grid: the text's cells (tabs between
    // them, a line a row) fill from `row` and `cell` to the right and down.
    // A number the locale does not read, or a cell that falls outside the
    // typed columns or below the last property, is told naming it, and
    // nothing is filled when there is one.
    std::vector<std::string> PasteAt(size_t row, Cell cell, std::string_view text);

    // A reading as the window shows it: the locale's decimal separator and
    // its thousands grouped ("6.720,5" in Greek).
    std::string NumberText(const BillNumber& number) const;

    // The building's stored periods (the latest version of each): the
    // estimates billed in those before the period's start are taken off the
    // real readings that follow them.
    void SetStoredPeriods(std::vector<StoredPeriod> latest) { stored_ = std::move(latest); }

    // The bill of what stands in the cells now; its faults include those of
    // the cost and the dates.
    PeriodBill Bill() const;

private:
    BillingCoefficients coefficients_;
    std::vector<Row> rows_;
    std::string cost_, from_, to_;
    MeterMethod method_ = MeterMethod::Hours;
    bool estimate_ = false;
    NumberLocale locale_ = NumberLocale::Greek();
    std::vector<StoredPeriod> stored_;
};

} // namespace pyrostat
