#pragma once

#include "distribution/StudyGrids.h"
#include "platform/Codepage1253.h"
#include "studies/GeneralDataFile.h"
#include "studies/PropertyRecord.h"

#include <string>
#include <vector>

namespace pyrostat::test {

// The sample building shipped in examples/: a five-storey block of flats with
// a basement and a shop, every kind and every pipe passage in use.
inline const char* kSampleTitle = "Πολυκατοικία Ευριπίδου 14, Χαλάνδρι";

inline std::vector<GridRowTexts> SampleGrid() {
    return {
        {"Υ1 Αποθήκη-Γραφείο", "4200", "650", "520", "62.4", "2.8", "8.5", "12", "9.2",
         "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΑΛΛΗ ΠΕΡΙΠΤ."},
        {"Ι1 Κατάστημα", "7350", "2100", "1380", "95.3", "3.4", "24.6", "4", "10.5", "ΙΣΟΓΕΙΟ",
         "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
        {"Α1 Διαμέρισμα", "6120", "1150", "720", "88.6", "2.9", "21.4", "3.5", "12.2",
         "PILOTIS ΚΑΤΩ", "ΕΝΤΟΣ ΙΔΙΟΚΤ."},
        {"Α2 Διαμέρισμα", "4380", "820", "510", "58.2", "2.9", "14.8", "3.5", "11.6",
         "PILOTIS ΚΑΤΩ", "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
        {"Β1 Διαμέρισμα", "4960", "1150", "720", "88.6", "2.9", "21.4", "3.5", "12.2", "ΕΝΔΙΑΜΕΣΟ",
         "ΕΝΤΟΣ ΙΔΙΟΚΤ."},
        {"Β2 Διαμέρισμα", "3540", "820", "510", "58.2", "2.9", "14.8", "3.5", "11.6", "ΕΝΔΙΑΜΕΣΟ",
         "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
        {"Γ1 Διαμέρισμα", "4990", "1150", "720", "88.6", "2.9", "21.4", "3.5", "12.2", "ΕΝΔΙΑΜΕΣΟ",
         "ΑΛΛΗ ΠΕΡΙΠΤ."},
        {"Γ2 Γκαρσονιέρα", "2650", "560", "340", "36.5", "2.9", "9.6", "3.5", "8.4", "ΕΝΔΙΑΜΕΣΟ",
         "ΕΝΤΟΣ ΙΔΙΟΚΤ."},
        {"Δ1 Ρετιρέ", "7840", "1720", "890", "112.4", "3.1", "32.5", "0", "6.8", "ΡΕΤΙΡΕ",
         "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
    };
}

inline GeneralData SampleGeneralData() {
    return {"Ένωση Ιδιοκτητών Ευριπίδου 14", "Κατανομή Δαπανών Κεντρικής Θέρμανσης",
            "Ευριπίδου 14, Χαλάνδρι"};
}

// The ".pyx" bytes of a grid: one 197-byte record per row, the title and the
// insulation mark (-1 ticked) in every record.
inline std::string StudyBytes(const std::vector<GridRowTexts>& rows, const std::string& title,
                              bool insulated) {
    std::string bytes;
    for (size_t r = 0; r < rows.size(); ++r) {
        PropertyRecord p;
        p.RowNo = static_cast<int16_t>(r + 1);
        p.Title = title;
        p.PropertyName = rows[r][0];
        for (int c = 2; c <= 9; ++c) {
            p.SetColumnValue(c, std::stof(rows[r][static_cast<size_t>(c - 1)]));
        }
        p.Volume = p.Area * p.MeanHeight;
        p.Kind = rows[r][9];
        p.PipePassage = rows[r][10];
        p.Insulation = insulated ? -1.0f : 0.0f;
        bytes += p.Pack();
    }
    return bytes;
}

} // namespace pyrostat::test
