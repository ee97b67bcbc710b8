#include "printing/gui/PrinterPageSettings.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

// The settings survive the way to a Qt printer and back, so what the user
// picks in the dialog reaches the printer the report is printed on.
TEST(PrinterPageSettings, SevenSettingsTravelToAQtPrinterAndBack) {
    std::vector<PageSettings> cases(3);
    cases[1].orientation = PageOrientation::Landscape;
    cases[1].paperSize = "A3";
    cases[1].paperSource = "Lower";
    cases[1].copies = 4;
    cases[1].colorMode = PrintColorMode::Monochrome;
    cases[1].duplex = DuplexMode::LongEdge;
    cases[1].resolution = 600;
    cases[2].paperSize = "Letter";
    cases[2].paperSource = "Manual";
    cases[2].duplex = DuplexMode::ShortEdge;
    cases[2].resolution = 300;
    cases[0].resolution = 1200;
    for (const PageSettings& page : cases) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        ApplyPageSettings(printer, page);
        PageSettings back = ReadPageSettings(printer);
        // A PDF printer has no duplex unit; a real printer keeps the setting.
        EXPECT_EQ(back.duplex, DuplexMode::Simplex);
        back.duplex = page.duplex;
        EXPECT_TRUE(back == page) << page.paperSize << " " << back.paperSize << " "
                                  << back.paperSource << " " << back.copies << " "
                                  << back.resolution << " o" << int(back.orientation) << " c"
                                  << int(back.colorMode) << " d" << int(back.duplex);
    }
}

TEST(PrinterPageSettings, UnknownPaperFallsBackToA4AndNoCopiesToOne) {
    PageSettings page;
    page.paperSize = "NoSuchPaper";
    page.copies = 0;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    ApplyPageSettings(printer, page);
    const PageSettings back = ReadPageSettings(printer);
    EXPECT_EQ(back.paperSize, "A4");
    EXPECT_EQ(back.copies, 1);
}

} // namespace
} // namespace pyrostat
