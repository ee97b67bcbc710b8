#include "workspace/HeightOptions.h"

#include "workspace/GridLayout.h"

namespace pyrostat {

HeightOptions::HeightOptions(StudyInUse& state) : state_(state) {}

const std::vector<std::string>& HeightOptions::Items() const {
    return HeightItems();
}

void HeightOptions::Reset() {
    chosen_ = -1;
    listEnabled_ = false;
    heightTicked_ = false;
    insulation_ = true;
}

void HeightOptions::SetHeightTicked(bool ticked) {
    heightTicked_ = ticked;
    if (ticked) {
        listEnabled_ = true;
        chosen_ = kTickedIndex;
        state_.DefaultHeight = 3.0f;
    } else {
        chosen_ = -1;
        listEnabled_ = false;
    }
}

void HeightOptions::ChooseHeight(int index) {
    const auto& items = Items();
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return;
    }
    chosen_ = index;
    state_.DefaultHeight = HeightItemValue(items[static_cast<size_t>(index)]);
}

} // namespace pyrostat
