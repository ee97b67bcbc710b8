#include "printing/gui/PrinterServices.h"

#include "printing/gui/CupsPrinterPlatform.h"

#include <utility>

namespace pyrostat {

PrinterServices::PrinterServices(MessageService& messages,
                                 std::unique_ptr<PrinterPlatform> platform)
    : platform_(platform ? std::move(platform) : std::make_unique<CupsPrinterPlatform>()),
      chooser_(*platform_, messages), protocol_(*platform_, chooser_) {}

} // namespace pyrostat
