// One scroll arrow of the window layout: its shown flag, hit rectangle and triangle, in client pixels.
#pragma once

#include <cstdint>

// The order in which a click tests the arrows, and the order of every arrow array.
enum ArrowSide : int16_t {
    ArrowRight = 0,
    ArrowLeft = 1,
    ArrowTop = 2,
    ArrowBottom = 3,
};
constexpr int kArrowCount = 4;

struct ScrollArrow {
    bool shown = false;
    // Hit rectangle, edges included.
    int16_t left = 0;
    int16_t right = 0;
    int16_t top = 0;
    int16_t bottom = 0;
    // The three corners of the drawn triangle, (x, y) each.
    int16_t triangle[3][2] = {{0, 0}, {0, 0}, {0, 0}};
};

inline bool arrowContains(const ScrollArrow& arrow, int x, int y) {
    return x >= arrow.left && x <= arrow.right && y >= arrow.top && y <= arrow.bottom;
}
