#include "workspace/GridLayout.h"

#include "workspace/GridContract.h"

#include <cstdlib>

namespace pyrostat {

const std::array<std::string, kGridColumns>& ColumnHeaders() {
    static const std::array<std::string, kGridColumns> headers = {
        "ΟΝΟΜΑΣΙΑ ΙΔΙΟΚΤΗΣΙΑΣ",
        "ΣΥΝΟ-\rΛΙΚΕΣ ΑΠΩΛΕΙΕΣ\r[Kcal/h]",
        "ΑΠΩΛΕΙΕΣ\rΑΝΟΙΓΜΑ-\rΤΩΝ\r[Kcal/h]",
        "ΑΠΩΛΕΙΕΣ\rΑΕΡΙΣΜΟΥ\r[Kcal/h]",
        "ΕΜΒΑΔΟΝ ΙΔΙΟΚΤΗ-\rΣΙΑΣ\r[m²]",
        "ΜΕΣΟ ΥΨΟΣ ΙΔΙΟ-\rΚΤΗ-\rΣΙΑΣ\r[m]",
        "ΠΑΡΑΠΛ.\rΜΗΚΟΣ\rΠΡΟΣ\rΕΞΩΤΕΡ.\rΧΩΡΟ\r[m]",
        "ΠΑΡΑΠΛ.\rΜΗΚΟΣ\rΠΡΟΣ ΜΗ\rΘΕΡΜΑΙΝ.\rΧΩΡΟΥΣ\r[m]",
        "ΠΑΡΑΠΛ.\rΜΗΚΟΣ\rΠΡΟΣ ΘΕΡΜΑΙ-\rΝΟΜΕΝΟΥΣ\rΧΩΡΟΥΣ\r[m]",
        "ΕΙΔΟΣ\rΔΙΑΜΕΡΙ-\rΣΜΑΤΟΣ",
        "ΔΙΕΛΕΥΣΗ\rΚΕΝΤΡΙΚΩΝ\rΣΩΛΗΝΩΝ",
    };
    return headers;
}

std::string ColumnCaption(int col) {
    if (col < 1 || col > kGridColumns) {
        return {};
    }
    std::string caption;
    for (const char ch : ColumnHeaders()[static_cast<size_t>(col - 1)]) {
        if (ch != '\r') {
            caption += ch;
        } else if (!caption.empty() && caption.back() == '-') {
            caption.pop_back();
        } else {
            caption += ' ';
        }
    }
    return caption;
}

const std::array<double, kGridColumns>& ColumnWidths() {
    static const std::array<double, kGridColumns> widths = {24, 9, 9, 9, 9, 6, 8, 9, 9, 12, 12};
    return widths;
}

const std::vector<std::string>& KindTexts() {
    static const std::vector<std::string> texts = {"PILOTIS ΚΑΤΩ", "ΙΣΟΓΕΙΟ", "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.",
                                                   "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"};
    return texts;
}

const std::vector<std::string>& PipeTexts() {
    static const std::vector<std::string> texts = {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.",
                                                   "ΑΛΛΗ ΠΕΡΙΠΤ."};
    return texts;
}

const std::vector<std::string>& ListTexts(int col) {
    static const std::vector<std::string> none;
    if (col == kKindColumn) {
        return KindTexts();
    }
    if (col == kPipeColumn) {
        return PipeTexts();
    }
    return none;
}

const std::vector<std::string>& HeightItems() {
    static const std::vector<std::string> items = {"0,5", "1,0", "1,5", "2,0", "2,5", "3,0",
                                                   "3,2", "3,5", "4,0", "4,5", "5,0", "5,5",
                                                   "6,0", "6,5", "7,0", "7,5", "8,0"};
    return items;
}

float HeightItemValue(const std::string& item) {
    std::string text = item;
    for (char& ch : text) {
        if (ch == ',') {
            ch = '.';
        }
    }
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

void ResetColumns(GridContract& grid) {
    grid.SetRowHeight(0, kHeaderRowHeight);
    const int savedRow = grid.Row();
    const int savedCol = grid.Col();
    for (int col = 1; col <= kGridColumns; ++col) {
        grid.SetColWidth(col, ColumnWidths()[static_cast<size_t>(col - 1)]);
        grid.SetCellText(0, col, ColumnHeaders()[static_cast<size_t>(col - 1)]);
    }
    grid.SetRow(savedRow);
    grid.SetCol(savedCol);
}

void ApplyStartupLayout(GridContract& grid) {
    grid.SetRowHeight(0, kHeaderRowHeight);
    grid.SetHeaderWrap(true);
    ResetColumns(grid);
    grid.SetRow(1);
    grid.SetCol(1);
    grid.Action(GridContract::kActionGoToCell);
}

} // namespace pyrostat
