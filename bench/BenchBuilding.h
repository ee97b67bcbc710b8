#pragma once
// The building every benchmark works on: `properties` rows of varied but
// valid entries, with all five positions and all three pipe passages.
#include "platform/MessageService.h"
#include "workspace/GridContract.h"

#include <string>

namespace pyrostat::bench {

class SilentMessages : public MessageService {
public:
    Answer Show(const std::string&, const std::string&, Icon, Buttons, Answer a) override {
        return a;
    }
    void Beep() override {}
};

inline void FillBuilding(GridContract& grid, int properties) {
    const char* kinds[] = {"ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΙΣΟΓΕΙΟ", "PILOTIS ΚΑΤΩ", "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"};
    const char* pipes[] = {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ."};
    for (int r = 1; r <= properties; ++r) {
        const int v = r % 37;
        grid.SetCellText(r, 1, "Διαμέρισμα " + std::to_string(r));
        grid.SetCellText(r, 2, std::to_string(3000 + 41 * v) + ".50");
        grid.SetCellText(r, 3, std::to_string(500 + 7 * v));
        grid.SetCellText(r, 4, std::to_string(300 + 5 * v));
        grid.SetCellText(r, 5, std::to_string(35 + 3 * v) + ".25");
        grid.SetCellText(r, 6, "2.90");
        grid.SetCellText(r, 7, std::to_string(4 + v % 9));
        grid.SetCellText(r, 8, std::to_string(v % 4));
        grid.SetCellText(r, 9, std::to_string(6 + v % 5));
        grid.SetCellText(r, 10, kinds[r % 5]);
        grid.SetCellText(r, 11, pipes[r % 3]);
    }
}

} // namespace pyrostat::bench
