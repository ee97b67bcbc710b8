#include "billing/PeriodDraft.h"

#include "billing/TextFields.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace pyrostat {

namespace {

constexpr std::string_view kFirstLine = "pyrostat-draft\t1";

// A text typed with one locale's separators, written with the other's: the
// full stop and the comma trade places.
std::string Swapped(std::string text) {
    for (char& ch : text) {
        ch = ch == '.' ? ',' : ch == ',' ? '.' : ch;
    }
    return text;
}

// Tabs and line breaks cannot stand in a field: a typed text never holds
// them (the grid takes one line a cell), and they are made blanks.
std::string Field(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\t' || ch == '\n' || ch == '\r'; },
        ' ');
    return text;
}

} // namespace

std::string DraftText(const BillingSession& session) {
    std::string text(kFirstLine);
    text += "\ndecimal\t";
    text += session.Locale().decimal;
    text += "\ncost\t" + Field(session.CostText());
    text +=
        std::string("\nmethod\t") + (session.Method() == MeterMethod::Energy ? "energy" : "hours");
    text += "\nfrom\t" + Field(session.FromText());
    text += "\nto\t" + Field(session.ToText());
    text += std::string("\nestimate\t") + (session.EstimateOn() ? "1" : "0");
    const BillingCoefficients& c = session.Coefficients();
    for (size_t i = 0; i < session.Rows().size() && i < c.lines.size(); ++i) {
        const BillingSession::Row& row = session.Rows()[i];
        if (row.previous.empty() && row.current.empty() && row.measure.empty() &&
            row.marks.empty()) {
            continue;
        }
        text += "\nrow\t" + std::to_string(c.lines[i].number) + "\t" + Field(row.previous) + "\t" +
                Field(row.current) + "\t" + Field(row.measure) + "\t" + Field(row.marks);
    }
    return text + "\n";
}

std::vector<std::string> ResumeDraft(BillingSession& session, std::string_view text) {
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || lines.front() != kFirstLine) {
        return {"Το πρόχειρο της περιόδου δεν διαβάζεται: δεν είναι πρόχειρο αυτού του "
                "προγράμματος."};
    }
    std::vector<std::string> faults;
    bool swap = false;
    std::map<int, size_t> indexOf;
    const BillingCoefficients& c = session.Coefficients();
    for (size_t i = 0; i < c.lines.size(); ++i) {
        indexOf[c.lines[i].number] = i;
    }
    auto typed = [&swap](const std::string& t) { return swap ? Swapped(t) : t; };
    std::string from, to;
    for (size_t n = 1; n < lines.size(); ++n) {
        const std::vector<std::string> f = SplitOn(lines[n], '\t');
        if (f.empty() || lines[n].empty()) {
            continue;
        }
        const std::string& key = f[0];
        const std::string value = f.size() > 1 ? f[1] : std::string();
        if (key == "decimal") {
            swap = !value.empty() && value[0] != session.Locale().decimal;
        } else if (key == "cost") {
            session.SetCost(typed(value));
        } else if (key == "method") {
            session.SetMethod(value == "energy" ? MeterMethod::Energy : MeterMethod::Hours);
        } else if (key == "from") {
            from = value;
        } else if (key == "to") {
            to = value;
        } else if (key == "estimate") {
            session.SetEstimate(value == "1");
        } else if (key == "row" && f.size() == 6) {
            int number = 0;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), number);
            const auto at = indexOf.find(number);
            if (ec != std::errc() || at == indexOf.end()) {
                faults.push_back("Το πρόχειρο έχει ενδείξεις της Ιδιοκτησίας " + value +
                                 ", που δεν υπάρχει πια στους συντελεστές: «" + lines[n] + "».");
                continue;
            }
            session.SetRow(at->second, {typed(f[2]), typed(f[3]), typed(f[4]), typed(f[5])});
        } else {
            faults.push_back("Μια γραμμή του πρόχειρου δεν διαβάζεται: «" + lines[n] + "».");
        }
    }
    session.SetDates(from, to);
    return faults;
}

} // namespace pyrostat
