#include "workspace/MainKeyMap.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(MainKeyMap, MapsEveryKeyOfTheTableInOrder) {
    constexpr KeyModifiers none{};
    constexpr KeyModifiers shift{true, false};
    constexpr KeyModifiers ctrl{false, true};
    constexpr KeyModifiers both{true, true};
    constexpr KeyModifiers alt{false, false, true, false};
    constexpr KeyModifiers meta{false, false, false, true};
    constexpr KeyModifiers ctrlAlt{false, true, true, false};
    const struct {
        int key;
        KeyModifiers mods;
        MainCommand expected;
    } cases[] = {
        {kKeyF4, none, MainCommand::CopyUpperValues},
        {kKeyF5, none, MainCommand::CopyUpperValues},
        {kKeyF6, ctrl, MainCommand::None}, // F4..F9 only without Ctrl, Alt or Meta
        {kKeyF7, shift, MainCommand::CopyUpperValues},
        {kKeyF8, both, MainCommand::None},
        {kKeyF9, none, MainCommand::CopyUpperValues},
        {kKeyF4, alt, MainCommand::Exit}, // the menu's Exit key closes, never copies
        {kKeyF4, ctrlAlt, MainCommand::None},
        {kKeyF4, meta, MainCommand::None},
        {kKeyF5, alt, MainCommand::None},
        {'C', alt, MainCommand::None},
        {'V', ctrlAlt, MainCommand::None},
        {kKeyEscape, meta, MainCommand::None},
        {kKeyF3, none, MainCommand::None}, // F3 is not handled
        {kKeyEscape, none, MainCommand::ClearRangeBoxes},
        {kKeyEscape, ctrl, MainCommand::ClearRangeBoxes},
        {kKeyInsert, ctrl, MainCommand::CopyToClipboard},
        {kKeyInsert, both, MainCommand::CopyToClipboard}, // Ctrl wins over Shift
        {'C', ctrl, MainCommand::CopyToClipboard},
        {'C', none, MainCommand::None},
        {kKeyInsert, shift, MainCommand::PasteFromClipboard},
        {'V', ctrl, MainCommand::PasteFromClipboard},
        {kKeyInsert, none, MainCommand::None},
        {kKeyDelete, shift, MainCommand::DeleteCells},
        {kKeyDelete, ctrl, MainCommand::DeleteCells},
        {kKeyDelete, none, MainCommand::None},
        {kKeyF2, none, MainCommand::EditCell},
        {kKeyF1, none, MainCommand::Manual},
        {'O', ctrl, MainCommand::Open},
        {'S', ctrl, MainCommand::Save},
        {'S', both, MainCommand::SaveAs},
        {'P', ctrl, MainCommand::PrintData},
        {'R', ctrl, MainCommand::PrevData},
        {'N', ctrl, MainCommand::New},
        {'Y', ctrl, MainCommand::Go},
        {'G', ctrl, MainCommand::Go},
        {'W', ctrl, MainCommand::ResetColumns},
        {'W', none, MainCommand::None},
        {'Z', ctrl, MainCommand::Undo},
        {'Z', both, MainCommand::Redo},
        {'S', none, MainCommand::None},
        {'A', ctrl, MainCommand::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapMainKey(c.key, c.mods), c.expected)
            << "key " << c.key << " shift " << c.mods.shift << " ctrl " << c.mods.ctrl;
    }
}

TEST(MainKeyMap, EveryHandledKeyIsConsumedExceptF2) {
    EXPECT_FALSE(ConsumesKey(MainCommand::None));
    EXPECT_FALSE(ConsumesKey(MainCommand::EditCell));
    for (const auto command :
         {MainCommand::CopyUpperValues, MainCommand::ClearRangeBoxes, MainCommand::CopyToClipboard,
          MainCommand::Go, MainCommand::ResetColumns, MainCommand::Undo}) {
        EXPECT_TRUE(ConsumesKey(command));
    }
}

} // namespace
} // namespace pyrostat
