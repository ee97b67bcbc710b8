#include "workspace/MainKeyMap.h"

namespace pyrostat {

MainCommand MapMainKey(int key, KeyModifiers mods) {
    if (mods.alt || mods.meta) {
        return key == kKeyF4 && mods.alt && !mods.ctrl && !mods.meta ? MainCommand::Exit
                                                                     : MainCommand::None;
    }
    if (key >= kKeyF4 && key <= kKeyF9) {
        return mods.ctrl ? MainCommand::None : MainCommand::CopyUpperValues;
    }
    if (key == kKeyEscape) {
        return MainCommand::ClearRangeBoxes;
    }
    if (mods.ctrl && (key == kKeyInsert || key == 'C')) {
        return MainCommand::CopyToClipboard;
    }
    if ((mods.shift && key == kKeyInsert) || (mods.ctrl && key == 'V')) {
        return MainCommand::PasteFromClipboard;
    }
    if (key == kKeyDelete && (mods.shift || mods.ctrl)) {
        return MainCommand::DeleteCells;
    }
    if (key == kKeyF2) {
        return MainCommand::EditCell;
    }
    if (key == kKeyF1) {
        return MainCommand::Manual;
    }
    if (!mods.ctrl) {
        return MainCommand::None;
    }
    switch (key) {
    case 'O':
        return MainCommand::Open;
    case 'S':
        return mods.shift ? MainCommand::SaveAs : MainCommand::Save;
    case 'P':
        return MainCommand::PrintData;
    case 'R':
        return MainCommand::PrevData;
    case 'N':
        return MainCommand::New;
    case 'Y':
    case 'G':
        return MainCommand::Go;
    case 'W':
        return MainCommand::ResetColumns;
    case 'Z':
        return mods.shift ? MainCommand::Redo : MainCommand::Undo;
    default:
        return MainCommand::None;
    }
}

bool ConsumesKey(MainCommand command) {
    return command != MainCommand::None && command != MainCommand::EditCell;
}

} // namespace pyrostat
