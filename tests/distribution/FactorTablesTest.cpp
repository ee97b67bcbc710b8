#include "distribution/FactorTables.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(FactorTables, AreaBandsAreHalfOpen) {
    struct Case {
        float area;
        float factor;
    };
    const Case cases[] = {
        {0.01f, 0.12f}, {39.99f, 0.12f},  {40.0f, 0.08f},    {74.99f, 0.08f}, {74.995f, 0.08f},
        {75.0f, 0.04f}, {109.99f, 0.04f}, {109.995f, 0.04f}, {110.0f, 0.0f},  {500.0f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AreaFactorFor(c.area), c.factor) << c.area;
    }
}

TEST(FactorTables, ExposureRatioEdges) {
    struct Case {
        float ext, unheated, heated;
        float ratio;
        float factor;
    };
    // Mean height 3 throughout.
    const Case cases[] = {
        {0, 4, 0, 0.5f, 0.10f},   // only unheated neighbours count half
        {5, 0, 0, 1.0f, 0.20f},   // all towards the exterior
        {0, 0, 5, 0.0f, 0.0f},    // only heated neighbours
        {1, 0, 4, 0.2f, 0.0f},    // 0.20 itself is the first band
        {3, 2, 5, 0.4f, 0.10f},   // (9 + 3) / 30
        {7, 0, 13, 0.35f, 0.05f}, // 0.35 itself stays in the second band
        {13, 0, 7, 0.65f, 0.15f}, // 0.65 itself stays in the fourth band
        {3, 0, 7, 0.3f, 0.05f},   {11, 0, 9, 0.55f, 0.15f},
        {0, 0, 0, 0.0f, 0.0f}, // no wall at all: no division
    };
    for (const Case& c : cases) {
        const Exposure x = ExposureOf(c.ext, c.unheated, c.heated, 3.0f);
        EXPECT_EQ(x.ratio, c.ratio) << c.ext << ' ' << c.unheated << ' ' << c.heated;
        EXPECT_EQ(ExposureFactorFor(x.ratio), c.factor) << c.ratio;
        EXPECT_EQ(x.lateralWallArea, (c.ext + c.unheated + c.heated) * 3.0f);
    }
    EXPECT_EQ(ExposureFactorFor(0.2000001f), 0.05f);
    EXPECT_EQ(ExposureFactorFor(0.5000001f), 0.15f);
}

TEST(FactorTables, KindAndPipeTexts) {
    struct Case {
        const char* kind;
        float insulated;
        float bare;
    };
    const Case kinds[] = {
        {"ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", 0.60f, 0.50f}, {"ΙΣΟΓΕΙΟ", 0.60f, 0.50f}, {"PILOTIS ΚΑΤΩ", 0.55f, 0.45f},
        {"ΕΝΔΙΑΜΕΣΟ", 0.65f, 0.55f},      {"ΡΕΤΙΡΕ", 0.55f, 0.45f},
    };
    for (const Case& c : kinds) {
        float f = -1;
        ASSERT_TRUE(KindFactorFor(c.kind, true, f)) << c.kind;
        EXPECT_EQ(f, c.insulated);
        ASSERT_TRUE(KindFactorFor(c.kind, false, f));
        EXPECT_EQ(f, c.bare);
    }
    float f = -1;
    EXPECT_FALSE(KindFactorFor("ΙΣΟΓΕΙΟ ", true, f));
    EXPECT_FALSE(KindFactorFor("ισογειο", true, f));
    EXPECT_FALSE(KindFactorFor("", true, f));
    EXPECT_EQ(f, -1);

    const std::pair<const char*, float> pipes[] = {
        {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", 0.06f}, {"ΕΝΤΟΣ ΙΔΙΟΚΤ.", 0.01f}, {"ΑΛΛΗ ΠΕΡΙΠΤ.", 0.03f}};
    for (const auto& [text, value] : pipes) {
        ASSERT_TRUE(PipeFactorFor(text, f)) << text;
        EXPECT_EQ(f, value);
    }
    EXPECT_FALSE(PipeFactorFor("ΕΚΤΟΣ", f));
}

} // namespace
} // namespace pyrostat
