// Tests of the message composer: the fixed parts, the placeholders and the shape of every text.
#include <gtest/gtest.h>

#include <string>

#include "ui/messages.h"

namespace {

const uint8_t kFrench = 0;
const uint8_t kEnglish = 1;

std::string compose(int16_t number, uint8_t language, long argument = 0, const char* second = "") {
    return composeMessage(number, language, argument, second).s;
}

int lineCount(const std::string& text) {
    int lines = 1;
    for (char c : text) lines += c == '\n';
    return lines;
}

TEST(Messages, LoadQuestionsKeepTheirFixedParts) {
    EXPECT_EQ(compose(4, kEnglish, 4), "Load Grid #4 ?");
    EXPECT_EQ(compose(5, kEnglish, 3), "Grid #3 is already in use.\n\nReload grid #3 ?");

    std::string fr = compose(5, kFrench, 3);
    size_t blank = fr.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_EQ(fr.find('\n', blank + 2), std::string::npos) << "one blank line, no other break";
    EXPECT_NE(fr.substr(0, blank).find('3'), std::string::npos);
    EXPECT_EQ(fr.substr(fr.size() - 3), "3 ?");
    EXPECT_EQ(compose(4, kFrench, 2).substr(compose(4, kFrench, 2).size() - 3), "2 ?");
}

TEST(Messages, GridInformationNamesCodeAndCellCount) {
    EXPECT_EQ(compose(7, kEnglish, 96, "2214-7"), "Grid: 2214-7\n96 cells.");
    EXPECT_EQ(compose(7, kFrench, 96, "2214-7"), "Grille 2214-7\n96 cases.");
    std::string fr = compose(7, kFrench, 96, "X");
    EXPECT_EQ(fr.substr(fr.rfind('\n') + 1), "96 cases.");
}

TEST(Messages, WinLineTakesTheGridNumberOnlyWhenItFits) {
    for (uint8_t language : {kFrench, kEnglish}) {
        std::string three = compose(6, language, 3);
        EXPECT_EQ(three.find("zukv"), std::string::npos);
        EXPECT_NE(three.find('3'), std::string::npos);
        EXPECT_EQ(three.substr(three.find('\n')), "\n*** BRAVO ***");

        EXPECT_EQ(compose(6, language, 1234).find("zukv"), std::string::npos);
        std::string five = compose(6, language, 12345);
        EXPECT_NE(five.find("zukv"), std::string::npos) << "a five-digit number keeps the placeholder";
        EXPECT_EQ(five.find("12345"), std::string::npos);
        EXPECT_EQ(five.substr(five.find('\n')), "\n*** BRAVO ***");
    }
}

TEST(Messages, NumbersOutsideTwoToFifteenGiveNothing) {
    for (int16_t number : {-1, 0, 1, 16, 200}) {
        EXPECT_EQ(compose(number, kFrench), "") << number;
        EXPECT_EQ(compose(number, kEnglish), "") << number;
    }
}

TEST(Messages, EveryTextHasTheStructureItsBoxExpects) {
    EXPECT_EQ(compose(10, kFrench), "Retour valeurs fixes?");
    for (uint8_t language : {kFrench, kEnglish}) {
        for (int16_t number = kFirstMessage; number <= kLastMessage; ++number) {
            std::string text = compose(number, language, 2, "2214-7");
            EXPECT_FALSE(text.empty()) << number;
            EXPECT_EQ(text.find('\r'), std::string::npos) << number;
            EXPECT_NE(text.back(), '\n') << number;
            if (number != 6) {
                EXPECT_EQ(text.find("zukv"), std::string::npos) << number;
            }
        }
        std::string hint = compose(2, language);
        EXPECT_EQ(lineCount(hint), 2);
        EXPECT_EQ(lineCount(compose(15, language)), 3);
        for (int16_t number : {8, 9, 10, 11, 12}) EXPECT_EQ(lineCount(compose(number, language)), 1) << number;
    }
    EXPECT_EQ(lineCount(compose(13, kEnglish)), 4);
    EXPECT_EQ(lineCount(compose(13, kFrench)), 5);
    EXPECT_EQ(lineCount(compose(14, kEnglish)), 2);
    EXPECT_EQ(lineCount(compose(14, kFrench)), 3);
}

TEST(Messages, NotesPageFollowsTheNoteLayout) {
    std::string enBlock = compose(3, kEnglish, kBlockNoteLayout);
    std::string enTriangle = compose(3, kEnglish, 7);
    EXPECT_EQ(lineCount(enBlock), 4);
    EXPECT_EQ(lineCount(enTriangle), 4);
    EXPECT_NE(enBlock, enTriangle);
    EXPECT_NE(enBlock.find("1 2 3"), std::string::npos);
    // Only the second line differs.
    EXPECT_EQ(enBlock.substr(0, enBlock.find('\n')), enTriangle.substr(0, enTriangle.find('\n')));
    EXPECT_EQ(enBlock.substr(enBlock.rfind('\n')), enTriangle.substr(enTriangle.rfind('\n')));

    EXPECT_EQ(lineCount(compose(3, kFrench, kBlockNoteLayout)), 4);
    EXPECT_EQ(lineCount(compose(3, kFrench, 7)), 5);
}

TEST(Messages, FrenchIsWindows1252AndAnyOtherLanguageReadsAsFrench) {
    std::string all;
    for (int16_t number = kFirstMessage; number <= kLastMessage; ++number) all += compose(number, kFrench, 3, "X");
    EXPECT_NE(all.find('\xE9'), std::string::npos);  // é
    EXPECT_NE(all.find('\xE0'), std::string::npos);  // à
    EXPECT_NE(all.find('\xE8'), std::string::npos);  // è
    // UTF-8 would have put lead bytes 0xC3 before the accented letters.
    EXPECT_EQ(all.find('\xC3'), std::string::npos);
    EXPECT_EQ(compose(9, 2), compose(9, kFrench));
}

}  // namespace

#include <algorithm>
#include <sstream>

#include "tools/tool.h"

namespace {

int runMessageTool(const ToolArgs& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    int status = runTool(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

TEST(MessageTool, PrintsTheComposedTextAndRefusesBadArguments) {
    std::string out, err;
    EXPECT_EQ(runMessageTool({"message", "5", "--lang", "en", "--arg", "3"}, out, err), 0);
    EXPECT_EQ(out, "Grid #3 is already in use.\n\nReload grid #3 ?\n");
    EXPECT_EQ(runMessageTool({"message", "7", "--arg", "96", "--arg2", "2214-7"}, out, err), 0);
    EXPECT_EQ(out, "Grille 2214-7\n96 cases.\n");

    EXPECT_EQ(runMessageTool({"message", "16"}, out, err), 1);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    for (ToolArgs bad : {ToolArgs{"message"}, ToolArgs{"message", "x"}, ToolArgs{"message", "5", "--lang", "de"},
                         ToolArgs{"message", "5", "--arg", "3z"}, ToolArgs{"message", "5", "--arg"},
                         ToolArgs{"message", "5", "6"}}) {
        EXPECT_EQ(runMessageTool(bad, out, err), 2) << bad.size();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    }
}

}  // namespace
