#include "FuzzSupport.h"
#include "register/RegisterFile.h"

// "CLIENTS.MIR" from another installation: every reader counts whole records
// only and unscrambles whatever bytes it finds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    const RegisterFile file(fuzz::PlaceInput("CLIENTS.MIR", data, size));
    const RegisterContents contents = file.Read();
    (void)file.ReadPassword();
    for (size_t r = 1; r <= contents.wholeRecords + 1; ++r) {
        (void)file.ReadRecord(r);
    }
    if (contents.names.size() != contents.wholeRecords) {
        std::abort();
    }
    return 0;
}
