#pragma once

#include "platform/MessageService.h"
#include "printing/PrintProtocol.h"
#include "printing/PrinterChooser.h"
#include "printing/PrinterPlatform.h"

#include <memory>

namespace pyrostat {

// The printer side of one run of the program, put together once: the
// printing system (CUPS unless another is given), the current printer and
// the print protocol that the report commands call.
class PrinterServices {
public:
    explicit PrinterServices(MessageService& messages,
                             std::unique_ptr<PrinterPlatform> platform = nullptr);

    PrinterPlatform& Platform() { return *platform_; }
    PrinterChooser& Chooser() { return chooser_; }
    PrintProtocol& Protocol() { return protocol_; }

private:
    std::unique_ptr<PrinterPlatform> platform_;
    PrinterChooser chooser_;
    PrintProtocol protocol_;
};

} // namespace pyrostat
