// Start-up with damaged settings files: sane values after the load, and a clean file after the next save.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/app_state.h"
#include "content/collection.h"
#include "app/app_settings.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"
#include "ui/settings.h"

namespace fs = std::filesystem;

namespace {

class SettingsHostile : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        dir = fs::temp_directory_path() /
              ("ornel_hostile_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
               "_" + std::to_string(serial++));
        fs::create_directories(dir);
        path = (dir / "ORNEL 162.TXT").string();
        app.game.gridCount = kOfferedGridCount;
        fileWriteFaults = FileWriteFaults{};
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    void startWith(const std::string& bytes) {
        {
            std::ofstream out(path, std::ios::binary);
            out << bytes;
        }
        resetAppState(app);
        app.windowTitle.assign("ORNEL 162");
        app.settingsPath.assign(path);
        loadSettings(app);
    }
    void expectSane(const std::string& what) {
        EXPECT_GE(app.game.gridNumber, 1) << what;
        EXPECT_LE(app.game.gridNumber, kOfferedGridCount) << what;
        EXPECT_TRUE(app.view.scale == 40 || app.view.scale == 50 || app.view.scale == 60 || app.view.scale == 70) << what;
        EXPECT_EQ(app.game.grids[0].cellSize, app.view.scale) << what;
        EXPECT_LE(app.view.language, 1) << what;
        EXPECT_LE(std::abs(app.geometry.windowLeft), kFarthestPosition) << what;
        EXPECT_LE(std::abs(app.geometry.windowTop), kFarthestPosition) << what;
        EXPECT_LE(app.game.gridStates.count(), kOfferedGridCount) << what;
        for (int n = 1; n < kStopwatchCount; ++n) {
            EXPECT_GE(app.clocks.stopwatches[n].elapsedSeconds(), 0) << what;
            EXPECT_LE(app.clocks.stopwatches[n].elapsedSeconds(), kMaxSavedSeconds) << what;
        }
    }
    /*
     * The save after a damaged start writes a clean file: only the lines a save
     * makes, short ones, which load back to the same values and save to the same bytes.
     */
    void expectCleanSave(const std::string& what) {
        const TextList written = settingsLines(app);
        ASSERT_TRUE(saveSettings(app)) << what;
        std::string bytes;
        {
            std::ifstream in(path, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), {});
        }
        TextList lines;
        lines.readFile(path);
        EXPECT_EQ(lines.items, written.items) << what;
        EXPECT_LE(lines.count(), kSettingsMaxOwnLines) << what;
        for (const std::string& line : lines.items) {
            EXPECT_LE(line.size(), 80u) << what;
            for (unsigned char c : line) EXPECT_GE(c, 32) << what;
        }
        AppState before = app;
        resetAppState(app);
        app.windowTitle.assign("ORNEL 162");
        app.settingsPath.assign(path);
        loadSettings(app);
        EXPECT_EQ(app.game.gridNumber, before.game.gridNumber) << what;
        EXPECT_EQ(app.view.scale, before.view.scale) << what;
        EXPECT_EQ(app.view.language, before.view.language) << what;
        EXPECT_EQ(app.geometry.windowLeft, before.geometry.windowLeft) << what;
        EXPECT_EQ(app.geometry.windowTop, before.geometry.windowTop) << what;
        EXPECT_EQ(app.clocks.enabled, before.clocks.enabled) << what;
        EXPECT_EQ(app.view.candidateFill, before.view.candidateFill) << what;
        ASSERT_TRUE(saveSettings(app)) << what;
        std::ifstream again(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), bytes) << what;
    }

    fs::path dir;
    std::string path;
    AppState app;
};

// A file the game wrote, with a saved game on grid 2.
std::string goodFile() {
    return "***-ORNEL 162-***\r\n*** note ***\r\nchro=1\r\ncviz=1\r\ngri=2\r\nleft=200\r\nlng=2\r\ntca=60\r\n"
           "top=150\r\nvcr=3\r\nver=3.6\r\ngv2:A=KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK\r\n"
           "gv2:B=ABCDEF\r\ntps2=321\r\nusr=my own line\r\n";
}

