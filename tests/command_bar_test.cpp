// Tests of the command bar's portable part: rows and controls, enabling rules, selector geometry, labels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <string>

#include "app/app_state.h"
#include "base/codepage.h"
#include "ui/command_bar.h"
#include "ui/tooltips.h"

namespace {

const BarControl* findControl(const std::vector<BarControl>& list, BarRole role, int16_t command = 0) {
    for (const BarControl& c : list) {
        if (c.role == role && (command == 0 || c.command == command)) return &c;
    }
    return nullptr;
}

int topOf(const std::vector<BarControl>& list, BarRole role) {
    const BarControl* c = findControl(list, role);
    return c ? c->y : -1;
}

BarStateInputs inputs(ScreenMode mode, int16_t scale = 50, int16_t page = 1, int16_t cursor = 0, int16_t count = 0) {
    BarStateInputs in;
    in.mode = mode;
    in.scale = scale;
    in.rulesPage = page;
    in.undoCursor = cursor;
    in.undoCount = count;
    return in;
}

BarStateDecision fresh(const BarStateInputs& in) {
    BarRefreshMemory memory;
    return decideBarState(in, false, memory);
}

TEST(CommandBarRows, WithGridButtonsTheRowsFallAtTheirReferencePlaces) {
    BarLayout b = computeBarLayout(true, true, kReferenceDpi);
    std::vector<BarControl> list = barControls(b);
    EXPECT_EQ(topOf(list, RoleLanguage), 20);
    EXPECT_EQ(b.levelRow, 150);
    EXPECT_EQ(topOf(list, RoleSmaller), 160);
    EXPECT_EQ(topOf(list, RoleBigger), 160);
    EXPECT_EQ(topOf(list, RoleRules), 180);
    EXPECT_EQ(topOf(list, RoleInformation), 200);
    EXPECT_EQ(topOf(list, RoleCellField), 230);
    EXPECT_EQ(topOf(list, RoleUndo), 250);
    EXPECT_EQ(b.digitRow, 282);
    EXPECT_EQ(b.selectorTop, 290);
    EXPECT_EQ(topOf(list, RoleErase), 350);
    EXPECT_EQ(topOf(list, RoleChronoField), 375);
    EXPECT_EQ(topOf(list, RoleFixedNumbers), 395);
    EXPECT_EQ(topOf(list, RolePause), 415);
    EXPECT_EQ(topOf(list, RoleSave), 435);
    EXPECT_EQ(topOf(list, RoleExit), 465);
    EXPECT_EQ(b.barBottom, 485);

    // Gr1..Gr5 from the top, with the commands that load grids 1..5.
    int16_t expected[5] = {34, 31, 33, 32, 30};
    int i = 0;
    for (const BarControl& c : list) {
        if (c.role != RoleGrid) continue;
        ASSERT_LT(i, 5);
        EXPECT_EQ(c.command, expected[i]);
        EXPECT_EQ(c.y, 40 + 20 * i);
        EXPECT_EQ(gridNumberOfCommand(c.command), i + 1);
        EXPECT_EQ(std::string(c.caption), "Gr" + std::to_string(i + 1));
        ++i;
    }
    EXPECT_EQ(i, 5);
}

TEST(CommandBarRows, WithoutGridButtonsEverythingFromTheLevelTextIs100Higher) {
    BarLayout with = computeBarLayout(true, true, kReferenceDpi);
    BarLayout without = computeBarLayout(false, true, kReferenceDpi);
    std::vector<BarControl> a = barControls(with);
    std::vector<BarControl> b = barControls(without);
    EXPECT_EQ(findControl(b, RoleGrid), nullptr);
    EXPECT_EQ(without.languageTop, with.languageTop);
    EXPECT_EQ(without.levelRow, with.levelRow - 100);
    EXPECT_EQ(without.digitRow, with.digitRow - 100);
    EXPECT_EQ(without.selectorTop, with.selectorTop - 100);
    EXPECT_EQ(without.barBottom, with.barBottom - 100);
    for (BarRole role : {RoleSmaller, RoleRules, RoleCellField, RoleUndo, RoleErase, RoleChronoField, RoleExit}) {
        EXPECT_EQ(topOf(b, role), topOf(a, role) - 100) << "role " << int(role);
    }
    // The Rules-mode buttons belong to the page, not the bar: they stay where they are.
    EXPECT_EQ(topOf(b, RoleReturnToGrid), 490);
    EXPECT_EQ(topOf(b, RoleNextPage), 530);
}

TEST(CommandBarRows, WithoutTheChronometerFieldTheRowsBelowMoveUp15) {
    BarLayout b = computeBarLayout(true, false, kReferenceDpi);
    std::vector<BarControl> list = barControls(b);
    EXPECT_EQ(findControl(list, RoleChronoField), nullptr);
    EXPECT_EQ(topOf(list, RoleFixedNumbers), 380);
    EXPECT_EQ(topOf(list, RoleExit), 450);
    EXPECT_EQ(b.barBottom, 470);
}

TEST(CommandBarControls, KindsIdentifiersAndRulesButtons) {
    std::vector<BarControl> list = barControls(computeBarLayout(true, true, kReferenceDpi));
    EXPECT_EQ(list.size(), 22u);
    int statics = 0;
    for (const BarControl& c : list) {
        EXPECT_EQ(c.border, 1);
        if (c.kind == KindStatic) {
            ++statics;
            EXPECT_EQ(c.command, CmdFieldId);
            EXPECT_EQ(std::string(c.caption), "");
            EXPECT_EQ(c.x, 30);
            EXPECT_EQ(c.width, 50);
            EXPECT_EQ(c.height, 15);
        } else {
            EXPECT_NE(c.command, CmdFieldId);
        }
    }
    EXPECT_EQ(statics, 2);
    const BarControl* next = findControl(list, RoleNextPage);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->command, 26);
    EXPECT_EQ(next->x, 730);
    // "-" and "+" share the row side by side.
    const BarControl* minus = findControl(list, RoleSmaller);
    const BarControl* plus = findControl(list, RoleBigger);
    EXPECT_EQ(minus->x + minus->width, plus->x);
}

