#include "platform/gui/WindowHelpers.h"
#include "platform/gui/LocaleTexts.h"
#include "platform/gui/QtClipboard.h"
#include "platform/gui/QtMessageService.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(CenterForm, CentresAndShiftsByTwipsAtTheScreenResolution) {
    QWidget form;
    form.resize(400, 300);
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    const QSize size = form.frameGeometry().size();

    CenterForm(form);
    EXPECT_EQ(form.pos().x(), area.left() + qRound((area.width() - size.width()) / 2.0));
    EXPECT_EQ(form.pos().y(), area.top() + qRound((area.height() - size.height()) / 2.0));

    // 1440 twips are one inch: the window moves down by the screen's dots per inch.
    CenterForm(form, 1440.0);
    EXPECT_EQ(form.pos().y(), area.top() + qRound((area.height() - size.height()) / 2.0) +
                                  qRound(screen->logicalDotsPerInchY()));
}

TEST(FitListScrollWidth, TheLongestEntryCanBeScrolledIntoView) {
    QListWidget list;
    list.resize(120, 100);
    list.addItem(QStringLiteral("Α"));
    list.addItem(QString(60, QLatin1Char('x')));
    list.show();
    EXPECT_TRUE(FitListScrollWidth(list));
    QApplication::processEvents();
    const int wanted = list.fontMetrics().horizontalAdvance(QString(61, QLatin1Char('W')));
    EXPECT_GE(list.horizontalScrollBar()->maximum() + list.viewport()->width(), wanted);

    QListWidget empty;
    EXPECT_TRUE(FitListScrollWidth(empty));
}

TEST(LocaleTexts, SampleAndShortDate) {
    const struct {
        QLocale locale;
        const char* sample;
    } cases[] = {
        {QLocale(QLocale::Greek, QLocale::Greece), "2.500,0"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "2,500.0"},
        {QLocale(QLocale::German, QLocale::Germany), "2.500,0"},
    };
    for (const auto& c : cases) {
        QLocale noGrouping = c.locale;
        noGrouping.setNumberOptions(QLocale::OmitGroupSeparator);
        // The grouping is asked for even when the locale object says otherwise.
        EXPECT_EQ(FormatSeparatorSample(noGrouping), c.sample);
    }
    // The short date keeps four digits of the year.
    const std::string us =
        LocaleShortDate(QLocale(QLocale::English, QLocale::UnitedStates), 2024, 2, 29);
    EXPECT_EQ(us.substr(us.size() - 4), "2024");
    const std::string greek = LocaleShortDate(QLocale(QLocale::Greek, QLocale::Greece), 2024, 2, 9);
    EXPECT_NE(greek.find("2024"), std::string::npos);
    EXPECT_EQ(greek.find("2024"), greek.size() - 4);
}

TEST(QtMessageService, AnswersByTheButtonPressed) {
    QtMessageService messages;
    const struct {
        MessageService::Buttons buttons;
        const char* press; // caption of the button the user presses
        MessageService::Answer expected;
    } cases[] = {
        {MessageService::Buttons::Ok, "OK", MessageService::Answer::Ok},
        {MessageService::Buttons::YesNo, "Ναι", MessageService::Answer::Yes},
        {MessageService::Buttons::YesNo, "Όχι", MessageService::Answer::No},
        {MessageService::Buttons::YesNoCancel, "Άκυρο", MessageService::Answer::Cancel},
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Π Ρ Ο Σ Ο Χ Η"));
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QString::fromUtf8(c.press)) {
                    button->click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << c.press;
            box->reject();
        });
        EXPECT_EQ(
            messages.Show("Π Ρ Ο Σ Ο Χ Η", "κείμενο", MessageService::Icon::Critical, c.buttons),
            c.expected);
    }
}

TEST(QtClipboard, TextRoundTrips) {
    QtClipboard clipboard;
    clipboard.SetText("Α1\t12,50\n");
    EXPECT_EQ(clipboard.Text(), "Α1\t12,50\n");
    clipboard.Clear();
    EXPECT_EQ(clipboard.Text(), "");
}

} // namespace
} // namespace pyrostat
