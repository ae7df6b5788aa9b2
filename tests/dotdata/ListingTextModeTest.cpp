#include "ListingSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLandscape = 0;
constexpr int kPortrait = 1;

// The first entry of each numbered block in the listing, in order.
QStringList BlockNumbersListed(const QString& listing)
{
    QStringList numbers;
    for (const QString& line : listing.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('/')))
            continue;
        for (const QString& entry : line.split(QLatin1Char(',')))
            numbers << entry.trimmed().section(QLatin1Char('-'), 0, 0);
    }
    numbers.removeDuplicates();
    return numbers;
}

// Lights the top-left dot of every block of the grid.
void LightBlockCorners(CDotGrid& grid, COLORREF c)
{
    for (int y = 0; y < grid.Height(); y += 8)
        for (int x = 0; x < grid.Width(); x += 8)
            Light(grid, x, y, c);
}

} // namespace

TEST(ListingTextMode, WorkedExampleLetterI)
{
    CDotGrid grid = MakeGrid(8, 8, CDotGrid::TextMode);
    for (int y = 0; y < 8; ++y)
        Light(grid, 3, y, kGreen);
    Light(grid, 4, 0, kGreen);

    const CRecordingSink sink = Generate(grid, MakeText(QStringLiteral("I"), kLandscape, 1));
    const QString expected = QStringLiteral(
        "/*****  I, Green  ***********************************************************/\n"
        " 1-1-4-G,  1-1-5-G,  1-2-4-G,  1-3-4-G,  1-4-4-G,  1-5-4-G,  1-6-4-G,  1-7-4-G\n"
        " 1-8-4-G\n"
        "//**** <9> *******************************************************************\n"
        "\n");
    EXPECT_EQ(sink.m_szText, expected);
    EXPECT_EQ(sink.m_statuses, (QStringList{QStringLiteral("\t\t0%"), QStringLiteral("\t\t100%")}));
}

TEST(ListingTextMode, UnlitCanvasGivesHeadersAndZeroFooters)
{
    const CDotGrid grid = MakeGrid(32, 16, CDotGrid::TextMode);
    CCanvasText text = MakeText(QStringLiteral("中A"), kLandscape);
    text.m_abCharColor[1] = 6;
    EXPECT_EQ(Generate(grid, text).m_szText,
              Header(QStringLiteral("中"), QStringLiteral("Red")) + Footer(0)
                  + Header(QStringLiteral("A"), QStringLiteral("Orange")) + Footer(0));
}

TEST(ListingTextMode, EmptyTextListsNothingAndSendsOnlyTheFinalStatus)
{
    CDotGrid grid = MakeGrid(16, 16, CDotGrid::TextMode);
    LightBlockCorners(grid, kRed);
    const CRecordingSink sink = Generate(grid, MakeText(QString(), kLandscape));
    EXPECT_TRUE(sink.m_szText.isEmpty());
    EXPECT_EQ(sink.m_statuses, QStringList{CDotListing::StatusFor(100)});
}

TEST(ListingTextMode, AllLitBlockIsEightLinesOfEight)
{
    CDotGrid grid = MakeGrid(8, 8, CDotGrid::TextMode);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            Light(grid, x, y, kBlue);
    QString lines;
    for (int r = 1; r <= 8; ++r) {
        QStringList entries;
        for (int c = 1; c <= 8; ++c)
            entries << QStringLiteral(" 1-%1-%2-B").arg(r).arg(c);
        lines += entries.join(QStringLiteral(", ")) + QLatin1Char('\n');
    }
    EXPECT_EQ(Generate(grid, MakeText(QStringLiteral("A"), kLandscape, 2)).m_szText,
              Header(QStringLiteral("A"), QStringLiteral("Blue")) + lines + Footer(64));
}

TEST(ListingTextMode, CharacterColourOutsideThePaletteIsNamedX)
{
    const CDotGrid grid = MakeGrid(24, 8, CDotGrid::TextMode);
    CCanvasText text = MakeText(QStringLiteral("abc"), kLandscape);
    text.m_abCharColor[0] = 7;
    text.m_abCharColor[1] = 200;
    text.m_abCharColor[2] = 5;
    EXPECT_EQ(Generate(grid, text).m_szText,
              Header(QStringLiteral("a"), QStringLiteral("X")) + Footer(0)
                  + Header(QStringLiteral("b"), QStringLiteral("X")) + Footer(0)
                  + Header(QStringLiteral("c"), QStringLiteral("White")) + Footer(0));
}

TEST(ListingTextMode, BlockNumbersArePaddedToTwoAndPrintedInFull)
{
    // One character on 96 x 72 dots: 12 x 9 = 108 blocks.
    CDotGrid grid = MakeGrid(96, 72, CDotGrid::TextMode);
    Light(grid, 8, 0, kRed);   // block 2
    Light(grid, 9, 0, kRed);
    Light(grid, 16, 0, kRed);  // block 3
    Light(grid, 24, 0, kRed);  // block 4
    Light(grid, 0, 8, kRed);   // block 13
    Light(grid, 95, 71, kRed); // block 108
    const QString listing = Generate(grid, MakeText(QStringLiteral("W"), kLandscape)).m_szText;
    EXPECT_EQ(listing,
              Header(QStringLiteral("W"), QStringLiteral("Red"))
                  + QStringLiteral(" 2-1-1-R,  2-1-2-R\n 3-1-1-R\n 4-1-1-R\n13-1-1-R\n108-8-8-R\n") + Footer(6));
}

