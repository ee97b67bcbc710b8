#include "printing/gui/PrinterPageSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <array>
#include <utility>

namespace pyrostat {
namespace {

struct SourceName {
    QPrinter::PaperSource source;
    const char* name;
};

// The printer's own choice of tray has the empty name.
constexpr std::array<SourceName, 14> kSources{{
    {QPrinter::Auto, ""},
    {QPrinter::OnlyOne, "OnlyOne"},
    {QPrinter::Upper, "Upper"},
    {QPrinter::Lower, "Lower"},
    {QPrinter::Middle, "Middle"},
    {QPrinter::Manual, "Manual"},
    {QPrinter::Envelope, "Envelope"},
    {QPrinter::EnvelopeManual, "EnvelopeManual"},
    {QPrinter::Tractor, "Tractor"},
    {QPrinter::SmallFormat, "SmallFormat"},
    {QPrinter::LargeFormat, "LargeFormat"},
    {QPrinter::LargeCapacity, "LargeCapacity"},
    {QPrinter::Cassette, "Cassette"},
    {QPrinter::FormSource, "FormSource"},
}};

QPageSize PageSizeNamed(const std::string& name) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto sizeId = static_cast<QPageSize::PageSizeId>(id);
        if (QPageSize::key(sizeId).toStdString() == name) {
            return QPageSize(sizeId);
        }
    }
    return QPageSize(QPageSize::A4);
}

} // namespace

void ApplyPageSettings(QPrinter& printer, const PageSettings& page) {
    printer.setPageOrientation(page.orientation == PageOrientation::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    printer.setPageSize(PageSizeNamed(page.paperSize));
    for (const SourceName& source : kSources) {
        if (page.paperSource == source.name) {
            printer.setPaperSource(source.source);
        }
    }
    printer.setCopyCount(page.copies > 0 ? page.copies : 1);
    printer.setColorMode(page.colorMode == PrintColorMode::Color ? QPrinter::Color
                                                                 : QPrinter::GrayScale);
    switch (page.duplex) {
    case DuplexMode::Simplex:
        printer.setDuplex(QPrinter::DuplexNone);
        break;
    case DuplexMode::LongEdge:
        printer.setDuplex(QPrinter::DuplexLongSide);
        break;
    case DuplexMode::ShortEdge:
        printer.setDuplex(QPrinter::DuplexShortSide);
        break;
    }
    if (page.resolution > 0) {
        printer.setResolution(page.resolution);
    }
}

PageSettings ReadPageSettings(const QPrinter& printer) {
    PageSettings page;
    page.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                           ? PageOrientation::Landscape
                           : PageOrientation::Portrait;
    page.paperSize = printer.pageLayout().pageSize().key().toStdString();
    page.paperSource.clear();
    for (const SourceName& source : kSources) {
        if (printer.paperSource() == source.source) {
            page.paperSource = source.name;
        }
    }
    page.copies = printer.copyCount();
    page.colorMode =
        printer.colorMode() == QPrinter::Color ? PrintColorMode::Color : PrintColorMode::Monochrome;
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        page.duplex = DuplexMode::LongEdge;
        break;
    case QPrinter::DuplexShortSide:
        page.duplex = DuplexMode::ShortEdge;
        break;
    default:
        page.duplex = DuplexMode::Simplex;
        break;
    }
    page.resolution = printer.resolution();
    return page;
}

} // namespace pyrostat
