#include "billing/BuildingSearch.h"

#include "platform/TextFold.h"

namespace pyrostat {

bool BuildingMatches(const BillingHistory::BuildingSummary& building, std::string_view search) {
    const BuildingKey& k = building.key;
    const std::string haystack = FoldTitle(k.title) + "|" + FoldTitle(k.employer) + "|" +
                                 FoldTitle(k.project) + "|" + FoldTitle(k.location) + "|" +
                                 FoldTitle(k.studyPath);
    size_t start = 0;
    while (start < search.size()) {
        size_t end = search.find(' ', start);
        if (end == std::string_view::npos) {
            end = search.size();
        }
        const std::string word = FoldTitle(search.substr(start, end - start));
        if (!word.empty() && haystack.find(word) == std::string::npos) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

} // namespace pyrostat