TEST(CommandBarEnabling, SizeButtonsAtTheScaleBoundsAndInRules) {
    BarStateDecision at70 = fresh(inputs(ScreenMode::Play, 70));
    EXPECT_EQ(at70.enabled[RoleBigger], 0);
    EXPECT_EQ(at70.enabled[RoleSmaller], 1);
    BarStateDecision at40 = fresh(inputs(ScreenMode::Play, 40));
    EXPECT_EQ(at40.enabled[RoleBigger], 1);
    EXPECT_EQ(at40.enabled[RoleSmaller], 0);
    BarStateDecision rules = fresh(inputs(ScreenMode::Rules, 50));
    EXPECT_EQ(rules.touchEnabled[RoleBigger], 1);
    EXPECT_EQ(rules.enabled[RoleBigger], 0);
    EXPECT_EQ(rules.enabled[RoleSmaller], 0);
}

TEST(CommandBarEnabling, RulesPagesShowOnlyTheirNeighbours) {
    BarStateDecision first = fresh(inputs(ScreenMode::Rules, 50, 1));
    EXPECT_EQ(first.shown[RoleReturnToGrid], 1);
    EXPECT_EQ(first.shown[RoleNextPage], 1);
    EXPECT_EQ(first.shown[RolePreviousPage], 0);
    BarStateDecision last = fresh(inputs(ScreenMode::Rules, 50, 9));
    EXPECT_EQ(last.shown[RoleReturnToGrid], 1);
    EXPECT_EQ(last.shown[RoleNextPage], 0);
    EXPECT_EQ(last.shown[RolePreviousPage], 1);
    BarStateDecision middle = fresh(inputs(ScreenMode::Rules, 50, 5));
    EXPECT_EQ(middle.shown[RoleNextPage] + middle.shown[RolePreviousPage], 2);
    BarStateDecision play = fresh(inputs(ScreenMode::Play));
    for (BarRole role : {RoleReturnToGrid, RoleNextPage, RolePreviousPage}) {
        EXPECT_EQ(play.touchShown[role], 1);
        EXPECT_EQ(play.shown[role], 0);
    }
    // In Rules the play controls are off; "?", "R" and "X" stay on.
    for (BarRole role : {RoleLanguage, RoleGrid, RoleErase, RoleInformation, RoleSave, RolePause, RoleChronoField}) {
        EXPECT_EQ(first.enabled[role], 0) << int(role);
    }
    for (BarRole role : {RoleRules, RoleReturnToGrid, RoleExit}) EXPECT_EQ(first.enabled[role], 1) << int(role);
}

