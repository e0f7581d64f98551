// The tooltip set: hot rectangles tied to commands, their texts, and the decisions of the pop-up that shows them.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "ui/screen.h"

/*
 * The bar's buttons carry one- to three-letter captions; their full names come
 * up in a small pop-up of the program's own while the mouse rests on them.
 * This record holds everything about that pop-up that is not a window: the hot
 * rectangles (client coordinates, edges included, in the order they were
 * added; the first one containing a point wins), the texts keyed by command
 * number, which id is under the mouse and which one the pop-up shows, whether
 * it shows, and its geometry. The windows themselves, with the instance and
 * the font they are made with, are the window half's (TooltipWindows in
 * ui/tooltips_win.h, held by the main window's record).
 */
struct TooltipRect {
    int16_t id = 0;
    int16_t x0 = 0;
    int16_t x1 = 0;
    int16_t y0 = 0;
    int16_t y1 = 0;
};

constexpr int16_t kTooltipGrowth = 10;
constexpr int16_t kSelectorTooltipBase = 13;
/*
 * The pop-up's own sizes on a 96-dpi screen; the set holds them scaled to its
 * display scale (scaleTooltips): the text field's place in the pop-up and its
 * height, what the field is narrower than the measured text, and the offsets
 * from the mouse pointer (15 right and 20 down until the program has started,
 * 25 right and 0 down after).
 */
constexpr int16_t kTooltipLabelInset = 1;
constexpr int16_t kTooltipLabelHeight = 18;
constexpr int16_t kTooltipTextMargin = 10;
constexpr int16_t kTooltipOffsetX = 15;
constexpr int16_t kTooltipOffsetY = 20;
constexpr int16_t kStartedTooltipOffsetX = 25;
constexpr int16_t kStartedTooltipOffsetY = 0;

struct TooltipSet {
    std::vector<TooltipRect> rects;  // index 0 unused; grows by 10 entries when full
    int16_t rectCount = 0;
    TextList texts;  // "id=  text  "
    int16_t currentId = 0;
    int16_t shownId = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    int16_t dpi = kReferenceDpi;  // the display scale the sizes below are at
    uint8_t started = 0;          // the offsets are the started program's
    int16_t labelX = kTooltipLabelInset;
    int16_t labelY = kTooltipLabelInset;
    int16_t labelWidth = 0;
    int16_t labelHeight = kTooltipLabelHeight;
    int16_t textMargin = kTooltipTextMargin;
    int16_t offsetX = kTooltipOffsetX;
    int16_t offsetY = kTooltipOffsetY;
    int16_t selectorBase = kSelectorTooltipBase;
    int16_t labelControlId = 1;
    bool visible = false;  // the pop-up is on screen
    TextString className = TextString("GDTTIP");
};

// Back to the constructed state (no rectangles, no texts, 96 dpi, offsets 15 and 20, nothing shown).
void constructTooltips(TooltipSet& set);
// The offset from the mouse pointer used once the program has started: 25 right, 0 down (at 96 dpi).
void setStartupTooltipOffset(TooltipSet& set);
// The pop-up's sizes and offsets at a display scale (0 or less is taken as 96 dpi); the next show uses them.
void scaleTooltips(TooltipSet& set, int16_t dpi);

void addHotRect(TooltipSet& set, int16_t id, int16_t x0, int16_t x1, int16_t y0, int16_t y1);
// Id of the first rectangle containing (x, y), edges included; 0 if none.
int16_t hotRectAt(const TooltipSet& set, int x, int y);

// Stores "  " text "  " under the id, replacing an existing value.
void setTooltipText(TooltipSet& set, int16_t id, TextRef text);
// Empties the text table and forgets the current and shown ids; the rectangles stay.
void clearTooltipTexts(TooltipSet& set);
// The stored text of an id (with its spaces); false when there is none.
bool tooltipTextOf(const TooltipSet& set, int16_t id, TextString& text);

/*
 * Track: the mouse is at client point (x, y); selectorDigitHere is the digit of
 * the selector triangle under it (0 when none). The id under the point is the
 * first rectangle's, or selectorBase + digit over the selector. A new id hides
 * the pop-up first (hide is then 1 when it was visible); show is 1 when the
 * pop-up must be shown for currentId at this point.
 */
struct TrackDecision {
    bool hide = false;
    bool show = false;
};
TrackDecision trackDecision(TooltipSet& set, int x, int y, int16_t selectorDigitHere);

/*
 * The check of a shown pop-up on a timer, as no message of the window comes
 * when the mouse leaves it for the desktop or another program: the mouse is at
 * client point (x, y), over the program's window or one of its controls
 * (overWindow), with selectorDigitHere as in trackDecision. When the pop-up is
 * visible and the mouse is off the window or over anything but the hot spot it
 * names, it is taken down (visible 0, no current id) and the answer is true:
 * the window must be hidden.
 */
bool pointerLeftTooltip(TooltipSet& set, bool overWindow, int x, int y, int16_t selectorDigitHere);

// The hide step: true when the pop-up was visible (it must be hidden), visible is then 0.
bool takeHide(TooltipSet& set);

/*
 * The first two steps of showing at screen point (sx, sy): the position
 * (point + offset) and the text of currentId. Without a text for it,
 * currentId becomes 0 and the answer is false: nothing is shown.
 */
bool prepareShow(TooltipSet& set, int sx, int sy, TextString& text);
/*
 * Sizes from the measured text width: the field is the text less the margin
 * (never below 0) and the pop-up the field with its inset on both sides (at 96
 * dpi: labelWidth = width - 10, width + 2, height 20).
 */
void sizeForText(TooltipSet& set, int textWidth);
// The pop-up is on screen with currentId's text.
void markShown(TooltipSet& set);
