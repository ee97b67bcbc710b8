#include "FuzzSupport.h"
#include "studies/StudiesListFile.h"

// "Studies.std" as any program may have left it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)pyrostat::ReadStudiesList(pyrostat::fuzz::PlaceInput("Studies.std", data, size));
    return 0;
}
