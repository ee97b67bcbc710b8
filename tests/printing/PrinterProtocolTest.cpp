#include "printing/PrintProtocol.h"
#include "printing/PrinterChooser.h"
#include "printing/PrinterDialog.h"
#include "printing/PrinterDialogGiven.h"
#include "printing/PrinterPlatformMemory.h"
#include "printing/PrinterSettingsStore.h"
#include "printing/PrinterSwitching.h"
#include "program/ProgramState.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::RecordingMessages;
using test::TestFolder;

// A printer dialog that answers as told and remembers what it was shown.
class ToldPrinterDialog : public PrinterDialog {
public:
    PrinterDialogAnswer Show(const PrinterSetup& current) override {
        ++shown;
        shownWith = current;
        return answer;
    }
    void Choose(const std::string& name, PageSettings page = {}) {
        answer = {PrinterDialogAnswer::Outcome::Chosen, name, page, 0};
    }
    void Cancel() { answer = {PrinterDialogAnswer::Outcome::Cancelled, "", {}, 0}; }

    PrinterDialogAnswer answer;
    PrinterSetup shownWith;
    int shown = 0;
};

struct Printed {
    std::string printer;
    int copies = 0;
    std::string defaultWhilePrinting;
};

// The whole printer side of one run, as the program wires it, over printers
// held in memory.
class PrinterProtocolTest : public ::testing::Test {
protected:
    PrinterProtocolTest() {
        state.ProgramFolder = folder.WithSlash();
        state.IsMajorVersion4 = false;
        state.LaterVersionCode = -1;
        switching.CachePrinterPorts(); // as the main window does at start-up
    }

    PrintProtocol::PrintReport Recorder() {
        return [this](const std::string& printer, int copies) {
            printed.push_back({printer, copies, platform.UserDefault()});
        };
    }

    TestFolder folder;
    ProgramState state;
    PrinterPlatformMemory platform{
        {{"Laser", "HP LaserJet 4000, hpcups 3.22", "ipp://srv:631/printers/laser"},
         {"Γραφείο", "Generic PDF", "cups-pdf:/"}},
        "Laser"};
    PrinterSettingsStore settings{platform};
    PrinterSwitching switching{state, settings, platform};
    RecordingMessages messages;
    PrinterChooser chooser{state, state.StatusCode, platform, switching, messages};
    PrintProtocol protocol{state, state.StatusCode, switching, chooser};
    ToldPrinterDialog dialog;
    std::vector<Printed> printed;
};

TEST_F(PrinterProtocolTest, SavedDefaultIsTheEntryBeforeItsComma) {
    protocol.SaveDefaultPrinter();
    EXPECT_EQ(state.SavedDefaultPrinter, "Laser");
}

TEST_F(PrinterProtocolTest, ChoosingTheDefaultPrinterChangesNothing) {
    PageSettings page;
    page.copies = 3;
    // The comparison ignores case, as the names' upper-case forms are compared.
    for (const std::string& name : {std::string("Laser"), std::string("LASER")}) {
        printed.clear();
        dialog.Choose(name, page);
        EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
        EXPECT_FALSE(state.DefaultPrinterChanged);
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(printed[0].printer, "Laser");
        EXPECT_EQ(printed[0].copies, 3);
        EXPECT_EQ(printed[0].defaultWhilePrinting, "Laser");
        EXPECT_EQ(platform.UserDefault(), "Laser");
    }
    EXPECT_EQ(dialog.shownWith.deviceName, "Laser") << "the dialog starts on the default";
    EXPECT_EQ(dialog.shownWith.port, "ipp://srv:631/printers/laser");
}

TEST_F(PrinterProtocolTest, CancelPrintsNothingAndLeavesTheDefault) {
    dialog.Cancel();
    EXPECT_FALSE(protocol.PrintWithChoice(dialog, Recorder()));
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(state.StatusCode, 0);
    EXPECT_FALSE(state.DefaultPrinterChanged);
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_TRUE(platform.DefaultsSet().empty());
    EXPECT_TRUE(messages.Empty());
}

