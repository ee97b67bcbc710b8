#include "studies/StudyText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// The tab-separated text of the convert command: every value goes through the
// grid's rules; nothing refused may slip into the study.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const NumberLocale locale : {NumberLocale::Greek(), NumberLocale::English()}) {
        (void)ParseStudyText(text, locale);
    }
    return 0;
}
