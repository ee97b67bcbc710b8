#include "workspace/HeightOptions.h"
#include "program/ProgramState.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(HeightOptions, StartUpState) {
    ProgramState state;
    state.DefaultHeight = 3.0f;
    HeightOptions options(state);
    options.SetHeightTicked(true);
    options.SetInsulationTicked(false);
    options.Reset();
    EXPECT_TRUE(options.InsulationTicked());
    EXPECT_FALSE(options.HeightTicked());
    EXPECT_FALSE(options.HeightListEnabled());
    EXPECT_EQ(options.ChosenIndex(), -1);
    ASSERT_EQ(options.Items().size(), 17u);
    EXPECT_EQ(options.Items()[HeightOptions::kTickedIndex], "3,0");
    EXPECT_FLOAT_EQ(state.DefaultHeight, 3.0f);
}

// Each row: a sequence of clicks and the DefaultHeight, tick and list state after it.
TEST(HeightOptions, DefaultHeightRules) {
    enum Step { Tick, Untick, Choose45, Choose05, Choose80, NewStudy };
    const struct {
        const char* name;
        std::vector<Step> steps;
        float height;
        bool ticked;
        bool enabled;
        int chosen;
    } cases[] = {
        {"tick chooses 3,0", {Tick}, 3.0f, true, true, 5},
        {"choose 4,5", {Tick, Choose45}, 4.5f, true, true, 9},
        {"ticking twice keeps 3.0", {Tick, Choose45, Tick}, 3.0f, true, true, 5},
        {"untick keeps the chosen height", {Tick, Choose45, Untick}, 4.5f, false, false, -1},
        {"first and last item", {Tick, Choose05}, 0.5f, true, true, 0},
        {"last item", {Tick, Choose80}, 8.0f, true, true, 16},
        {"new study gives 0 with the tick kept", {Tick, Choose45, NewStudy}, 0.0f, true, true, 9},
        {"tick again after a new study", {Tick, NewStudy, Untick, Tick}, 3.0f, true, true, 5},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.DefaultHeight = 3.0f;
        HeightOptions options(state);
        options.Reset();
        for (const Step step : c.steps) {
            switch (step) {
            case Tick:
                options.SetHeightTicked(true);
                break;
            case Untick:
                options.SetHeightTicked(false);
                break;
            case Choose45:
                options.ChooseHeight(9);
                break;
            case Choose05:
                options.ChooseHeight(0);
                break;
            case Choose80:
                options.ChooseHeight(16);
                break;
            case NewStudy:
                state.DefaultHeight = 0.0f;
                break;
            }
        }
        EXPECT_FLOAT_EQ(state.DefaultHeight, c.height) << c.name;
        EXPECT_EQ(options.HeightTicked(), c.ticked) << c.name;
        EXPECT_EQ(options.HeightListEnabled(), c.enabled) << c.name;
        EXPECT_EQ(options.ChosenIndex(), c.chosen) << c.name;
    }
}

TEST(HeightOptions, AChoiceOutsideTheListChangesNothing) {
    ProgramState state;
    state.DefaultHeight = 3.2f;
    HeightOptions options(state);
    options.SetHeightTicked(true);
    options.ChooseHeight(6); // "3,2"
    options.ChooseHeight(17);
    options.ChooseHeight(-1);
    EXPECT_FLOAT_EQ(state.DefaultHeight, 3.2f);
    EXPECT_EQ(options.ChosenIndex(), 6);
}

} // namespace
} // namespace pyrostat
