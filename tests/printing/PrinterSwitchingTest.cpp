#include "printing/PrinterSwitching.h"
#include "platform/SettingsStore.h"
#include "printing/PrinterPlatformMemory.h"
#include "printing/PrinterPortRecord.h"
#include "printing/PrinterSettingsStore.h"
#include "program/ProgramState.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

// A settings store with whatever keys and values a test puts in it; it counts
// the reads so that a test can see that nothing was read.
class MemorySettings : public SettingsStore {
public:
    using Key = std::pair<SettingsRoot, std::string>;

    bool KeyExists(SettingsRoot root, const std::string& keyPath) const override {
        ++reads;
        return keys.count({root, keyPath}) != 0;
    }
    std::optional<SettingsValue> Read(SettingsRoot root, const std::string& keyPath,
                                      const std::string& valueName) const override {
        ++reads;
        const auto key = keys.find({root, keyPath});
        if (key == keys.end()) {
            return std::nullopt;
        }
        for (const NamedSettingsValue& v : key->second) {
            if (v.name == valueName) {
                return v.value;
            }
        }
        return std::nullopt;
    }
    std::optional<std::vector<NamedSettingsValue>>
    Values(SettingsRoot root, const std::string& keyPath) const override {
        ++reads;
        const auto key = keys.find({root, keyPath});
        if (key == keys.end()) {
            return std::nullopt;
        }
        return key->second;
    }
    bool Write(SettingsRoot root, const std::string& keyPath, const std::string& valueName,
               const std::string& text) override {
        writes.push_back(valueName + "=" + text);
        auto& values = keys[{root, keyPath}];
        for (NamedSettingsValue& v : values) {
            if (v.name == valueName) {
                v.value = {true, text};
                return true;
            }
        }
        values.push_back({valueName, {true, text}});
        return true;
    }

    std::map<Key, std::vector<NamedSettingsValue>> keys;
    std::vector<std::string> writes;
    mutable int reads = 0;
};

std::string Blanks(size_t n) {
    return std::string(n, ' ');
}

// One cache record laid out by hand: number, name field, ports field, rest.
std::string CacheRecord(const std::string& numberBytes, const std::string& nameCp1253,
                        const std::string& portCp1253) {
    return numberBytes + nameCp1253 + Blanks(1024 - nameCp1253.size()) + portCp1253 +
           Blanks(512 - portCp1253.size()) + Blanks(632);
}

PrinterPlatformMemory OfficePrinters() {
    return PrinterPlatformMemory(
        {{"Laser", "HP LaserJet 4000, hpcups 3.22", "ipp://srv:631/printers/laser"},
         {"Γραφείο", "Generic PDF", "cups-pdf:/"}},
        "Laser");
}

TEST(PrinterSwitching, ReadRegistryStringAnswersAsTheRegistryDid) {
    MemorySettings store;
    const std::string key = "Some\\Key";
    store.keys[{SettingsRoot::CurrentUser, key}] = {
        {"Plain", {true, "HP"}},
        {"Number", {false, ""}},
        {"Zero", {true, std::string("abc\0def", 7)}},
        {"Long", {true, std::string(300, 'x')}},
        {"Greek", {true, "Εκτυπωτής"}},
    };
    const std::vector<std::tuple<SettingsRoot, std::string, std::string, std::string>> cases = {
        {SettingsRoot::CurrentUser, key, "Plain", "HP"},
        {SettingsRoot::CurrentUser, key, "Number", "--Not String--"},
        {SettingsRoot::CurrentUser, key, "Zero", "abc"},
        {SettingsRoot::CurrentUser, key, "Long", std::string(255, 'x')},
        {SettingsRoot::CurrentUser, key, "Greek", "Εκτυπωτής"},
        {SettingsRoot::CurrentUser, key, "Missing", ""},
        {SettingsRoot::CurrentUser, "No\\Such\\Key", "Plain", ""},
        {SettingsRoot::CurrentConfig, key, "Plain", ""},
    };
    for (const auto& [root, path, value, expected] : cases) {
        EXPECT_EQ(ReadRegistryString(store, root, path, value), expected) << path << " " << value;
    }
}

