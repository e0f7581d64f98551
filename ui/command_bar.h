// The command bar: its rows, controls, number selector, labels in two languages and enabling rules.
#pragma once

#include <cstdint>

/*
 * The rows of the bar, in client pixels, built from the top down with a
 * running bottom. Grid buttons exist only when the collection offers more than
 * one grid (without them every row from the level text down is 100 pixels
 * higher); the chronometer field only while the clock display is on.
 */
struct BarLayout {
    uint8_t gridButtons = 1;
    uint8_t chronoField = 1;
    int16_t versionRow = 10;     // the version text
    int16_t languageTop = 20;    // "FR/EN"
    int16_t gridRowTop = 40;     // "Gr1" (the "*" marker is at gridRowTop + n x 20 - 8)
    int16_t levelRow = 150;      // "Niv." text
    int16_t sizeRowTop = 160;    // "-" and "+"
    int16_t rulesTop = 180;      // "?"
    int16_t infoTop = 200;       // "I"
    int16_t cellFieldTop = 230;  // cell-information field
    int16_t undoRowTop = 250;    // "<" and ">"
    int16_t digitRow = 282;      // the selected digit's text
    int16_t selectorTop = 290;   // number selector, centre at (55, selectorTop + 30)
    int16_t eraseTop = 350;      // "0"
    int16_t chronoTop = 375;     // chronometer field
    int16_t fixedTop = 395;      // "F"
    int16_t pauseTop = 415;      // "P"
    int16_t saveTop = 435;       // "S"
    int16_t exitTop = 465;       // "X"
    int16_t barBottom = 485;
};

constexpr int16_t kPanelX = 40;         // reference x of the panel behind the bar
constexpr int16_t kBarCentreX = 55;     // the column's centre line
constexpr int16_t kSelectorRadius = 30;

BarLayout computeBarLayout(bool gridButtons, bool chronoField);
