#include "FuzzSupport.h"
#include "printing/PrinterPlatformMemory.h"
#include "printing/PrinterSettingsStore.h"
#include "printing/PrinterSwitching.h"

// The printer-ports cache "iPrinters.prt" read back by the printer switch.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    fuzz::PlaceInput("iPrinters.prt", data, size);
    ProgramState state;
    state.ProgramFolder = fuzz::Folder();
    PrinterPlatformMemory platform;
    PrinterSettingsStore settings(platform);
    PrinterSwitching switching(state, settings, platform);
    (void)switching.FindPrinterPorts("Office");
    (void)switching.FindPrinterPorts("");
    return 0;
}
