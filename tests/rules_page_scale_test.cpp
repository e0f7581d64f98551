// Tests of the rules page at display scales: its size, its picture choice, its texts and its buttons on it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "content/rules_pages.h"
#include "render/draw_surface.h"
#include "tools/rules_pictures.h"
#include "ui/command_bar.h"
#include "ui/rules_page_scale.h"

namespace {

const int16_t kScales[] = {96, 120, 144, 192};

// A device rectangle, right and bottom excluded.
struct PixelBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Every text of a page as the frame draws it: both languages' lines, the page number and the registered sign.
std::vector<RulesLine> everyText(int16_t page) {
    std::vector<RulesLine> all = rulesPageLines(page, 0);
    for (const RulesLine& l : rulesPageLines(page, 1)) all.push_back(l);
    all.push_back(rulesPageNumberLine(page));
    return all;
}

// A line's estimated box in the page's device pixels, through the surface placed as the frame places it.
PixelBox deviceBoxOf(const RulesLine& line, const RulesPageMetrics& m) {
    DrawSurface s;
    construct(s);
    placeRulesPage(s, m);
    const RulesBox b = rulesLineBox(line);
    return {double(deviceX(s, mmToPxX(s, b.left))), double(deviceY(s, mmToPxY(s, b.top))),
            double(deviceX(s, mmToPxX(s, b.right))), double(deviceY(s, mmToPxY(s, b.bottom)))};
}

bool apart(const BarControl& a, const BarControl& b) {
    return a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
}

bool isRulesButton(const BarControl& c) {
    return c.role == RoleReturnToGrid || c.role == RolePreviousPage || c.role == RoleNextPage;
}

}  // namespace

TEST(RulesPageScale, PageSizeResolutionAndPictureFollowTheScale) {
    // At 96 dpi, and for a scale never measured, the page is the one it always was.
    for (int16_t dpi : {int16_t(96), int16_t(0), int16_t(-5)}) {
        const RulesPageMetrics m = rulesPageMetrics(dpi);
        EXPECT_EQ(m.width, 800);
        EXPECT_EQ(m.height, 600);
        EXPECT_EQ(m.resolution, 100);
        EXPECT_EQ(m.pictureScale, 1);
        EXPECT_EQ(rulesPictureResource(4, m.pictureScale), 4);
    }
    EXPECT_EQ(rulesPageMetrics(144).width, 1200);
    EXPECT_EQ(rulesPageMetrics(144).height, 900);
    for (int16_t dpi : {72, 96, 110, 120, 144, 168, 192, 216, 288}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const RulesPageMetrics m = rulesPageMetrics(dpi);
        const double k = dpi / 96.0;
        // The page and the texts' resolution are the 96-dpi ones times the scale, to the nearest pixel.
        EXPECT_LE(std::abs(m.width - 800 * k), 0.5);
        EXPECT_LE(std::abs(m.height - 600 * k), 0.5);
        EXPECT_LE(std::abs(m.resolution - 100 * k), 0.5);
        // The large picture from the first scale above 96 on: it is never stretched up up to 192 dpi,
        // and its size is the page's exactly at 192.
        EXPECT_EQ(m.pictureScale, dpi > 96 ? kLargePictureScale : 1);
        const int pictureWidth = kPictureWidth * m.pictureScale;
        EXPECT_EQ(m.pictureStretchedUp, m.width > pictureWidth ? 1 : 0);
        EXPECT_EQ(m.pictureStretchedUp, dpi > 192 ? 1 : 0);
        if (dpi == 192) {
            EXPECT_EQ(std::make_pair(int(m.width), int(m.height)), std::make_pair(1600, 1200));
        }
        EXPECT_EQ(rulesPictureResource(7, m.pictureScale), m.pictureScale == 1 ? 7 : kLargeRulesPictureBase + 7);
    }
}

TEST(RulesPageScale, EveryTextStaysOnThePageWhereThe96DpiPageHasIt) {
    const RulesPageMetrics reference = rulesPageMetrics(kReferenceDpi);
    for (int16_t dpi : kScales) {
        const RulesPageMetrics m = rulesPageMetrics(dpi);
        const double k = dpi / 96.0;
        for (int16_t page = kFirstRulesPage; page <= kLastRulesPage; ++page) {
            for (const RulesLine& line : everyText(page)) {
                SCOPED_TRACE(testing::Message() << dpi << " dpi, page " << page << ": " << line.text);
                const PixelBox b = deviceBoxOf(line, m);
                EXPECT_GE(b.left, 0);
                EXPECT_GE(b.top, 0);
                EXPECT_LE(b.right, m.width);
                EXPECT_LE(b.bottom, m.height);
                // Scaled with the page: within a pixel and a half of the 96-dpi box times the scale.
                const PixelBox r = deviceBoxOf(line, reference);
                EXPECT_LE(std::abs(b.left - r.left * k), 1.5 * k);
                EXPECT_LE(std::abs(b.top - r.top * k), 1.5 * k);
                EXPECT_LE(std::abs(b.right - r.right * k), 1.5 * k);
                EXPECT_LE(std::abs(b.bottom - r.bottom * k), 1.5 * k);
            }
        }
    }
}

TEST(RulesPageScale, TheRulesButtonsKeepTheirPlacesOnThePageApartFromEachOther) {
    for (int16_t dpi : kScales) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const RulesPageMetrics m = rulesPageMetrics(dpi);
        std::vector<BarControl> buttons, reference;
        for (const BarControl& c : barControls(computeBarLayout(true, true, dpi)))
            if (isRulesButton(c)) buttons.push_back(c);
        for (const BarControl& c : barControls(computeBarLayout(true, true, kReferenceDpi)))
            if (isRulesButton(c)) reference.push_back(c);
        ASSERT_EQ(buttons.size(), 3u);
        ASSERT_EQ(reference.size(), 3u);
        for (size_t i = 0; i < buttons.size(); ++i) {
            const BarControl& c = buttons[i];
            const BarControl& r = reference[i];
            SCOPED_TRACE(c.caption);
            EXPECT_GT(c.width, 0);
            EXPECT_GT(c.height, 0);
            EXPECT_GE(c.x, 0);
            EXPECT_GE(c.y, 0);
            EXPECT_LE(c.x + c.width, m.width);
            EXPECT_LE(c.y + c.height, m.height);
            // The same place on the page: each edge at the 96-dpi page's fraction of it, to half a pixel.
            EXPECT_LE(std::abs(c.x - double(r.x) * m.width / 800), 0.5);
            EXPECT_LE(std::abs(c.y - double(r.y) * m.height / 600), 0.5);
            EXPECT_LE(std::abs(c.x + c.width - double(r.x + r.width) * m.width / 800), 0.5);
            EXPECT_LE(std::abs(c.y + c.height - double(r.y + r.height) * m.height / 600), 0.5);
            for (size_t j = 0; j < i; ++j) EXPECT_TRUE(apart(c, buttons[j])) << "overlaps " << buttons[j].caption;
            // No button hides a text of any page.
            for (int16_t page = kFirstRulesPage; page <= kLastRulesPage; ++page)
                for (const RulesLine& line : everyText(page)) {
                    const PixelBox b = deviceBoxOf(line, m);
                    const bool clear = c.x + c.width <= b.left || b.right <= c.x || c.y + c.height <= b.top ||
                                       b.bottom <= c.y;
                    EXPECT_TRUE(clear) << "page " << page << ": " << line.text;
                }
        }
    }
}
