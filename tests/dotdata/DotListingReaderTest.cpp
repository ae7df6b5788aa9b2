#include "dotdata/DotListingReader.h"

#include "SevenColours.h"

#include <gtest/gtest.h>

TEST(DotListingReader, PlacesEntriesByBlockRowAndColumn)
{
    CDotListingReader reader;
    ASSERT_TRUE(reader.Read("1-1-1-R, 1-1-2-R, 1-8-8-G\r\n\r\n2-1-2-B\r\n\r\n", 16, 8)) << reader.Error().toStdString();
    const auto& d = reader.Dots();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0].x, 0);
    EXPECT_EQ(d[0].y, 0);
    EXPECT_EQ(d[0].colorIndex, 0);
    EXPECT_EQ(d[2].x, 7);
    EXPECT_EQ(d[2].y, 7);
    EXPECT_EQ(d[2].colorIndex, 1);
    EXPECT_EQ(d[3].x, 9);
    EXPECT_EQ(d[3].colorIndex, 2);

    // Block 3 of a 16-wide canvas is the first block of the second band.
    ASSERT_TRUE(reader.Read("3-2-3-O\n", 16, 16));
    EXPECT_EQ(reader.Dots()[0].x, 2);
    EXPECT_EQ(reader.Dots()[0].y, 9);
    EXPECT_EQ(reader.Dots()[0].colorIndex, 6);
}

TEST(DotListingReader, RejectsBadLinesAndDotsOutsideTheCanvas)
{
    CDotListingReader reader;
    EXPECT_FALSE(reader.Read("1-1-1-R\n\nhello\n", 8, 8));
    EXPECT_TRUE(reader.Error().startsWith("line 3:"));
    EXPECT_FALSE(reader.Read("1-9-1-R", 8, 8));
    EXPECT_FALSE(reader.Read("1-1-1-X", 8, 8));
    EXPECT_FALSE(reader.Read("0-1-1-R", 8, 8));
    EXPECT_FALSE(reader.Read("1-1-1-R, ", 8, 8));
    EXPECT_FALSE(reader.Read("2-1-1-R", 8, 8)); // only one block
    EXPECT_TRUE(reader.Error().startsWith("line 1:"));
    EXPECT_FALSE(reader.Read("1-1-1-R", 0, 0));
}

TEST(DotListingReader, EveryLetterGivesItsOwnColour)
{
    for (const SDotColour& colour : kSevenColours) {
        CDotListingReader reader;
        ASSERT_TRUE(reader.Read(QStringLiteral("1-1-1-%1").arg(colour.letter), 8, 8)) << colour.name;
        ASSERT_EQ(reader.Dots().size(), 1u);
        EXPECT_EQ(reader.Dots()[0].colorIndex, colour.index) << colour.name;
    }
    CDotListingReader reader;
    for (const char* other : {"1-1-1-r", "1-1-1-X", "1-1-1-RG", "1-1-1-"})
        EXPECT_FALSE(reader.Read(other, 8, 8)) << other;
}

TEST(DotListingReader, RowAndColumnRunFromOneToEightOnBothAxes)
{
    // On a 16 x 16 canvas: block 2 is right of block 1, block 3 below it.
    struct Case
    {
        const char* entry;
        int x, y; // -1: refused
    };
    const Case cases[] = {
        {"1-1-1-R", 0, 0},   {"1-8-1-R", 0, 7},   {"1-1-8-R", 7, 0},   {"1-8-8-R", 7, 7},
        {"2-1-1-R", 8, 0},   {"3-1-1-R", 0, 8},   {"4-8-8-R", 15, 15}, {"2-3-5-R", 12, 2},
        {"1-9-1-R", -1, -1}, {"1-1-9-R", -1, -1}, {"1-0-1-R", -1, -1}, {"1-1-0-R", -1, -1},
        {"5-1-1-R", -1, -1}, {"0-1-1-R", -1, -1},
    };
    for (const Case& k : cases) {
        CDotListingReader reader;
        const bool read = reader.Read(k.entry, 16, 16);
        EXPECT_EQ(read, k.x >= 0) << k.entry;
        if (!read || k.x < 0)
            continue;
        EXPECT_EQ(reader.Dots()[0].x, k.x) << k.entry;
        EXPECT_EQ(reader.Dots()[0].y, k.y) << k.entry;
    }
}

