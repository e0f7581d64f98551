// Tests of the stopwatch over a fake tick source, and of the calendar dates.
#include <gtest/gtest.h>

#include "base/calendar.h"
#include "base/stopwatch.h"

namespace {

uint32_t fakeNow = 0;
uint32_t fakeTick() { return fakeNow; }

struct FakeClock : ::testing::Test {
    void SetUp() override {
        fakeNow = 1000;
        setTickSource(fakeTick);
    }
    void TearDown() override { setTickSource(nullptr); }
};

}  // namespace

TEST_F(FakeClock, RunsAddUpOnce) {
    Stopwatch w;
    w.reset();
    w.start();
    fakeNow += 2500;
    w.stop();
    fakeNow += 9000;
    w.stop();  // a second stop adds nothing
    EXPECT_EQ(w.totalSeconds, 2);
    EXPECT_EQ(w.totalTenths, 25);
    w.start();
    fakeNow += 700;  // with the half second left from the first run: one more second
    w.start();        // restarting closes the running run first
    EXPECT_EQ(w.totalSeconds, 3);
    fakeNow += 1200;
    EXPECT_EQ(w.elapsedSeconds(), 4);  // 0.2 s left over + 1.2 s
    w.stop();
    EXPECT_EQ(w.totalSeconds, 4);
    EXPECT_EQ(w.totalTenths, 25 + 7 + 12);
    w.addSeconds(100);
    EXPECT_EQ(w.elapsedSeconds(), 104);
    w.reset();
    EXPECT_EQ(w.elapsedSeconds(), 0);
    EXPECT_EQ(w.running, 0);
}

TEST_F(FakeClock, ShortRunsAddUpToTheMillisecond) {
    // A clock stopped by a box every 160 ms of play still counts the play: 40 runs make 6.4 s.
    Stopwatch w;
    w.reset();
    for (int run = 0; run < 40; ++run) {
        w.start();
        fakeNow += 160;
        w.stop();
        fakeNow += 270;  // the box, clock stopped
    }
    EXPECT_EQ(w.elapsedSeconds(), 6);
    w.start();
    fakeNow += 600;
    EXPECT_EQ(w.elapsedSeconds(), 7);
}

TEST_F(FakeClock, TickWrapInsideARun) {
    Stopwatch w;
    fakeNow = 0xFFFFF000u;
    w.reset();
    w.start();
    fakeNow += 10000;  // wraps past zero
    EXPECT_EQ(w.elapsedSeconds(), 10);
    w.stop();
    EXPECT_EQ(w.totalSeconds, 10);
}

TEST_F(FakeClock, DurationTexts) {
    Stopwatch w;
    w.reset();
    auto textFor = [&](int32_t s) {
        w.reset();
        w.addSeconds(s);
        return w.format().s;
    };
    EXPECT_EQ(textFor(0), "0s");
    EXPECT_EQ(textFor(7), "7s");
    EXPECT_EQ(textFor(59), " 59s");  // only a leading zero takes the blank with it
    EXPECT_EQ(textFor(65), "1mn 05s");
    EXPECT_EQ(textFor(605), "10mn 05s");
    EXPECT_EQ(textFor(3725), "1h 02mn");
    EXPECT_EQ(textFor(36000), "10h 00mn");
    EXPECT_EQ(textFor(100 * 3600 + 60), "100h 01mn");
}

TEST(CalendarDate, FormatterTokens) {
    CalendarDate d;
    d.day = 5;
    d.month = 3;
    d.year = 2024;
    EXPECT_EQ(d.formatDate("JJ/MM/AA").s, "05/03/24");
    EXPECT_EQ(d.formatDate("jj-mm-a4").s, "05-03-2024");
    EXPECT_EQ(d.formatDate("jj mm").s, "0503");        // a blank before a token writes nothing
    EXPECT_EQ(d.formatDate("jjbmmbb").s, "05 03  ");  // each b writes a blank
    EXPECT_EQ(d.formatDate("jjq").s, "05?");
    EXPECT_EQ(d.formatDate("jj ").s, "05?");          // a final blank is no token
    EXPECT_EQ(d.formatDate("xjsem b jj b xmois").s, "mardi 05 mars");
    EXPECT_EQ(d.formatDate("ss;").s, "10");
}

TEST(CalendarDate, WeekdaysAndWeeks) {
    CalendarDate d;
    EXPECT_EQ(d.weekday(), 6);  // 1 January 2000 was a Saturday
    d.day = 8;
    d.month = 1;
    d.year = 2024;
    EXPECT_EQ(d.weekday(), 1);
    EXPECT_EQ(d.weekOfYear(), 2);
    d.day = 31;
    d.month = 12;
    d.year = 2026;
    EXPECT_EQ(d.weekday(), 4);  // a Thursday
    EXPECT_EQ(d.dayOfYear(), 365);
    d.day = 29;
    d.month = 2;
    d.year = 1996;
    EXPECT_EQ(d.weekday(), 4);
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_EQ(daysInMonth(2, 2024), 29);
}

TEST(CalendarDate, BuildStampIsReadOnce) {
    CalendarDate d;
    d.readBuildStampText("Mar  5 2024");  // day padded with a blank, as the build macro writes it
    EXPECT_EQ(d.day, 5);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.year, 2024);
    d.readBuildStampText("Dec 25 1999");
    EXPECT_EQ(d.year, 2024);
    d.resetDate();
    d.readBuildStampText("Xyz 12 2020");
    EXPECT_EQ(d.month, 0);
    CalendarDate built;
    built.readBuildStamp();
    EXPECT_GE(built.year, 2024);
    EXPECT_GE(built.month, 1);
}
