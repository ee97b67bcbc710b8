#include "billing/PaymentReference.h"

#include "billing/Iban.h"

#include <cstdio>

namespace pyrostat {

std::string PaymentReference(int64_t building, int property, const BillDate& periodEnd) {
    char body[40];
    std::snprintf(body, sizeof body, "%04lld%03d%04d%02d", static_cast<long long>(building % 10000),
                  property % 1000, periodEnd.year % 10000, periodEnd.month % 100);
    // The check digits: the body, then "RF00", modulo 97, taken from 98.
    const int check = 98 - Mod97(std::string(body) + "RF00");
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02d", check % 100);
    return GroupedIban(std::string("RF") + digits + body);
}

} // namespace pyrostat
