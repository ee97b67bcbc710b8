#pragma once

#include "billing/PeriodBill.h"

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

    const BillingCoefficients& Coefficients() const { return coefficients_; }
    const std::vector<Row>& Rows() const { return rows_; }
    void SetRow(size_t index, Row row);

    void SetCost(std::string text) { cost_ = std::move(text); }
    void SetMethod(MeterMethod method) { method_ = method; }
    void SetDates(std::string from, std::string to);
    void SetEstimate(bool on) { estimate_ = on; }
    const std::string& CostText() const { return cost_; }
    MeterMethod Method() const { return method_; }

    // Fills rows from a pasted or imported readings table; rows it does not
    // name keep what they hold. The faults of the text (a property unknown,
    // a line unreadable) come back, and nothing is filled when there is one.
    std::vector<std::string> Paste(std::string_view text);

    // The bill of what stands in the cells now; its faults include those of
    // the cost and the dates.
    PeriodBill Bill() const;

private:
    BillingCoefficients coefficients_;
    std::vector<Row> rows_;
    std::string cost_, from_, to_;
    MeterMethod method_ = MeterMethod::Hours;
    bool estimate_ = false;
};

} // namespace pyrostat