TEST(CommandBarEnabling, UndoAndRedoFollowTheHistoryOnlyInPlay) {
    BarStateDecision middle = fresh(inputs(ScreenMode::Play, 50, 1, 2, 4));
    EXPECT_EQ(middle.enabled[RoleUndo], 1);
    EXPECT_EQ(middle.enabled[RoleRedo], 1);
    BarStateDecision atStart = fresh(inputs(ScreenMode::Play, 50, 1, 0, 4));
    EXPECT_EQ(atStart.enabled[RoleUndo], 0);
    EXPECT_EQ(atStart.enabled[RoleRedo], 1);
    BarStateDecision atEnd = fresh(inputs(ScreenMode::Play, 50, 1, 4, 4));
    EXPECT_EQ(atEnd.enabled[RoleUndo], 1);
    EXPECT_EQ(atEnd.enabled[RoleRedo], 0);
    for (ScreenMode mode : {ScreenMode::Start, ScreenMode::Rules}) {
        BarStateDecision d = fresh(inputs(mode, 50, 1, 2, 4));
        EXPECT_EQ(d.touchEnabled[RoleUndo], 1);
        EXPECT_EQ(d.enabled[RoleUndo], 0) << static_cast<int>(mode);
        EXPECT_EQ(d.enabled[RoleRedo], 0) << static_cast<int>(mode);
        EXPECT_EQ(d.enabled[RoleErase], 0) << static_cast<int>(mode);
    }
    EXPECT_EQ(fresh(inputs(ScreenMode::Start)).enabled[RoleLanguage], 1);
}

TEST(CommandBarEnabling, FullSetOnlyAfterAChangeOrWhenForced) {
    BarRefreshMemory memory;
    EXPECT_EQ(decideBarState(inputs(ScreenMode::Play, 50), false, memory).fullSet, 1);
    // Same mode and page: only Undo and Re-do are set, even though the scale moved.
    BarStateDecision quiet = decideBarState(inputs(ScreenMode::Play, 70, 1, 1, 1), false, memory);
    EXPECT_EQ(quiet.fullSet, 0);
    EXPECT_EQ(quiet.touchEnabled[RoleBigger], 0);
    EXPECT_EQ(quiet.touchShown[RoleNextPage], 0);
    EXPECT_EQ(quiet.enabled[RoleUndo], 1);
    EXPECT_EQ(quiet.enabled[RoleRedo], 0);
    // The Bigger/Smaller commands force it.
    BarStateDecision forced = decideBarState(inputs(ScreenMode::Play, 70), true, memory);
    EXPECT_EQ(forced.fullSet, 1);
    EXPECT_EQ(forced.enabled[RoleBigger], 0);
    // A mode change, a page change.
    EXPECT_EQ(decideBarState(inputs(ScreenMode::Rules, 70, 1), false, memory).fullSet, 1);
    EXPECT_EQ(decideBarState(inputs(ScreenMode::Rules, 70, 1), false, memory).fullSet, 0);
    EXPECT_EQ(decideBarState(inputs(ScreenMode::Rules, 70, 2), false, memory).fullSet, 1);
    // Start to Play changes "play" while notRules stays 1.
    BarRefreshMemory second;
    decideBarState(inputs(ScreenMode::Start), false, second);
    EXPECT_EQ(decideBarState(inputs(ScreenMode::Play), false, second).fullSet, 1);
}

