// Tests of the rules pages' lines: styles, spacing, fitting on the page, both languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "base/codepage.h"
#include "content/rules_pages.h"

namespace {

constexpr uint8_t kFrench = 0;
constexpr uint8_t kEnglish = 1;

// The seven text styles a page may use: size, italic, weight, aligned.
const std::set<std::tuple<float, int, int, int>> kAllowedStyles = {
    {24.0f, 1, 650, 1}, {14.0f, 1, 0, 1}, {8.0f, 1, 0, 1}, {5.0f, 1, 600, 0},
    {5.0f, 1, 0, 0},    {5.0f, 0, 0, 0},  {3.5f, 1, 0, 0},
};

std::tuple<float, int, int, int> styleKey(RulesStyle s) {
    const RulesTextStyle& t = rulesTextStyle(s);
    return {t.size, t.italic, t.weight, t.aligned};
}

bool insidePage(const RulesBox& b) {
    return b.left >= -kRulesPageHalfWidthMm && b.right <= kRulesPageHalfWidthMm &&
           b.bottom >= -kRulesPageHalfHeightMm && b.top <= kRulesPageHalfHeightMm;
}

// Boxes are whole character cells; the top of a cell is leading, so a slight vertical touch is allowed.
bool overlap(const RulesBox& a, const RulesBox& b) {
    float slack = 0.15f * std::min(a.top - a.bottom, b.top - b.bottom);
    return a.left < b.right && b.left < a.right && a.bottom + slack < b.top && b.bottom + slack < a.top;
}

bool isColumnStyle(RulesStyle s) {
    return s == RulesStyle::Subheading || s == RulesStyle::Body || s == RulesStyle::Emphasised;
}

}  // namespace

TEST(RulesPages, EveryPageHasItsLinesInBothLanguagesInsideThePage) {
    for (int16_t page = kFirstRulesPage; page <= kLastRulesPage; ++page) {
        for (uint8_t lang : {kFrench, kEnglish}) {
            SCOPED_TRACE("page " + std::to_string(page) + " language " + std::to_string(lang));
            std::vector<RulesLine> lines = rulesPageLines(page, lang);
            ASSERT_GE(lines.size(), 4u);
            int titles = 0;
            for (const RulesLine& l : lines) {
                SCOPED_TRACE(l.text);
                EXPECT_FALSE(l.text.empty());
                EXPECT_EQ(kAllowedStyles.count(styleKey(l.style)), 1u);
                EXPECT_NE(l.style, RulesStyle::PageNumber);
                EXPECT_TRUE(insidePage(rulesLineBox(l)));
                if (l.style == RulesStyle::PageTitle) ++titles;
            }
            EXPECT_EQ(titles, 1);
            // No two lines cover each other.
            for (size_t i = 0; i < lines.size(); ++i)
                for (size_t j = i + 1; j < lines.size(); ++j)
                    EXPECT_FALSE(overlap(rulesLineBox(lines[i]), rulesLineBox(lines[j])))
                        << lines[i].text << " / " << lines[j].text;
            EXPECT_TRUE(insidePage(rulesLineBox(rulesPageNumberLine(page))));
        }
    }
}

TEST(RulesPages, ColumnLinesFollowOneAnotherFiveUnitsApart) {
    for (int16_t page = 2; page <= kLastRulesPage; ++page) {
        for (uint8_t lang : {kFrench, kEnglish}) {
            SCOPED_TRACE("page " + std::to_string(page) + " language " + std::to_string(lang));
            std::vector<RulesLine> column;
            for (const RulesLine& l : rulesPageLines(page, lang))
                if (isColumnStyle(l.style) && l.y > -60) column.push_back(l);
            ASSERT_GE(column.size(), 3u);
            EXPECT_EQ(column.front().style, RulesStyle::Subheading);
            EXPECT_LE(column.front().y, 30 + kRulesLineSpacing);
            for (size_t i = 1; i < column.size(); ++i) {
                EXPECT_EQ(column[i].x, column[0].x);
                int gap = column[i - 1].y - column[i].y;
                // Lines of a section are 5 apart; a new section leaves one empty line.
                if (column[i].style == RulesStyle::Subheading)
                    EXPECT_EQ(gap, 2 * kRulesLineSpacing) << column[i].text;
                else
                    EXPECT_EQ(gap, kRulesLineSpacing) << column[i].text;
            }
        }
    }
}