TEST(ListingTextMode, LandscapeNumbersRunOnAcrossCharacters)
{
    // Two 16 x 16 cells side by side: the first character's blocks are 1-4
    // (top band 1, 2; bottom band 3, 4), the second's 5-8.
    CDotGrid grid = MakeGrid(32, 16, CDotGrid::TextMode);
    LightBlockCorners(grid, kRed);
    Light(grid, 17, 9, kRed); // second character, bottom-left block
    const QString listing = Generate(grid, MakeText(QStringLiteral("AB"), kLandscape)).m_szText;
    EXPECT_EQ(listing,
              Header(QStringLiteral("A"), QStringLiteral("Red"))
                  + QStringLiteral(" 1-1-1-R\n 2-1-1-R\n 3-1-1-R\n 4-1-1-R\n") + Footer(4)
                  + Header(QStringLiteral("B"), QStringLiteral("Red"))
                  + QStringLiteral(" 5-1-1-R\n 6-1-1-R\n 7-1-1-R,  7-2-2-R\n 8-1-1-R\n") + Footer(5));
    // Block 7 is the second character's bottom-left block, the grid's block
    // at column 2 of band 1.
}

TEST(ListingTextMode, PortraitNumbersFollowTheBands)
{
    // Two 16 x 16 cells stacked: blocks 1-4 belong to the first character,
    // 5-8 to the second, numbered band by band.
    CDotGrid grid = MakeGrid(16, 32, CDotGrid::TextMode);
    LightBlockCorners(grid, kRed);
    Light(grid, 9, 17, kBlue); // third band, second block: block 6
    const CRecordingSink sink = Generate(grid, MakeText(QStringLiteral("上下"), kPortrait));
    EXPECT_EQ(sink.m_szText,
              Header(QStringLiteral("上"), QStringLiteral("Red"))
                  + QStringLiteral(" 1-1-1-R\n 2-1-1-R\n 3-1-1-R\n 4-1-1-R\n") + Footer(4)
                  + Header(QStringLiteral("下"), QStringLiteral("Red"))
                  + QStringLiteral(" 5-1-1-R\n 6-1-1-R,  6-2-2-B\n 7-1-1-R\n 8-1-1-R\n") + Footer(5));
    // Progress counts from the 0-based block index.
    EXPECT_EQ(sink.m_statuses.first(), CDotListing::StatusFor(0));
    EXPECT_EQ(sink.m_statuses.size(), 9);
}

TEST(ListingTextMode, MismatchedCanvasesListEveryBlockOnceAndEveryCharacter)
{
    struct Case
    {
        int width, height, vertical;
        QString text;
    };
    const Case cases[] = {
        {8, 8, kPortrait, QStringLiteral("ABC")},   // fewer blocks than characters
        {8, 8, kLandscape, QStringLiteral("ABC")},  // cells narrower than a block
        {24, 8, kLandscape, QStringLiteral("AB")},  // cells of 12 dots
        {40, 16, kPortrait, QStringLiteral("AB")},  // blocks left over
        {12, 20, kPortrait, QStringLiteral("A")},   // partial edge blocks
        {20, 12, kLandscape, QStringLiteral("AB")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2 %3").arg(k.width).arg(k.height).arg(k.text).toStdString());
        CDotGrid grid = MakeGrid(k.width, k.height, CDotGrid::TextMode);
        LightBlockCorners(grid, kRed);
        const int blocks = ((k.width + 7) / 8) * ((k.height + 7) / 8);
        const CRecordingSink sink = Generate(grid, MakeText(k.text, k.vertical));

        QStringList expectedNumbers;
        for (int n = 1; n <= blocks; ++n)
            expectedNumbers << QString::number(n);
        EXPECT_EQ(BlockNumbersListed(sink.m_szText), expectedNumbers);
        EXPECT_EQ(sink.m_szText.count(QLatin1String("/*****  ")), k.text.size());
        EXPECT_EQ(sink.m_szText.count(QLatin1String("//**** <")), k.text.size());
        EXPECT_EQ(sink.m_statuses.last(), CDotListing::StatusFor(100));
    }
}

TEST(ListingTextMode, LeftoverBlocksGoToTheLastCharacter)
{
    // 5 block columns for 2 characters: 2 for the first, 3 for the second.
    CDotGrid grid = MakeGrid(40, 8, CDotGrid::TextMode);
    LightBlockCorners(grid, kRed);
    EXPECT_EQ(Generate(grid, MakeText(QStringLiteral("AB"), kLandscape)).m_szText,
              Header(QStringLiteral("A"), QStringLiteral("Red")) + QStringLiteral(" 1-1-1-R\n 2-1-1-R\n") + Footer(2)
                  + Header(QStringLiteral("B"), QStringLiteral("Red"))
                  + QStringLiteral(" 3-1-1-R\n 4-1-1-R\n 5-1-1-R\n") + Footer(3));
}
