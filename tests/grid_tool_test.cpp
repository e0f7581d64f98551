// Tests of ornel-tool grid: the report of a built grid, levels and states applied, and option errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "tools/tool.h"

namespace {

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

ToolRun grid(const ToolArgs& args) {
    std::ostringstream out, err;
    ToolRun r;
    r.status = toolGrid(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
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
