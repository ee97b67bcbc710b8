#include "distribution/Plausibility.h"

#include "workspace/GridLayout.h"
#include "workspace/NumberText.h"

namespace pyrostat {

namespace {

// The grid's columns of a row's numbers.
double At(const StudyNumbers& row, int col) {
    return row[static_cast<size_t>(col - 1)];
}

constexpr int kLossesColumn = 2;
constexpr int kOpeningsColumn = 3;
constexpr int kVentilationColumn = 4;
constexpr int kAreaColumn = 5;
constexpr int kHeightColumn = 6;
constexpr int kExteriorColumn = 7;
constexpr int kUnheatedColumn = 8;
constexpr int kHeatedColumn = 9;

// The walls around a property of area A that is at least 2 m wide run at
// most A + 4 m: the perimeter of a 2 m by A / 2 m strip.
double WallLengths(const StudyNumbers& row) {
    return At(row, kExteriorColumn) + At(row, kUnheatedColumn) + At(row, kHeatedColumn);
}

} // namespace

const std::vector<PlausibilityBound>& PlausibilityBounds() {
    static const std::vector<PlausibilityBound> bounds = {
        {kOpeningsColumn, "οι απώλειες ανοιγμάτων και αερισμού ξεπερνούν τις συνολικές απώλειες",
         [](const StudyNumbers& r) {
             return At(r, kOpeningsColumn) + At(r, kVentilationColumn) > At(r, kLossesColumn);
         }},
        {kAreaColumn, "εμβαδόν κάτω από 5 m²",
         [](const StudyNumbers& r) { return At(r, kAreaColumn) < 5.0; }},
        {kAreaColumn, "εμβαδόν πάνω από 2000 m²",
         [](const StudyNumbers& r) { return At(r, kAreaColumn) > 2000.0; }},
        {kHeightColumn, "μέσο ύψος κάτω από 2 m",
         [](const StudyNumbers& r) { return At(r, kHeightColumn) < 2.0; }},
        {kHeightColumn, "μέσο ύψος πάνω από 6 m",
         [](const StudyNumbers& r) { return At(r, kHeightColumn) > 6.0; }},
        {kExteriorColumn,
         "τα μήκη των τοίχων (στήλες 7 έως 9 μαζί) ξεπερνούν την περίμετρο που αφήνει το "
         "εμβαδόν σε ιδιοκτησία πλάτους 2 m (εμβαδόν + 4 m)",
         [](const StudyNumbers& r) { return WallLengths(r) > At(r, kAreaColumn) + 4.0; }},
    };
    return bounds;
}

std::vector<ImplausibleEntry> FindImplausibleEntries(const std::vector<StudyNumbers>& rows) {
    std::vector<ImplausibleEntry> found;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (const PlausibilityBound& bound : PlausibilityBounds()) {
            if (bound.breaks(rows[i])) {
                found.push_back(
                    {static_cast<int>(i + 1), bound.col, At(rows[i], bound.col), bound.why});
            }
        }
    }
    return found;
}

std::string ImplausibleEntryLine(const ImplausibleEntry& entry, NumberLocale locale) {
    return "Σειρά " + std::to_string(entry.row) + ", στήλη " + std::to_string(entry.col) + " (" +
           ColumnCaption(entry.col) + "): " + FormatCellNumber(entry.value, locale) + " : " +
           entry.why;
}

std::string ImplausibleEntriesQuestion(const std::vector<ImplausibleEntry>& entries,
                                       NumberLocale locale) {
    constexpr size_t kShown = 15;
    std::string text = "Οι παρακάτω τιμές δεν μοιάζουν με τιμές κτιρίου:\n\n";
    for (size_t i = 0; i < entries.size() && i < kShown; ++i) {
        text += ImplausibleEntryLine(entries[i], locale) + "\n";
    }
    if (entries.size() > kShown) {
        text += "... και άλλες " + std::to_string(entries.size() - kShown) + ".\n";
    }
    return text + "\nΝα γίνει ο υπολογισμός με αυτές τις τιμές;";
}

} // namespace pyrostat
