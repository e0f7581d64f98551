// Play input on Windows: the cursors made from their bit planes, and setting the cursor.
#include "app/play_input_win.h"

#include "app/cursors.h"

namespace {

// The system cursors by their resource numbers (IDC_ARROW, IDC_WAIT), through the W API.
HCURSOR systemCursor(int resource) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(resource));
}

constexpr int kSystemArrow = 32512;
constexpr int kSystemHourglass = 32514;

}  // namespace

bool createCursors(CursorSet& cursors, HINSTANCE instance) {
    bool all = true;
    for (int16_t n = 0; n < kCursorSlots; ++n) {
        if (!isDrawnCursor(n) || cursors.drawn[n] != nullptr) continue;
        CursorPlanes planes;
        buildCursorPlanes(n, planes);
        cursors.drawn[n] = CreateCursor(instance, planes.hotX, planes.hotY, kCursorSize, kCursorSize,
                                        planes.andPlane, planes.xorPlane);
        if (cursors.drawn[n] == nullptr) all = false;
    }
    cursors.last = -1;  // the next choice is set whatever it is
    return all;
}

int destroyCursors(CursorSet& cursors) {
    int destroyed = 0;
    for (HCURSOR& c : cursors.drawn) {
        if (c == nullptr) continue;
        if (DestroyCursor(c)) ++destroyed;
        c = nullptr;
    }
    cursors.last = -1;
    return destroyed;
}

HCURSOR cursorHandle(const CursorSet& cursors, int16_t number) {
    if (number == kCursorHourglass) return systemCursor(kSystemHourglass);
    if (number == kCursorArrow) return systemCursor(kSystemArrow);
    if (number < 0 || number >= kCursorSlots) return nullptr;
    return cursors.drawn[number];
}

bool showCursor(CursorSet& cursors, int16_t number, bool forced) {
    if (!forced && number == cursors.last) return false;
    HCURSOR handle = cursorHandle(cursors, number);
    // A cursor that could not be made must not leave the pointer invisible.
    if (handle == nullptr) handle = systemCursor(kSystemArrow);
    SetCursor(handle);
    cursors.last = number;
    return true;
}
