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

// The grid in slot 0 gets three cells; the tests fill them to make it full.
class GridClocks : public ::testing::Test {
protected:
    void SetUp() override {
        setTickSource(fakeTick);
        fakeNow = 50000;
        resetAppState(app);
        Grid& g = app.grids[0];
        g.cells.assign(4, Cell());
        g.cellCount = 3;
        app.chronoEnabled = 1;
        app.paintEnabled = 1;
        app.gridNumber = 2;
        lastClockText.clear();
        chronoFieldText.clear();
    }
    void TearDown() override {
        Grid& g = app.grids[0];
        g.cells.clear();
        g.cellCount = 0;
        setTickSource(nullptr);
    }
    void fillGrid() {
        for (int i = 1; i <= 3; ++i) app.grids[0].cells[i].value = 1;
    }
    void wait(uint32_t ms) { fakeNow += ms; }
    int32_t seconds(int n) { return app.stopwatches[n].elapsedSeconds(); }

    AppState app;
};

TEST_F(GridClocks, OnlyTheCurrentGridsClockRuns) {
    setClocksActive(true, app);
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(app.stopwatches[n].running, n == 2) << n;
    wait(3000);
    EXPECT_EQ(seconds(2), 3);

    // Choosing another grid stops the old clock with its time and starts the new one.
    app.gridNumber = 4;
    updateClocks(app);
    EXPECT_FALSE(app.stopwatches[2].running);
    EXPECT_TRUE(app.stopwatches[4].running);
    wait(2000);
    EXPECT_EQ(seconds(2), 3);
    EXPECT_EQ(seconds(4), 2);
}

TEST_F(GridClocks, NoClockRunsWithoutAGridOrWithTheChronometerOff) {
    app.gridNumber = 0;
    setClocksActive(true, app);
    for (int n = 0; n < kStopwatchCount; ++n) EXPECT_FALSE(app.stopwatches[n].running) << n;

    app.gridNumber = 2;
    app.chronoEnabled = 0;
    setClocksActive(true, app);
    for (int n = 0; n < kStopwatchCount; ++n) EXPECT_FALSE(app.stopwatches[n].running) << n;
    // The chronometer field does not exist then: it is never written.
    EXPECT_FALSE(updateTitleClock(app));
    EXPECT_TRUE(chronoFieldText.isEmpty());
}

TEST_F(GridClocks, MinimisingPausesAndRestoringResumes) {
    setClocksActive(true, app);
    wait(4000);
    setClocksMinimised(true, app);
    EXPECT_FALSE(app.stopwatches[2].running);
    wait(60000);
    EXPECT_EQ(seconds(2), 4);
    setClocksMinimised(false, app);
    EXPECT_TRUE(app.stopwatches[2].running);
    wait(1000);
    EXPECT_EQ(seconds(2), 5);

    // The shell's after-message step notices the iconic window by itself.
    afterMessage(app, true, true);
    EXPECT_FALSE(app.stopwatches[2].running);
    afterMessage(app, true, false);
    EXPECT_TRUE(app.stopwatches[2].running);
}

TEST_F(GridClocks, AnOpenBoxStopsTheClock) {
    setClocksActive(true, app);
    wait(2000);
    setClocksActive(false, app);
    EXPECT_EQ(app.chronoRunning, 0);
    EXPECT_FALSE(app.stopwatches[2].running);
    wait(30000);
    setClocksActive(true, app);
    wait(1000);
    EXPECT_EQ(seconds(2), 3);

    // The shell's wrappers around its boxes do the same.
    stopChronometers(app);
    EXPECT_FALSE(app.stopwatches[2].running);
    resumeChronometers(app);
    EXPECT_TRUE(app.stopwatches[2].running);
}

TEST_F(GridClocks, AFullGridNeverRestartsItsClock) {
    fillGrid();
    setClocksActive(true, app);
    EXPECT_FALSE(app.stopwatches[2].running);
    setClocksMinimised(true, app);
    setClocksMinimised(false, app);
    EXPECT_FALSE(app.stopwatches[2].running);

    // Minimising still stops the clocks of a full grid.
    app.gridNumber = 2;
    app.grids[0].cells[3].value = 0;
    setClocksActive(true, app);
    ASSERT_TRUE(app.stopwatches[2].running);
    fillGrid();
    setClocksMinimised(true, app);
    EXPECT_FALSE(app.stopwatches[2].running);
}

TEST_F(GridClocks, FillingTheLastCellDoesNotStopARunningClock) {
    setClocksActive(true, app);
    wait(2000);
    fillGrid();
    updateClocks(app);
    EXPECT_TRUE(app.stopwatches[2].running);
    wait(3000);
    EXPECT_EQ(seconds(2), 5) << "left as it was: not restarted, no time lost";
}

TEST_F(GridClocks, FieldTextIsCentredWithLeadingBlanks) {
    EXPECT_EQ(centredClockText("7s").s, "   7s");
    EXPECT_EQ(centredClockText("1mn 05s").s, " 1mn 05s");
    EXPECT_EQ(centredClockText("10mn 05s").s, "10mn 05s");
    EXPECT_EQ(centredClockText("100h 00mn").s, "100h 00mn");
    EXPECT_EQ(centredClockText("").s, "    ");
}

TEST_F(GridClocks, FieldIsWrittenOnlyWhenTheTextChanges) {
    app.stopwatches[2].addSeconds(7);
    EXPECT_TRUE(updateTitleClock(app));
    EXPECT_EQ(chronoFieldText.s, "   7s");
    EXPECT_EQ(lastClockText.s, "   7s");
    EXPECT_FALSE(updateTitleClock(app));

    app.stopwatches[2].addSeconds(58);
    EXPECT_TRUE(updateTitleClock(app));
    EXPECT_EQ(chronoFieldText.s, " 1mn 05s");

    // Before start-up has finished nothing is written and the last text is forgotten.
    app.paintEnabled = 0;
    EXPECT_FALSE(updateTitleClock(app));
    EXPECT_TRUE(lastClockText.isEmpty());
    EXPECT_EQ(chronoFieldText.s, " 1mn 05s");
    app.paintEnabled = 1;
    EXPECT_TRUE(updateTitleClock(app));
}

TEST_F(GridClocks, WithoutAGridNumberTheFieldShowsZero) {
    app.gridNumber = 0;
    EXPECT_TRUE(updateTitleClock(app));
    EXPECT_EQ(chronoFieldText.s, "   0s");
    app.gridNumber = 77;
    EXPECT_FALSE(updateTitleClock(app));
}

}  // namespace
