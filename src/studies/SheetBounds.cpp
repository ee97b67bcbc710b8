#include "studies/SheetRows.h"

namespace pyrostat {

std::string SheetCellName(size_t row, size_t col) {
    return "γραμμή " + std::to_string(row + 1) + ", στήλη " + std::to_string(col + 1);
}

std::string BeyondTheTable(size_t row, size_t col) {
    if (row >= kMaxTableRows) {
        return "το φύλλο έχει τιμή στη " + SheetCellName(row, col) + ", πέρα από τις " +
               std::to_string(kMaxTableRows) +
               " γραμμές που διαβάζονται (ένας πίνακας έχει έως 500 Ιδιοκτησίες)";
    }
    return "το φύλλο έχει τιμή στη " + SheetCellName(row, col) + ", πέρα από τις " +
           std::to_string(kMaxTableColumns) + " στήλες που διαβάζονται";
}

std::string CellTooLongDamage(size_t row, size_t col) {
    return "το κελί στη " + SheetCellName(row, col) + " έχει κείμενο μεγαλύτερο από " +
           std::to_string(kMaxCellText) +
           " χαρακτήρες (κανένα κελί του πίνακα δεν είναι τόσο μεγάλο)";
}

void AppendCellText(std::string& text, std::string_view more) {
    if (text.size() > kMaxCellText) {
        return;
    }
    if (text.size() + more.size() <= kMaxCellText) {
        text.append(more);
        return;
    }
    // Cut on a character's first byte; the mark makes the text longer than
    // the bound, which is how the readers know it was cut.
    size_t keep = kMaxCellText - text.size();
    while (keep > 0 && (static_cast<unsigned char>(more[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    text.append(more.substr(0, keep));
    text.append("…");
}

} // namespace pyrostat
