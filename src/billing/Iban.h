#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// A bank account number as it is typed ("gr16 0110 1250 0000 0001 2300 695")
// read for storing: its capitals without blanks ("GR1601101250000000012300695"),
// or the Greek reason it is refused.
struct IbanRead {
    std::string iban;  // empty when refused
    std::string fault; // empty when accepted
    bool Ok() const { return fault.empty(); }
};

// The country's two letters, the two check digits and the account, of the
// length the country gives (27 for Greece; 15 to 34 for countries not
// listed), whose check digits hold (the number modulo 97 is 1).
IbanRead ReadIban(std::string_view typed);

// The IBAN in groups of four, as it is printed: "GR16 0110 1250 ...".
std::string GroupedIban(std::string_view iban);

// The remainder modulo 97 of the digits of `text`, each letter counted as its
// two digits (A = 10 ... Z = 35); -1 for another character. The check of an
// IBAN and of a creditor reference (RF).
int Mod97(std::string_view text);

} // namespace pyrostat
