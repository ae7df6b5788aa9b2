#include "ListingSupport.h"
#include "SevenColours.h"

#include <gtest/gtest.h>

TEST(ListingImageMode, WorkedExampleTextPiecesAndStatuses)
{
    CDotGrid grid = MakeGrid(16, 8, ImageMode);
    Light(grid, 0, 0, kRed);
    Light(grid, 1, 0, kRed);
    Light(grid, 7, 7, kGreen);
    Light(grid, 9, 0, kBlue);

    const CRecordingSink sink = Generate(grid);
    EXPECT_EQ(sink.m_szText, QStringLiteral("1-1-1-R, 1-1-2-R, 1-8-8-G\n\n2-1-2-B\n\n"));
    EXPECT_EQ(sink.m_statuses, (QStringList{"\t\t50%", "\t\t100%", "\t\t100%"}));
    EXPECT_EQ(Generate(grid, {}, 1).m_pieces,
              (QStringList{"1-1-1-R", ", 1-1-2-R", ", 1-8-8-G", "\n\n", "2-1-2-B", "\n\n"}));
}

TEST(ListingImageMode, OnlyExactPaletteColoursAreListedUnderTheirBlockNumber)
{
    CDotGrid grid = MakeGrid(32, 16, ImageMode);
    EXPECT_TRUE(Generate(grid).m_szText.isEmpty());

    Light(grid, 0, 0, MakeColor(254, 0, 0));            // one unit off Red
    Light(grid, 1, 0, CDotGrid::NudgeOffPalette(DotPalette[4]));
    Light(grid, 8, 8, DotPalette[4]);                   // block 6
    Light(grid, 9, 8, DotPalette[6]);
    Light(grid, 31, 15, DotPalette[5]);                 // last dot of block 8
    EXPECT_EQ(Generate(grid).m_szText, QStringLiteral("6-1-1-P, 6-1-2-O\n\n8-8-8-W\n\n"));
}

TEST(ListingImageMode, AllLitBlockIsOneLineAndPartialEdgeBlocksStayInside)
{
    CDotGrid grid = MakeGrid(12, 12, ImageMode); // not a size the editor makes
    QStringList entries;
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 8; ++c) {
            Light(grid, c - 1, r - 1, kGreen);
            entries << QStringLiteral("1-%1-%2-G").arg(r).arg(c);
        }
    Light(grid, 11, 11, kBlue);
    EXPECT_EQ(Generate(grid).m_szText, entries.join(QStringLiteral(", ")) + QStringLiteral("\n\n4-4-4-B\n\n"));
}

TEST(ListingImageMode, ProgressIsSentOnlyWhenItChangesAndChunksKeepTheText)
{
    // One block: its 100 equals the starting value, only the final text is sent.
    EXPECT_EQ(Generate(MakeGrid(8, 8, ImageMode)).m_statuses, QStringList{"\t\t100%"});

    CDotGrid wide = MakeGrid(8 * 300, 16, ImageMode);
    for (int x = 0; x < wide.Width(); x += 3)
        Light(wide, x, x % 16, DotPalette[static_cast<std::size_t>(x % 7)]);
    const CRecordingSink pieces = Generate(wide, {}, 1);
    ASSERT_EQ(pieces.m_statuses.size(), 102);
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(pieces.m_statuses[p], QStringLiteral("\t\t%1%").arg(p));

    const CRecordingSink chunked = Generate(wide, {}, 500);
    EXPECT_EQ(chunked.m_szText, pieces.m_szText);
    EXPECT_EQ(chunked.m_statuses, pieces.m_statuses);
    EXPECT_LT(chunked.m_pieces.size(), pieces.m_pieces.size() / 50);
}

TEST(ListingImageMode, EveryColourIsListedUnderItsOwnLetter)
{
    // One dot per colour along the top row of block 1; the next dot in each
    // colour, nudged by one unit, is not a dot colour and stays out.
    CDotGrid grid = MakeGrid(16, 8, ImageMode);
    for (const SDotColour& colour : kSevenColours) {
        Light(grid, colour.index, 0, colour.Value());
        Light(grid, colour.index, 1, MakeColor(colour.red ^ 1, colour.green, colour.blue));
    }
    EXPECT_EQ(Generate(grid).m_szText, QStringLiteral("1-1-1-R, 1-1-2-G, 1-1-3-B, 1-1-4-Y, 1-1-5-P, 1-1-6-W, 1-1-7-O\n\n"));
}

TEST(ListingImageMode, ProgressRoundsHalvesUpOnSmallCanvases)
{
    // Image mode counts finished blocks from 1, text mode from 0; p =
    // trunc(n * 100 / total + 0.5), so 1/3 gives 33, 2/3 gives 67 and
    // 1/8 (12.5) gives 13. Each run ends with the final 100.
    struct Case
    {
        int width, height, mode;
        QString text;
        QStringList statuses;
    };
    const Case cases[] = {
        {24, 8, ImageMode, {}, {"33", "67", "100", "100"}},
        {64, 8, ImageMode, {}, {"13", "25", "38", "50", "63", "75", "88", "100", "100"}},
        {8, 16, ImageMode, {}, {"50", "100", "100"}},
        {24, 8, TextMode, "ABC", {"0", "33", "67", "100"}},
        {64, 8, TextMode, "AB", {"0", "13", "25", "38", "50", "63", "75", "88", "100"}},
    };
    for (const Case& k : cases) {
        QStringList expected;
        for (const QString& percent : k.statuses)
            expected << "\t\t" + percent + "%";
        const CDotGrid grid = MakeGrid(k.width, k.height, k.mode);
        EXPECT_EQ(Generate(grid, MakeText(k.text, 0)).m_statuses, expected) << k.width << "x" << k.height;
    }
}
