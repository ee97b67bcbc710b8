#include "printing/gui/PrinterServices.h"

#include "printing/gui/CupsPrinterPlatform.h"

#include <utility>

namespace pyrostat {

PrinterServices::PrinterServices(ProgramState& state, MessageService& messages,
                                 std::unique_ptr<PrinterPlatform> platform)
    : platform_(platform ? std::move(platform) : std::make_unique<CupsPrinterPlatform>()),
      settings_(*platform_), switching_(state, settings_, *platform_),
      chooser_(state, state.StatusCode, *platform_, switching_, messages),
      protocol_(state, state.StatusCode, switching_, chooser_) {}

void PrinterServices::StartUp() {
    if (switching_.IsVersion5()) {
        switching_.CachePrinterPorts();
    }
}

} // namespace pyrostat
