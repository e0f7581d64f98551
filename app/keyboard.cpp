// The keyboard: which key does what in each screen mode, the cell cursor it moves, and keys held since a box.
#include "app/keyboard.h"

#include "ui/command_bar.h"

namespace {

// The digit of a digit key 0..6 of the main keyboard or the keypad; -1 for any other key.
int16_t digitOfKey(int16_t key) {
    if (key >= Key0 && key <= Key0 + 6) return static_cast<int16_t>(key - Key0);
    if (key >= KeyPad0 && key <= KeyPad0 + 6) return static_cast<int16_t>(key - KeyPad0);
    return -1;
}

KeyAction action(KeyActionKind kind) {
    KeyAction a;
    a.kind = kind;
    return a;
}

KeyAction commandAction(int16_t command) {
    KeyAction a;
    a.kind = KeyActionKind::Command;
    a.command = command;
    return a;
}

KeyAction moveAction(Heading heading) {
    KeyAction a;
    a.kind = KeyActionKind::MoveCursor;
    a.heading = heading;
    return a;
}

// The role of a command that a key can run, for the enabling rules; false for the others.
bool roleOfKeyCommand(int16_t command, BarRole& role) {
    switch (command) {
    case CmdUndo: role = RoleUndo; return true;
    case CmdRedo: role = RoleRedo; return true;
    case CmdSave: role = RoleSave; return true;
    case CmdBigger: role = RoleBigger; return true;
    case CmdSmaller: role = RoleSmaller; return true;
    case CmdRules: role = RoleRules; return true;
    case CmdReturnToGrid: role = RoleReturnToGrid; return true;
    case CmdPreviousPage: role = RolePreviousPage; return true;
    case CmdNextPage: role = RoleNextPage; return true;
    default: return false;
    }
}

// Keys whose repetition acts again: the digits, Tab, the arrows (cursor and pages) and the zoom.
bool repeats(const KeyPress& press) {
    if (digitOfKey(press.key) >= 0 && !press.shift) return true;
    switch (press.key) {
    case KeyTab:
    case KeyLeft:
    case KeyRight:
    case KeyUp:
    case KeyDown:
    case KeyPlus:
    case KeyMinus:
    case KeyPadAdd:
    case KeyPadSubtract: return true;
    default: return false;
    }
}

KeyAction rulesKey(const KeyPress& press) {
    switch (press.key) {
    case KeyLeft: return commandAction(CmdPreviousPage);
    case KeyRight: return commandAction(CmdNextPage);
    case KeyEscape: return commandAction(CmdReturnToGrid);
    default: return action(KeyActionKind::None);
    }
}

KeyAction controlKey(const KeyPress& press) {
    switch (press.key) {
    case KeyZ: return commandAction(CmdUndo);
    case KeyY: return commandAction(CmdRedo);
    case KeyS: return commandAction(CmdSave);
    default: return action(KeyActionKind::None);
    }
}

KeyAction playKey(const KeyPress& press) {
    switch (press.key) {
    case KeyLeft: return moveAction(Heading::Left);
    case KeyRight: return moveAction(Heading::Right);
    case KeyUp: return moveAction(Heading::Up);
    case KeyDown: return moveAction(Heading::Down);
    case KeySpace:
    case KeyEnter: return action(KeyActionKind::ActOnCell);
    case KeyDelete:
    case KeyBackspace: return action(KeyActionKind::EraseCell);
    case KeyPlus:
    case KeyPadAdd: return commandAction(CmdBigger);
    case KeyMinus:
    case KeyPadSubtract: return commandAction(CmdSmaller);
    case KeyF1: return commandAction(CmdRules);
    case KeyN: return commandAction(CmdNewGrid);
    case KeyH: return commandAction(CmdHint);
    default: return action(KeyActionKind::None);
    }
}

}  // namespace

bool commandKeyAllowed(const AppState& app, int16_t command) {
    const ScreenMode mode = app.view.screenMode;
    if (command == CmdNewGrid || command == CmdHint) return mode == ScreenMode::Play;
    BarRole role = RoleLanguage;
    if (!roleOfKeyCommand(command, role)) return false;
    BarRefreshMemory fresh;
    const BarStateDecision d = decideBarState(barStateInputs(app), true, fresh);
    // The Rules-mode buttons show only there; the bar's others are hidden there.
    const bool rulesButton = role == RoleReturnToGrid || role == RolePreviousPage || role == RoleNextPage;
    if (rulesButton) return mode == ScreenMode::Rules && d.shown[role] != 0;
    return mode != ScreenMode::Rules && d.enabled[role] != 0;
}

KeyAction decideKey(const AppState& app, const KeyPress& press) {
    KeyAction a = action(KeyActionKind::None);
    const int16_t digit = digitOfKey(press.key);
    if (digit >= 0 && !press.shift) {
        a.kind = KeyActionKind::SelectDigit;
        a.digit = digit;
    } else if (press.key == KeyTab) {
        a.kind = KeyActionKind::NextDigit;
    } else if (app.view.screenMode == ScreenMode::Rules) {
        a = rulesKey(press);
    } else if (app.view.screenMode != ScreenMode::Play) {
        return a;
    } else if (digit >= 1 && press.shift) {
        a.kind = KeyActionKind::ToggleNote;
        a.digit = digit;
    } else if (press.ctrl) {
        a = controlKey(press);
    } else {
        a = playKey(press);
    }
    if (press.repeat && !repeats(press)) return action(KeyActionKind::None);
    if (a.kind == KeyActionKind::Command && !commandKeyAllowed(app, a.command)) return action(KeyActionKind::None);
    return a;
}

bool notePress(HeldKeys& held, const KeyPress& press) {
    if (press.key <= 0 || press.key >= kKeyCodeCount) return false;
    const auto k = static_cast<size_t>(press.key);
    if (press.repeat && !held.down.test(k)) return false;
    held.down.set(k);
    return true;
}

void noteRelease(HeldKeys& held, int16_t key) {
    if (key > 0 && key < kKeyCodeCount) held.down.reset(static_cast<size_t>(key));
}

void forgetKeys(HeldKeys& held) {
    held.down.reset();
}

// ---------------------------------------------------------------- the cell cursor

void placeCellCursor(AppState& app, int16_t cell) {
    if (app.game.cursorCell == cell) return;
    app.game.cursorCell = cell;
    requestRedraw(app);
}

bool stepCellCursor(AppState& app, Heading heading) {
    const Grid& grid = app.game.grids[0];
    const int16_t from = app.game.cursorCell;
    int16_t to = 0;
    if (isValidCell(grid, from)) {
        to = cellToward(grid, from, heading);
    } else {
        to = isValidCell(grid, app.game.clickedCell) ? app.game.clickedCell : firstEmptyCell(grid);
    }
    if (to == from) return false;
    placeCellCursor(app, to);
    return true;
}

void noteClickedCell(AppState& app, int16_t cell) {
    app.game.clickedCell = cell;
    if (app.game.cursorCell != 0) placeCellCursor(app, cell);
}

void hideCellCursor(AppState& app) {
    app.game.clickedCell = 0;
    placeCellCursor(app, 0);
}
