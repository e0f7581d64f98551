// Tests of the built-in puzzle content: every grid, every level, through the game's own loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "content/collection.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "tools/content_check.h"
#include "tools/tool.h"

namespace {

GridCheck checked(const char* code) {
    GridCheck c;
    EXPECT_TRUE(checkBuiltInGrid(code, c)) << code;
    return c;
}

std::string describe(const GridCheck& c) {
    std::ostringstream s;
    s << c.code << ":";
    for (const LevelCheck& l : c.levels)
        s << " L" << l.level << " givens=" << l.givens << " solutions=" << l.solutions << " " << gradeName(l.grade.grade);
    for (const std::string& p : c.problems) s << " [" << p << "]";
    return s.str();
}

long linesIn(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

}  // namespace

TEST(ContentCheckTest, EveryLevelOfEveryGridHasExactlyOneSolution) {
    for (int16_t i = 1; i <= builtInGridTotal(); ++i) {
        GridCheck c = checked(builtInGridAt(i)->code);
        EXPECT_TRUE(c.passed()) << describe(c);
        EXPECT_TRUE(c.solutionValid) << c.code << " breaks the rule at " << c.badCell;
        EXPECT_TRUE(c.problems.empty()) << describe(c);
        ASSERT_EQ(c.levels.size(), c.diabolic ? 7u : 6u) << c.code;
        for (const LevelCheck& l : c.levels) {
            EXPECT_EQ(l.solutions, 1) << describe(c);
            EXPECT_NE(l.grade.grade, Grade::Invalid) << describe(c);
            EXPECT_NE(l.grade.grade, Grade::Search) << describe(c);
        }
        // The level the game loads the grid at: neither trivial nor a guessing game.
        Grade atLoad = c.levels[c.builtInLevel - 1].grade.grade;
        EXPECT_GE(atLoad, Grade::HiddenSingle) << describe(c);
        EXPECT_LE(atLoad, Grade::Subset) << describe(c);
    }
}

TEST(ContentCheckTest, CollectionCoversTheShapesAndLevelsItPromises) {
    int diabolic = 0, withHole = 0, loose = 0;
    for (int16_t i = 1; i <= builtInGridTotal(); ++i) {
        GridCheck c = checked(builtInGridAt(i)->code);
        diabolic += c.diabolic;
        withHole += c.holeCount > 0;
        loose += c.packing >= 2;
        // Larger grids need more than singles at their hardest level.
        if (c.cellCount >= 60) {
            EXPECT_GE(c.levels.back().grade.grade, Grade::Pointing) << describe(c);
        }
    }
    EXPECT_GE(diabolic, 2);
    EXPECT_GE(withHole, 1);
    EXPECT_GE(loose, 2);
}

TEST(ContentCheckTest, NumberedGridsRiseInSizeAndDifficulty) {
    int16_t cells = 0, level = 0;
    Grade hardest = Grade::Given;
    for (int16_t n = 1; n <= 5; ++n) {
        GridCheck c = checked(gridCodeOfNumber(n).text());
        EXPECT_GT(c.cellCount, cells) << c.code;
        EXPECT_GT(c.builtInLevel, level) << c.code;
        EXPECT_GE(c.levels.back().grade.grade, hardest) << c.code;
        cells = c.cellCount;
        level = c.builtInLevel;
        hardest = c.levels.back().grade.grade;
    }
    // The last one does not fit a 1024 x 768 screen at scale 70: the player scrolls.
    Grid g;
    loadBuiltInGrid(g, gridCodeOfNumber(5));
    setCellSize(g, 70);
    ensurePositions(g);
    GridBox box = boundingBox(g);
    EXPECT_TRUE(box.right - box.left > 900 || box.top - box.bottom > 700)
        << "width " << box.right - box.left << " height " << box.top - box.bottom;
}

TEST(ContentCheckTest, DescriptionsUseTheirLineCountsAndCommentPadding) {
    for (int16_t i = 1; i <= builtInGridTotal(); ++i) {
        const BuiltInGrid* b = builtInGridAt(i);
        BuiltInLookup found = findBuiltInGrid(b->code);
        ASSERT_EQ(found.grid, b);
        EXPECT_EQ(found.lines.count(), b->lineCount);
        // Only the percentages of the level table appear as tokens.
        for (const std::string& line : found.lines.items) {
            for (const std::string& t : splitItems(line).items) {
                if (t.empty() || t[0] != '%') continue;
                EXPECT_TRUE(t == "%0" || t == "%75" || t == "%80" || t == "%85" || t == "%90" || t == "%95" ||
                            t == "%100" || t == "%120")
                    << b->code << ": " << t;
            }
        }
    }
}

TEST(ContentCheckTest, ToolCheckPassesAndReportsUnknownCodes) {
    std::ostringstream out, err;
    EXPECT_EQ(runTool({"check"}, out, err), 0) << out.str();
    std::string text = out.str();
    ASSERT_FALSE(text.empty());
    std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
    EXPECT_NE(last.find(" passed, 0 failed"), std::string::npos) << last;
    EXPECT_NE(text.find("1251-1 level=1 givens="), std::string::npos);
    EXPECT_TRUE(err.str().empty());

    std::ostringstream out2, err2;
    EXPECT_EQ(runTool({"check", "1251-2", "nope"}, out2, err2), 1);
    EXPECT_NE(out2.str().find("1251-2 level=6"), std::string::npos);
    EXPECT_NE(out2.str().find("passed, 1 failed"), std::string::npos);
    EXPECT_EQ(linesIn(err2.str()), 1);
}

TEST(ContentCheckTest, ToolLoadAndSolve) {
    std::ostringstream out, err;
    EXPECT_EQ(runTool({"load", "1251-1"}, out, err), 0);
    EXPECT_EQ(out.str().rfind("lines=5 builtin-level=2\ncells=", 0), 0u) << out.str();

    std::ostringstream out2, err2;
    EXPECT_EQ(runTool({"load", "2330-1", "--level", "7"}, out2, err2), 0);
    EXPECT_NE(out2.str().find("lines=21 builtin-level=6\n"), std::string::npos);
    EXPECT_NE(out2.str().find("level=7 effective=7 displayed=7 percent=120 diabolic=1"), std::string::npos) << out2.str();

    std::ostringstream out3, err3;
    EXPECT_EQ(runTool({"load", "0000-0"}, out3, err3), 1);
    EXPECT_TRUE(out3.str().empty());
    EXPECT_EQ(linesIn(err3.str()), 1);

    std::ostringstream out4, err4;
    EXPECT_EQ(runTool({"load", "1251-1", "--level", "9"}, out4, err4), 2);

    std::ostringstream out5, err5;
    EXPECT_EQ(runTool({"solve", "1239-1", "--level", "7"}, out5, err5), 0);
    EXPECT_NE(out5.str().find("solutions=1 "), std::string::npos) << out5.str();
    // The solution as a state string: one letter A..F per cell, runs of empty cells never occur.
    std::string s = out5.str().substr(out5.str().find("state=") + 6);
    s.pop_back();
    EXPECT_EQ(s.find_first_not_of("ABCDEF"), std::string::npos) << s;
    GridCheck c = checked("1239-1");
    EXPECT_EQ(static_cast<int16_t>(s.size()), c.cellCount);
}

// What the generator writes reads back through the game's reader as a puzzle with one solution per level.
TEST(ContentCheckTest, GeneratedDescriptionLoadsAsAProperPuzzle) {
    std::ostringstream out, err;
    ASSERT_EQ(runTool({"generate", "--centres", ".,A,B,AB", "--seed", "3", "--lines", "6", "--diabolic", "--comment",
                       "test shape"},
                      out, err),
              0)
        << err.str();
    TextList lines;
    std::istringstream in(out.str());
    std::string l;
    while (std::getline(in, l))
        if (l.rfind("line=", 0) == 0) lines.add(l.substr(5));
    ASSERT_EQ(lines.count(), 6);
    EXPECT_EQ(lines.str(1), "# test shape");
    TextList entries;
    appendDescriptionEntries(lines, entries);
    Grid g;
    createGrid(g);
    setfromgrivecdef(g, entries);
    SolverModel model = modelFromGrid(g);
    EXPECT_TRUE(solutionObeysRule(model, solutionOfGrid(g)));
    ASSERT_TRUE(diabolicAvailable(g));
    int16_t lastGivens = 0;
    for (int16_t level = 7; level >= 1; --level) {
        setLevel(g, level);
        CellDigits givens = givensOfGrid(g);
        EXPECT_EQ(countSolutions(model, givens, 2), 1) << "level " << level;
        int16_t n = static_cast<int16_t>(givens.size() - std::count(givens.begin(), givens.end(), 0));
        EXPECT_GE(n, lastGivens);
        lastGivens = n;
    }
    std::ostringstream out2, err2;
    EXPECT_EQ(runTool({"generate", "--seed", "3"}, out2, err2), 2);
    EXPECT_EQ(runTool({"generate", "--centres", ".", "--targets", "easy"}, out2, err2), 2);
}
