#include "ListingSupport.h"
#include "SevenColours.h"

#include <QPoint>

#include <gtest/gtest.h>

namespace {
constexpr int kLandscape = 0;
constexpr int kPortrait = 1;
}

TEST(ListingTextMode, WorkedExampleLetterI)
{
    CDotGrid grid = MakeGrid(8, 8, TextMode);
    for (int y = 0; y < 8; ++y)
        Light(grid, 3, y, kGreen);
    Light(grid, 4, 0, kGreen);

    const CRecordingSink sink = Generate(grid, MakeText(QStringLiteral("I"), kLandscape, 1));
    EXPECT_EQ(sink.m_szText,
              QStringLiteral("/*****  I, Green  ***********************************************************/\n"
                             " 1-1-4-G,  1-1-5-G,  1-2-4-G,  1-3-4-G,  1-4-4-G,  1-5-4-G,  1-6-4-G,  1-7-4-G\n"
                             " 1-8-4-G\n"
                             "//**** <9> *******************************************************************\n"
                             "\n"));
    EXPECT_EQ(sink.m_statuses, (QStringList{"\t\t0%", "\t\t100%"}));
}

TEST(ListingTextMode, UnlitCanvasGivesEveryHeaderAndZeroFooters)
{
    CDotGrid grid = MakeGrid(24, 8, TextMode);
    CCanvasText text = MakeText(QStringLiteral("中Ab"), kLandscape);
    text.m_abCharColor = {6, 7, 200};
    EXPECT_EQ(Generate(grid, text).m_szText, Header("中", "Orange") + Footer(0) + Header("A", "X") + Footer(0)
                                                 + Header("b", "X") + Footer(0));

    LightBlockCorners(grid);
    const CRecordingSink empty = Generate(grid, MakeText(QString(), kLandscape));
    EXPECT_TRUE(empty.m_szText.isEmpty());
    EXPECT_EQ(empty.m_statuses, QStringList{"\t\t100%"});
}

TEST(ListingTextMode, AllLitBlockIsEightLinesOfEight)
{
    CDotGrid grid = MakeGrid(8, 8, TextMode);
    QString lines;
    for (int r = 1; r <= 8; ++r) {
        QStringList entries;
        for (int c = 1; c <= 8; ++c) {
            Light(grid, c - 1, r - 1, kBlue);
            entries << QStringLiteral(" 1-%1-%2-B").arg(r).arg(c);
        }
        lines += entries.join(QStringLiteral(", ")) + QLatin1Char('\n');
    }
    EXPECT_EQ(Generate(grid, MakeText("A", kLandscape, 2)).m_szText, Header("A", "Blue") + lines + Footer(64));
}

TEST(ListingTextMode, BlockNumbersArePaddedToTwoAndPrintedInFull)
{
    // 12 x 9 = 108 blocks. Blocks 9 and 10 sit on the top band, 99 and 100
    // on the last one; each gets two dots so the separator shows too.
    CDotGrid grid = MakeGrid(96, 72, TextMode);
    for (const QPoint corner : {QPoint(64, 0), QPoint(72, 0), QPoint(16, 64), QPoint(24, 64)}) {
        Light(grid, corner.x(), corner.y(), kRed);
        Light(grid, corner.x() + 1, corner.y(), kRed);
    }
    Light(grid, 95, 71, kRed); // last dot of block 108
    EXPECT_EQ(Generate(grid, MakeText("W", kLandscape)).m_szText,
              Header("W", "Red")
                  + " 9-1-1-R,  9-1-2-R\n"
                    "10-1-1-R, 10-1-2-R\n"
                    "99-1-1-R, 99-1-2-R\n"
                    "100-1-1-R, 100-1-2-R\n"
                    "108-8-8-R\n"
                  + Footer(9));
}

TEST(ListingTextMode, EachCharacterNamesItsOwnColourAndItsDotsCarryTheLetter)
{
    // Seven characters side by side, one per colour, each lighting the
    // top-left dot of its cell; an eighth character has no dot colour.
    CDotGrid grid = MakeGrid(64, 8, TextMode);
    CCanvasText text = MakeText(QStringLiteral("ABCDEFGH"), kLandscape);
    QString expected;
    for (const SDotColour& colour : kSevenColours) {
        Light(grid, 8 * colour.index, 0, colour.Value());
        text.m_abCharColor[static_cast<std::size_t>(colour.index)] = static_cast<std::uint8_t>(colour.index);
        expected += Header(QChar('A' + colour.index), colour.name)
            + QStringLiteral(" %1-1-1-%2\n").arg(colour.index + 1).arg(colour.letter) + Footer(1);
    }
    text.m_abCharColor[7] = 7;
    expected += Header("H", "X") + Footer(0);
    EXPECT_EQ(Generate(grid, text).m_szText, expected);
    // Indices outside the palette name no colour, as an unlit dot.
    for (const int index : {-1, 8, 255})
        EXPECT_EQ(CDotListing::ColorName(index), QStringLiteral("X")) << index;
    EXPECT_EQ(CDotListing::ColorName(0), QStringLiteral("Red"));
    EXPECT_EQ(CDotListing::ColorName(6), QStringLiteral("Orange"));
}

