// Tests of ornel-tool grid and keys: the report of a built grid, levels and states applied, option errors, and keys that solve.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "content/collection.h"
#include "puzzle/cell_navigation.h"
#include "puzzle/grid.h"
#include "puzzle/preparation.h"
#include "tests/tool_run.h"
#include "tools/tool.h"

namespace {

ToolRun grid(const ToolArgs& args) { return runToolCommand(toolGrid, args); }

ToolRun keys(const ToolArgs& args) { return runToolCommand(toolKeys, args); }

// What the keys of ornel-tool keys do to a fresh grid, by the game's key table: a digit selects,
// the first arrow shows the cursor on `start` and each later one steps as cellToward does, space
// places the selected digit in the cursor's cell, which must be empty. Returns a complaint or "".
std::string replayKeys(Grid& g, int16_t start, const std::string& keyLines, int& spaces) {
    int16_t selected = 1, cursor = 0;
    spaces = 0;
    std::istringstream in(keyLines);
    std::string key;
    while (std::getline(in, key)) {
        Heading h = Heading::Left;
        const bool arrow = key == "Left" || key == "Right" || key == "Up" || key == "Down";
        if (key == "Right") h = Heading::Right;
        if (key == "Up") h = Heading::Up;
        if (key == "Down") h = Heading::Down;
        if (key.size() == 1 && key[0] >= '1' && key[0] <= '6') {
            selected = static_cast<int16_t>(key[0] - '0');
        } else if (arrow) {
            cursor = cursor == 0 ? start : cellToward(g, cursor, h);
        } else if (key == "space") {
            if (!isValidCell(g, cursor)) return "space with the cursor hidden";
            if (cellValue(g, cursor) != 0) return "space on cell " + std::to_string(cursor) + ", which is not empty";
            setCellValue(g, cursor, selected);
            ++spaces;
        } else {
            return "unknown key '" + key + "'";
        }
    }
    return "";
}

}  // namespace

TEST(GridTool, ThreeHexagonsAroundTheOriginReportFourComplete) {
    ToolRun r = grid({"XA", "XC", "XE"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("cells=18 hexagons=4 ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nstate=KKKKKK\n"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST(GridTool, LevelAndStateAreAppliedInLoadOrder) {
    // One hexagon: level 2 shows the 95s and 100s; the player's 4 in :AF comes back from the state.
    ToolRun r = grid({"--level", "2", "--state", "ADKG", "X", "WPJ%100", "VQJ%80", "--size", "60"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("level=2 effective=5 displayed=2 percent=95 diabolic=0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("cell 1 :AB row=1 col=3 x=30 y=17 value=1 fixed=1 solution=1 level=100 candidates=1 notes=0\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("cell 2 :AF row=2 col=3 x=30 y=-17 value=4 fixed=0 solution=2 level=80 candidates=8 notes=0\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\nstate=ADKG\n"), std::string::npos);
}

TEST(GridTool, InvalidStateIsReportedAndCleared) {
    ToolRun r = grid({"X", "--state", "ABCDEFA"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\nstate=KK\n"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
}

TEST(GridTool, MalformedOptionsGiveOneLineAndStatusTwo) {
    const ToolArgs bad[] = {{"--size"}, {"--size", "abc", "X"}, {"--size", "0"}, {"--level", "8"},
                            {"--level", "-1"}, {"--state"}, {"--colour", "red"}, {"--size", "99999999999"}};
    for (const ToolArgs& args : bad) {
        ToolRun r = grid(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(GridTool, BadEntriesAndNoEntriesStillReport) {
    ToolRun r = grid({"QQQ", "AW%", "XFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("cells=1 hexagons=0 ", 0), 0u) << r.out;
    ToolRun e = grid({});
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.out.rfind("cells=0 hexagons=0 partial=0 units=0 corners=0", 0), 0u) << e.out;
}

/*
 * The keys printed for every numbered grid, replayed with the game's own steps from the
 * first empty cell and from a clicked cell elsewhere, fill each empty cell once with its
 * solution digit: the grid ends solved. A grid number or start cell out of range is refused.
 */
TEST(KeysTool, PrintedKeysPlayEveryNumberedGridToItsSolution) {
    for (int16_t n = 1; n <= kOfferedGridCount; ++n) {
        Grid fresh;
        ASSERT_NE(loadBuiltInGrid(fresh, gridCodeOfNumber(n)), nullptr);
        prepareGrid(fresh);
        int empty = 0;
        for (int16_t c = 1; c <= fresh.cellCount; ++c) empty += cellValue(fresh, c) == 0;
        ASSERT_GT(empty, 0) << "grid " << n;
        for (int16_t start : {firstEmptyCell(fresh), fresh.cellCount}) {
            ToolArgs args = {std::to_string(n)};
            if (start != firstEmptyCell(fresh)) args.push_back(std::to_string(start));
            ToolRun r = keys(args);
            ASSERT_EQ(r.status, 0) << r.err;
            Grid g = fresh;
            int spaces = 0;
            EXPECT_EQ(replayKeys(g, start, r.out, spaces), "") << "grid " << n << " from cell " << start;
            EXPECT_EQ(spaces, empty) << "grid " << n;
            for (int16_t c = 1; c <= g.cellCount; ++c)
                EXPECT_EQ(cellValue(g, c), g.cells[c].solution) << "grid " << n << " cell " << c << " from " << start;
        }
    }
    EXPECT_EQ(keys({"0"}).status, 2);
    EXPECT_EQ(keys({"6"}).status, 2);
    EXPECT_EQ(keys({"1", "0"}).status, 2);
    EXPECT_EQ(keys({"1", "19"}).status, 2);
    EXPECT_EQ(keys({}).status, 2);
}
