// Tests of new grids on demand: uniqueness and grade over many seeds, loading as the game does, the settings line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "content/new_grid.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/solver.h"
#include "tests/test_support.h"
#include "tools/content_check.h"
#include "tools/tool.h"

namespace {

int16_t countGivens(const CellDigits& d) {
    return static_cast<int16_t>(std::count_if(d.begin() + 1, d.end(), [](int16_t v) { return v != 0; }));
}

std::string describe(const NewGrid& n) {
    return n.code.s + " grade " + gradeName(n.grade) + " givens " + std::to_string(countGivens(n.givens));
}

}  // namespace

/*
 * Fifty requests over every size and level, each loaded into a slot through
 * the game's own path: the asked level shows exactly the planned givens, they
 * have one solution and the level's grade; every other level of the grid has
 * one solution too, harder levels never show more givens, and only level 7
 * grids offer a seventh level.
 */
TEST(NewGridTest, EverySizeAndLevelGivesOneSolutionAtTheAskedGrade) {
    int requests = 0, met = 0;
    int16_t smaller = 0;  // cells of the size before
    for (uint32_t round = 0; round < 2; ++round) {
        for (int16_t size = 1; size <= kNewGridSizes; ++size) {
            for (int16_t level = 1; level <= 7; ++level) {
                if (round == 1 && level % 3 != 1) continue;  // a second seed for levels 1, 4 and 7
                NewGridRequest r;
                r.size = size;
                r.level = level;
                r.seed = 7919u * round + 31u * static_cast<uint32_t>(size * 7 + level);
                NewGrid n;
                ASSERT_TRUE(makeNewGrid(r, n));
                ++requests;
                met += n.meetsGrade;
                EXPECT_EQ(n.meetsGrade, n.grade == newGridGrade(size, level) ? 1 : 0);
                Grid g;
                loadNewGrid(g, n);
                EXPECT_EQ(g.displayedLevel, level) << describe(n);
                EXPECT_EQ(g.gridCode.s, n.code.s);
                const SolverModel model = modelFromGrid(g);
                if (round == 0 && level == 1) {
                    EXPECT_GT(model.cellCount, smaller) << describe(n);
                    smaller = model.cellCount;
                }
                ASSERT_TRUE(solutionObeysRule(model, solutionOfGrid(g))) << describe(n);
                EXPECT_EQ(solutionOfGrid(g), n.solution) << describe(n);
                CellDigits givens = givensOfGrid(g);
                EXPECT_EQ(givens, n.givens) << describe(n);
                EXPECT_EQ(countSolutions(model, givens, 2), 1) << describe(n);
                EXPECT_EQ(gradePuzzle(model, givens).grade, n.grade) << describe(n);
                EXPECT_LE(n.grade, newGridGrade(size, level)) << describe(n);
                EXPECT_EQ(diabolicAvailable(g), level == 7) << describe(n);
                int16_t fewer = 32767;
                for (int16_t other = 1; other <= 7; ++other) {
                    setLevel(g, other);
                    CellDigits at = givensOfGrid(g);
                    EXPECT_EQ(countSolutions(model, at, 2), 1) << describe(n) << " at level " << other;
                    EXPECT_LE(countGivens(at), fewer) << describe(n) << " at level " << other;
                    fewer = countGivens(at);
                }
            }
        }
    }
    EXPECT_EQ(requests, 50);
    EXPECT_GE(met, 49);
    // Level 7 is the hardest grade, and no level is harder than the next.
    for (int16_t size = 1; size <= kNewGridSizes; ++size)
        for (int16_t level = 2; level <= 7; ++level) EXPECT_LE(newGridGrade(size, level - 1), newGridGrade(size, level));
    EXPECT_EQ(newGridGrade(5, 7), Grade::Subset);
    EXPECT_EQ(newGridGrade(1, 7), Grade::Pointing);
}