TEST(NumberSelectorGeometry, ReferencePointsAroundCentre55_320) {
    NumberSelector s;
    computeSelector(s, 290, kReferenceDpi);
    EXPECT_EQ(s.centre.x, 55);
    EXPECT_EQ(s.centre.y, 320);
    const int innerPoints[6][2] = {{70, 312}, {55, 303}, {40, 312}, {40, 328}, {55, 337}, {70, 328}};
    const int outerPoints[6][2] = {{85, 303}, {55, 286}, {25, 303}, {25, 337}, {55, 354}, {85, 337}};
    const int digits[6] = {1, 6, 5, 4, 3, 2};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(s.inner[k].x, innerPoints[k][0]) << k;
        EXPECT_EQ(s.inner[k].y, innerPoints[k][1]) << k;
        EXPECT_EQ(s.outer[k].x, outerPoints[k][0]) << k;
        EXPECT_EQ(s.outer[k].y, outerPoints[k][1]) << k;
        EXPECT_EQ(selectorDigit(k), digits[k]);
        EXPECT_EQ(selectorTriangleOfDigit(static_cast<int16_t>(digits[k])), k);
    }
    EXPECT_EQ(selectorTriangleOfDigit(0), -1);
    EXPECT_EQ(selectorTriangleOfDigit(7), -1);
}

TEST(NumberSelectorGeometry, OutlinesUseTheFanVectorsAsTheyStand) {
    NumberSelector s;
    computeSelector(s, 290, kReferenceDpi);
    const int vectors[6][2] = {{30, 0}, {15, 26}, {-15, 26}, {-30, 0}, {-15, -26}, {15, -26}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(s.direction[k].x, vectors[k][0]) << k;
        EXPECT_EQ(s.direction[k].y, vectors[k][1]) << k;
        int next = (k + 1) % 6;
        EXPECT_EQ(s.outline[k][0].x, 55);
        EXPECT_EQ(s.outline[k][0].y, 320);
        EXPECT_EQ(s.outline[k][1].x, 55 + vectors[k][0]);
        EXPECT_EQ(s.outline[k][1].y, 320 + vectors[k][1]);
        EXPECT_EQ(s.outline[k][2].x, 55 + vectors[next][0]);
        EXPECT_EQ(s.outline[k][2].y, 320 + vectors[next][1]);
        EXPECT_EQ(s.outline[k][3].x, 55);
        EXPECT_EQ(s.outline[k][3].y, 320);
    }
}

TEST(NumberSelectorHit, CentreEachDigitAndTheEdges) {
    NumberSelector s;
    EXPECT_EQ(hitTestSelector(s, 55, 320), 0) << "not computed yet";
    computeSelector(s, 290, kReferenceDpi);
    // Top and bottom points are both 17 away from the centre; the top one (digit 6) comes first.
    EXPECT_EQ(hitTestSelector(s, 55, 320), 6);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(hitTestSelector(s, s.inner[k].x, s.inner[k].y), selectorDigit(k));
    // Nearer to an outer point than to any inner one: no hit, even inside the hexagon's box.
    EXPECT_EQ(hitTestSelector(s, 85, 303), 0);
    EXPECT_EQ(hitTestSelector(s, 55, 290), 0);
    // Far from the selector the outer points are always nearer: no hit.
    EXPECT_EQ(hitTestSelector(s, 55, 312 - 31), 0);
    EXPECT_EQ(hitTestSelector(s, 200, 320), 0);
    EXPECT_EQ(hitTestSelector(s, -200, -200), 0);
    EXPECT_EQ(hitTestSelector(s, 70, 312 + 7), 1);
}

TEST(NumberSelectorHit, FollowsTheRowWhenTheBarHasNoGridButtons) {
    NumberSelector s;
    computeSelector(s, computeBarLayout(false, true, kReferenceDpi).selectorTop, kReferenceDpi);
    EXPECT_EQ(s.centre.y, 220);
    EXPECT_EQ(hitTestSelector(s, 55, 220 - 17), 6);
    EXPECT_EQ(hitTestSelector(s, 55, 320 - 17), 0);
}