TEST_F(SettingsHostile, EveryDamagedFileGivesSaneValuesAndACleanSave) {
    std::mt19937 random(162);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random() & 0xFF);
    std::string absurd =
        "ver=99999999999999\r\nlng=-7\r\ngri=-2147483648\r\ntca=2147483647\r\ntop=-32768\r\nleft=99999999999\r\n"
        "chro=\xFF\xFE\r\ncviz=--1\r\ngv1:A=\x01\x02\x03\r\ngv2:A=" + std::string(4000, '7') + "\r\n"
        "tps1=-99999999999\r\ntps2=99999999999999999999\r\ntps3=12abc\r\nvcr=\r\ncmpd=junk\r\n";
    const std::pair<const char*, std::string> files[] = {
        {"empty", ""},
        {"binary noise", noise},
        {"4 MB of one line", std::string(4 * 1024 * 1024 - 16, 'x') + "\r\n"},
        {"every key absurd", absurd},
        {"truncated", goodFile().substr(0, goodFile().size() / 2)},
        {"only line ends", std::string(100000, '\n')},
    };
    for (const auto& [what, bytes] : files) {
        startWith(bytes);
        expectSane(what);
        expectCleanSave(what);
    }
}

TEST_F(SettingsHostile, AbsurdValuesFallBackToTheStartValues) {
    startWith("ver=3.6\r\nlng=-7\r\ngri=-2147483648\r\ntca=2147483647\r\ntop=-32768\r\nleft=99999999999\r\n"
              "tps1=-99999999999\r\ntps2=99999999999999999999\r\n");
    EXPECT_EQ(app.view.language, 0);
    EXPECT_EQ(app.game.gridNumber, 1);
    EXPECT_EQ(app.view.scale, 70);
    EXPECT_EQ(app.geometry.windowTop, kStartWindowTop);
    EXPECT_EQ(app.geometry.windowLeft, kStartWindowLeft);
    EXPECT_EQ(app.clocks.stopwatches[1].elapsedSeconds(), 0);
    EXPECT_EQ(app.clocks.stopwatches[2].elapsedSeconds(), kMaxSavedSeconds);
}

TEST_F(SettingsHostile, ATruncatedFileKeepsWhatCameBeforeTheCut) {
    std::string good = goodFile();
    startWith(good.substr(0, good.find("gv2:B")));
    EXPECT_EQ(app.view.language, 1);
    EXPECT_EQ(app.game.gridNumber, 2);
    EXPECT_EQ(app.view.scale, 60);
    // The first piece alone is a well-formed state; it is the grid that refuses it (too few cells).
    EXPECT_EQ(gridStateOf(app, 2).length(), 60);
}

TEST_F(SettingsHostile, AStateStringOfAnotherGridRestoresNothing) {
    // The state saved for a grid of another shape: too many cells, and too few.
    TextString code = gridCodeOfNumber(1);
    Grid g;
    loadBuiltInGrid(g, code);
    prepareGrid(g);
    ASSERT_GT(g.cellCount, 10);
    ASSERT_LE(g.cellCount, 50);
    const std::string tooLong(static_cast<size_t>(g.cellCount) + 5, 'G');
    const std::string tooShort = "ABCDEF";
    for (const std::string& state : {tooLong, tooShort}) {
        startWith("ver=3.6\r\ngri=1\r\ngv1:A=" + state + "\r\n");
        ASSERT_EQ(app.game.gridNumber, 1);
        ASSERT_EQ(gridStateOf(app, 1).s, state) << "the file holds a well-formed state";
        TextList moves;
        EXPECT_FALSE(readStateString(g, gridStateOf(app, 1), moves));
        for (int16_t i = 1; i <= g.cellCount; ++i) {
            if (!isCellFixed(g, i)) {
                EXPECT_EQ(cellValue(g, i), 0) << i;
            }
            EXPECT_EQ(cellNotes(g, i), 0) << i;
        }
        EXPECT_TRUE(moves.isEmpty());
    }
}

TEST_F(SettingsHostile, ThePlayersLinesKeepTheirOrderThroughLoadsAndSaves) {
    startWith("ver=3.6\r\nusr=b\r\nUSR=A\r\nusr=a\r\n  usr =z\r\nusr=B\r\n");
    const std::vector<std::string> order = {"usr=b", "USR=A", "usr=a", "  usr =z", "usr=B"};
    EXPECT_EQ(app.keptUserLines.items, order);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(saveSettings(app));
        app.keptUserLines.clear();
        loadSettings(app);
        EXPECT_EQ(app.keptUserLines.items, order) << round;
    }

    // No more of them than a save can write and the next load read back.
    std::string many = "ver=3.6\r\n";
    for (int i = 0; i < kSettingsMaxUserLines + 50; ++i) many += "usr=" + std::string(4000, 'u') + "\r\n";
    startWith(many);
    EXPECT_EQ(app.keptUserLines.count(), kSettingsMaxUserLines);
    ASSERT_TRUE(saveSettings(app));
    EXPECT_LE(fs::file_size(path), static_cast<uintmax_t>(kSettingsMaxFileBytes));
    TextList kept = app.keptUserLines;
    app.keptUserLines.clear();
    loadSettings(app);
    EXPECT_EQ(app.keptUserLines.items, kept.items);
}

}  // namespace
