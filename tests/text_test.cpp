// Tests of texts, text lists, key=value tables, number texts and file lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/text.h"

namespace {

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("ornel_text_") + name)).string();
}

void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

std::string readRaw(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TEST(TextString, CaseFoldingTouchesOnlyAsciiLetters) {
    TextString t("Grille \xE9t\xC9");
    EXPECT_TRUE(t.equals("GRILLE \xE9T\xC9"));
    EXPECT_FALSE(t.equals("GRILLE \xC9T\xC9"));  // é and É are different bytes
    EXPECT_TRUE(t.startsWith("gRi"));
    EXPECT_TRUE(TextString("   key=1").startsWith("KEY="));
    EXPECT_TRUE(TextString("x").startsWith(""));
    EXPECT_FALSE(TextString("ke").startsWith("key"));
    EXPECT_EQ(upperText("abc\xE9z"), "ABC\xE9Z");
}

TEST(TextString, NullAndSelfSourcesAreSafe) {
    TextString t;
    t.assign(static_cast<const char*>(nullptr));
    EXPECT_EQ(t.s, "");
    t.assign("ab");
    t.append(t);
    EXPECT_EQ(t.s, "abab");
    t.assign3(t, "-", t);
    EXPECT_EQ(t.s, "abab-abab");
    t.appendItem("x");
    t.appendItem("y,");
    EXPECT_EQ(t.s, "abab-ababx,y,");
}

TEST(TextString, TokensPlaceholdersAndReplacement) {
    TextString src(" alpha , beta,gamma ");
    TextString tok;
    tok.takeToken(src);
    EXPECT_EQ(tok.s, "alpha");
    EXPECT_EQ(src.s, "beta,gamma ");
    tok.takeTokenUpper(src);
    EXPECT_EQ(tok.s, "BETA");
    tok.takeToken(src);
    EXPECT_EQ(tok.s, "gamma");
    EXPECT_EQ(src.s, "");

    TextString p;
    p.fillPlaceholder("//#:  x=#, y=#", 3);
    EXPECT_EQ(p.s, "//3:  x=#, y=#");
    p.fillPlaceholder("none", 3);
    EXPECT_EQ(p.s, "none");
    p.fillPlaceholders("(#:#)", 12, -4);
    EXPECT_EQ(p.s, "(12:-4)");

    TextString r("(#:#)");
    r.replaceFirst("#", "7");
    EXPECT_EQ(r.s, "(7:#)");
    r.assign("aXbxc");
    r.replaceAll("x", "xx");  // replacement holds the searched text: must terminate
    EXPECT_EQ(r.s, "axxbxxc");
    r.replaceAll("", "q");
    EXPECT_EQ(r.s, "axxbxxc");
    r.assign("GGGGG");
    r.replaceAll("GGG", "K");
    r.replaceAll("GG", "H");
    EXPECT_EQ(r.s, "KH");
}

TEST(TextString, PaddingRepeatAndCharacters) {
    TextString t("ab");
    t.padTo(5, '.');
    EXPECT_EQ(t.s, "ab...");
    t.padTo(2);
    EXPECT_EQ(t.s, "ab...");
    t.repeat(-3, "x");
    EXPECT_EQ(t.s, "");
    t.repeat(3, "xy");
    EXPECT_EQ(t.s, "xyxyxy");
    EXPECT_EQ(t.charAt(1), 'x');
    EXPECT_EQ(t.charAt(0), 0);
    EXPECT_EQ(t.charAt(7), 0);
    EXPECT_EQ(t.charAt(-1), 0);
}

TEST(Numbers, TakeIntAndTakeReal) {
    TextString t("-12,5");
    EXPECT_EQ(takeInt(t), -12);
    EXPECT_EQ(t.s, "5");
    EXPECT_EQ(takeInt(t), 5);
    EXPECT_EQ(takeInt(t), 0);  // nothing left
    TextString noDigits("abc,7");
    EXPECT_EQ(takeInt(noDigits), 0);
    EXPECT_EQ(takeInt(noDigits), 7);
    TextString trailing(" 42x9");
    EXPECT_EQ(takeInt(trailing), 42);

    TextString huge("99999999999999999999,-99999999999999999999,2147483647,-2147483648");
    EXPECT_EQ(takeInt(huge), INT32_MAX);
    EXPECT_EQ(takeInt(huge), INT32_MIN);
    EXPECT_EQ(takeInt(huge), INT32_MAX);
    EXPECT_EQ(takeInt(huge), INT32_MIN);

    TextString reals("2.5, x, -1e3");
    EXPECT_DOUBLE_EQ(takeReal(reals), 2.5);
    EXPECT_DOUBLE_EQ(takeReal(reals), 0.0);
    EXPECT_DOUBLE_EQ(takeReal(reals), -1000.0);

    EXPECT_EQ(numberText(-7), "-7");
    EXPECT_EQ(numberTextPadded(5, 2), "05");
    EXPECT_EQ(numberTextPadded(2024, 2), "2024");
    EXPECT_EQ(realText(1.5), "1.500000");
    EXPECT_EQ(charText(65), "A");
}

TEST(TextList, PositionsOutsideTheRangeReadAsAbsent) {
    TextList l;
    l.add("a");
    l.add2("b", "c");
    EXPECT_EQ(l.at(0), nullptr);
    EXPECT_EQ(l.at(-1), nullptr);
    EXPECT_EQ(l.at(3), nullptr);
    EXPECT_STREQ(l.at(2), "bc");
    l.removeAt(0);
    l.removeAt(3);
    l.replaceAt(-2, "z");
    l.swap(0, 1);
    TextList other;
    l.moveAtTo(5, other);
    EXPECT_EQ(l.count(), 2);
    EXPECT_EQ(other.count(), 0);
    TextList empty;
    EXPECT_EQ(empty.takeFirst().s, "");
    empty.removeLast();
    EXPECT_TRUE(empty.isEmpty());
}

TEST(TextList, SortedInsertionAndSets) {
    TextList l;
    l.addSorted("cell9");
    l.addSorted("cell10");
    EXPECT_STREQ(l.at(1), "cell10");  // plain character order
    l.addSorted("abc");
    l.addSorted("ABC");  // equal ignoring case: the newer goes first
    EXPECT_STREQ(l.at(1), "ABC");
    EXPECT_STREQ(l.at(2), "abc");
    EXPECT_FALSE(l.addSortedUnique("Cell9"));
    EXPECT_TRUE(l.addSortedUnique("b"));
    EXPECT_EQ(l.indexOf("CELL10"), 4);

    TextList s;
    for (const char* t : {"b", "A", "a", "c", "B", "a"}) s.add(t);
    s.sort();
    // Equal texts end newest first, as repeated sorted insertion gives.
    EXPECT_EQ(s.items, (std::vector<std::string>{"a", "a", "A", "B", "b", "c"}));
    s.sortUnique();
    EXPECT_EQ(s.count(), 3);
    EXPECT_EQ(s.maxLength(), 1);

    TextList d;
    for (const char* t : {"x", "X", "", "y", "x"}) d.add(t);
    d.dropDuplicates();  // from the end: each equal to the one before goes
    EXPECT_EQ(d.items, (std::vector<std::string>{"x", "", "y", "x"}));
    d.dropEmpty();
    EXPECT_EQ(d.count(), 3);
    d.reverse();
    EXPECT_STREQ(d.at(1), "x");
}

TEST(TextList, MovingAndCopying) {
    TextList a, b;
    a.add("1");
    a.add("2");
    a.copyAllTo(a);
    EXPECT_EQ(a.count(), 4);
    a.moveAllTo(b);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(b.count(), 4);
    b.moveAtTo(2, a);
    EXPECT_STREQ(a.at(1), "2");
    EXPECT_EQ(b.takeFirst().s, "1");
    EXPECT_EQ(b.indexOfPrefix("  "), 0);
}

TEST(TextList, KeyLookupFollowsThePrefixRule) {
    TextList l;
    l.add("  gri=3");
    l.add("TCA=50");
    l.add("grid=9");
    l.add("usr=me");
    EXPECT_EQ(l.findKey("gri"), 1);  // leading blanks skipped
    EXPECT_EQ(l.getValue("gri").s, "3");
    EXPECT_EQ(l.getValue("tca").s, "50");  // capitals
    EXPECT_EQ(l.findKey("gr"), 0);  // '=' must follow the key
    EXPECT_EQ(l.findKey("grid"), 3);
    int pos = -1;
    EXPECT_EQ(l.getValue("none", &pos).s, "");
    EXPECT_EQ(pos, 0);

    l.setValue("tca", "60");
    EXPECT_STREQ(l.at(2), "tca=60");
    l.setInt("abc", 5);
    EXPECT_STREQ(l.at(2), "abc=5");  // new keys go in sorted order (a blank sorts first)
    l.addToInt("abc", -7);
    EXPECT_EQ(l.getValue("abc").s, "-2");
    l.appendToValue("usr", "!");
    EXPECT_EQ(l.getValue("usr").s, "me!");
    l.removeKey("grid");
    EXPECT_FALSE(l.hasKey("grid"));

    TextString k, v;
    l.splitAt(2, k, v);
    EXPECT_EQ(k.s, "abc");
    EXPECT_EQ(v.s, "-2");
    l.splitAt(99, k, v);
    EXPECT_EQ(k.s, "");

    TextList other;
    other.add("x=1");
    other.add("x=2");
    l.mergeFrom(other);  // from the last entry to the first: the first wins
    EXPECT_EQ(l.getValue("x").s, "1");
}

TEST(TextList, FileLinesAcceptEveryLineEnd) {
    std::string path = tempPath("lines.txt");
    std::string longLine(100000, 'q');
    writeRaw(path, std::string("one\ntwo\rthree\r\nfour\n\rfive   \n\n\r\r") + longLine + "\r\n" +
                       std::string("nu\0l", 4) + "\nlast");
    TextList l;
    l.readFile(path);
    ASSERT_EQ(l.count(), 8);
    EXPECT_STREQ(l.at(1), "one");
    EXPECT_STREQ(l.at(4), "four");
    EXPECT_STREQ(l.at(5), "five");  // trailing blanks removed
    EXPECT_EQ(l.str(6), longLine);
    EXPECT_EQ(l.str(7), "nu l");  // a NUL byte reads as a blank, nothing is cut
    EXPECT_STREQ(l.at(8), "last");

    std::string out = tempPath("written.txt");
    ASSERT_TRUE(l.writeFile(out));
    std::string bytes = readRaw(out);
    EXPECT_EQ(bytes.substr(0, 10), "one\r\ntwo\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "last\r\n");

    TextList again;
    again.readFile(out);
    EXPECT_EQ(again.items, l.items);
    EXPECT_TRUE(again.drainToFile(out));
    EXPECT_TRUE(again.isEmpty());
    std::remove(path.c_str());
    std::remove(out.c_str());
}

TEST(TextList, MissingFilesAndFailedWrites) {
    TextList l;
    l.readFile(tempPath("does_not_exist.txt"));
    EXPECT_TRUE(l.isEmpty());
    l.add("x");
    EXPECT_FALSE(l.writeFile("/nonexistent-dir/x.txt"));
    EXPECT_FALSE(l.writeFileReplacing("/nonexistent-dir/x.txt"));
}

TEST(TextList, ReplacingWriteSwapsInTheNewFileWhole) {
    std::string path = tempPath("settings.txt");
    writeRaw(path, "old\r\n");
    TextList l;
    l.add("new");
    l.add("lines");
    ASSERT_TRUE(l.writeFileReplacing(path));
    EXPECT_EQ(readRaw(path), "new\r\nlines\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    // A directory in the way of the temporary file makes the save fail and leaves the old file.
    std::filesystem::create_directory(path + ".new");
    l.add("more");
    EXPECT_FALSE(l.writeFileReplacing(path));
    EXPECT_EQ(readRaw(path), "new\r\nlines\r\n");
    std::filesystem::remove(path + ".new");
    std::remove(path.c_str());
}

TEST(TextList, SplitItemsAndTrace) {
    TextList items = splitItems(" a, b ,,c,");
    EXPECT_EQ(items.items, (std::vector<std::string>{"a", "b", "", "c"}));
    static std::string seen;
    setTraceSink([](const char* line) { seen = line; });
    trace("MODULE:TEST");
    setTraceSink(nullptr);
    trace("MODULE:OTHER");
    EXPECT_EQ(seen, "MODULE:TEST");
}
