#include "reports/gui/ReportWindowHooks.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(ReportWindowHooksTest, WaitLabelShowsAndHidesWithItsCaption) {
    QWidget window;
    auto* label = new QLabel(&window);
    label->hide();
    window.show();
    ReportCommandHooks hooks = MakeWaitLabelHooks(label);
    EXPECT_EQ(label->text(), "... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ...");
    hooks.showWait(true);
    EXPECT_TRUE(label->isVisible());
    hooks.showWait(false);
    EXPECT_FALSE(label->isVisible());
    delete label;
    hooks.showWait(true); // a label gone with its window is left alone
}

} // namespace
} // namespace pyrostat
