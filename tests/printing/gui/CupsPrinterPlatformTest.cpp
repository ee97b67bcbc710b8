#include "printing/gui/CupsPrinterPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pyrostat {
namespace {

// Whatever printers this machine has (none at all when no scheduler runs),
// a printer that does not exist is never made the default, and the default,
// when there is one, is among the printers listed.
TEST(CupsPrinterPlatform, MissingPrinterIsNeverMadeTheDefault) {
    CupsPrinterPlatform cups;
    const std::string before = cups.UserDefault();
    EXPECT_FALSE(cups.SetUserDefault("pyrostat-no-such-printer-7f3a"));
    EXPECT_EQ(cups.UserDefault(), before);
    if (!before.empty()) {
        const std::vector<PrinterDestination> printers = cups.Destinations();
        EXPECT_TRUE(std::any_of(printers.begin(), printers.end(),
                                [&](const PrinterDestination& p) { return p.name == before; }));
    }
}

} // namespace
} // namespace pyrostat
