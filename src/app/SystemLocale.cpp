#include "app/SystemLocale.h"

#include <locale>
#include <stdexcept>

namespace pyrostat {

NumberLocale SystemNumberLocale() {
    try {
        const std::locale locale("");
        if (std::use_facet<std::numpunct<char>>(locale).decimal_point() == ',') {
            return NumberLocale::Greek();
        }
    } catch (const std::exception&) {
        // An unknown locale name in the environment: the full stop.
    }
    return NumberLocale::English();
}

} // namespace pyrostat
