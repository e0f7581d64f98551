// Tests of the settings file: start values, key rules, state pieces, times, kept lines, hostile files and safe saving.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "base/stopwatch.h"
#include "app/app_settings.h"

namespace fs = std::filesystem;

namespace {

uint32_t fakeNow = 0;
uint32_t fakeTick() {
    return fakeNow;
}

// A fresh directory per test, removed afterwards; the settings file inside it.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = freshTempDir("ornel_settings_");
        path = (dir / "ORNEL 162.TXT").string();
        prepareSettingsApp(app, path, kOfferedGridCount);
        setTickSource(fakeTick);
        fakeNow = 1000;
    }
    void TearDown() override {
        setTickSource(nullptr);
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    void writeRaw(const std::string& bytes, const std::string& where = "") {
        std::ofstream out(where.empty() ? path : where, std::ios::binary);
        out << bytes;
    }
    std::string readRaw(const std::string& where = "") {
        std::ifstream in(where.empty() ? path : where, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Loads the given lines (joined by CR LF) into a fresh state.
    SettingsLoadStatus loadText(const std::string& text) {
        writeRaw(text);
        resetAppState(app);
        app.settingsPath.assign(path);
        app.windowTitle.assign("ORNEL 162");
        return loadSettings(app);
    }
    TextList saved() {
        TextList lines;
        lines.readFile(path);
        return lines;
    }

    fs::path dir;
    std::string path;
    AppState app;
};

TEST_F(SettingsFile, NoFileKeepsTheStartValuesAndGivesGridOne) {
    EXPECT_EQ(loadSettings(app), SettingsMissing);
    EXPECT_EQ(app.game.gridNumber, 1);
    EXPECT_EQ(app.view.language, 0);
    EXPECT_EQ(app.clocks.enabled, 1);
    EXPECT_EQ(app.view.candidateFill, 0);
    EXPECT_EQ(app.view.scale, 40);
    EXPECT_EQ(app.geometry.windowLeft, 60);
    EXPECT_EQ(app.geometry.windowTop, 60);
    EXPECT_TRUE(app.game.gridStates.isEmpty());
    EXPECT_EQ(app.game.grids[0].cellSize, 40);
}

TEST_F(SettingsFile, ScaleIsTheNearestAllowedOne) {
    EXPECT_EQ(nearestAllowedScale(55), 50);
    EXPECT_EQ(nearestAllowedScale(65), 60);
    EXPECT_EQ(nearestAllowedScale(100), 70);
    EXPECT_EQ(nearestAllowedScale(45), 40);
    EXPECT_EQ(nearestAllowedScale(INT32_MAX), 70);
    EXPECT_EQ(nearestAllowedScale(INT32_MIN), 40);

    const std::pair<const char*, int16_t> cases[] = {
        {"tca=55", 50}, {"tca=65", 60}, {"tca=100", 70}, {"tca=0", 40}, {"tca=-30", 40}, {"tca=x", 40}, {"tca=60", 60}};
    for (const auto& [line, scale] : cases) {
        loadText(std::string("ver=3.6\r\n") + line + "\r\n");
        EXPECT_EQ(app.view.scale, scale) << line;
        EXPECT_EQ(app.game.grids[0].cellSize, scale) << line;
        EXPECT_EQ(app.view.layoutValid, 0);
    }
}

TEST_F(SettingsFile, GridNumberOutsideTheOfferGivesGridOne) {
    const std::pair<const char*, int16_t> cases[] = {
        {"gri=3", 3}, {"gri=5", 5}, {"gri=0", 1}, {"gri=6", 1}, {"gri=-2", 1}, {"gri=abc", 1}, {"gri=99999999999", 1}};
    for (const auto& [line, number] : cases) {
        loadText(std::string("ver=3.6\r\n") + line + "\r\n");
        EXPECT_EQ(app.game.gridNumber, number) << line;
    }
    loadText("ver=3.6\r\n");
    EXPECT_EQ(app.game.gridNumber, 1);
}

TEST_F(SettingsFile, WindowPositionIsTakenOnlyWhenSane) {
    loadText("left=300\r\ntop=200\r\n");
    EXPECT_EQ(app.geometry.windowLeft, 300);
    EXPECT_EQ(app.geometry.windowTop, 200);
    // A monitor left of or above the main one: negative positions are positions, whatever the screen.
    writeRaw("left=-900\r\ntop=-5\r\n");
    resetAppState(app);
    app.geometry.screenWidth = 1024;
    app.geometry.screenHeight = 768;
    loadSettingsFile(app, path);
    EXPECT_EQ(app.geometry.windowLeft, -900);
    EXPECT_EQ(app.geometry.windowTop, -5);
    // ... and so is one past the main screen's right edge (a second monitor there).
    loadText("left=1300\r\ntop=0\r\n");
    EXPECT_EQ(app.geometry.windowLeft, 1300);
    EXPECT_EQ(app.geometry.windowTop, 0);
    for (const char* line : {"left=40000\r\ntop=4000000000\r\n", "left=-32000\r\ntop=16001\r\n",
                             "left=12x\r\ntop=\r\n", "left=-\r\ntop=1e3\r\n"}) {
        loadText(line);
        EXPECT_EQ(app.geometry.windowLeft, 60) << line;
        EXPECT_EQ(app.geometry.windowTop, 60) << line;
    }
}

TEST_F(SettingsFile, FlagsAndLanguage) {
    loadText("lng=2\r\ncviz=1\r\nchro=0\r\n");
    EXPECT_EQ(app.view.language, 1);
    EXPECT_EQ(app.view.candidateFill, 1);
    EXPECT_EQ(app.clocks.enabled, 0);

    loadText("lng=1\r\n");
    EXPECT_EQ(app.view.language, 0);
    EXPECT_EQ(app.clocks.enabled, 1) << "an absent chro enables the chronometer";
    EXPECT_EQ(app.view.candidateFill, 0);

    loadText("lng=3\r\nchro=7\r\ncviz=-4\r\n");
    EXPECT_EQ(app.view.language, 0);
    EXPECT_EQ(app.clocks.enabled, 1);
    EXPECT_EQ(app.view.candidateFill, 1);

    loadText("chro=off\r\n");
    EXPECT_EQ(app.clocks.enabled, 0) << "a value that is no number reads as 0";
}

TEST_F(SettingsFile, LongStateIsCutIntoPiecesOfSixtyAndReadBackUnchanged) {
    std::string state;
    const char* tokens[] = {"A", "B", "C", "D", "E", "F", "G", "H", "K", "12", "70"};
    for (int i = 0; state.size() < 130; ++i) state += tokens[i % 11];
    state.resize(130);
    if (state.back() == '1' || state.back() == '7') state.back() = 'A';  // no half note token
    ASSERT_TRUE(isWellFormedState(state));

    storeGridState(app, 1, state);
    ASSERT_TRUE(saveSettings(app));
    TextList lines = saved();
    EXPECT_EQ(lines.getValue("gv1:A").s, state.substr(0, 60));
    EXPECT_EQ(lines.getValue("gv1:B").s, state.substr(60, 60));
    EXPECT_EQ(lines.getValue("gv1:C").s, state.substr(120));
    EXPECT_EQ(lines.getValue("gv1:C").length(), 10);
    EXPECT_FALSE(lines.hasKey("gv1:D"));

    resetAppState(app);
    EXPECT_EQ(loadSettingsFile(app, path), SettingsLoaded);
    EXPECT_EQ(gridStateOf(app, 1).s, state);
    EXPECT_EQ(app.game.gridStates.count(), kOfferedGridCount);
    EXPECT_TRUE(gridStateOf(app, 2).isEmpty());
}

TEST_F(SettingsFile, PiecesStopAtTheFirstMissingOneAndMalformedStatesAreDropped) {
    loadText("ver=3.6\r\ngv1:A=ABC\r\ngv1:C=DEF\r\ngv2:A=AB9Z\r\ngv3:A=12\r\ngv3:B=3\r\ngv4:A=kh\r\n");
    EXPECT_EQ(gridStateOf(app, 1).s, "ABC");
    EXPECT_TRUE(gridStateOf(app, 2).isEmpty());
    EXPECT_TRUE(gridStateOf(app, 3).isEmpty()) << "a note token is two digits";
    EXPECT_EQ(gridStateOf(app, 4).s, "kh");
    ASSERT_TRUE(saveSettings(app));
    TextList lines = saved();
    EXPECT_FALSE(lines.hasKey("gv2:A"));
    EXPECT_FALSE(lines.hasKey("gv1:C"));
}

TEST_F(SettingsFile, OlderFormatTurnsDigitsIntoLetters) {
    EXPECT_EQ(olderFormatState("2,1234560").s, "ABCDEFG");
    EXPECT_TRUE(olderFormatState("2").isEmpty());
    loadText("gri=2,1234560\r\n");
    EXPECT_EQ(app.game.gridNumber, 2);
    EXPECT_EQ(gridStateOf(app, 2).s, "ABCDEFG");
    EXPECT_EQ(app.game.gridStates.count(), 2);

    loadText("ver=1\r\ngri=3,6600\r\n");
    EXPECT_EQ(gridStateOf(app, 3).s, "FFGG");

    // Without a comma there is no state: the number alone must not become cell values.
    loadText("gri=3\r\n");
    EXPECT_EQ(app.game.gridNumber, 3);
    EXPECT_TRUE(gridStateOf(app, 3).isEmpty());

    // In the current format "gri" holds only the number.
    loadText("ver=3.6\r\ngri=2,1234\r\n");
    EXPECT_EQ(app.game.gridNumber, 2);
    EXPECT_TRUE(gridStateOf(app, 2).isEmpty());
}

TEST_F(SettingsFile, TimesAreReadPerGridAndKeptSane) {
    app.clocks.stopwatches[2].addSeconds(999);
    loadText("ver=3.6\r\ntps1=125\r\ntps3=-50\r\ntps4=99999999999\r\n");
    EXPECT_EQ(app.clocks.stopwatches[1].elapsedSeconds(), 125);
    EXPECT_EQ(app.clocks.stopwatches[2].elapsedSeconds(), 0);
    EXPECT_EQ(app.clocks.stopwatches[3].elapsedSeconds(), 0);
    EXPECT_EQ(app.clocks.stopwatches[4].elapsedSeconds(), kMaxSavedSeconds);
    EXPECT_FALSE(app.clocks.stopwatches[1].running);
}

TEST_F(SettingsFile, SecondsAreWrittenOnlyForTimedGridsWhileTheChronometerIsOn) {
    app.clocks.stopwatches[1].addSeconds(0);
    app.clocks.stopwatches[2].addSeconds(5);
    // A run shorter than one second adds no whole second.
    app.clocks.stopwatches[3].start();
    fakeNow += 900;
    app.clocks.stopwatches[3].stop();
    // A grid that was played but has no saved state keeps its time too.
    app.clocks.stopwatches[5].addSeconds(42);
    storeGridState(app, 1, "ABC");

    ASSERT_TRUE(saveSettings(app));
    TextList lines = saved();
    EXPECT_FALSE(lines.hasKey("tps1"));
    EXPECT_EQ(lines.getValue("tps2").s, "5");
    EXPECT_FALSE(lines.hasKey("tps3"));
    EXPECT_EQ(lines.getValue("tps5").s, "42");

    app.clocks.enabled = 0;
    ASSERT_TRUE(saveSettings(app));
    lines = saved();
    for (const char* key : {"tps1", "tps2", "tps3", "tps4", "tps5"}) EXPECT_FALSE(lines.hasKey(key)) << key;
    EXPECT_EQ(lines.getValue("chro").s, "0");
}

TEST_F(SettingsFile, SavedLinesComeInTheirOrder) {
    app.view.language = 1;
    app.game.gridNumber = 3;
    app.view.scale = 60;
    app.geometry.windowLeft = 120;
    app.geometry.windowTop = 80;
    app.view.candidateFill = 1;
    storeGridState(app, 2, "KE11H");
    app.clocks.stopwatches[2].addSeconds(61);
    app.keptUserLines.add("usr=note");
    TextList lines = settingsLines(app);

    std::vector<std::string> expected = {
        "***-ORNEL 162-***", lines.str(2), "chro=1", "cmpd=" + buildDateText().s, "cviz=1", "gri=3", "left=120",
        "lng=2", "tca=60", "top=80", "vcr=3", "ver=3.6", "gv2:A=KE11H", "tps2=61", "usr=note"};
    EXPECT_EQ(lines.items, expected);
    // The fixed note line must sort before every key, or inserting the keys would split the header.
    EXPECT_TRUE(foldedOrder(lines.str(2), "chro") < 0);

    const std::string& date = buildDateText().s;
    ASSERT_EQ(date.size(), 10u);
    EXPECT_EQ(date[2], '-');
    EXPECT_EQ(date[5], '-');
}

TEST_F(SettingsFile, UserLinesSurviveAndOtherUnknownLinesAreDropped) {
    loadText("ver=3.6\r\nusr=keep me\r\n  USR =second one\r\nusrx=1\r\nfoo=bar\r\n; comment\r\ngri=2\r\n");
    ASSERT_TRUE(saveSettings(app));
    std::string text = readRaw();
    EXPECT_NE(text.find("\r\nusr=keep me\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n  USR =second one\r\n"), std::string::npos);
    EXPECT_EQ(text.find("usrx"), std::string::npos);
    EXPECT_EQ(text.find("foo"), std::string::npos);
    EXPECT_EQ(text.find("comment"), std::string::npos);

    // A second round trip changes nothing.
    loadSettings(app);
    ASSERT_TRUE(saveSettings(app));
    EXPECT_EQ(readRaw(), text);
}

TEST_F(SettingsFile, RoundTripKeepsEverySetting) {
    app.view.language = 1;
    app.game.gridNumber = 4;
    app.view.scale = 70;
    app.geometry.windowLeft = 333;
    app.geometry.windowTop = 222;
    app.clocks.enabled = 1;
    app.view.candidateFill = 1;
    storeGridState(app, 4, "ABCGG12");
    app.clocks.stopwatches[4].addSeconds(3725);
    ASSERT_TRUE(saveSettings(app));

    resetAppState(app);
    loadSettingsFile(app, path);
    EXPECT_EQ(app.view.language, 1);
    EXPECT_EQ(app.game.gridNumber, 4);
    EXPECT_EQ(app.view.scale, 70);
    EXPECT_EQ(app.geometry.windowLeft, 333);
    EXPECT_EQ(app.geometry.windowTop, 222);
    EXPECT_EQ(app.view.candidateFill, 1);
    EXPECT_EQ(gridStateOf(app, 4).s, "ABCGG12");
    EXPECT_EQ(app.clocks.stopwatches[4].elapsedSeconds(), 3725);
}

TEST_F(SettingsFile, HostileFilesNeverCrashAndLeaveSaneValues) {
    std::string bytes = "ver=3.6\r\ngri=2\r\n";
    for (int i = 0; i < 20000; ++i) bytes += "gri=" + std::to_string(i % 7) + "\r\n";
    bytes += std::string(3 * 1000 * 1000, 'Z') + "\r\n";  // one line of megabytes
    for (int c = 0; c < 256; ++c) bytes.push_back(static_cast<char>(c));  // binary bytes, NUL included
    bytes += "\r\ngv1:A=" + std::string(5000, 'A') + "\r\ntca=\x01\xFF\r\n";
    EXPECT_EQ(loadText(bytes), SettingsLoaded);
    EXPECT_GE(app.game.gridNumber, 1);
    EXPECT_LE(app.game.gridNumber, 5);
    EXPECT_EQ(app.view.scale, 40);
    EXPECT_TRUE(gridStateOf(app, 1).isEmpty()) << "a line longer than any the game writes is dropped";

    ASSERT_TRUE(saveSettings(app));
    TextList clean = saved();
    EXPECT_LT(clean.count(), 20);
    EXPECT_LT(clean.maxLength(), 100);
}

TEST_F(SettingsFile, JunkDoesNotCrowdOutTheSettings) {
    std::string bytes;
    for (int i = 0; i < 10000; ++i) bytes += "junk" + std::to_string(i) + "=1\r\n";
    bytes += "ver=3.6\r\nlng=2\r\ngri=4\r\n";
    loadText(bytes);
    EXPECT_EQ(app.view.language, 1);
    EXPECT_EQ(app.game.gridNumber, 4);
}

TEST_F(SettingsFile, OversizedFileIsNotRead) {
    std::string bytes = "ver=3.6\r\nlng=2\r\n";
    bytes += std::string(static_cast<size_t>(kSettingsMaxFileBytes), 'x');
    EXPECT_EQ(loadText(bytes), SettingsTooLarge);
    EXPECT_EQ(app.view.language, 0);
    EXPECT_EQ(app.game.gridNumber, 1);
}

TEST_F(SettingsFile, FailedSaveSaysSoAndKeepsTheOldFile) {
    app.view.language = 1;
    ASSERT_TRUE(saveSettings(app));
    std::string before = readRaw();

    // The new file cannot be created beside the old one.
    fs::create_directories(path + ".new");
    app.view.language = 0;
    EXPECT_FALSE(saveSettings(app));
    EXPECT_EQ(readRaw(), before);
    fs::remove(path + ".new");

    // Nor in a folder that does not exist, nor without a name.
    EXPECT_FALSE(saveSettingsFile(app, (dir / "missing" / "x.TXT").string()));
    EXPECT_FALSE(saveSettingsFile(app, ""));
}

TEST_F(SettingsFile, SaveInterruptedHalfwayLeavesThePreviousFile) {
    app.view.language = 1;
    app.game.gridNumber = 2;
    storeGridState(app, 2, "ABCDEF");
    ASSERT_TRUE(saveSettings(app));
    std::string before = readRaw();

    // A save that stopped after writing half of its new file, as a crash would leave it.
    app.view.language = 0;
    std::string half;
    for (const std::string& line : settingsLines(app).items) half += line + "\r\n";
    half.resize(half.size() / 2);
    writeRaw(half, path + ".new");

    EXPECT_EQ(readRaw(), before);
    resetAppState(app);
    app.settingsPath.assign(path);
    loadSettings(app);
    EXPECT_EQ(app.view.language, 1);
    EXPECT_EQ(gridStateOf(app, 2).s, "ABCDEF");

    // The next save replaces the leftover and then the file.
    app.view.language = 0;
    ASSERT_TRUE(saveSettings(app));
    EXPECT_FALSE(fs::exists(path + ".new"));
    resetAppState(app);
    loadSettingsFile(app, path);
    EXPECT_EQ(app.view.language, 0);
    EXPECT_EQ(gridStateOf(app, 2).s, "ABCDEF");
}

TEST_F(SettingsFile, RecordKeepsWhatTheFileDoesNotSayAndReadsBackWhatItWrites) {
    SettingsRecord written;
    written.title.assign("ORNEL 162");
    written.versionMajor = 3;
    written.versionMinor = 6;
    written.gridNumber = 5;
    written.scale = 70;
    written.windowLeft = 400;
    written.windowTop = 300;
    written.language = 1;
    written.candidateFill = 1;
    storeGridStateIn(written.gridStates, 5, "ABCK12");
    written.seconds[5] = 90;
    written.userLines.add("usr=x");
    ASSERT_TRUE(writeSettingsFile(written, path));

    // A record that starts from other values takes every one the file holds.
    SettingsRecord read;
    read.scale = 50;
    read.windowLeft = 10;
    read.seconds[2] = 8;
    ASSERT_EQ(readSettingsFile(read, path), SettingsLoaded);
    EXPECT_EQ(read.gridNumber, 5);
    EXPECT_EQ(read.scale, 70);
    EXPECT_EQ(read.windowLeft, 400);
    EXPECT_EQ(read.windowTop, 300);
    EXPECT_EQ(read.language, 1);
    EXPECT_EQ(read.candidateFill, 1);
    EXPECT_EQ(read.gridStates.str(5), "ABCK12");
    EXPECT_EQ(read.timesRead, 1);
    EXPECT_EQ(read.seconds[5], 90);
    EXPECT_EQ(read.seconds[2], 0) << "a grid without a time in the file has none";
    EXPECT_EQ(read.userLines.items, written.userLines.items);
    // The header is the program's own: it is written, never read back.
    EXPECT_TRUE(read.title.isEmpty());
    read.title.assign("ORNEL 162");
    read.versionMajor = 3;
    read.versionMinor = 6;
    EXPECT_EQ(settingsFileLines(read).items, settingsFileLines(written).items);

    // Only what every load resets changes when the file says nothing.
    writeRaw("lng=2\r\n");
    SettingsRecord older = read;
    readSettingsFile(older, path);
    EXPECT_EQ(older.windowLeft, 400);
    EXPECT_EQ(older.scale, 70);
    EXPECT_EQ(older.gridNumber, 1);
    EXPECT_TRUE(older.gridStates.isEmpty());
    EXPECT_TRUE(older.userLines.isEmpty());
    EXPECT_EQ(older.timesRead, 0) << "a file of the older format has no times";
}

TEST_F(SettingsFile, NewGridKeepsItsRequestGameAndTimeAndOlderLoadersSeeOnlyTheNumberedGrids) {
    const std::string longState(130, 'K');
    app.game.gridNumber = kNewGridNumber;
    app.game.newGrid.kept = 1;
    app.game.newGrid.request = NewGridRequest{5, 7, 4000000000u};
    storeGridState(app, 2, "GGA");
    storeGridState(app, kNewGridNumber, longState);
    app.clocks.stopwatches[2].addSeconds(75);
    app.clocks.stopwatches[kNewGridNumber].addSeconds(31);
    ASSERT_TRUE(saveSettings(app));
    const TextList lines = saved();
    EXPECT_EQ(lines.getValue("ngr").s, "5,7,4000000000");
    EXPECT_EQ(lines.getValue("gv6:A").s + lines.getValue("gv6:B").s + lines.getValue("gv6:C").s, longState);
    EXPECT_EQ(lines.getValue("tps6").s, "31");
    EXPECT_EQ(lines.getValue("gri").s, "6");

    // Without those lines the file is what the same game without a new grid writes, line for line.
    TextList older;
    for (const std::string& line : lines.items)
        if (line.rfind("ngr=", 0) != 0 && line.rfind("gv6:", 0) != 0 && line.rfind("tps6=", 0) != 0) older.add(line);
    EXPECT_EQ(older.count() + 5, lines.count());
    AppState plain = app;
    plain.game.newGrid.kept = 0;
    storeGridState(plain, kNewGridNumber, "");
    EXPECT_EQ(settingsLines(plain).items, older.items);

    // Read back whole.
    resetAppState(app);
    app.windowTitle.assign("ORNEL 162");
    loadSettingsFile(app, path);
    EXPECT_EQ(app.game.gridNumber, kNewGridNumber);
    EXPECT_EQ(app.game.newGrid.kept, 1);
    EXPECT_EQ(app.game.newGrid.request.size, 5);
    EXPECT_EQ(app.game.newGrid.request.level, 7);
    EXPECT_EQ(app.game.newGrid.request.seed, 4000000000u);
    EXPECT_EQ(gridStateOf(app, kNewGridNumber).s, longState);
    EXPECT_EQ(app.clocks.stopwatches[kNewGridNumber].elapsedSeconds(), 31);
    EXPECT_EQ(gridStateOf(app, 2).s, "GGA");
    EXPECT_EQ(app.clocks.stopwatches[2].elapsedSeconds(), 75);
    EXPECT_EQ(settingsLines(app).items, lines.items);

    // What a loader of grids 1..5 reads: the file without the three kinds of line (gri=6 is then no grid: grid 1).
    writeRaw("");
    ASSERT_TRUE(older.writeFileReplacing(path));
    resetAppState(app);
    loadSettingsFile(app, path);
    EXPECT_EQ(app.game.gridNumber, 1);
    EXPECT_EQ(app.game.newGrid.kept, 0);
    EXPECT_EQ(gridStateOf(app, 2).s, "GGA");
    EXPECT_EQ(app.clocks.stopwatches[2].elapsedSeconds(), 75);
    EXPECT_TRUE(gridStateOf(app, kNewGridNumber).isEmpty());

    // Grid-6 lines without a valid request, or in the older format, are not read.
    for (const char* request : {"", "ngr=6,1,1\r\n", "ngr=5,7\r\n", "ngr=5,7,4294967296\r\n"}) {
        loadText(std::string("ver=3.6\r\ngri=6\r\n") + request + "gv6:A=KKH\r\ntps6=31\r\n");
        EXPECT_EQ(app.game.gridNumber, 1) << request;
        EXPECT_EQ(app.game.newGrid.kept, 0) << request;
        EXPECT_TRUE(gridStateOf(app, kNewGridNumber).isEmpty()) << request;
        EXPECT_EQ(app.clocks.stopwatches[kNewGridNumber].elapsedSeconds(), 0) << request;
        EXPECT_FALSE(settingsLines(app).hasKey("ngr")) << request;
        EXPECT_FALSE(settingsLines(app).hasKey("gv6:A")) << request;
    }
    loadText("ver=1\r\ngri=6\r\nngr=1,1,1\r\n");
    EXPECT_EQ(app.game.newGrid.kept, 0);
    EXPECT_EQ(app.game.gridNumber, 1);
}

TEST_F(SettingsFile, GridStatesArePaddedAndBounded) {
    storeGridState(app, 3, "ABC");
    EXPECT_EQ(app.game.gridStates.count(), 3);
    EXPECT_TRUE(gridStateOf(app, 1).isEmpty());
    storeGridState(app, 0, "X");
    storeGridState(app, 7, "X");
    storeGridState(app, -1, "X");
    EXPECT_EQ(app.game.gridStates.count(), 3);
    storeGridState(app, 3, "D");
    EXPECT_EQ(gridStateOf(app, 3).s, "D");
}

}  // namespace

#include <sstream>

#include "tools/tool.h"

namespace {

TEST_F(SettingsFile, ToolPrintsWhatTheGameLoadsAndSavesItBack) {
    writeRaw("***-ORNEL 162-***\r\nver=3.6\r\nlng=2\r\ngri=3\r\ntca=65\r\nleft=100\r\ntop=90\r\nchro=1\r\n"
             "cviz=0\r\ngv3:A=KE11H\r\ntps3=75\r\ntps1=4\r\nusr=mine\r\nother=1\r\n");
    std::ostringstream out, err;
    std::string copy = (dir / "copy.TXT").string();
    ASSERT_EQ(runTool({"settings", path, "--save", copy}, out, err), 0) << err.str();
    EXPECT_EQ(out.str(),
              "grid=3\nscale=60\nleft=100\ntop=90\nlanguage=en\nchrono=1\ncviz=0\n"
              "seconds 1=4\nstate 3=KE11H\nseconds 3=75\nusr=mine\n");

    std::ostringstream again, err2;
    ASSERT_EQ(runTool({"settings", copy}, again, err2), 0);
    EXPECT_EQ(again.str(), out.str());
    EXPECT_EQ(readRaw(copy).find("other"), std::string::npos);

    std::ostringstream o3, e3;
    EXPECT_EQ(runTool({"settings", (dir / "none.TXT").string()}, o3, e3), 1);
    EXPECT_TRUE(o3.str().empty());
    EXPECT_EQ(runTool({"settings"}, o3, e3), 2);
    EXPECT_EQ(runTool({"settings", path, "--save"}, o3, e3), 2);
    EXPECT_EQ(runTool({"settings", path, "--save", (dir / "no" / "x").string()}, o3, e3), 1);
}

}  // namespace
