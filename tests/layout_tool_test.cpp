// Tests of ornel-tool layout: the positions it prints are where the game finds cells, hexagons and arrows.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "content/collection.h"
#include "puzzle/grid.h"
#include "puzzle/preparation.h"
#include "render/grid_drawing.h"
#include "tests/tool_run.h"
#include "tools/tool.h"

namespace {

ToolRun layoutOf(const ToolArgs& args) { return runToolCommand(toolLayout, args); }

// Every output line cut into words, grouped by its first word.
std::multimap<std::string, std::vector<std::string>> linesOf(const std::string& text) {
    std::multimap<std::string, std::vector<std::string>> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        std::string word;
        while (words >> word) w.push_back(word);
        if (!w.empty()) lines.emplace(w[0], w);
    }
    return lines;
}

std::vector<std::string> first(const std::multimap<std::string, std::vector<std::string>>& lines, const std::string& key) {
    auto it = lines.find(key);
    return it == lines.end() ? std::vector<std::string>{} : it->second;
}

int number(const std::vector<std::string>& words, size_t i) {
    return i < words.size() ? std::stoi(words[i]) : -99999;
}

}  // namespace

TEST(LayoutTool, PrintedCentresAreWhereTheGameFindsEachCellAndHexagon) {
    ToolRun r = layoutOf({"2105-9", "--scale", "50"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = linesOf(r.out);
    // The same grid as the game has it on screen at that scale.
    Grid g;
    loadBuiltInGrid(g, "2105-9");
    setCellSize(g, 50);
    setView(g, kLoadedNoteLayout);
    prepareGrid(g);
    std::vector<std::string> origin = first(lines, "origin");
    ASSERT_EQ(origin.size(), 3u);
    const int ox = number(origin, 1), oy = number(origin, 2);
    ASSERT_EQ(lines.count("cell"), static_cast<size_t>(g.cellCount));
    ASSERT_EQ(lines.count("hexagon"), static_cast<size_t>(g.hexagonCount));
    ASSERT_EQ(lines.count("corner"), static_cast<size_t>(g.cornerPoints.count()));
    // A click at a printed position, turned into grid coordinates as the game does, finds that very item.
    auto range = lines.equal_range("cell");
    for (auto it = range.first; it != range.second; ++it) {
        const auto& w = it->second;
        EXPECT_EQ(cellAtPoint(g, number(w, 2) - ox, oy - number(w, 3)), number(w, 1)) << w[1];
    }
    range = lines.equal_range("hexagon");
    for (auto it = range.first; it != range.second; ++it) {
        const auto& w = it->second;
        EXPECT_EQ(hexagonAtPoint(g, number(w, 2) - ox, oy - number(w, 3)), number(w, 1)) << w[1];
    }
    range = lines.equal_range("corner");
    for (auto it = range.first; it != range.second; ++it) {
        const auto& w = it->second;
        EXPECT_EQ(cornerAtPoint(g, number(w, 2) - ox, oy - number(w, 3)), number(w, 1)) << w[1];
    }
    std::vector<std::string> window = first(lines, "window"), clientSize = first(lines, "client");
    EXPECT_EQ(number(clientSize, 1), number(window, 1) - 6);
    EXPECT_EQ(number(clientSize, 2), number(window, 2) - 25);
    EXPECT_EQ(first(lines, "frame"), (std::vector<std::string>{"frame", "3", "22"}));
    EXPECT_EQ(first(lines, "scale"), (std::vector<std::string>{"scale", "50"}));
    EXPECT_EQ(lines.count("arrow"), 4u);
}

TEST(LayoutTool, LargeGridShowsTheRightArrowOnScreenAndScreenCoordinatesShiftByTheClient) {
    ToolRun client = layoutOf({"2330-1", "--scale", "70", "--screen", "1024x768", "--at", "60,60"});
    ToolRun screen = layoutOf({"2330-1", "--scale", "70", "--screen-coords"});
    ASSERT_EQ(client.status, 0) << client.err;
    ASSERT_EQ(screen.status, 0) << screen.err;
    auto c = linesOf(client.out), s = linesOf(screen.out);
    EXPECT_EQ(first(c, "client-at"), (std::vector<std::string>{"client-at", "63", "82"}));
    EXPECT_EQ(first(s, "coordinates"), (std::vector<std::string>{"coordinates", "screen"}));
    std::vector<std::string> right;
    for (auto it = s.equal_range("arrow").first; it != s.equal_range("arrow").second; ++it)
        if (it->second[1] == "right") right = it->second;
    ASSERT_EQ(right.size(), 9u);
    EXPECT_EQ(right[3], "1");
    EXPECT_LT(number(right, 7), 1024);
    // Same cells, shifted by the client area's screen position.
    auto ci = c.equal_range("cell");
    auto si = s.equal_range("cell");
    for (; ci.first != ci.second && si.first != si.second; ++ci.first, ++si.first) {
        EXPECT_EQ(number(si.first->second, 2), number(ci.first->second, 2) + 63);
        EXPECT_EQ(number(si.first->second, 3), number(ci.first->second, 3) + 82);
    }
    // Scrolled: the pan is clamped to its range and the grid moves left.
    ToolRun far = layoutOf({"2330-1", "--scale", "70", "--pan", "-50,3"});
    auto f = linesOf(far.out);
    EXPECT_EQ(first(f, "pan")[1], first(f, "pan-range")[1]);
    EXPECT_EQ(first(f, "pan")[2], "0");
    EXPECT_LT(number(first(f, "origin"), 1), number(first(c, "origin"), 1));
}

TEST(LayoutTool, BadArgumentsGiveOneLineAndAStatus) {
    const ToolArgs malformed[] = {{},
                                  {"2214-7", "--scale"},
                                  {"2214-7", "--screen", "1024"},
                                  {"2214-7", "--at", "1;2"},
                                  {"2214-7", "--frame", "-1,3"},
                                  {"2214-7", "--pan", "nan,0"},
                                  {"2214-7", "--colour"},
                                  {"2214-7", "2105-9"}};
    for (const ToolArgs& args : malformed) {
        ToolRun r = layoutOf(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    ToolRun unknown = layoutOf({"9999-9"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(std::count(unknown.err.begin(), unknown.err.end(), '\n'), 1);
    // Odd but well-formed values are taken in and made usable.
    ToolRun odd = layoutOf({"2214-7", "--scale", "9999", "--at", "-500,30000", "--screen", "0x0"});
    ASSERT_EQ(odd.status, 0) << odd.err;
    auto o = linesOf(odd.out);
    EXPECT_EQ(first(o, "scale"), (std::vector<std::string>{"scale", "70"}));
    EXPECT_EQ(first(o, "screen"), (std::vector<std::string>{"screen", "1024", "768"}));
    EXPECT_EQ(number(first(o, "position"), 1), 0);
    EXPECT_LE(number(first(o, "position"), 2), 768 - 30 - 240);
    ToolRun help = layoutOf({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("arrow right|left|top|bottom shown 0|1 rect L T R B"), std::string::npos);
}

#ifndef ORNEL_WINDOWS_BUILD
#include <cstdio>
#include <sys/wait.h>

TEST(LayoutTool, TheProgramPrintsTheSameLayout) {
    std::string tool = ORNEL_TOOL_PATH;
    if (tool.empty()) GTEST_SKIP() << "no ornel-tool binary in this build";
    int exitStatus = 0;
    std::string out = runToolProgram("layout 2214-7 --scale 60", exitStatus);
    EXPECT_EQ(exitStatus, 0);
    int status = 0;
    EXPECT_EQ(out, layoutOf({"2214-7", "--scale", "60"}).out);
    status = std::system((tool + " layout 2214-7 --dpi zero >/dev/null 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}
#endif
