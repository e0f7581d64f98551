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

bool createCursors(CursorSet& cursors, HINSTANCE instance, int16_t dpi) {
    bool all = true;
    for (int16_t n = 0; n < kCursorSlots; ++n) {
        if (!isDrawnCursor(n) || cursors.drawn[n] != nullptr) continue;
        CursorPlanes planes;
        buildCursorPlanes(n, planes);
        const ScaledCursor scaled = scaleCursor(planes, dpi);
        cursors.drawn[n] = CreateCursor(instance, scaled.hotX, scaled.hotY, scaled.size, scaled.size,
                                        scaled.andPlane.data(), scaled.xorPlane.data());
        if (cursors.drawn[n] == nullptr) all = false;
    }
    cursors.last = -1;  // the next choice is set whatever it is
    cursors.dpi = dpi;
    return all;
}

void remakeCursors(CursorSet& cursors, HINSTANCE instance, int16_t dpi) {
    if (cursors.dpi == dpi) return;
    // The new ones are made and the one showing replaced before the old ones go: a cursor in use is never destroyed.
    CursorSet made;
    createCursors(made, instance, dpi);
    const int16_t showing = cursors.last;
    CursorSet old = cursors;
    cursors = made;
    if (showing >= 0) showCursor(cursors, showing, true);
    destroyCursors(old);
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