TEST_F(PrinterProtocolTest, AnotherPrinterIsTheDefaultOnlyWhilePrinting) {
    PageSettings page;
    page.orientation = PageOrientation::Landscape;
    page.paperSize = "A3";
    page.paperSource = "Lower";
    page.copies = 2;
    page.colorMode = PrintColorMode::Monochrome;
    page.duplex = DuplexMode::LongEdge;
    page.resolution = 600;
    dialog.Choose("γραφείο", page);

    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Γραφείο");
    EXPECT_EQ(printed[0].copies, 2);
    EXPECT_EQ(printed[0].defaultWhilePrinting, "Γραφείο");
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_FALSE(state.DefaultPrinterChanged);
    EXPECT_EQ(state.SavedDefaultPrinter, "Laser");
    // The seven page settings went to the current printer.
    EXPECT_EQ(chooser.CurrentPrinter().deviceName, "Γραφείο");
    EXPECT_TRUE(chooser.CurrentPrinter().page == page);
    EXPECT_EQ(platform.DefaultsSet(), (std::vector<std::string>{"Γραφείο", "Laser", "Laser"}));

    // The results window's print buttons then go to the default printer,
    // which is the former one again: one copy, without a dialog and without
    // touching the default.
    printed.clear();
    EXPECT_TRUE(protocol.PrintOnCurrent(Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Laser");
    EXPECT_EQ(printed[0].copies, 1);
    EXPECT_EQ(platform.UserDefault(), "Laser");
}

TEST_F(PrinterProtocolTest, APrinterInstalledAfterStartUpIsFoundByRefreshingTheCache) {
    platform.Add({"New", "Brother", "usb://Brother"});
    dialog.Choose("New");
    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].defaultWhilePrinting, "New");
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_EQ(ReadAll(folder.File("iPrinters.prt")).size(), 3u * 2170u);
}

TEST_F(PrinterProtocolTest, AFailedSwitchStillPrintsOnTheChosenPrinter) {
    platform.RefuseChanges(true);
    dialog.Choose("Γραφείο");
    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Γραφείο");
    EXPECT_EQ(printed[0].defaultWhilePrinting, "Laser");
    EXPECT_EQ(platform.UserDefault(), "Laser");
}

TEST_F(PrinterProtocolTest, WithoutADefaultPrinterTheDefaultIsNotSet) {
    PrinterPlatformMemory bare({{"Laser", "", ""}, {"Γραφείο", "", ""}}, "");
    PrinterSettingsStore bareSettings(bare);
    PrinterSwitching bareSwitching(state, bareSettings, bare);
    PrinterChooser bareChooser(state, state.StatusCode, bare, bareSwitching, messages);
    PrintProtocol bareProtocol(state, state.StatusCode, bareSwitching, bareChooser);
    bareSwitching.CachePrinterPorts();
    dialog.Choose("Γραφείο");
    std::vector<std::string> names;
    EXPECT_TRUE(bareProtocol.PrintWithChoice(
        dialog, [&](const std::string& name, int) { names.push_back(name); }));
    EXPECT_EQ(names, std::vector<std::string>{"Γραφείο"});
    EXPECT_EQ(bare.UserDefault(), "") << "there was no default to put back";
    EXPECT_TRUE(bare.DefaultsSet().empty());
}

TEST_F(PrinterProtocolTest, ADefaultWhoseNameHasACommaIsNeverSwitchedAway) {
    // CUPS allows a comma in a printer's name; the default-printer entry
    // would cut it, and the saved default could not be put back.
    PrinterPlatformMemory lab({{"Lab,2", "", ""}, {"Γραφείο", "", ""}}, "Lab,2");
    PrinterSettingsStore labSettings(lab);
    PrinterSwitching labSwitching(state, labSettings, lab);
    PrinterChooser labChooser(state, state.StatusCode, lab, labSwitching, messages);
    PrintProtocol labProtocol(state, state.StatusCode, labSwitching, labChooser);
    labSwitching.CachePrinterPorts();
    dialog.Choose("Γραφείο");
    std::vector<std::string> names;
    EXPECT_TRUE(labProtocol.PrintWithChoice(dialog, [&](const std::string& name, int) {
        names.push_back(name + "|" + lab.UserDefault());
    }));
    EXPECT_EQ(names, std::vector<std::string>{"Γραφείο|Lab,2"});
    EXPECT_EQ(lab.UserDefault(), "Lab,2");
    EXPECT_TRUE(lab.DefaultsSet().empty());
}

