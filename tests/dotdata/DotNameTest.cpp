#include "ListingSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The "block-row-column" the listing writes for its only lit dot.
QString ListedName(const CDotGrid& grid, const CCanvasText& text)
{
    static const QRegularExpression entry(QStringLiteral("(\\d+-\\d+-\\d+)-[A-Z]"));
    const QRegularExpressionMatch match = entry.match(Generate(grid, text).m_szText);
    return match.hasMatch() ? match.captured(1) : QString();
}

struct SNameCase
{
    const char* what;
    int width, height, mode;
    const char* chars;
    int vertical;
};

} // namespace

TEST(DotName, NamesEveryDotAsTheListingDoes)
{
    const SNameCase cases[] = {
        {"image", 24, 16, ImageMode, "", 0},
        {"text across", 24, 16, TextMode, "AB", 0},
        {"text across, more characters than columns", 16, 16, TextMode, "ABCD", 0},
        {"text down", 16, 24, TextMode, "AB", 1},
        {"text down, wider canvas", 24, 24, TextMode, "中文", 1},
    };
    for (const SNameCase& c : cases) {
        const CCanvasText text = MakeText(QString::fromUtf8(c.chars), c.vertical);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                CDotGrid grid = MakeGrid(c.width, c.height, c.mode);
                Light(grid, x, y, kRed);
                ASSERT_EQ(CDotListing::DotName(grid, text, x, y), ListedName(grid, text))
                    << c.what << " at " << x << "," << y;
            }
        }
    }
}

TEST(DotName, NothingForDotsTheListingLeavesOut)
{
    const CDotGrid grid = MakeGrid(16, 8, TextMode);
    EXPECT_TRUE(CDotListing::DotName(grid, MakeText(QString(), 0), 0, 0).isEmpty());
    const CDotGrid image = MakeGrid(16, 8, ImageMode);
    EXPECT_EQ(CDotListing::DotName(image, {}, 15, 7), QStringLiteral("2-8-8"));
    EXPECT_TRUE(CDotListing::DotName(image, {}, 16, 0).isEmpty());
    EXPECT_TRUE(CDotListing::DotName(image, {}, 0, -1).isEmpty());
    EXPECT_TRUE(CDotListing::DotName(CDotGrid(), {}, 0, 0).isEmpty());
}
