#include "printing/gui/CupsPrinterPlatform.h"
#include "printing/gui/PrinterCommand.h"
#include "support/RecordingMessages.h"

#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace pyrostat {
namespace {

// Runs only inside scripts/cups-test.sh, which starts a private cupsd with
// file-backed queues and names the queue to print on: the page goes to it by
// name, and the user's default printer is the same before, during and after
// the print.
TEST(CupsPrintIntegration, PrintsByNameAndLeavesTheDefaultAlone) {
    const char* queue = std::getenv("PYROSTAT_CUPS_TEST_PRINTER");
    if (queue == nullptr || *queue == '\0') {
        GTEST_SKIP() << "run by scripts/cups-test.sh with a private cupsd";
    }
    test::RecordingMessages messages;
    CupsPrinterPlatform cups;
    const std::string before = cups.UserDefault();
    ASSERT_FALSE(before.empty()) << "the script sets a default printer";
    ASSERT_NE(before, queue);

    std::string defaultWhilePrinting;
    int pages = 0;
    const bool printed =
        RunPrintCommand(messages, queue, 1, [&](const std::string& printerName, int copies) {
            defaultWhilePrinting = cups.UserDefault();
            QPrinter printer(QPrinter::HighResolution);
            printer.setPrinterName(QString::fromStdString(printerName));
            printer.setCopyCount(copies);
            QPainter painter;
            ASSERT_TRUE(painter.begin(&printer));
            painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
            painter.drawText(QPointF(200, 400), QStringLiteral("Μελετητής : Δοκιμή εκτύπωσης"));
            painter.end();
            ++pages;
        });
    EXPECT_TRUE(printed);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(defaultWhilePrinting, before);
    EXPECT_EQ(cups.UserDefault(), before);
}

} // namespace
} // namespace pyrostat