const CommandLabel* findLabel(const std::vector<CommandLabel>& labels, int16_t command) {
    for (const CommandLabel& l : labels) {
        if (l.command == command) return &l;
    }
    return nullptr;
}

// scaledPx against the plain model: px x dpi / 96 rounded half away from zero, the identity at 96 dpi.
TEST(DisplayScale, ScaledPixelsRoundTheExactProductHalfAwayFromZero) {
    for (int16_t dpi : {96, 72, 120, 144, 168, 192, 240, 288}) {
        for (int px = -600; px <= 600; ++px) {
            const double exact = px * static_cast<double>(dpi) / 96.0;
            ASSERT_EQ(scaledPx(static_cast<int16_t>(px), dpi), static_cast<int16_t>(std::round(exact)))
                << px << " at " << dpi;
        }
    }
    EXPECT_EQ(scaledPx(25, 0), 25);  // a resolution not measured is 96 dpi
    EXPECT_EQ(scaledPx(30000, 192), 32767);
}

bool isRulesButton(BarRole role) {
    return role == RoleReturnToGrid || role == RolePreviousPage || role == RoleNextPage;
}

/*
 * At every resolution and with or without the grid buttons and the
 * chronometer field: each bar control is within a pixel of its 96-dpi
 * rectangle scaled, no two overlap, all lie in the panel, and a tooltip hot
 * rectangle made from a button finds it at its corners; the selector lies
 * between the undo row and the erase button and each triangle's reference
 * point hits its own digit. At 96 dpi the panel is the one it always was.
 */
TEST(CommandBarScale, ControlsStayApartInsideThePanelAndTheSelectorHitsItsDigits) {
    for (int16_t dpi : {96, 120, 144, 192}) {
        for (bool gridButtons : {true, false}) {
            for (bool chrono : {true, false}) {
                SCOPED_TRACE(testing::Message() << dpi << " dpi, grid buttons " << gridButtons << ", chrono "
                                                << chrono);
                const BarLayout b = computeBarLayout(gridButtons, chrono, dpi);
                const std::vector<BarControl> list = barControls(b);
                const std::vector<BarControl> reference =
                    barControls(computeBarLayout(gridButtons, chrono, kReferenceDpi));
                ASSERT_EQ(list.size(), reference.size());
                EXPECT_EQ(b.panelLeft, scaledPx(kPanelX - 10, dpi));
                EXPECT_EQ(b.panelRight, scaledPx(kPanelX + 40, dpi));
                TooltipSet tips;
                for (size_t i = 0; i < list.size(); ++i) {
                    const BarControl& c = list[i];
                    const BarControl& r = reference[i];
                    SCOPED_TRACE(c.caption);
                    EXPECT_EQ(c.command, r.command);
                    const double k = dpi / 96.0;
                    EXPECT_LE(std::abs(c.x - r.x * k), 0.5);
                    EXPECT_LE(std::abs(c.y - r.y * k), 0.5);
                    EXPECT_LE(std::abs(c.width - r.width * k), 1.0);
                    EXPECT_LE(std::abs(c.height - r.height * k), 1.0);
                    // The rules page's buttons are placed on the page (tests/rules_page_scale_test.cpp).
                    if (isRulesButton(c.role)) continue;
                    EXPECT_GE(c.x, b.panelLeft);
                    EXPECT_LE(c.x + c.width, b.panelRight);
                    EXPECT_GE(c.y, 0);
                    EXPECT_LE(c.y + c.height, b.barBottom);
                    for (size_t j = 0; j < i; ++j) {
                        const BarControl& o = list[j];
                        if (isRulesButton(o.role)) continue;
                        const bool apart = c.x + c.width <= o.x || o.x + o.width <= c.x ||
                                           c.y + c.height <= o.y || o.y + o.height <= c.y;
                        EXPECT_TRUE(apart) << "overlaps " << o.caption;
                    }
                    if (c.kind == KindButton)
                        addHotRect(tips, c.command, c.x, static_cast<int16_t>(c.x + c.width - 1), c.y,
                                   static_cast<int16_t>(c.y + c.height - 1));
                }
                for (const BarControl& c : list) {
                    if (c.kind != KindButton || isRulesButton(c.role)) continue;
                    EXPECT_EQ(hotRectAt(tips, c.x, c.y), c.command) << c.caption;
                    EXPECT_EQ(hotRectAt(tips, c.x + c.width - 1, c.y + c.height - 1), c.command) << c.caption;
                }
                EXPECT_LE(b.barBottom, b.panelBottom);

                NumberSelector s;
                computeSelector(s, b.selectorTop, dpi);
                EXPECT_EQ(s.radius, scaledPx(kSelectorRadius, dpi));
                EXPECT_EQ(s.centre.x, b.centreX);
                const BarControl* undo = findControl(list, RoleUndo);
                const BarControl* erase = findControl(list, RoleErase);
                ASSERT_TRUE(undo && erase);
                for (int t = 0; t < 6; ++t) {
                    for (const SelectorPoint& p : s.outline[t]) {
                        EXPECT_GE(p.y, undo->y + undo->height);
                        EXPECT_LE(p.y, erase->y);
                    }
                    EXPECT_EQ(hitTestSelector(s, s.inner[t].x, s.inner[t].y), selectorDigit(t)) << t;
                }
                EXPECT_EQ(hitTestSelector(s, s.centre.x + 3 * s.radius, s.centre.y), 0);
                if (dpi == kReferenceDpi) {
                    EXPECT_EQ(std::make_tuple(b.panelLeft, b.panelRight, b.centreX, s.centre.x, s.radius),
                              std::make_tuple(30, 80, 55, 55, 30));
                    EXPECT_EQ(b.panelBottom, b.barBottom + 10);
                }
            }
        }
    }
}