TEST_F(PrinterProtocolTest, AVanishedOrFailedChoicePrintsNothing) {
    dialog.Choose("Gone");
    EXPECT_FALSE(protocol.PrintWithChoice(dialog, Recorder()));
    dialog.answer = {PrinterDialogAnswer::Outcome::Failed, "", {}, 482};
    EXPECT_FALSE(protocol.PrintWithChoice(dialog, Recorder()));
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(state.StatusCode, 0);
    EXPECT_EQ(platform.UserDefault(), "Laser");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].prompt.find("Gone"), std::string::npos);
    EXPECT_NE(messages.shown[1].prompt.find("482"), std::string::npos);
    EXPECT_EQ(messages.beeps, 4);
}

TEST_F(PrinterProtocolTest, ResultsWindowPrintSkipsAfterACancelledChoice) {
    state.StatusCode = 327;
    EXPECT_FALSE(protocol.PrintOnCurrent(Recorder()));
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(state.StatusCode, 0);
    EXPECT_TRUE(protocol.PrintOnCurrent(Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Laser");
}

TEST_F(PrinterProtocolTest, PreviewPutsBackASwitchedDefault) {
    platform.SetUserDefault("Γραφείο"); // left switched by an earlier command
    state.DefaultPrinterChanged = true;
    int previews = 0;
    protocol.Preview([&] { ++previews; });
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(state.SavedDefaultPrinter, "Γραφείο");
    EXPECT_FALSE(state.DefaultPrinterChanged);
}

TEST_F(PrinterProtocolTest, AFailingReportStillPutsTheDefaultBack) {
    dialog.Choose("Γραφείο");
    EXPECT_THROW(protocol.PrintWithChoice(
                     dialog, [](const std::string&, int) { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_FALSE(state.DefaultPrinterChanged);
}

TEST_F(PrinterProtocolTest, OnOtherSystemVersionsNoDefaultIsReadOrSwitched) {
    state.LaterVersionCode = -2;
    dialog.Choose("Γραφείο");
    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    EXPECT_EQ(state.SavedDefaultPrinter, "");
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Γραφείο");
    EXPECT_EQ(printed[0].defaultWhilePrinting, "Laser");
    EXPECT_TRUE(platform.DefaultsSet().empty());
}

TEST_F(PrinterProtocolTest, CommandLineNamesThePrinterInsteadOfTheDialog) {
    PrinterDialogGiven given("Γραφείο", 0);
    EXPECT_TRUE(protocol.PrintWithChoice(given, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Γραφείο");
    EXPECT_EQ(printed[0].copies, 1);
    EXPECT_EQ(printed[0].defaultWhilePrinting, "Γραφείο");
    EXPECT_EQ(platform.UserDefault(), "Laser");

    PrinterDialogGiven none("", 2); // no printer named: nothing is printed
    EXPECT_FALSE(protocol.PrintWithChoice(none, Recorder()));
    EXPECT_EQ(printed.size(), 1u);
    EXPECT_EQ(state.StatusCode, 0);
}

TEST(PrinterChooserNames, UpperCaseForComparingNames) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"laser-2", "LASER-2"}, {"γραφείο", "ΓΡΑΦΕΊΟ"}, {"άέήίόύώ", "ΆΈΉΊΌΎΏ"},
        {"ϊϋς", "ΪΫΣ"},         {"ΓΡΑΦΕΊΟ", "ΓΡΑΦΕΊΟ"},
    };
    for (const auto& [text, upper] : cases) {
        EXPECT_EQ(UpperForCompare(text), upper) << text;
    }
}

} // namespace
} // namespace pyrostat
