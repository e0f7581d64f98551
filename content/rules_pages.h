// The nine rules pages: every text line with its position and style, in French and English.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/*
 * Page geometry. A page is 800 x 600 pixels drawn at 100 pixels per inch, so
 * its positions and sizes are millimetres: 203.2 x 152.4 mm, with the origin
 * at the centre of the page, x to the right and y upward. A line's position
 * is its anchor: the centre of its top-to-bottom span, and either its
 * horizontal centre (aligned styles) or its left end.
 */
constexpr float kRulesPageHalfWidthMm = 101.6f;
constexpr float kRulesPageHalfHeightMm = 76.2f;
constexpr int16_t kRulesPageWidthPx = 800;
constexpr int16_t kRulesPageHeightPx = 600;
constexpr int16_t kRulesPageDpi = 100;
constexpr int16_t kFirstRulesPage = 1;
constexpr int16_t kLastRulesPage = 9;
// Spacing of consecutive lines of a paragraph, in millimetres.
constexpr int16_t kRulesLineSpacing = 5;

// The text styles of the pages; PageNumber is the frame's own, never in a page's lines.
enum class RulesStyle : uint8_t {
    PageTitle,
    CoverTitle,
    Heading,
    Subheading,
    Emphasised,
    Body,
    SmallPrint,
    PageNumber,
};

constexpr int kRulesPageStyleCount = 7;  // the styles a page's lines may use

struct RulesTextStyle {
    float size;        // character height in millimetres
    uint8_t italic;
    int16_t weight;    // 0 = the font's default weight
    uint8_t aligned;   // centred on the anchor (else starting at it)
    const char* face;  // font face
};

const RulesTextStyle& rulesTextStyle(RulesStyle style);

// One text line of a page, in Windows-1252 bytes.
struct RulesLine {
    int16_t x = 0;
    int16_t y = 0;
    RulesStyle style = RulesStyle::Body;
    std::string text;
};

// The registered sign next to a page's title.
struct RulesSign {
    int16_t x = 0;
    int16_t y = 0;
    int16_t size = 0;
};

// The lines of page 1..9 in a language (0 French, 1 English, anything else French); empty for other pages.
std::vector<RulesLine> rulesPageLines(int16_t page, uint8_t language);
// The registered sign of page 1..9; false (sign untouched) for other pages.
bool rulesPageSign(int16_t page, RulesSign& sign);
// The page number line of the frame: the number in the PageNumber style at (95, 70).
RulesLine rulesPageNumberLine(int16_t page);

/*
 * Estimated box of a line in millimetres: height = the style's size, centred
 * on y; width = characters x size x kRulesCharWidthFactor, which is a little
 * more than the font's average character width (a third of its height) so
 * that checks against the page border keep some margin.
 */
constexpr float kRulesCharWidthFactor = 0.36f;

struct RulesBox {
    float left = 0;
    float right = 0;
    float bottom = 0;
    float top = 0;
};

RulesBox rulesLineBox(const RulesLine& line);
