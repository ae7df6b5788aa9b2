#include "dotdata/DotListing.h"

#include <gtest/gtest.h>

namespace {

// The seven dot colours written out by hand, with a colour one step off each.
const struct
{
    const char* name;
    COLORREF lit;
    COLORREF near;
} kColours[] = {
    {"Red", MakeColor(255, 0, 0), MakeColor(254, 0, 0)},
    {"Green", MakeColor(0, 255, 0), MakeColor(0, 255, 1)},
    {"Blue", MakeColor(0, 0, 255), MakeColor(1, 0, 255)},
    {"Yellow", MakeColor(255, 255, 0), MakeColor(255, 254, 0)},
    {"Pink", MakeColor(188, 143, 143), MakeColor(188, 143, 142)},
    {"White", MakeColor(255, 255, 255), MakeColor(255, 255, 254)},
    {"Orange", MakeColor(255, 127, 0), MakeColor(255, 128, 0)},
};

} // namespace

TEST(EmptyListing, ALitDotIsOneOfTheSevenColoursInAnyCorner)
{
    for (const auto& colour : kColours) {
        // The last dot of the buffer and the first, on both axes' ends.
        for (const auto& [column, row] : {std::pair{15, 7}, std::pair{0, 0}, std::pair{15, 0}, std::pair{0, 7}}) {
            CDotGrid grid;
            ASSERT_TRUE(grid.Create(16, 8, ImageMode));
            EXPECT_FALSE(CDotListing::HasLitDot(grid)) << colour.name;
            grid.SetDot(column, row, colour.near);
            EXPECT_FALSE(CDotListing::HasLitDot(grid)) << colour.name;
            grid.SetDot(column, row, colour.lit);
            EXPECT_TRUE(CDotListing::HasLitDot(grid)) << colour.name << ' ' << column << ',' << row;
        }
    }
    EXPECT_FALSE(CDotListing::HasLitDot(CDotGrid()));
}

TEST(EmptyListing, OnlyATextModeCanvasWithoutMergedTextLeavesLitDotsOut)
{
    CCanvasText noText;
    CCanvasText merged;
    merged.m_szText = QStringLiteral("A");
    for (const auto& colour : kColours) {
        CDotGrid grid;
        ASSERT_TRUE(grid.Create(8, 8, TextMode));
        EXPECT_FALSE(CDotListing::LeavesLitDotsOut(grid, noText)) << "nothing lit";
        grid.SetDot(4, 4, colour.lit);
        EXPECT_TRUE(CDotListing::LeavesLitDotsOut(grid, noText)) << colour.name;
        EXPECT_FALSE(CDotListing::LeavesLitDotsOut(grid, merged)) << colour.name;
        grid.SetMode(ImageMode);
        EXPECT_FALSE(CDotListing::LeavesLitDotsOut(grid, noText)) << colour.name;
    }
}
