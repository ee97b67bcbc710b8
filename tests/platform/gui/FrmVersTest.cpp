#include "platform/gui/FrmVers.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

void DoubleClick(QWidget* widget) {
    const QPointF at(4, 4);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST(FrmVers, ShowsTheVersionThenTheSystemNameOnDoubleClick) {
    int asked = 0;
    auto systemName = [&asked] {
        ++asked;
        return std::string("Debian GNU/Linux 12 (bookworm)");
    };
    {
        FrmVers box(systemName);
        box.show();
        EXPECT_EQ(box.Text1()->text().toStdString(), "< Version 2021.02.12 >");
        DoubleClick(&box);
        EXPECT_EQ(box.Text1()->text().toStdString(), "Debian GNU/Linux 12 (bookworm)");
        DoubleClick(&box);
        EXPECT_EQ(box.Text1()->text().toStdString(), "Debian GNU/Linux 12 (bookworm)");
        EXPECT_EQ(asked, 2);
        box.SSCommand1()->click();
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), QDialog::Accepted);
    }
    // Opening it again starts from the version text.
    FrmVers again(systemName);
    EXPECT_EQ(again.Text1()->text().toStdString(), "< Version 2021.02.12 >");
}

} // namespace
} // namespace pyrostat
