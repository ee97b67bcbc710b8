#pragma once

namespace pyrostat {

// The commands that keys of the main window reach.
enum class MainCommand {
    None,            // the key is not the window's: the focused control gets it
    CopyUpperValues, // F4..F9
    ClearRangeBoxes, // Esc
    CopyToClipboard, // Ctrl+Insert, Ctrl+C
    PasteFromClipboard,
    DeleteCells, // Delete with Shift or Ctrl
    EditCell,    // F2, passed on to the grid as Enter
    Manual,      // F1
    Open,
    SaveAs, // Ctrl+Shift+S
    Save,
    PrintData,
    PrevData,
    New,
    Go,
    ResetColumns, // Ctrl+W
    Undo,         // Ctrl+Z
    Redo,         // Ctrl+Shift+Z
    Exit,         // Alt+F4: the window's ordinary close
};

// Keys as the map knows them: letters are their upper-case ASCII codes, the
// others have codes of their own, so the map needs no window toolkit.
enum MainKey : int {
    kKeyF1 = 0x1001,
    kKeyF2,
    kKeyF3,
    kKeyF4,
    kKeyF5,
    kKeyF6,
    kKeyF7,
    kKeyF8,
    kKeyF9,
    kKeyEscape = 0x1100,
    kKeyInsert,
    kKeyDelete,
};

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool meta = false;
};

// The main window's keyboard map. The rows are checked in order and the first
// that fits wins; Ctrl rows look only at Ctrl (Ctrl+Shift+Insert is
// Ctrl+Insert), except where a Ctrl+Shift row of its own comes first. A key
// held with Alt or Meta belongs to the menus and the desktop, except Alt+F4,
// the window's close; F4 to F9 copy the row above only without Ctrl too.
MainCommand MapMainKey(int key, KeyModifiers modifiers);

// Whether the key, once mapped, is kept from the focused control. Every
// mapped key is, except F2, which goes on to the grid as Enter.
bool ConsumesKey(MainCommand command);

} // namespace pyrostat
