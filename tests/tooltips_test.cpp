// Tests of the tooltip set's decisions: which id is under the mouse, when the pop-up hides and shows, its size.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/app_state.h"
#include "ui/command_bar.h"
#include "ui/tooltips.h"

namespace {

/*
 * A bar as the game registers it (every button's pixels, edges included) with
 * the labels of a mode, and the selector at its row.
 */
struct Bar {
    TooltipSet set;
    NumberSelector selector;
    std::vector<BarControl> controls;

    explicit Bar(ScreenMode mode) {
        constructTooltips(set);
        setStartupTooltipOffset(set);
        BarLayout layout = computeBarLayout(true, true, kReferenceDpi);
        controls = barControls(layout);
        for (const BarControl& c : controls) {
            if (c.kind != KindButton) continue;
            addHotRect(set, c.command, c.x, static_cast<int16_t>(c.x + c.width - 1), c.y,
                       static_cast<int16_t>(c.y + c.height - 1));
        }
        for (const CommandLabel& l : labelsFor(mode, kLanguageEnglish)) setTooltipText(set, l.command, l.text);
        computeSelector(selector, layout.selectorTop, kReferenceDpi);
    }

    // One WM_SETCURSOR: the decision, then what the window half does with it (screen = client here).
    TrackDecision track(int x, int y) {
        TrackDecision d = trackDecision(set, x, y, hitTestSelector(selector, x, y));
        if (d.show) {
            TextString text;
            if (prepareShow(set, x, y, text)) {
                sizeForText(set, 6 * text.length());
                markShown(set);
            }
        }
        return d;
    }

