#include "register/BasicRandom.h"

#include <gtest/gtest.h>

#include <vector>

namespace pyrostat {
namespace {

// Numbers printed by the classic BASIC runtime itself (seven significant
// digits), so a generator that drifts by one step or one bit fails here.
struct PrintedSequence {
    const char* what;
    bool resetFirst;
    double randomizeWith;
    bool randomize;
    std::vector<double> printed;
};

TEST(BasicRandomTest, ReproducesThePrintedSequences) {
    const std::vector<PrintedSequence> cases = {
        {"Rnd(-1), Randomize 1",
         true,
         1.0,
         true,
         {0.3335753, 0.06816387, 0.5938293, 0.7660395, 0.1892894}},
        {"Rnd(-1), Randomize 32", true, 32.0, true, {0.5799132, 0.5791502, 0.3108703, 0.8649164}},
        {"fresh start", false, 0.0, false, {0.7055475, 0.533424, 0.5795186, 0.2895625, 0.301948}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BasicRandom generator;
        if (c.resetFirst) {
            generator.Rnd(-1.0f);
        }
        if (c.randomize) {
            generator.Randomize(c.randomizeWith);
        }
        for (size_t i = 0; i < c.printed.size(); ++i) {
            // Half a unit of the seventh printed digit.
            const double tolerance = c.printed[i] < 0.1 ? 5e-9 : 5e-8;
            EXPECT_NEAR(generator.Rnd(), c.printed[i], tolerance) << "number " << i + 1;
        }
    }
}

TEST(BasicRandomTest, RndOfMinusOneGivesItsFixedState) {
    BasicRandom generator;
    EXPECT_NEAR(generator.Rnd(-1.0f), 0.2240070, 5e-8);
    EXPECT_EQ(generator.State(), 0x395886u);

    // The reset does not depend on what came before it.
    BasicRandom used;
    for (int i = 0; i < 17; ++i) {
        used.Rnd();
    }
    used.Randomize(12345.0);
    used.Rnd(-1.0f);
    EXPECT_EQ(used.State(), 0x395886u);
}

TEST(BasicRandomTest, RndOfZeroRepeatsTheLastNumberWithoutAStep) {
    BasicRandom generator;
    const float first = generator.Rnd();
    EXPECT_EQ(generator.Rnd(0.0f), first);
    EXPECT_EQ(generator.Rnd(0.0f), first);
    EXPECT_NEAR(generator.Rnd(), 0.533424, 5e-8);
}

TEST(BasicRandomTest, RandomizeKeepsTheLowestByteAndReplacesTheMiddle) {
    BasicRandom generator;
    generator.Rnd(-1.0f); // state 0x395886
    // 1.0 has the upper word 0x3FF00000: (0x0000 ^ 0x3FF0) << 8 = 0x3FF000.
    generator.Randomize(1.0);
    EXPECT_EQ(generator.State(), 0x3FF086u);
    // -2.0 has the upper word 0xC0000000: (0x0000 ^ 0xC000) << 8 = 0xC00000.
    generator.Randomize(-2.0);
    EXPECT_EQ(generator.State(), 0xC00086u);
}

} // namespace
} // namespace pyrostat