// On canvases that are not whole blocks wide or high the last block of a
// band is cut: its columns and rows past the canvas are refused, on both axes.
TEST(DotListingReader, PartBlocksAtTheRightAndBottomEdgesTakeOnlyTheirDots)
{
    struct Case
    {
        int width, height;
        const char* entry;
        int x, y; // -1: refused
    };
    const Case cases[] = {
        {9, 9, "2-1-1-R", 8, 0},    {9, 9, "2-1-2-R", -1, -1},  {9, 9, "3-1-1-R", 0, 8},   {9, 9, "3-2-1-R", -1, -1},
        {9, 9, "4-1-1-R", 8, 8},    {9, 9, "5-1-1-R", -1, -1},  {15, 10, "2-3-7-R", 14, 2}, {15, 10, "2-3-8-R", -1, -1},
        {15, 10, "4-2-7-R", 14, 9}, {15, 10, "4-3-7-R", -1, -1}, {17, 8, "3-1-1-R", 16, 0}, {17, 16, "4-1-1-R", 0, 8},
        {8, 17, "3-1-1-R", 0, 16},  {8, 17, "3-2-1-R", -1, -1}, {1, 1, "1-1-1-R", 0, 0},   {1, 1, "1-1-2-R", -1, -1},
        {1, 1, "1-2-1-R", -1, -1},
    };
    for (const Case& k : cases) {
        CDotListingReader reader;
        const bool read = reader.Read(k.entry, k.width, k.height);
        ASSERT_EQ(read, k.x >= 0) << k.entry << " on " << k.width << " x " << k.height;
        if (!read)
            continue;
        EXPECT_EQ(reader.Dots()[0].x, k.x) << k.entry << " on " << k.width << " x " << k.height;
        EXPECT_EQ(reader.Dots()[0].y, k.y) << k.entry << " on " << k.width << " x " << k.height;
    }
}

// A number is digits only: a sign, blanks inside or a missing part make no
// entry. The message names the entry as written and the canvas, a failure
// keeps no dots, and a later read starts afresh.
TEST(DotListingReader, OnlyPlainNumbersMakeAnEntryAndTheMessageNamesIt)
{
    CDotListingReader reader;
    for (const char* entry : {"+1-1-1-R", "1-+1-1-R", "1-1-+1-R", "-1-1-1-R", "1-1-1", "1-1-1-R-G", "1--1-1-R",
                              "1-1-1-R 1-1-2-G", "1-1-1-R-"}) {
        EXPECT_FALSE(reader.Read(QStringLiteral("1-1-2-G\n%1\n").arg(QLatin1String(entry)), 16, 24)) << entry;
        EXPECT_TRUE(reader.Dots().empty()) << entry;
    }
    EXPECT_EQ(reader.Error(), QStringLiteral("line 2: '1-1-1-R-' is not a dot entry of this 16 x 24 canvas"));
    ASSERT_TRUE(reader.Read(QStringLiteral("  1-1-1-R ,1-1-2-G\t\n"), 16, 24));
    EXPECT_TRUE(reader.Error().isEmpty());
    ASSERT_EQ(reader.Dots().size(), 2u);
    EXPECT_EQ(reader.Dots()[1].x, 1);
    EXPECT_FALSE(reader.Read(QStringLiteral("1-1-1-R\n\n\n1-1-9-R"), 16, 24));
    EXPECT_EQ(reader.Error(), QStringLiteral("line 4: '1-1-9-R' is not a dot entry of this 16 x 24 canvas"));
}