TEST(CommandBarLabels, PlayModeHasEveryLabelButTheRulesOnes) {
    std::vector<CommandLabel> en = labelsFor(ScreenMode::Play, kLanguageEnglish);
    EXPECT_EQ(en.size(), 23u);
    for (int16_t c : {23, 25, 26, 28, 35}) EXPECT_EQ(findLabel(en, c), nullptr) << c;
    EXPECT_EQ(findLabel(en, 8)->text.s, "Undo (Ctrl+Z)");
    EXPECT_EQ(findLabel(en, 12)->text.s, "Information...");
    EXPECT_EQ(findLabel(en, 27)->text.s, "Return to fixed numbers");
    EXPECT_EQ(findLabel(en, 14)->text.s, "Select number 1 (1)");
    EXPECT_EQ(findLabel(en, 19)->text.s, "Select number 6 (6)");
    EXPECT_EQ(findLabel(en, 30)->text.s, "Select grid #5");
    EXPECT_EQ(findLabel(en, 31)->text.s, "Select grid #2");
    EXPECT_EQ(findLabel(en, 34)->text.s, "Select grid #1");
    EXPECT_EQ(findLabel(en, 36)->text.s, "Language");
    // Start mode stores the same set as Play.
    EXPECT_EQ(labelsFor(ScreenMode::Start, kLanguageEnglish).size(), en.size());

    std::vector<CommandLabel> fr = labelsFor(ScreenMode::Play, kLanguageFrench);
    EXPECT_EQ(fr.size(), en.size());
    EXPECT_EQ(findLabel(fr, 8)->text.s, "D\xE9" "faire (Ctrl+Z)");
    EXPECT_EQ(findLabel(fr, 24)->text.s, "R\xE8gle du jeu (F1)");
    EXPECT_EQ(findLabel(fr, 17)->text.s, "S\xE9lec. chiffre 4 (4)");
    EXPECT_EQ(findLabel(fr, 33)->text.s, "S\xE9lec. grille 3");
    EXPECT_EQ(findLabel(fr, 20)->text.s, "Pause");
}

