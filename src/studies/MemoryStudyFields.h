#pragma once

#include "studies/StudyWindowFields.h"

namespace pyrostat {

// The title and the insulation choice held in memory (no window).
class MemoryStudyFields : public StudyWindowFields {
public:
    std::string TitleText() const override { return title; }
    void SetTitleText(const std::string& text) override { title = text; }
    bool InsulationTicked() const override { return insulation; }
    void SetInsulationTicked(bool ticked) override { insulation = ticked; }

    std::string title;
    bool insulation = true; // the window's box starts ticked, and so does this one
};

} // namespace pyrostat
