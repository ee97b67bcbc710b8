#pragma once

#include "billing/BillDate.h"

#include <cstdint>
#include <string>

namespace pyrostat {

// The reference an owner writes on his payment, so that the manager tells
// whose it is and for what: a creditor reference (ISO 11649, "RF" and two
// check digits that a bank verifies) made of the building's number in the
// history (four digits), the property's number (three) and the period's last
// month (yyyymm): "RF47 0012 0072 0270 4". Printed in groups of four.
std::string PaymentReference(int64_t building, int property, const BillDate& periodEnd);

} // namespace pyrostat