TEST(CommandBarLabels, RulesModeHasOnlyItsThreeLabels) {
    std::vector<CommandLabel> en = labelsFor(ScreenMode::Rules, kLanguageEnglish);
    ASSERT_EQ(en.size(), 3u);
    EXPECT_EQ(en[0].command, 23);
    EXPECT_EQ(en[0].text.s, "Return to the grid (Esc)");
    EXPECT_EQ(en[1].command, 25);
    EXPECT_EQ(en[1].text.s, "Previous page (Left arrow)");
    EXPECT_EQ(en[2].command, 26);
    EXPECT_EQ(en[2].text.s, "Next page (Right arrow)");
    std::vector<CommandLabel> fr = labelsFor(ScreenMode::Rules, kLanguageFrench);
    ASSERT_EQ(fr.size(), 3u);
    EXPECT_EQ(fr[0].text.s, "Retour \xE0 la grille (\xC9" "chap)");
    EXPECT_EQ(fr[1].text.s, "Page pr\xE9" "c\xE9" "dente (fl\xE8" "che gauche)");
    EXPECT_EQ(labelOf(25, kLanguageFrench).s, fr[1].text.s);
    EXPECT_EQ(labelOf(17, kLanguageEnglish).s, "Select number 4 (4)");
    EXPECT_EQ(labelOf(28, kLanguageEnglish).s, "");
}

TEST(CommandBarLabels, FrenchLabelsSurviveTheUtf16Table) {
    for (ScreenMode mode : {ScreenMode::Play, ScreenMode::Rules}) {
        for (const CommandLabel& l : labelsFor(mode, kLanguageFrench)) {
            std::u16string wide = toUtf16(l.text);
            EXPECT_EQ(wide.size(), l.text.s.size());
            EXPECT_EQ(fromUtf16(wide).s, l.text.s) << l.command;
        }
    }
    std::u16string undo = toUtf16(labelOf(8, kLanguageFrench));
    EXPECT_EQ(undo, u"D\u00E9faire (Ctrl+Z)");
    EXPECT_EQ(toUtf16(labelOf(25, kLanguageFrench)), u"Page pr\u00E9c\u00E9dente (fl\u00E8che gauche)");
    EXPECT_EQ(toUtf16(labelOf(24, kLanguageFrench)), u"R\u00E8gle du jeu (F1)");
    EXPECT_EQ(toUtf16(labelOf(23, kLanguageFrench)), u"Retour \u00E0 la grille (\u00C9chap)");
}

// The key a label names in brackets at its end; empty when it names none.
std::string keyOf(const TextString& label) {
    const std::string& s = label.s;
    size_t open = s.rfind(" (");
    if (s.empty() || s.back() != ')' || open == std::string::npos) return "";
    return s.substr(open + 2, s.size() - open - 3);
}

TEST(CommandBarLabels, ButtonsWithAKeyNameItAlikeInBothLanguages) {
    // Keys named by a word change with the language; the others read the same in both.
    const std::set<std::string> worded = {"Esc", "Left arrow", "Right arrow"};
    std::set<int16_t> withKey;
    for (ScreenMode mode : {ScreenMode::Play, ScreenMode::Rules}) {
        std::vector<CommandLabel> en = labelsFor(mode, kLanguageEnglish);
        std::vector<CommandLabel> fr = labelsFor(mode, kLanguageFrench);
        ASSERT_EQ(en.size(), fr.size());
        for (size_t i = 0; i < en.size(); ++i) {
            ASSERT_EQ(en[i].command, fr[i].command);
            const std::string enKey = keyOf(en[i].text);
            const std::string frKey = keyOf(fr[i].text);
            EXPECT_EQ(enKey.empty(), frKey.empty()) << en[i].text.s;
            if (worded.count(enKey) == 0) {
                EXPECT_EQ(enKey, frKey) << en[i].text.s;
            }
            if (!enKey.empty()) withKey.insert(en[i].command);
        }
    }
    // Exit, pause, information, language, fixed numbers and the grid buttons have no key.
    std::set<int16_t> keyed = {CmdUndo,  CmdRedo, CmdBigger,       CmdSmaller,      CmdErase,
                               CmdRules, CmdSave, CmdReturnToGrid, CmdPreviousPage, CmdNextPage};
    for (int16_t d = 0; d < 6; ++d) keyed.insert(static_cast<int16_t>(CmdSelectDigit1 + d));
    EXPECT_EQ(withKey, keyed);
}

}  // namespace
