#include "billing/BillTsv.h"

#include "billing/BillNumber.h"

namespace pyrostat {

std::string BillTsv(const PeriodBill& bill) {
    std::string text;
    for (const BilledLine& line : bill.lines) {
        text += std::to_string(line.coefficients.number) + '\t' + line.name + '\t' +
                FormatFixed(line.omega, line.omegaDecimals) + '\t' +
                FormatFixed(PrintedPercent(line.percent), 5) + '\t' + FormatCents(line.fixedCents) +
                '\t' + FormatCents(line.variableCents) + '\t' + FormatCents(line.amountCents) +
                '\n';
    }
    text += "ΣΥΝΟΛΟ\t\t" + FormatFixed(bill.sumOmega, bill.omegaDecimals) + '\t' +
            FormatFixed(PrintedPercent(bill.PercentTotal()), 5) + '\t' +
            FormatCents(bill.fixedTotal) + '\t' + FormatCents(bill.variableTotal) + '\t' +
            FormatCents(bill.request.costCents) + '\n';
    return text;
}

} // namespace pyrostat
