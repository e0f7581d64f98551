// Tests of the grid clocks: which clock runs under which conditions, and the chronometer field's text.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "base/stopwatch.h"
#include "content/clocks.h"

namespace {

uint32_t fakeNow = 0;
uint32_t fakeTick() {
    return fakeNow;
}

/*
 * Fresh clocks with grid number 2 in play on a grid that is not full. The
 * shell's record, also playing grid number 2, is used only where the shell's
 * own steps are checked.
 */
class GridClocksTest : public ::testing::Test {
protected:
    void SetUp() override {
        setTickSource(fakeTick);
        fakeNow = 50000;
        app.paintEnabled = 1;
        app.game.gridNumber = 2;
    }
    void TearDown() override { setTickSource(nullptr); }
    void fillGrid() { full = true; }
    // The shell's grid in play: three cells, all holding a digit when full.
    void giveAppGridThreeCells(bool filled) {
        Grid& g = app.game.grids[0];
        g.cells.assign(4, Cell());
        g.cellCount = 3;
        for (int i = 1; i <= 3; ++i) g.cells[i].value = filled ? 1 : 0;
    }
    void setActive(bool active) { setClocksActive(clocks, active, gridNumber, full); }
    void setMinimised(bool minimised) { setClocksMinimised(clocks, minimised, gridNumber, full); }
    bool updateField() { return updateTitleClock(clocks, gridNumber, startupFinished); }
    void wait(uint32_t ms) { fakeNow += ms; }
    int32_t seconds(int n) { return clocks.stopwatches[n].elapsedSeconds(); }