TEST(PrinterSwitching, DefaultPrinterEntryFollowsTheSystemVersion) {
    struct Case {
        bool major4;
        int16_t later;
        std::string expected;
    };
    MemorySettings store;
    store.keys[{SettingsRoot::CurrentUser, kWindowsKey}] = {
        {"Device", {true, "Laser,HP LaserJet,ipp:"}}};
    store.keys[{SettingsRoot::CurrentConfig, kPrintersConfigKey}] = {{"Default", {true, "Old"}}};
    const std::vector<Case> cases = {
        {false, -1, "Laser,HP LaserJet,ipp:"}, // per-user family (the 4.x family: the
        {false, -2, ""},                       // test that marks the printer directly)
        {false, -3, ""},
    };
    PrinterPlatformMemory platform;
    for (const Case& c : cases) {
        ProgramState state;
        state.IsMajorVersion4 = c.major4;
        state.LaterVersionCode = c.later;
        PrinterSwitching switching(state, store, platform);
        store.reads = 0;
        EXPECT_EQ(switching.GetDefaultPrinterName(), c.expected) << c.later;
        if (c.expected.empty()) {
            EXPECT_EQ(store.reads, 0) << "nothing is read on version " << c.later;
        }
    }
}

TEST(PrinterSwitching, PrinterNameIsTheEntryBeforeItsFirstComma) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Laser,HP LaserJet 4000, hpcups,ipp://srv/printers/laser", "Laser"},
        {"Laser", "Laser"},
        {"", ""},
        {",driver,port", ""},
    };
    for (const auto& [entry, name] : cases) {
        EXPECT_EQ(PrinterNameOfEntry(entry), name) << entry;
    }
}

TEST(PrinterSwitching, SettingsOverThePrintersAnswerDeviceAndPorts) {
    PrinterPlatformMemory platform = OfficePrinters();
    PrinterSettingsStore store(platform);

    EXPECT_EQ(ReadRegistryString(store, SettingsRoot::CurrentUser, kWindowsKey, "Device"),
              "Laser,HP LaserJet 4000, hpcups 3.22,ipp://srv:631/printers/laser");
    const auto ports = store.Values(SettingsRoot::CurrentUser, kPrinterPortsKey);
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 2u);
    EXPECT_EQ((*ports)[1].name, "Γραφείο");
    EXPECT_EQ((*ports)[1].value.text, "Generic PDF,cups-pdf:/");

    // Only those two keys exist.
    EXPECT_FALSE(store.KeyExists(SettingsRoot::CurrentConfig, kPrintersConfigKey));
    EXPECT_FALSE(store.KeyExists(SettingsRoot::CurrentUser, "Software\\Other"));
    EXPECT_FALSE(store.Values(SettingsRoot::CurrentUser, kWindowsKey).has_value());

    // Writing "Device" switches the default to the name before the first comma.
    EXPECT_TRUE(store.Write(SettingsRoot::CurrentUser, kWindowsKey, "Device",
                            "Γραφείο,Generic PDF,cups-pdf:"));
    EXPECT_EQ(platform.UserDefault(), "Γραφείο");
    EXPECT_FALSE(store.Write(SettingsRoot::CurrentUser, kWindowsKey, "Device", "Nobody,x,y:"));
    EXPECT_FALSE(store.Write(SettingsRoot::CurrentUser, kWindowsKey, "Other", "Laser"));
    EXPECT_EQ(platform.UserDefault(), "Γραφείο");

    // Without a default printer there is no "Device" value.
    PrinterPlatformMemory none({{"Laser", "", ""}}, "");
    PrinterSettingsStore empty(none);
    EXPECT_EQ(ReadRegistryString(empty, SettingsRoot::CurrentUser, kWindowsKey, "Device"), "");
}

TEST(PrinterSwitching, CacheFileHoldsOneRecordOf2170BytesPerPrinter) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    PrinterPlatformMemory platform = OfficePrinters();
    platform.Add({"Plain", "Raw", ""}); // a ports entry without ":" is kept whole
    PrinterSettingsStore store(platform);
    PrinterSwitching switching(state, store, platform);

    // An older, longer cache is replaced, not written over.
    WriteAll(folder.File("iPrinters.prt"), std::string(5 * 2170, 'x'));
    ASSERT_TRUE(switching.CachePrinterPorts());

    const std::string expected =
        CacheRecord(std::string("\x01\x00", 2), "Laser", "HP LaserJet 4000, hpcups 3.22,ipp:") +
        CacheRecord(std::string("\x02\x00", 2), "\xC3\xF1\xE1\xF6\xE5\xDF\xEF",
                    "Generic PDF,cups-pdf:") +
        CacheRecord(std::string("\x03\x00", 2), "Plain", "Raw,");
    const std::string bytes = ReadAll(folder.File("iPrinters.prt"));
    ASSERT_EQ(bytes.size(), 3u * 2170u);
    EXPECT_TRUE(bytes == expected);
    // The fields sit at their places.
    EXPECT_EQ(bytes.substr(2170 + 2, 7), "\xC3\xF1\xE1\xF6\xE5\xDF\xEF");
    EXPECT_EQ(bytes.substr(2170 + 1026, 21), "Generic PDF,cups-pdf:");
}

