#include "printing/PrintProtocol.h"
#include "printing/PrinterChooser.h"
#include "printing/PrinterDialog.h"
#include "printing/PrinterDialogGiven.h"
#include "printing/PrinterPlatformMemory.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using test::RecordingMessages;

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
};

// The whole printer side of one run, as the program wires it, over printers
// held in memory. The platform of the printer routines cannot change the
// desktop's default printer at all: a report goes to its printer by name.
class PrinterProtocolTest : public ::testing::Test {
protected:
    PrintProtocol::PrintReport Recorder() {
        return [this](const std::string& printer, int copies) {
            printed.push_back({printer, copies});
        };
    }

    PrinterPlatformMemory platform{
        {{"Laser", "HP LaserJet 4000, hpcups 3.22", "ipp://srv:631/printers/laser"},
         {"Γραφείο", "Generic PDF", "cups-pdf:/"}},
        "Laser"};
    RecordingMessages messages;
    PrinterChooser chooser{platform, messages};
    PrintProtocol protocol{platform, chooser};
    ToldPrinterDialog dialog;
    std::vector<Printed> printed;
};

TEST_F(PrinterProtocolTest, TheChosenPrinterGetsTheReportByNameWithItsCopies) {
    PageSettings page;
    page.orientation = PageOrientation::Landscape;
    page.paperSize = "A3";
    page.paperSource = "Lower";
    page.copies = 2;
    page.colorMode = PrintColorMode::Monochrome;
    page.duplex = DuplexMode::LongEdge;
    page.resolution = 600;
    // Names compare in capitals, Greek ones too; the system's own spelling is
    // the one printed on.
    dialog.Choose("γραφείο", page);
    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Γραφείο");
    EXPECT_EQ(printed[0].copies, 2);
    EXPECT_EQ(dialog.shownWith.deviceName, "Laser") << "the dialog starts on the default";
    EXPECT_EQ(dialog.shownWith.port, "ipp://srv:631/printers/laser");
    // The chosen printer is the current one, with the seven page settings.
    EXPECT_EQ(chooser.CurrentPrinter().deviceName, "Γραφείο");
    EXPECT_EQ(chooser.CurrentPrinter().port, "cups-pdf:/");
    EXPECT_TRUE(chooser.CurrentPrinter().page == page);
    // The next choice starts on it.
    dialog.Choose("LASER");
    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    EXPECT_EQ(dialog.shownWith.deviceName, "Γραφείο");
    EXPECT_EQ(printed.back().printer, "Laser");
    EXPECT_EQ(printed.back().copies, 1);
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_TRUE(messages.Empty());
}

TEST_F(PrinterProtocolTest, ACancelledVanishedOrFailedChoicePrintsNothing) {
    dialog.Cancel();
    EXPECT_FALSE(protocol.PrintWithChoice(dialog, Recorder()));
    EXPECT_TRUE(messages.Empty()) << "a cancel is no fault";
    dialog.Choose("Gone");
    EXPECT_FALSE(protocol.PrintWithChoice(dialog, Recorder()));
    dialog.answer = {PrinterDialogAnswer::Outcome::Failed, "", {}, 482};
    EXPECT_FALSE(protocol.PrintWithChoice(dialog, Recorder()));
    EXPECT_TRUE(printed.empty());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].prompt.find("Gone"), std::string::npos);
    EXPECT_NE(messages.shown[1].prompt.find("482"), std::string::npos);
    EXPECT_EQ(messages.beeps, 4);
    // Nothing of a refused choice stays: the current printer is the default.
    EXPECT_EQ(chooser.CurrentPrinter().deviceName, "Laser");
    // A printer installed since the start is found.
    platform.Add({"New", "Brother", "usb://Brother"});
    dialog.Choose("New");
    EXPECT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "New");
}

TEST_F(PrinterProtocolTest, TheResultsWindowPrintsOneCopyOnTheDefault) {
    dialog.Choose("Γραφείο");
    ASSERT_TRUE(protocol.PrintWithChoice(dialog, Recorder()));
    // A printer chosen for the main window's print is not the default.
    protocol.PrintOnDefault(Recorder());
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[1].printer, "Laser");
    EXPECT_EQ(printed[1].copies, 1);
    // Without a default printer the name is empty: the printing system's own.
    PrinterPlatformMemory bare({{"Laser", "", ""}}, "");
    PrinterChooser bareChooser(bare, messages);
    PrintProtocol bareProtocol(bare, bareChooser);
    bareProtocol.PrintOnDefault(Recorder());
    EXPECT_EQ(printed.back().printer, "");
}

TEST_F(PrinterProtocolTest, CommandLineNamesThePrinterInsteadOfTheDialog) {
    PrinterDialogGiven given("Γραφείο", 0);
    EXPECT_TRUE(protocol.PrintWithChoice(given, Recorder()));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].printer, "Γραφείο");
    EXPECT_EQ(printed[0].copies, 1);

    PrinterDialogGiven none("", 2); // no printer named: nothing is printed
    EXPECT_FALSE(protocol.PrintWithChoice(none, Recorder()));
    EXPECT_EQ(printed.size(), 1u);
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
