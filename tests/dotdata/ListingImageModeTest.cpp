#include "ListingSupport.h"

#include <gtest/gtest.h>

namespace {

QString Percent(int p)
{
    return CDotListing::StatusFor(p);
}

QString FullBlockLine(int blockNo, QChar letter)
{
    QStringList entries;
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 8; ++c)
            entries << QStringLiteral("%1-%2-%3-%4").arg(blockNo).arg(r).arg(c).arg(letter);
    return entries.join(QStringLiteral(", "));
}

} // namespace

TEST(ListingImageMode, WorkedExampleTextPiecesAndStatuses)
{
    CDotGrid grid = MakeGrid(16, 8, CDotGrid::ImageMode);
    Light(grid, 0, 0, kRed);
    Light(grid, 1, 0, kRed);
    Light(grid, 7, 7, kGreen);
    Light(grid, 9, 0, kBlue);

    const CRecordingSink chunked = Generate(grid);
    EXPECT_EQ(chunked.m_szText, QStringLiteral("1-1-1-R, 1-1-2-R, 1-8-8-G\n\n2-1-2-B\n\n"));
    EXPECT_EQ(chunked.m_statuses, (QStringList{QStringLiteral("\t\t50%"), QStringLiteral("\t\t100%"),
                                               QStringLiteral("\t\t100%")}));

    const CRecordingSink pieces = Generate(grid, {}, 1);
    EXPECT_EQ(pieces.m_pieces, (QStringList{QStringLiteral("1-1-1-R"), QStringLiteral(", 1-1-2-R"),
                                            QStringLiteral(", 1-8-8-G"), QStringLiteral("\n\n"),
                                            QStringLiteral("2-1-2-B"), QStringLiteral("\n\n")}));
}

TEST(ListingImageMode, EmptyBlocksKeepTheirNumbersAndWriteNothing)
{
    CDotGrid unlit = MakeGrid(32, 16, CDotGrid::ImageMode);
    EXPECT_TRUE(Generate(unlit).m_szText.isEmpty());

    CDotGrid grid = MakeGrid(32, 16, CDotGrid::ImageMode);
    Light(grid, 31, 15, kBlue); // last dot of block 8
    Light(grid, 8, 8, kRed);    // first dot of block 6
    EXPECT_EQ(Generate(grid).m_szText, QStringLiteral("6-1-1-R\n\n8-8-8-B\n\n"));
}

TEST(ListingImageMode, OnlyExactPaletteColoursAreLit)
{
    CDotGrid grid = MakeGrid(8, 8, CDotGrid::ImageMode);
    const COLORREF nearRed = MakeColor(254, 0, 0);
    const COLORREF nearPink = MakeColor(188, 143, 144);
    Light(grid, 0, 0, nearRed);
    Light(grid, 1, 0, nearPink);
    Light(grid, 2, 0, CDotGrid::NudgeOffPalette(DotPalette[6]));
    Light(grid, 3, 0, DotPalette[4]);
    Light(grid, 4, 0, DotPalette[6]);
    Light(grid, 5, 0, DotPalette[5]);
    Light(grid, 6, 0, DotPalette[3]);
    EXPECT_EQ(Generate(grid).m_szText, QStringLiteral("1-1-4-P, 1-1-5-O, 1-1-6-W, 1-1-7-Y\n\n"));
}

TEST(ListingImageMode, AllLitBlockIsOneLineOfSixtyFourEntries)
{
    CDotGrid grid = MakeGrid(16, 8, CDotGrid::ImageMode);
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            Light(grid, x, y, kGreen);
    EXPECT_EQ(Generate(grid).m_szText, FullBlockLine(2, QLatin1Char('G')) + "\n\n");
}

TEST(ListingImageMode, ProgressIsSentOnlyWhenItChanges)
{
    // One block: its only percentage equals the starting value, so only the
    // final text is sent.
    CDotGrid single = MakeGrid(8, 8, CDotGrid::ImageMode);
    EXPECT_EQ(Generate(single).m_statuses, QStringList{Percent(100)});

    // 300 blocks: every percentage 0..100 once, rising, then the final text.
    CDotGrid wide = MakeGrid(8 * 300, 8, CDotGrid::ImageMode);
    const QStringList statuses = Generate(wide).m_statuses;
    ASSERT_EQ(statuses.size(), 102);
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(statuses[p], Percent(p));
    EXPECT_EQ(statuses.last(), Percent(100));
}

TEST(ListingImageMode, ChunksJoinPiecesWithoutChangingTheListing)
{
    CDotGrid grid = MakeGrid(64, 64, CDotGrid::ImageMode);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x * 7 + y * 3) % 5 == 0)
                Light(grid, x, y, DotPalette[static_cast<std::size_t>((x + y) % 7)]);

    const CRecordingSink pieces = Generate(grid, {}, 1);
    const CRecordingSink chunked = Generate(grid, {}, 100);
    EXPECT_EQ(chunked.m_szText, pieces.m_szText);
    EXPECT_EQ(chunked.m_statuses, pieces.m_statuses);
    for (const QString& chunk : chunked.m_pieces.mid(0, chunked.m_pieces.size() - 1))
        EXPECT_GE(chunk.size(), 100);
    // Everything is handed over before the final status.
    EXPECT_EQ(chunked.m_textAtStatus.last(), pieces.m_szText);
}

TEST(ListingImageMode, PartialEdgeBlocksReadOnlyInsideTheGrid)
{
    // Not a size the editor makes; the listing still covers every dot once.
    CDotGrid grid = MakeGrid(12, 12, CDotGrid::ImageMode);
    Light(grid, 11, 0, kRed);
    Light(grid, 11, 11, kBlue);
    Light(grid, 0, 11, kGreen);
    const CRecordingSink sink = Generate(grid);
    EXPECT_EQ(sink.m_szText, QStringLiteral("2-1-4-R\n\n3-4-1-G\n\n4-4-4-B\n\n"));
    EXPECT_EQ(sink.m_statuses.last(), Percent(100));
}

TEST(ListingImageMode, EmptyGridListsNothing)
{
    CDotGrid grid;
    grid.SetMode(CDotGrid::ImageMode);
    const CRecordingSink sink = Generate(grid);
    EXPECT_TRUE(sink.m_szText.isEmpty());
    EXPECT_EQ(sink.m_statuses, QStringList{Percent(100)});
}