    GridClocks clocks;
    int16_t gridNumber = 2;
    bool full = false;
    bool startupFinished = true;
    AppState app;
};

TEST_F(GridClocksTest, OnlyTheCurrentGridsClockRuns) {
    setActive(true);
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(clocks.stopwatches[n].running, n == 2) << n;
    wait(3000);
    EXPECT_EQ(seconds(2), 3);

    // Choosing another grid stops the old clock with its time and starts the new one.
    gridNumber = 4;
    updateClocks(clocks, gridNumber, full);
    EXPECT_FALSE(clocks.stopwatches[2].running);
    EXPECT_TRUE(clocks.stopwatches[4].running);
    wait(2000);
    EXPECT_EQ(seconds(2), 3);
    EXPECT_EQ(seconds(4), 2);
}

TEST_F(GridClocksTest, NoClockRunsWithoutAGridOrWithTheChronometerOff) {
    gridNumber = 0;
    setActive(true);
    for (int n = 0; n < kStopwatchCount; ++n) EXPECT_FALSE(clocks.stopwatches[n].running) << n;

    gridNumber = 2;
    clocks.enabled = 0;
    setActive(true);
    for (int n = 0; n < kStopwatchCount; ++n) EXPECT_FALSE(clocks.stopwatches[n].running) << n;
    // The chronometer field does not exist then: it is never written.
    EXPECT_FALSE(updateField());
    EXPECT_TRUE(clocks.fieldText.isEmpty());
}

TEST_F(GridClocksTest, MinimisingPausesAndRestoringResumes) {
    setActive(true);
    wait(4000);
    setMinimised(true);
    EXPECT_FALSE(clocks.stopwatches[2].running);
    wait(60000);
    EXPECT_EQ(seconds(2), 4);
    setMinimised(false);
    EXPECT_TRUE(clocks.stopwatches[2].running);
    wait(1000);
    EXPECT_EQ(seconds(2), 5);

    // The shell's after-message step notices the iconic window by itself.
    resumeChronometers(app);
    ASSERT_TRUE(app.clocks.stopwatches[2].running);
    afterMessage(app, true, true);
    EXPECT_FALSE(app.clocks.stopwatches[2].running);
    afterMessage(app, true, false);
    EXPECT_TRUE(app.clocks.stopwatches[2].running);
}

TEST_F(GridClocksTest, AnOpenBoxStopsTheClock) {
    setActive(true);
    wait(2000);
    setActive(false);
    EXPECT_EQ(clocks.active, 0);
    EXPECT_FALSE(clocks.stopwatches[2].running);
    wait(30000);
    setActive(true);
    wait(1000);
    EXPECT_EQ(seconds(2), 3);

    // The shell's wrappers around its boxes do the same.
    stopChronometers(app);
    EXPECT_EQ(app.clocks.active, 0);
    EXPECT_FALSE(app.clocks.stopwatches[2].running);
    resumeChronometers(app);
    EXPECT_TRUE(app.clocks.stopwatches[2].running);
}

TEST_F(GridClocksTest, AFullGridNeverRestartsItsClock) {
    fillGrid();
    setActive(true);
    EXPECT_FALSE(clocks.stopwatches[2].running);
    setMinimised(true);
    setMinimised(false);
    EXPECT_FALSE(clocks.stopwatches[2].running);

    // Minimising still stops the clocks of a full grid.
    full = false;
    setActive(true);
    ASSERT_TRUE(clocks.stopwatches[2].running);
    fillGrid();
    setMinimised(true);
    EXPECT_FALSE(clocks.stopwatches[2].running);

    // The shell asks its grid in play whether it is full.
    giveAppGridThreeCells(true);
    resumeChronometers(app);
    EXPECT_FALSE(app.clocks.stopwatches[2].running);
    giveAppGridThreeCells(false);
    resumeChronometers(app);
    EXPECT_TRUE(app.clocks.stopwatches[2].running);
}

TEST_F(GridClocksTest, FillingTheLastCellDoesNotStopARunningClock) {
    setActive(true);
    wait(2000);
    fillGrid();
    updateClocks(clocks, gridNumber, full);
    EXPECT_TRUE(clocks.stopwatches[2].running);
    wait(3000);
    EXPECT_EQ(seconds(2), 5) << "left as it was: not restarted, no time lost";
}

TEST_F(GridClocksTest, FieldTextIsCentredWithLeadingBlanks) {
    EXPECT_EQ(centredClockText("7s").s, "   7s");
    EXPECT_EQ(centredClockText("1mn 05s").s, " 1mn 05s");
    EXPECT_EQ(centredClockText("10mn 05s").s, "10mn 05s");
    EXPECT_EQ(centredClockText("100h 00mn").s, "100h 00mn");
    EXPECT_EQ(centredClockText("").s, "    ");
}

TEST_F(GridClocksTest, FieldIsWrittenOnlyWhenTheTextChanges) {
    clocks.stopwatches[2].addSeconds(7);
    EXPECT_TRUE(updateField());
    EXPECT_EQ(clocks.fieldText.s, "   7s");
    EXPECT_EQ(clocks.lastText.s, "   7s");
    EXPECT_FALSE(updateField());

    clocks.stopwatches[2].addSeconds(58);
    EXPECT_TRUE(updateField());
    EXPECT_EQ(clocks.fieldText.s, " 1mn 05s");

    // Before start-up has finished nothing is written and the last text is forgotten.
    startupFinished = false;
    EXPECT_FALSE(updateField());
    EXPECT_TRUE(clocks.lastText.isEmpty());
    EXPECT_EQ(clocks.fieldText.s, " 1mn 05s");
    startupFinished = true;
    EXPECT_TRUE(updateField());

    // The shell writes the field of its grid in play once start-up has finished.
    app.clocks.stopwatches[2].addSeconds(7);
    app.paintEnabled = 0;
    EXPECT_FALSE(updateTitleClock(app));
    app.paintEnabled = 1;
    EXPECT_TRUE(updateTitleClock(app));
    EXPECT_EQ(app.clocks.fieldText.s, "   7s");
}

TEST_F(GridClocksTest, WithoutAGridNumberTheFieldShowsZero) {
    gridNumber = 0;
    EXPECT_TRUE(updateField());
    EXPECT_EQ(clocks.fieldText.s, "   0s");
    gridNumber = 77;
    EXPECT_FALSE(updateField());
}

}  // namespace