TEST(PrinterSwitching, CacheIsLeftAloneWhenThePortsKeyCannotBeOpened) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    MemorySettings store; // no keys at all
    PrinterPlatformMemory platform;
    PrinterSwitching switching(state, store, platform);
    WriteAll(folder.File("iPrinters.prt"), "old");
    EXPECT_FALSE(switching.CachePrinterPorts());
    EXPECT_EQ(ReadAll(folder.File("iPrinters.prt")), "old");
}

TEST(PrinterSwitching, FindPrinterPortsReadsWholeRecordsOnly) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    PrinterPlatformMemory platform = OfficePrinters();
    PrinterSettingsStore store(platform);
    PrinterSwitching switching(state, store, platform);

    EXPECT_FALSE(switching.FindPrinterPorts("Laser")) << "no cache file yet";
    ASSERT_TRUE(switching.CachePrinterPorts());
    EXPECT_TRUE(switching.FindPrinterPorts("  Γραφείο "));
    EXPECT_EQ(switching.RecordBuffer().RecordNo, 2);
    EXPECT_EQ(switching.RecordBuffer().DriverAndPort, "Generic PDF,cups-pdf:");
    EXPECT_FALSE(switching.FindPrinterPorts("Nobody"));

    // A cut-off last record is not read.
    std::string bytes = ReadAll(folder.File("iPrinters.prt"));
    WriteAll(folder.File("iPrinters.prt"), bytes.substr(0, 2170 + 100));
    EXPECT_TRUE(switching.FindPrinterPorts("Laser"));
    EXPECT_FALSE(switching.FindPrinterPorts("Γραφείο"));
    WriteAll(folder.File("iPrinters.prt"), "");
    EXPECT_FALSE(switching.FindPrinterPorts("Laser"));
}

TEST(PrinterSwitching, MakeDefaultPrinterRefreshesTheCacheOnceForANewPrinter) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    PrinterPlatformMemory platform = OfficePrinters();
    PrinterSettingsStore store(platform);
    PrinterSwitching switching(state, store, platform);
    ASSERT_TRUE(switching.CachePrinterPorts());

    // Installed after start-up: not in the cache until it is rebuilt.
    platform.Add({"New", "Brother", "usb://Brother"});
    switching.MakeDefaultPrinter("New");
    EXPECT_EQ(platform.UserDefault(), "New");
    EXPECT_EQ(ReadAll(folder.File("iPrinters.prt")).size(), 3u * 2170u);

    // A printer that is nowhere leaves the default as it is; in particular
    // the last record read is not made the default.
    switching.MakeDefaultPrinter("Laser");
    ASSERT_EQ(platform.UserDefault(), "Laser");
    switching.MakeDefaultPrinter("Missing");
    EXPECT_EQ(platform.UserDefault(), "Laser");
    switching.MakeDefaultPrinter("");
    EXPECT_EQ(platform.UserDefault(), "Laser");
}

TEST(PrinterSwitching, TheFourFamilyMarksThePrinterDirectly) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    state.IsMajorVersion4 = true;
    state.LaterVersionCode = 0;
    PrinterPlatformMemory platform = OfficePrinters();
    MemorySettings store;
    PrinterSwitching switching(state, store, platform);

    EXPECT_TRUE(switching.SetDefaultPrinterAttribute("Γραφείο"));
    EXPECT_FALSE(switching.SetDefaultPrinterAttribute("Missing"));
    state.SavedDefaultPrinter = "Laser";
    switching.RestoreDefaultPrinter();
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_TRUE(store.writes.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("iPrinters.prt")));
}

TEST(PrinterSwitching, OtherVersionsNeverSwitch) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    state.LaterVersionCode = -2;
    PrinterPlatformMemory platform = OfficePrinters();
    MemorySettings store;
    PrinterSwitching switching(state, store, platform);
    switching.MakeDefaultPrinter("Γραφείο");
    EXPECT_EQ(platform.UserDefault(), "Laser");
    EXPECT_EQ(store.reads, 0);
    EXPECT_TRUE(store.writes.empty());
}

} // namespace
} // namespace pyrostat