TEST(ListingTextMode, NumbersRunOnAcrossCharactersInBothLayouts)
{
    // Two 16 x 16 cells: landscape side by side, portrait stacked. The first
    // character owns blocks 1-4, the second 5-8; the extra dot is in the
    // second character's bottom-left block (landscape) or band 3, block 2.
    CDotGrid wide = MakeGrid(32, 16, TextMode);
    LightBlockCorners(wide);
    Light(wide, 17, 9, kRed);
    CDotGrid tall = MakeGrid(16, 32, TextMode);
    LightBlockCorners(tall);
    Light(tall, 9, 17, kRed);

    EXPECT_EQ(Generate(wide, MakeText("AB", kLandscape)).m_szText,
              Header("A", "Red") + " 1-1-1-R\n 2-1-1-R\n 3-1-1-R\n 4-1-1-R\n" + Footer(4) + Header("B", "Red")
                  + " 5-1-1-R\n 6-1-1-R\n 7-1-1-R,  7-2-2-R\n 8-1-1-R\n" + Footer(5));
    EXPECT_EQ(Generate(tall, MakeText("AB", kPortrait)).m_szText,
              Header("A", "Red") + " 1-1-1-R\n 2-1-1-R\n 3-1-1-R\n 4-1-1-R\n" + Footer(4) + Header("B", "Red")
                  + " 5-1-1-R\n 6-1-1-R,  6-2-2-R\n 7-1-1-R\n 8-1-1-R\n" + Footer(5));
}

TEST(ListingTextMode, MismatchedCanvasesListEveryBlockOnceAndEveryCharacter)
{
    struct Case
    {
        int width, height, vertical;
        QString text;
        QString listing; // block numbers per character
    };
    const Case cases[] = {
        {8, 8, kPortrait, "ABC", "A:1 B: C:"},       // fewer blocks than characters
        {8, 8, kLandscape, "ABC", "A:1 B: C:"},      // cells narrower than a block
        {24, 8, kLandscape, "AB", "A:1 B:2,3"},      // cells of 12 dots
        {40, 8, kLandscape, "AB", "A:1,2 B:3,4,5"},  // block columns left over
        {24, 16, kPortrait, "AB", "A:1,2,3 B:4,5,6"},
        {16, 24, kPortrait, "AB", "A:1,2,3 B:4,5,6"}, // cells of 12 dots stacked
        {12, 20, kPortrait, "A", "A:1,2,3,4,5,6"},   // partial edge blocks
    };
    for (const Case& k : cases) {
        CDotGrid grid = MakeGrid(k.width, k.height, TextMode);
        LightBlockCorners(grid);
        const CRecordingSink sink = Generate(grid, MakeText(k.text, k.vertical));

        QStringList perChar;
        for (const QString& part : sink.m_szText.split(QStringLiteral("/*****  "), Qt::SkipEmptyParts)) {
            QStringList numbers;
            for (const QString& line : part.split('\n').mid(1))
                if (!line.isEmpty() && !line.startsWith('/'))
                    numbers << line.trimmed().section('-', 0, 0);
            perChar << part.left(1) + ':' + numbers.join(',');
        }
        EXPECT_EQ(perChar.join(' '), k.listing) << k.width << "x" << k.height;
        EXPECT_EQ(sink.m_szText.count(QStringLiteral("//**** <")), k.text.size());
        EXPECT_EQ(sink.m_statuses.last(), QStringLiteral("\t\t100%"));
    }
}

// A character outside the Basic Multilingual Plane has one header holding
// the whole character, and the blocks are shared out per character.
TEST(ListingTextMode, OneEmojiIsOneCharacterWithOneHeader)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    for (const int layout : {kLandscape, kPortrait}) {
        CDotGrid grid = layout == kLandscape ? MakeGrid(32, 16, TextMode) : MakeGrid(16, 32, TextMode);
        CCanvasText text = MakeText(smile + QStringLiteral("A"), layout);
        text.m_abCharColor[0] = 0;
        text.m_abCharColor[1] = 1;
        Light(grid, 0, 0, kRed);
        const CRecordingSink sink = Generate(grid, text);
        EXPECT_EQ(sink.m_szText.count(QStringLiteral("/*****")), 2) << layout;
        EXPECT_TRUE(sink.m_szText.startsWith(Header(smile, QStringLiteral("Red")) + QStringLiteral(" 1-1-1-R\n")))
            << layout;
        EXPECT_TRUE(sink.m_szText.contains(Header(QStringLiteral("A"), QStringLiteral("Green")))) << layout;
        // Four blocks each: the first character's are 1-4 (portrait) or the
        // first two block columns (landscape); either way block 1 is its own.
        EXPECT_EQ(sink.m_szText.count(QStringLiteral("//****")), 2) << layout;
        EXPECT_TRUE(sink.m_szText.contains(Footer(1) + Header(QStringLiteral("A"), QStringLiteral("Green")))) << layout;
    }
}
