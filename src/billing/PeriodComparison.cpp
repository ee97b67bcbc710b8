#include "billing/PeriodComparison.h"

#include "billing/CarryForward.h"

#include <chrono>
#include <cmath>

namespace pyrostat {

namespace {

long DayNumber(const BillDate& d) {
    const std::chrono::year_month_day ymd{std::chrono::year(d.year),
                                          std::chrono::month(static_cast<unsigned>(d.month)),
                                          std::chrono::day(static_cast<unsigned>(d.day))};
    return std::chrono::sys_days(ymd).time_since_epoch().count();
}

std::optional<PeriodFigure> FigureOf(const StoredPeriod& p, int number) {
    for (const StoredLine& l : p.lines) {
        if (l.number == number) {
            return PeriodFigure{p.from, p.to, l.omega, l.omegaDecimals, l.amountCents, l.estimated};
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<PropertyComparison> ComparePeriod(const PeriodBill& bill,
                                              const std::vector<StoredPeriod>& latest) {
    std::vector<StoredPeriod> before;
    const std::optional<BillDate> from = bill.request.from;
    for (const StoredPeriod& p : latest) {
        const bool same = from && p.from == *from && bill.request.to && p.to == *bill.request.to;
        if (!same && (!from || DayNumber(p.to) < DayNumber(*from))) {
            before.push_back(p);
        }
    }
    const std::map<int, double> shares = HistoricalShares(before, bill.request.method);

    double readOmega = 0, readE = 0;
    for (const BilledLine& line : bill.lines) {
        if (!line.closed && !line.estimated) {
            readOmega += line.omega;
            readE += line.coefficients.e;
        }
    }
    std::vector<PropertyComparison> out;
    for (const BilledLine& line : bill.lines) {
        const int number = line.coefficients.number;
        PropertyComparison c;
        c.buildingPerE = readE > 0 ? readOmega / readE : 0;
        c.perE = line.coefficients.e > 0 ? line.omega / line.coefficients.e : 0;
        for (auto p = before.rbegin(); p != before.rend(); ++p) {
            if (p->method != bill.request.method) {
                continue;
            }
            const std::optional<PeriodFigure> figure = FigureOf(*p, number);
            if (!figure) {
                continue;
            }
            if (!c.previous) {
                c.previous = figure;
            }
            // The same period a year before: it starts within a fortnight of
            // a year before this one.
            if (!c.yearBefore && from &&
                std::abs(DayNumber(*from) - DayNumber(p->from) - 365) <= 15) {
                c.yearBefore = figure;
            }
            if (c.recent.size() < kBarsBefore) {
                c.recent.insert(c.recent.begin(), *figure);
            }
        }
        c.recent.push_back({from.value_or(BillDate{}), bill.request.to.value_or(BillDate{}),
                            line.omega, line.omegaDecimals, line.amountCents, line.estimated});
        const auto share = shares.find(number);
        if (share != shares.end()) {
            c.averageShare = share->second;
        }
        if (!line.closed && !line.estimated && readOmega > 0) {
            c.share = line.omega / readOmega;
        }
        if (!line.closed && !line.estimated && readOmega > 0 && share != shares.end()) {
            const double now = line.omega / readOmega;
            c.implausible = std::fabs(now - share->second) > 0.5 * share->second &&
                            (share->second > 0 || now > 0);
        }
        out.push_back(std::move(c));
    }
    return out;
}

} // namespace pyrostat
