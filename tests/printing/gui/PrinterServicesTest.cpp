#include "printing/gui/PrinterServices.h"
#include "printing/PrinterPlatformMemory.h"
#include "program/ProgramState.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

// The start-up step writes the printer-ports cache only on the per-user
// family of systems, and the pieces work together on the printers given.
TEST(PrinterServices, StartUpCachesThePortsOnlyOnThePerUserFamily) {
    struct Case {
        bool major4;
        int16_t later;
        bool cached;
    };
    for (const Case& c : {Case{false, -1, true}, Case{false, -2, false}}) {
        test::TestFolder folder;
        ProgramState state;
        state.ProgramFolder = folder.WithSlash();
        state.IsMajorVersion4 = c.major4;
        state.LaterVersionCode = c.later;
        test::RecordingMessages messages;
        PrinterServices printers(
            state, messages,
            std::make_unique<PrinterPlatformMemory>(
                std::vector<PrinterDestination>{{"Laser", "HP", "ipp://x"}}, "Laser"));
        printers.StartUp();
        EXPECT_EQ(std::filesystem::exists(folder.File("iPrinters.prt")), c.cached) << c.later;
        if (c.cached) {
            EXPECT_EQ(std::filesystem::file_size(folder.File("iPrinters.prt")), 2170u);
        }
        EXPECT_EQ(printers.Chooser().CurrentPrinter().deviceName, "Laser");
    }
}

} // namespace
} // namespace pyrostat
