#pragma once

#include "program/StateParts.h"

#include <string>
#include <vector>

namespace pyrostat {

// The option controls beside the grid and their rules for DefaultHeight:
// the insulation tick, the automatic-height tick and the height list.
class HeightOptions {
public:
    explicit HeightOptions(StudyInUse& state);

    // The state after start-up: list filled, nothing chosen, list disabled,
    // automatic height off, insulation on. DefaultHeight is left alone.
    void Reset();

    // ChkHeight clicked into `ticked`: ticking enables the list, chooses "3,0"
    // and sets DefaultHeight to 3.0; unticking clears the choice and disables
    // the list, keeping DefaultHeight.
    void SetHeightTicked(bool ticked);
    // CboHeight item `index` chosen; an index outside the list changes nothing.
    void ChooseHeight(int index);
    void SetInsulationTicked(bool ticked) { insulation_ = ticked; }

    bool InsulationTicked() const { return insulation_; }
    bool HeightTicked() const { return heightTicked_; }
    bool HeightListEnabled() const { return listEnabled_; }
    int ChosenIndex() const { return chosen_; } // -1 when nothing is chosen
    const std::vector<std::string>& Items() const;

    // The index of "3,0", chosen when the box becomes ticked.
    static constexpr int kTickedIndex = 5;

private:
    StudyInUse& state_;
    bool insulation_ = true;
    bool heightTicked_ = false;
    bool listEnabled_ = false;
    int chosen_ = -1;
};

} // namespace pyrostat
