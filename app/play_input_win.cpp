// Play input on Windows: the cursors made from their bit planes, setting the cursor, key polling and sounds.
#include "app/play_input_win.h"

#include "app/cursors.h"
#include "ui/feedback.h"

namespace {

constexpr int kCursorSlots = 11;  // numbers 0..10
HCURSOR drawnCursors[kCursorSlots] = {};

KeyStateFunction keyStateFunction = nullptr;

// The system cursors by their resource numbers (IDC_ARROW, IDC_WAIT), through the W API.
HCURSOR systemCursor(int resource) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(resource));
}

constexpr int kSystemArrow = 32512;
constexpr int kSystemHourglass = 32514;

bool queryKey(int virtualKey) {
    return keyStateFunction ? keyStateFunction(virtualKey) : systemKeyState(virtualKey);
}

}  // namespace

bool createCursors(HINSTANCE instance) {
    bool all = true;
    for (int16_t n = 0; n < kCursorSlots; ++n) {
        if (!isDrawnCursor(n) || drawnCursors[n] != nullptr) continue;
        CursorPlanes planes;
        buildCursorPlanes(n, planes);
        drawnCursors[n] = CreateCursor(instance, planes.hotX, planes.hotY, kCursorSize, kCursorSize,
                                       planes.andPlane, planes.xorPlane);
        if (drawnCursors[n] == nullptr) all = false;
    }
    playInput.lastCursor = -1;  // the next choice is set whatever it is
    return all;
}

int destroyCursors() {
    int destroyed = 0;
    for (HCURSOR& c : drawnCursors) {
        if (c == nullptr) continue;
        if (DestroyCursor(c)) ++destroyed;
        c = nullptr;
    }
    playInput.lastCursor = -1;
    return destroyed;
}

HCURSOR cursorHandle(int16_t number) {
    if (number == kCursorHourglass) return systemCursor(kSystemHourglass);
    if (number == kCursorArrow) return systemCursor(kSystemArrow);
    if (number < 0 || number >= kCursorSlots) return nullptr;
    return drawnCursors[number];
}

bool setCursorByRule(const AppState& app, bool forced) {
    const int16_t choice = chooseCursor(app, playInput);
    if (!forced && choice == playInput.lastCursor) return false;
    HCURSOR handle = cursorHandle(choice);
    // A cursor that could not be made must not leave the pointer invisible.
    if (handle == nullptr) handle = systemCursor(kSystemArrow);
    SetCursor(handle);
    playInput.lastCursor = choice;
    return true;
}

void setKeyStateFunction(KeyStateFunction function) {
    keyStateFunction = function;
}

bool systemKeyState(int virtualKey) {
    // High bit: down now; low bit: pressed since the previous query.
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8001u) != 0;
}

KeyboardState readKeyboard() {
    KeyboardState keys;
    for (int d = 0; d <= 6; ++d) keys.mainDigit[d] = queryKey('0' + d);
    for (int d = 0; d <= 6; ++d) keys.padDigit[d] = queryKey(VK_NUMPAD0 + d);
    keys.tab = queryKey(VK_TAB);
    return keys;
}

bool pollKeyboard(AppState& app) {
    const bool redraw = applyKeyboard(app, readKeyboard());
    if (redraw) setCursorByRule(app, false);
    return redraw;
}

void selectDigitWithCursor(AppState& app, int16_t digit) {
    selectDigit(app, digit);
    setCursorByRule(app, false);
}

void playFeedback(AppState& app, PlayFeedback feedback) {
    const bool burst = (feedback == PlayFeedback::Erased);
    if (burst) {
        playInput.eraseAnimation = 1;
        setCursorByRule(app, false);
    }
    switch (feedback) {
    case PlayFeedback::Refused: beepRefused(); break;
    case PlayFeedback::Erased: beepErase(); break;
    case PlayFeedback::NotesCleared: beepNotesCleared(); break;
    case PlayFeedback::None: break;
    }
    if (burst) playInput.eraseAnimation = 0;
    // A click on a given or on the selector may have changed the digit, hence the cursor.
    setCursorByRule(app, false);
}
