#pragma once

#include "billing/BuildingDetails.h"
#include "billing/PeriodBill.h"
#include "billing/PeriodComparison.h"
#include "reports/SheetModel.h"

#include <map>
#include <optional>

namespace pyrostat {

// The period's sheet of the building: its general data, the period, the cost
// and the method, one line per property (readings, Ω, e, FE, Π, the fixed,
// variable and total euros, its marks), the totals, and the notes on the
// scale factor and the estimates. Landscape A4, the headings on every page.
// With the comparisons of the stored history, the lines whose measure moved
// by more than half against their own history are marked.
SheetModel PeriodSheet(const PeriodBill& bill, const BillingCoefficients& coefficients,
                       const std::vector<PropertyComparison>* comparisons = nullptr);

// What a notice says to its owner besides the bill: to whom, by when, into
// which account with which reference, and whom to ask.
struct NoticeAddress {
    std::map<int, Owner> owners; // by property number
    BillingDetails details;
    std::optional<BillDate> due; // given for this bill (else the period's end + the days)
    int64_t building = 0;        // the history's number of the building; 0: no reference
};

// The day to pay by: the one given, else the period's end plus the
// building's days to pay; none without either.
std::optional<BillDate> NoticeDueDate(const PeriodBill& bill, const BillingDetails& details,
                                      const std::optional<BillDate>& given);

// One notice per property, two to an A4 page, addressed to its owner: the
// amount in large type, the day to pay by, the account and the payment
// reference, the manager's contact, a few plain sentences on how the amount
// is made (the fixed part for the building's heating, the part by the
// meter), the readings; then the coefficients and the building's totals in
// a smaller box for whoever checks. With the comparisons of the stored
// history, each notice also sets its figures against the previous period,
// the same period a year before and the building's average per unit of e,
// with a bar chart of its last periods. `only`: the notice of that line alone.
SheetModel NoticesSheet(const PeriodBill& bill, const BillingCoefficients& coefficients,
                        const std::vector<PropertyComparison>* comparisons = nullptr,
                        const NoticeAddress* address = nullptr,
                        std::optional<size_t> only = std::nullopt);

// The file of one property's notice, named by the period's last month, the
// property's number and its name: "2027-04_007_Διαμέρισμα_Α1.pdf".
std::string NoticeFileName(const PeriodBill& bill, const BilledLine& line);

// Property lines on one page of the period's sheet.
inline constexpr int kSheetLinesPerPage = 30;

// "Ωρομετρητές (ώρες λειτουργίας)" or "Θερμιδομετρητές (μονάδες ενέργειας)".
std::string MethodText(MeterMethod method);

} // namespace pyrostat