    TextString shownText() const {
        TextString text;
        tooltipTextOf(set, set.shownId, text);
        return text;
    }
};

TEST(TooltipRects, FirstRectangleContainingThePointWinsEdgesIncluded) {
    TooltipSet set;
    constructTooltips(set);
    addHotRect(set, 7, 10, 20, 10, 20);
    addHotRect(set, 8, 15, 30, 15, 30);
    EXPECT_EQ(hotRectAt(set, 10, 10), 7);
    EXPECT_EQ(hotRectAt(set, 20, 20), 7);
    EXPECT_EQ(hotRectAt(set, 17, 17), 7) << "overlap: the first added";
    EXPECT_EQ(hotRectAt(set, 21, 21), 8);
    EXPECT_EQ(hotRectAt(set, 30, 30), 8);
    EXPECT_EQ(hotRectAt(set, 31, 30), 0);
    EXPECT_EQ(hotRectAt(set, 9, 10), 0);
    // Growth past several blocks of ten keeps every entry.
    for (int16_t i = 0; i < 35; ++i) addHotRect(set, static_cast<int16_t>(100 + i), 1000, 1010, i * 20, i * 20 + 10);
    EXPECT_EQ(set.rectCount, 37);
    EXPECT_EQ(hotRectAt(set, 1005, 34 * 20 + 5), 134);
    EXPECT_EQ(hotRectAt(set, 1005, 0), 100);
    // A set never constructed still takes rectangles.
    TooltipSet raw;
    addHotRect(raw, 3, 0, 5, 0, 5);
    EXPECT_EQ(hotRectAt(raw, 5, 5), 3);
}

TEST(TooltipTexts, StoredWithTwoSpacesReplacedAndCleared) {
    TooltipSet set;
    constructTooltips(set);
    setTooltipText(set, 8, "Undo");
    setTooltipText(set, 8, "D\xE9" "faire");
    TextString text;
    ASSERT_TRUE(tooltipTextOf(set, 8, text));
    EXPECT_EQ(text.s, "  D\xE9" "faire  ");
    EXPECT_EQ(set.texts.count(), 1);
    EXPECT_FALSE(tooltipTextOf(set, 9, text));
    set.currentId = 8;
    set.shownId = 8;
    addHotRect(set, 8, 0, 10, 0, 10);
    clearTooltipTexts(set);
    EXPECT_FALSE(tooltipTextOf(set, 8, text));
    EXPECT_EQ(set.currentId, 0);
    EXPECT_EQ(set.shownId, 0);
    EXPECT_EQ(hotRectAt(set, 5, 5), 8) << "rectangles stay";
}

TEST(TooltipTrack, MovingWithinAButtonDoesNotMoveThePopupLeavingHidesIt) {
    Bar bar(ScreenMode::Play);
    // "?" is at (45, 180), 20 x 20.
    TrackDecision enter = bar.track(50, 185);
    EXPECT_EQ(enter.show, 1);
    EXPECT_EQ(bar.set.visible, 1);
    EXPECT_EQ(bar.set.shownId, CmdRules);
    EXPECT_EQ(bar.shownText().s, "  Game rules (F1)  ");
    EXPECT_EQ(bar.set.x, 50 + 25);
    EXPECT_EQ(bar.set.y, 185);

    TrackDecision within = bar.track(60, 195);
    EXPECT_EQ(within.hide, 0);
    EXPECT_EQ(within.show, 0);
    EXPECT_EQ(bar.set.x, 75) << "the pop-up stays where it appeared";
    EXPECT_EQ(bar.set.y, 185);

    TrackDecision leave = bar.track(120, 195);
    EXPECT_EQ(leave.hide, 1);
    EXPECT_EQ(leave.show, 0);
    EXPECT_EQ(bar.set.visible, 0);
    EXPECT_EQ(bar.set.currentId, 0);

    // Straight from one button into the next: hide, then show the new one.
    bar.track(50, 185);
    TrackDecision next = bar.track(50, 205);  // "I" at (45, 200)
    EXPECT_EQ(next.hide, 1);
    EXPECT_EQ(next.show, 1);
    EXPECT_EQ(bar.set.shownId, CmdInformation);
}

/*
 * The timer's look at the mouse, which no message brings when it leaves for
 * the desktop: the pop-up stays exactly while the mouse is over the program's
 * window at the hot spot it names, for a button and for a selector triangle;
 * once taken down, the next track over the same spot shows it again.
 */
TEST(TooltipTrack, TheTimerTakesThePopupDownOnceTheMouseLeavesWhatItNames) {
    Bar bar(ScreenMode::Play);
    EXPECT_FALSE(pointerLeftTooltip(bar.set, false, 50, 185, 0)) << "nothing shown, nothing to take down";
    const struct {
        int x, y;
    } spots[] = {{50, 185}, {50, 205}, {55, 303}};  // "?", "I", the selector's digit 6
    for (const auto& spot : spots) {
        const int16_t digit = hitTestSelector(bar.selector, spot.x, spot.y);
        bar.track(spot.x, spot.y);
        ASSERT_EQ(bar.set.visible, 1);
        const int16_t shown = bar.set.shownId;
        // Every point of the bar's column and the grid beside it, over the window and off it.
        for (int y = 0; y < 520; y += 4) {
            for (int x = 0; x < 140; x += 4) {
                for (bool over : {true, false}) {
                    TooltipSet copy = bar.set;
                    const int16_t d = hitTestSelector(bar.selector, x, y);
                    const int16_t id = d > 0 ? static_cast<int16_t>(kSelectorTooltipBase + d) : hotRectAt(copy, x, y);
                    const bool stays = over && id == shown;
                    ASSERT_EQ(pointerLeftTooltip(copy, over, x, y, d), !stays) << x << "," << y << " over " << over;
                    EXPECT_EQ(copy.visible, stays ? 1 : 0);
                    if (!stays) {
                        EXPECT_EQ(copy.currentId, 0);
                    }
                }
            }
        }
        EXPECT_TRUE(pointerLeftTooltip(bar.set, false, spot.x, spot.y, digit));
        EXPECT_EQ(bar.track(spot.x, spot.y).show, 1) << "back over the same spot, it shows again";
        EXPECT_TRUE(pointerLeftTooltip(bar.set, true, 300, 300, 0));
    }
}

TEST(TooltipTrack, AButtonPressHidesAndTheSameButtonShowsAgain) {
    Bar bar(ScreenMode::Play);
    bar.track(50, 185);
    EXPECT_TRUE(takeHide(bar.set));
    EXPECT_FALSE(takeHide(bar.set)) << "already hidden";
    TrackDecision again = bar.track(52, 186);
    EXPECT_EQ(again.show, 1);
    EXPECT_EQ(bar.set.x, 52 + 25);
}

TEST(TooltipTrack, RulesModeHoveringAHiddenBarButtonShowsNothing) {
    Bar bar(ScreenMode::Rules);
    TrackDecision d = bar.track(50, 185);  // where "?" sits, hidden in Rules
    EXPECT_EQ(d.show, 1);
    EXPECT_EQ(bar.set.visible, 0);
    EXPECT_EQ(bar.set.currentId, 0) << "no text: nothing to show";
    // The selector's digits have no text in Rules mode either.
    bar.track(55, 303);
    EXPECT_EQ(bar.set.visible, 0);
    // "R" at (30, 490) has its text.
    bar.track(40, 500);
    EXPECT_EQ(bar.set.visible, 1);
    EXPECT_EQ(bar.shownText().s, "  Return to the grid (Esc)  ");
}

TEST(TooltipTrack, SelectorTrianglesShowTheDigitCommandsLabels) {
    Bar bar(ScreenMode::Play);
    // Digit 4's reference point with the selector centred at (55, 320).
    bar.track(40, 328);
    EXPECT_EQ(bar.set.currentId, 17);
    EXPECT_EQ(bar.shownText().s, "  Select number 4 (4)  ");
    // From digit 4 to digit 3: a new id.
    TrackDecision d = bar.track(55, 337);
    EXPECT_EQ(d.hide, 1);
    EXPECT_EQ(bar.set.currentId, 16);
    // Leaving the selector for the empty panel hides it.
    bar.track(55, 286);
    EXPECT_EQ(bar.set.visible, 0);
    EXPECT_EQ(bar.set.currentId, 0);
}

TEST(TooltipGeometry, SizesFromTheMeasuredTextAtEveryDisplayScale) {
    TooltipSet set;
    constructTooltips(set);
    sizeForText(set, 60);
    EXPECT_EQ(set.labelWidth, 50);
    EXPECT_EQ(set.width, 52);
    EXPECT_EQ(set.height, 20);
    // A measurement narrower than the margin gives an empty field, never a negative size.
    sizeForText(set, 3);
    EXPECT_EQ(set.labelWidth, 0);
    EXPECT_EQ(set.width, 2);

    for (int16_t dpi : {96, 120, 144, 192, 240}) {
        for (bool started : {false, true}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, started " << started);
            const double k = dpi / 96.0;
            // Scaled before or after the start-up offset is chosen, the set ends the same.
            TooltipSet a, b;
            constructTooltips(a);
            constructTooltips(b);
            if (started) setStartupTooltipOffset(a);
            scaleTooltips(a, dpi);
            scaleTooltips(b, dpi);
            if (started) setStartupTooltipOffset(b);
            EXPECT_EQ(std::make_tuple(a.offsetX, a.offsetY, a.labelX, a.labelHeight),
                      std::make_tuple(b.offsetX, b.offsetY, b.labelX, b.labelHeight));
            // Every offset and size is its 96-dpi value times the scale, to the nearest pixel.
            EXPECT_LE(std::abs(a.offsetX - (started ? 25 : 15) * k), 0.5);
            EXPECT_LE(std::abs(a.offsetY - (started ? 0 : 20) * k), 0.5);
            EXPECT_LE(std::abs(a.labelX - k), 0.5);
            EXPECT_EQ(a.labelY, a.labelX);
            EXPECT_LE(std::abs(a.labelHeight - 18 * k), 0.5);
            // The pop-up at the pointer plus the offset, the field inside it with its inset on every side.
            setTooltipText(a, 8, "Undo");
            a.currentId = 8;
            TextString text;
            ASSERT_TRUE(prepareShow(a, 300, 200, text));
            EXPECT_EQ(std::make_pair(int(a.x), int(a.y)), std::make_pair(300 + a.offsetX, 200 + a.offsetY));
            const int measured = static_cast<int>(std::lround(60 * k));
            sizeForText(a, measured);
            EXPECT_LE(std::abs(a.labelWidth - (measured - 10 * k)), 0.5);
            EXPECT_EQ(a.width, a.labelX + a.labelWidth + a.labelX);
            EXPECT_EQ(a.height, a.labelY + a.labelHeight + a.labelY);
            sizeForText(a, 0);
            EXPECT_EQ(a.labelWidth, 0);
        }
    }
    // A scale never measured is 96 dpi.
    scaleTooltips(set, 0);
    EXPECT_EQ(std::make_tuple(set.dpi, set.offsetX, set.offsetY, set.labelHeight), std::make_tuple(96, 15, 20, 18));
}

}  // namespace
