#include "billing/BuildingDetails.h"

#include "billing/PeriodBill.h"
#include "billing/TextFields.h"
#include "platform/Codepage1253.h"
#include "platform/TextFold.h"
#include "platform/Utf8.h"

namespace pyrostat {

namespace {

// A first line of headings names the columns instead of a property.
bool IsHeading(const std::vector<std::string>& fields) {
    static const char* const kWords[] = {"ιδιοκτησία", "property", "α/α"};
    const std::string first = FoldTitle(TrimBlanks(fields.front()));
    for (const char* word : kWords) {
        if (first == FoldTitle(word)) {
            return true;
        }
    }
    return false;
}

} // namespace

OwnersRead ReadOwnersTable(std::string_view text, const BillingCoefficients& coefficients) {
    OwnersRead read;
    int lineNo = 0;
    bool first = true;
    std::map<int, int> lineOf; // property number -> the line that named it
    for (const std::string& raw : SplitLines(TextFileToUtf8(text))) {
        ++lineNo;
        const std::string line = TrimBlanks(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::vector<std::string> fields = SplitOn(raw, '\t');
        const bool wasFirst = first;
        first = false;
        if (wasFirst && IsHeading(fields)) {
            continue;
        }
        const std::string where = "Η γραμμή " + std::to_string(lineNo) + " των ιδιοκτητών";
        if (fields.size() < 2 || TrimBlanks(fields[1]).empty()) {
            read.faults.push_back(where + " δεν έχει όνομα ιδιοκτήτη: «" + line + "».");
            continue;
        }
        if (fields.size() > 4) {
            read.faults.push_back(where +
                                  " έχει περισσότερες από τέσσερις στήλες (Ιδιοκτησία, όνομα, "
                                  "e-mail, τηλέφωνο): «" +
                                  line + "».");
            continue;
        }
        std::string fault;
        const int index = MatchProperty(coefficients, TrimBlanks(fields[0]), fault);
        if (index < 0) {
            // The matching speaks of readings; here the table is the owners'.
            if (const size_t at = fault.find(" των ενδείξεων"); at != std::string::npos) {
                fault.erase(at, std::string(" των ενδείξεων").size());
            }
            read.faults.push_back(where + ": " + fault);
            continue;
        }
        const int number = coefficients.lines[static_cast<size_t>(index)].number;
        if (const auto earlier = lineOf.find(number); earlier != lineOf.end()) {
            read.faults.push_back(
                where + " ξαναδίνει την Ιδιοκτησία «" +
                coefficients.DisplayName(coefficients.lines[static_cast<size_t>(index)]) +
                "» της γραμμής " + std::to_string(earlier->second) + ".");
            continue;
        }
        lineOf[number] = lineNo;
        Owner owner;
        owner.name = TrimBlanks(fields[1]);
        owner.email = fields.size() > 2 ? TrimBlanks(fields[2]) : std::string();
        owner.phone = fields.size() > 3 ? TrimBlanks(fields[3]) : std::string();
        if (!owner.email.empty() && (owner.email.find('@') == std::string::npos ||
                                     owner.email.find(' ') != std::string::npos)) {
            read.faults.push_back(where + ": το e-mail «" + owner.email + "» δεν είναι e-mail.");
            continue;
        }
        read.owners[number] = owner;
    }
    return read;
}

} // namespace pyrostat