TEST(RulesPages, FixedPlacesOfTitlesSignsAndHeadings) {
    RulesSign sign;
    ASSERT_TRUE(rulesPageSign(1, sign));
    EXPECT_EQ(std::tie(sign.x, sign.y, sign.size), std::make_tuple(int16_t(68), int16_t(28), int16_t(4)));
    for (int16_t page = 1; page <= kLastRulesPage; ++page) {
        for (const RulesLine& l : rulesPageLines(page, kEnglish)) {
            if (l.style != RulesStyle::PageTitle) continue;
            int16_t x = page == 1 ? 33 : page <= 5 ? 0 : -40;
            int16_t y = page == 1 ? 24 : 60;
            EXPECT_EQ(l.x, x) << page;
            EXPECT_EQ(l.y, y) << page;
            // The sign stands right of the title, clear of its box.
            ASSERT_TRUE(rulesPageSign(page, sign));
            EXPECT_GT(sign.x, rulesLineBox(l).right) << page;
        }
        int headings = 0;
        for (const RulesLine& l : rulesPageLines(page, kFrench))
            if (l.style == RulesStyle::Heading) {
                ++headings;
                EXPECT_EQ(std::tie(l.x, l.y), std::make_tuple(int16_t(45), int16_t(55)));
            }
        EXPECT_EQ(headings, page >= 6 ? 1 : 0) << page;
    }
    RulesLine number = rulesPageNumberLine(7);
    EXPECT_EQ(number.text, "7");
    EXPECT_EQ(std::tie(number.x, number.y), std::make_tuple(int16_t(95), int16_t(70)));
    EXPECT_STREQ(rulesTextStyle(number.style).face, "Helvetica");
    EXPECT_EQ(rulesTextStyle(number.style).size, 10.0f);
}

TEST(RulesPages, PagesOutsideOneToNineHaveNothing) {
    RulesSign sign{1, 2, 3};
    for (int16_t page : {int16_t(0), int16_t(10), int16_t(-1), int16_t(32767)}) {
        EXPECT_TRUE(rulesPageLines(page, kFrench).empty());
        EXPECT_TRUE(rulesPageLines(page, kEnglish).empty());
        EXPECT_FALSE(rulesPageSign(page, sign));
    }
    EXPECT_EQ(sign.x, 1);
}

TEST(RulesPages, FrenchIsWindows1252AndDiffersFromEnglish) {
    int accented = 0;
    for (int16_t page = kFirstRulesPage; page <= kLastRulesPage; ++page) {
        std::vector<RulesLine> fr = rulesPageLines(page, kFrench);
        std::vector<RulesLine> en = rulesPageLines(page, kEnglish);
        std::string allFr, allEn;
        for (const RulesLine& l : fr) allFr += l.text + "\n";
        for (const RulesLine& l : en) allEn += l.text + "\n";
        EXPECT_NE(allFr, allEn) << page;
        // Any language number other than 1 reads as French.
        std::string other;
        for (const RulesLine& l : rulesPageLines(page, 7)) other += l.text + "\n";
        EXPECT_EQ(other, allFr) << page;
        for (unsigned char c : allFr + allEn) {
            // Control characters and the five bytes Windows-1252 leaves undefined never occur.
            EXPECT_TRUE(c == '\n' || c >= 0x20) << page;
            EXPECT_TRUE(c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) << page;
            if (c >= 0x80) {
                EXPECT_EQ(allEn.find(static_cast<char>(c)), std::string::npos) << "accent in English";
            }
        }
        accented += std::count_if(allFr.begin(), allFr.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xC0; });
    }
    EXPECT_GT(accented, 50);
}

TEST(RulesPages, EveryFrenchAccentSurvivesTheUtf16Table) {
    for (int16_t page = kFirstRulesPage; page <= kLastRulesPage; ++page) {
        for (const RulesLine& l : rulesPageLines(page, kFrench)) {
            std::u16string wide = toUtf16(l.text);
            ASSERT_EQ(wide.size(), l.text.size()) << l.text;
            for (size_t i = 0; i < l.text.size(); ++i) {
                unsigned char c = static_cast<unsigned char>(l.text[i]);
                // Letters with accents are the Latin-1 letters of the same code; nothing turns into '?'.
                if (c >= 0xC0) {
                    EXPECT_EQ(wide[i], char16_t(c)) << l.text;
                }
                if (c != '?') {
                    EXPECT_NE(wide[i], u'?') << l.text;
                }
            }
            EXPECT_EQ(fromUtf16(wide).s, l.text);
        }
    }
}
