#include "billing/PeriodDraft.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

BillingCoefficients Flats() {
    return ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
}

TEST(PeriodDraft, WhatWasTypedComesBackInTheLocaleOfTheWindow) {
    BillingSession typed(Flats());
    typed.SetLocale(NumberLocale::Greek());
    typed.SetCost("2.850,50");
    typed.SetMethod(MeterMethod::Energy);
    typed.SetDates("15/10/2026", "30.04.2027");
    typed.SetEstimate(true);
    typed.SetRow(0, {"1.000,5", "1.400", "", ""});
    typed.SetRow(2, {"", "", "", "αντικατάσταση 1.500,5 0\tμε\ttab"});
    const std::string text = DraftText(typed);

    BillingSession same(Flats());
    same.SetLocale(NumberLocale::Greek());
    EXPECT_TRUE(ResumeDraft(same, text).empty());
    EXPECT_EQ(DraftText(same), text);
    EXPECT_EQ(same.CostText(), "2.850,50");
    EXPECT_EQ(same.Method(), MeterMethod::Energy);
    EXPECT_EQ(same.ToText(), "30.04.2027"); // a date keeps its full stops
    EXPECT_TRUE(same.EstimateOn());
    EXPECT_EQ(same.Rows()[2].marks, "αντικατάσταση 1.500,5 0 με tab");
    EXPECT_TRUE(same.Rows()[1].previous.empty());

    // Another locale: the numbers are written with its separators, and
    // bill alike.
    BillingSession english(Flats());
    english.SetLocale(NumberLocale::English());
    EXPECT_TRUE(ResumeDraft(english, text).empty());
    EXPECT_EQ(english.CostText(), "2,850.50");
    EXPECT_EQ(english.Rows()[0].previous, "1,000.5");
    EXPECT_EQ(english.Rows()[2].marks, "αντικατάσταση 1,500.5 0 με tab");
    EXPECT_EQ(english.ToText(), "30.04.2027");
    EXPECT_EQ(english.Bill().request.costCents, same.Bill().request.costCents);
}

TEST(PeriodDraft, WhatCannotBePutBackIsTold) {
    BillingSession session(Flats());
    const std::vector<std::string> notADraft = ResumeDraft(session, "cost\t5\n");
    ASSERT_EQ(notADraft.size(), 1u);
    EXPECT_NE(notADraft[0].find("δεν είναι πρόχειρο"), std::string::npos);
    EXPECT_TRUE(session.CostText().empty());

    const std::vector<std::string> faults = ResumeDraft(
        session, "pyrostat-draft\t1\ncost\t5\nrow\t9\t1\t2\t\t\nrow\t2\t10\t20\t\t\nκάτι\n");
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_NE(faults[0].find("Ιδιοκτησίας 9"), std::string::npos) << faults[0];
    EXPECT_NE(faults[1].find("«κάτι»"), std::string::npos) << faults[1];
    EXPECT_EQ(session.CostText(), "5");
    EXPECT_EQ(session.Rows()[1].current, "20");
    EXPECT_TRUE(session.AnythingTyped());
}

} // namespace
} // namespace pyrostat
