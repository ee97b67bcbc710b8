#pragma once

#include "billing/BillingSession.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// What was typed in the period window, kept as the building's draft until
// the period is stored: the cost, the method, the dates, the estimate and
// each property's cells as typed, with the decimal separator they were typed
// with. Text lines "key<TAB>value"; a property's line "row<TAB>number<TAB>
// previous<TAB>current<TAB>measure<TAB>marks".
std::string DraftText(const BillingSession& session);

// Puts a draft back into the session, each row by its property's number;
// numbers typed with the other separator are written with the session's
// ("1.500,5" read back in an English locale as "1,500.5"). The draft's
// properties the building no longer has are told in Greek, and so is a
// draft that is not one; what can be put back is.
std::vector<std::string> ResumeDraft(BillingSession& session, std::string_view text);

} // namespace pyrostat