TEST(NewGridTest, TheSeedAloneDecidesTheGridAndTheSettingLineReadsBack) {
    NewGridRequest r;
    r.size = 3;
    r.level = 5;
    r.seed = 4000000000u;
    NewGrid a, b, c;
    ASSERT_TRUE(makeNewGrid(r, a));
    ASSERT_TRUE(makeNewGrid(r, b));
    EXPECT_EQ(a.lines.items, b.lines.items);
    EXPECT_EQ(a.code.s, "N3-5-4000000000");
    EXPECT_EQ(a.shapeCode.s, "2214-7");
    r.seed = 4000000001u;
    ASSERT_TRUE(makeNewGrid(r, c));
    EXPECT_NE(a.lines.items, c.lines.items);

    NewGridRequest back;
    ASSERT_TRUE(readNewGridSetting(newGridSettingValue(r), back));
    EXPECT_EQ(back.size, 3);
    EXPECT_EQ(back.level, 5);
    EXPECT_EQ(back.seed, 4000000001u);
    for (const char* bad : {"", "3,5", "3,5,", "3,5,1,2", "0,5,1", "6,5,1", "3,8,1", "3,0,1", "3,5,4294967296",
                            "3, 5,1", "-3,5,1", "3,5,99999999999", "3;5;1"}) {
        NewGridRequest untouched = back;
        EXPECT_FALSE(readNewGridSetting(bad, untouched)) << bad;
        EXPECT_EQ(untouched.seed, back.seed) << bad;
    }
    EXPECT_TRUE(readNewGridSetting("5,7,4294967295", back));
    EXPECT_FALSE(makeNewGrid(NewGridRequest{0, 1, 1}, a));
}

/*
 * A settings file holding a new grid: ornel-tool proves it from the file, and
 * the settings loader of the five numbered grids reads the same file as it
 * would without the new grid's lines, and writes none of them back.
 */
TEST(NewGridTest, SettingsFileKeepsTheRequestWithItsGameAndTime) {
    namespace fs = std::filesystem;
    fs::path dir = freshTempDir("ornel_newgrid_");
    const std::string plain = "***-ORNEL 162-***\r\nver=2\r\ngri=2\r\nlng=2\r\ngv2:A=GGA\r\ntps2=75\r\n";
    const std::string extra = "ngr=2,4,99\r\ngv6:A=KKKKKKKKKKH\r\ntps6=31\r\n";
    auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream((dir / name).string(), std::ios::binary) << text;
        return (dir / name).string();
    };
    std::string withNew = write("new.txt", plain + extra);
    std::string without = write("old.txt", plain);

    std::ostringstream out, err;
    EXPECT_EQ(runTool({"newgrid-check", withNew}, out, err), 0) << out.str() << err.str();
    EXPECT_NE(out.str().find("code=N2-4-99 shape=1950-49"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("solutions=1 grade=pointing asked=pointing proof=yes"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("state=valid seconds=31\nhint=placement cell=L"), std::string::npos) << out.str();

    std::ostringstream made, err2;
    EXPECT_EQ(runTool({"newgrid", "2", "4", "99"}, made, err2), 0);
    EXPECT_NE(made.str().find("setting=ngr=2,4,99\n"), std::string::npos);
    std::ostringstream none, err3;
    EXPECT_EQ(runTool({"newgrid-check", without}, none, err3), 1);
    EXPECT_EQ(runTool({"newgrid", "6", "1", "1"}, none, err3), 2);

    std::ostringstream a, b, e;
    ASSERT_EQ(runTool({"settings", withNew, "--save", (dir / "saved.txt").string()}, a, e), 0) << e.str();
    ASSERT_EQ(runTool({"settings", without}, b, e), 0) << e.str();
    // The numbered grids read alike with and without the new grid's lines, which add grid 6.
    EXPECT_EQ(a.str(), b.str() + "state 6=KKKKKKKKKKH\nseconds 6=31\n");
    std::ifstream saved((dir / "saved.txt").string(), std::ios::binary);
    std::string savedText((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(savedText.find("ngr=2,4,99\r\n"), std::string::npos) << savedText;
    EXPECT_NE(savedText.find("gv6:A=KKKKKKKKKKH\r\ntps6=31\r\n"), std::string::npos) << savedText;
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}
