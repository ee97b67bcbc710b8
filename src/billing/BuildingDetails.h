#pragma once

#include "billing/BillingCoefficients.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// A property's owner or occupant, as his notice is addressed.
struct Owner {
    std::string name;
    std::string email, phone; // optional
    bool operator==(const Owner&) const = default;
};

// What the building's notices tell an owner about paying: whom to ask, the
// account to pay into and how many days after the period's end.
struct BillingDetails {
    std::string manager, phone;
    std::string iban;  // as ReadIban stores it, or empty
    int daysToPay = 0; // 0: not set
    bool operator==(const BillingDetails&) const = default;
};

// The owners of a tab-separated table, one property a line: the property
// (its name or number), the owner's name, then optionally an e-mail and a
// phone. Blank lines and lines starting with "#" are skipped, and a first
// line of headings. Each owner is matched to a property of `coefficients`
// as readings are; every line that matches none, names no owner or names a
// property twice is a Greek fault.
struct OwnersRead {
    std::map<int, Owner> owners; // by property number
    std::vector<std::string> faults;
};
OwnersRead ReadOwnersTable(std::string_view text, const BillingCoefficients& coefficients);

// The largest number of days to pay that is taken.
inline constexpr int kMostDaysToPay = 365;

} // namespace pyrostat
