#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/DotPalette.h"
#include "textinput/RowScaleCopy.h"
#include "textinput/TextRenderer.h"

#include "SevenColours.h"

#include "TestSupport.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
constexpr COLORREF kBlue = DotPalette[2];
constexpr COLORREF kBack = 0x00000000;
constexpr COLORREF kNavy = 0x00800000; // a coloured ground that is no dot colour

// A canvas's grid and text with the renderer working on them, recording
// every layout step.
struct Canvas
{
    CDotGrid grid;
    CCanvasText text;
    CTextRenderer renderer{grid, text};
    std::vector<std::pair<int, int>> layouts;
    QTextDocument document;

    Canvas()
    {
        renderer.SetLayoutStep([this](int w, int h) { layouts.emplace_back(w, h); });
    }
    void New(int w, int h)
    {
        grid.Create(w, h, TextMode);
        CTextRenderer::SetUpNewCanvas(text, w, h, TextMode);
    }
    void Type(const QString& s, COLORREF c)
    {
        QTextCharFormat format;
        format.setForeground(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(s, format);
    }
    // Display row y (0 = top).
    COLORREF At(int x, int y) const { return grid.DotAt(x, grid.Height() - 1 - y); }
    int CountOf(COLORREF c, int x0, int x1, int y0, int y1) const
    {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += At(x, y) == c ? 1 : 0;
        return count;
    }
    int CountOf(COLORREF c) const { return CountOf(c, 0, grid.Width(), 0, grid.Height()); }
    std::vector<COLORREF> Column(int x) const
    {
        std::vector<COLORREF> column;
        for (int y = 0; y < grid.Height(); ++y)
            column.push_back(At(x, y));
        return column;
    }
};

const QString kTwoHan = QString::fromUtf8("中文");

} // namespace

TEST(TextRendererLayout, TwoCjkCharactersInSixteenCellMakeAThirtyTwoWideGrid)
{
    Canvas c;
    c.New(16, 16);
    c.Type(kTwoHan, kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", 16)));
    EXPECT_EQ(c.grid.Width(), 32);
    EXPECT_EQ(c.grid.Height(), 16);
    EXPECT_EQ(c.text.m_abCharColor[0], 0);
    EXPECT_EQ(c.text.m_abCharColor[1], 0);
    EXPECT_GT(c.CountOf(kRed, 0, 16, 0, 16), 10);
    EXPECT_GT(c.CountOf(kRed, 16, 32, 0, 16), 10);
    // Glyphs are drawn without smoothing: only the text and background colours occur.
    EXPECT_EQ(c.CountOf(kRed) + c.CountOf(kBack), 32 * 16);
    ASSERT_FALSE(c.layouts.empty());
    EXPECT_EQ(c.layouts.back(), std::make_pair(32, 16));
}

TEST(TextRendererLayout, WithoutCellTheFontSizesHalfWidthCells)
{
    Canvas c;
    c.Type(QStringLiteral("A"), kGreen);
    c.Type(QStringLiteral("B"), kBlue);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 12)));
    EXPECT_EQ(c.text.m_nCellWidth, 8);
    EXPECT_EQ(c.text.m_nCellHeight, 16);
    EXPECT_EQ(c.grid.Width(), 16);
    EXPECT_EQ(c.grid.Height(), 16);
    EXPECT_GT(c.CountOf(kGreen, 0, 8, 0, 16), 0);
    EXPECT_EQ(c.CountOf(kGreen, 8, 16, 0, 16), 0);
    EXPECT_GT(c.CountOf(kBlue, 8, 16, 0, 16), 0);
    EXPECT_EQ(c.CountOf(kBlue, 0, 8, 0, 16), 0);
}

TEST(TextRendererLayout, BlanksAreDroppedAndEachCharacterKeepsItsOwnColour)
{
    Canvas c;
    c.Type(QStringLiteral("A"), kRed);
    c.Type(QStringLiteral(" \t"), kGreen);
    c.Type(QStringLiteral("\nB"), kBlue);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
    EXPECT_EQ(c.text.m_szText, QStringLiteral("AB"));
    EXPECT_EQ(c.grid.Width(), 16);
    EXPECT_EQ(c.text.m_abCharColor[0], 0);
    EXPECT_EQ(c.text.m_abCharColor[1], 2);
    EXPECT_EQ(c.CountOf(kGreen), 0);
}

TEST(TextRendererLayout, TallCanvasStacksCellsTopToBottom)
{
    Canvas c;
    c.New(16, 32);
    EXPECT_EQ(c.text.m_bVertical, 1);
    c.Type(QString::fromUtf8("中文字"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", 16)));
    EXPECT_EQ(c.grid.Width(), 16);
    EXPECT_EQ(c.grid.Height(), 48);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(c.CountOf(kRed, 0, 16, 16 * i, 16 * i + 16), 10) << "glyph " << i;
}

TEST(TextRendererLayout, CellWidthFromNewIsTheGlyphBoxSoNarrowGlyphsAreCentred)
{
    Canvas c;
    c.New(16, 16);
    c.Type(QStringLiteral("II"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
    ASSERT_EQ(c.grid.Width(), 32);
    for (int cell = 0; cell < 2; ++cell) {
        int left = 16;
        int right = -1;
        for (int x = 0; x < 16; ++x) {
            if (c.CountOf(kRed, cell * 16 + x, cell * 16 + x + 1, 0, 16) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        ASSERT_GE(right, left) << "cell " << cell << " is empty";
        EXPECT_LE(std::abs(left - (15 - right)), 2) << "cell " << cell;
    }
}

TEST(TextRendererLayout, NarrowFirstCharacterGivesEveryCellHalfWidth)
{
    Canvas c;
    c.Type(QString::fromUtf8("A中文"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", 16)));
    EXPECT_EQ(c.text.m_nCellWidth, 8);
    EXPECT_EQ(c.grid.Width(), 24);

    // Half width up to U+00FF, full width from U+0100 on.
    const struct
    {
        char32_t first;
        int width;
    } cases[] = {{U'\u00FE', 8}, {U'\u00FF', 8}, {U'\u0100', 16}, {U'\u0101', 16}};
    for (const auto& k : cases) {
        Canvas d;
        d.Type(QString::fromUcs4(&k.first, 1) + QStringLiteral("A"), kRed);
        ASSERT_TRUE(d.renderer.MergeText(&d.document, FontOf("DejaVu Sans", 16)));
        EXPECT_EQ(d.text.m_nCellWidth, k.width) << static_cast<int>(k.first);
    }
}

TEST(TextRendererPlacement, OffsetsShiftGlyphsInsideTheirBoxesOnBothAxes)
{
    // X moves the glyph right, Y moves it down, each by whole dots; what
    // moves in from outside the glyph box is background.
    const struct
    {
        int dx, dy;
    } offsets[] = {{3, 0}, {0, 3}, {2, 5}};
    for (const auto& offset : offsets) {
        Canvas c;
        c.New(16, 16);
        c.Type(kTwoHan, kRed);
        ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", 16)));
        const CDotGrid before = c.grid;
        c.text.m_nGlyphOffsetX = offset.dx;
        c.text.m_nGlyphOffsetY = offset.dy;
        ASSERT_TRUE(c.renderer.RenderText());
        int mismatches = 0;
        for (int cell = 0; cell < 2; ++cell) {
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const bool moved = x >= offset.dx && y >= offset.dy;
                    const COLORREF expected = moved
                        ? before.DotAt(cell * 16 + x - offset.dx, 15 - (y - offset.dy))
                        : kBack;
                    mismatches += c.At(cell * 16 + x, y) == expected ? 0 : 1;
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << "offset " << offset.dx << "," << offset.dy;
        EXPECT_GT(c.CountOf(kRed), 20) << "offset " << offset.dx << "," << offset.dy;
    }
}

TEST(TextRendererPlacement, NegativeStretchSquashesAndLowersTheGlyph)
{
    Canvas c;
    c.New(16, 16);
    c.Type(QString::fromUtf8("国"), kRed); // a box glyph: ink near the top and bottom
    c.text.m_nStretch = -4;
    // An em of 16 fills the box from top to bottom.
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", -16)));
    EXPECT_EQ(c.CountOf(kRed, 0, 16, 0, 2), 0);
    EXPECT_EQ(c.CountOf(kRed, 0, 16, 14, 16), 0);
    EXPECT_GT(c.CountOf(kRed, 0, 16, 2, 4), 0);
    EXPECT_GT(c.CountOf(kRed, 0, 16, 12, 14), 0);
}

// Runs of rows that hold ink between the two sides of the glyph's frame.
int InnerBars(const Canvas& c, COLORREF ink)
{
    int bars = 0;
    bool inBar = false;
    for (int y = 0; y < c.grid.Height(); ++y) {
        const bool ink4 = c.CountOf(ink, 5, 11, y, y + 1) >= 4;
        if (ink4 && !inBar)
            ++bars;
        inBar = ink4;
    }
    return bars;
}

QString Picture(const Canvas& c, COLORREF ink)
{
    QString rows;
    for (int y = 0; y < c.grid.Height(); ++y) {
        for (int x = 0; x < c.grid.Width(); ++x)
            rows += c.At(x, y) == ink ? QLatin1Char('#') : c.At(x, y) == c.grid.BackColor() ? QLatin1Char('.') : QLatin1Char('?');
        rows += QLatin1Char('\n');
    }
    return rows;
}

// 国 is a frame round 玉: with its top and bottom frame bars, five bars cross
// the middle columns. Squashed from 12 rows of glyph to 9 some of them touch,
// but at least three runs of ink remain, in the glyph's colour, on a black
// ground and on a coloured one, in every dot colour. (Combining the rows by
// AND left only the frame on black and unlit dots on a coloured ground.)
TEST(TextRendererPlacement, SquashedBoxGlyphKeepsItsInnerStrokes)
{
    for (const COLORREF back : {kBack, kNavy}) {
        for (std::size_t i = 0; i < DotPalette.size(); ++i) {
            const COLORREF ink = DotPalette[i];
            if (ink == back)
                continue;
            Canvas c;
            c.grid.SetBackgroundColor(back, false);
            c.New(16, 16);
            c.Type(QString::fromUtf8("国"), ink);
            c.text.m_nStretch = -4;
            ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", 16)));
            EXPECT_GE(InnerBars(c, ink), 3) << i << "\n" << qPrintable(Picture(c, ink));
            // Every dot is either the glyph's colour or the background.
            EXPECT_EQ(c.CountOf(ink) + c.CountOf(back), 16 * 16) << i;
        }
    }
}

TEST(TextRendererColours, ColourOutsideThePaletteIsIndexSevenAndStaysUnlit)
{
    Canvas c;
    const COLORREF grey = MakeColor(100, 100, 100);
    c.Type(QStringLiteral("W"), grey);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
    EXPECT_EQ(c.text.m_abCharColor[0], kUnlitIndex);
    EXPECT_GT(c.CountOf(grey), 0);
    for (int y = 0; y < c.grid.Height(); ++y)
        for (int x = 0; x < c.grid.Width(); ++x)
            EXPECT_EQ(c.grid.ColorIndexOf(x, y), kUnlitIndex);
}

TEST(TextRendererColours, EachOfTheSevenColoursDrawsItsCharacterAndIsRemembered)
{
    Canvas c;
    c.New(16, 16);
    for (const SDotColour& colour : kSevenColours)
        c.Type(QString::fromUtf8("国"), colour.Value());
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("WenQuanYi Zen Hei", 16)));
    ASSERT_EQ(c.grid.Width(), 7 * 16);
    for (const SDotColour& colour : kSevenColours) {
        const int x0 = 16 * colour.index;
        EXPECT_EQ(c.text.m_abCharColor[static_cast<std::size_t>(colour.index)], colour.index) << colour.name;
        EXPECT_GT(c.CountOf(colour.Value(), x0, x0 + 16, 0, 16), 20) << colour.name;
        EXPECT_EQ(c.CountOf(colour.Value(), x0, x0 + 16, 0, 16) + c.CountOf(kBack, x0, x0 + 16, 0, 16), 256)
            << colour.name;
    }
}

TEST(TextRendererColours, ReRenderingReadsTheColoursTheInputHasNow)
{
    Canvas c;
    c.Type(QStringLiteral("AB"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
    QTextCursor cursor(&c.document);
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    cursor.mergeCharFormat(blue);
    c.text.m_nGlyphOffsetX = 1;
    ASSERT_TRUE(c.renderer.RenderText());
    EXPECT_EQ(c.text.m_abCharColor[1], 2);
    EXPECT_GT(c.CountOf(kBlue, 8, 16, 0, 16), 0);

    // Characters the input no longer holds, or all of them once the input is
    // gone, are drawn white.
    constexpr COLORREF kWhite = MakeColor(255, 255, 255);
    cursor.movePosition(QTextCursor::End);
    cursor.deletePreviousChar();
    ASSERT_TRUE(c.renderer.RenderText());
    EXPECT_EQ(c.text.m_abCharColor[0], 0);
    EXPECT_EQ(c.text.m_abCharColor[1], PaletteIndexOf(kWhite));
    EXPECT_GT(c.CountOf(kWhite, 8, 16, 0, 16), 0);
    c.renderer.SetTextSource(nullptr);
    ASSERT_TRUE(c.renderer.RenderText());
    EXPECT_EQ(c.text.m_abCharColor[0], PaletteIndexOf(kWhite));
    EXPECT_EQ(c.CountOf(kRed) + c.CountOf(kBlue), 0);
}

TEST(TextRendererLimits, EmptyOrBlankInputLeavesTheGridAlone)
{
    Canvas c;
    c.New(16, 16);
    c.grid.SetDot(3, 3, kGreen);
    EXPECT_FALSE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
    c.Type(QStringLiteral(" \n\t "), kRed);
    c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16));
    EXPECT_TRUE(c.text.m_szText.isEmpty());
    EXPECT_FALSE(c.renderer.RenderText());
    EXPECT_EQ(c.grid.Width(), 16);
    EXPECT_EQ(c.grid.DotAt(3, 3), kGreen);
}

TEST(TextRendererLimits, OnlyTheFirst511CharactersAreMerged)
{
    Canvas c;
    c.Type(QString(600, QLatin1Char('A')), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 8)));
    EXPECT_EQ(c.text.m_szText.size(), 511);
    EXPECT_EQ(c.grid.Width(), 511 * 8);
    // Longer text from elsewhere (a project file) draws its first 1024
    // characters only; 1024 itself is drawn whole.
    for (const int n : {1024, 1025, 1100}) {
        c.text.m_szText = QString(n, QLatin1Char('A'));
        ASSERT_TRUE(c.renderer.RenderText()) << n;
        EXPECT_EQ(c.grid.Width(), 1024 * 8) << n;
    }
    c.text.m_szText = QString(1023, QLatin1Char('A'));
    ASSERT_TRUE(c.renderer.RenderText());
    EXPECT_EQ(c.grid.Width(), 1023 * 8);
}

int InkedRows(const Canvas& c, COLORREF ink)
{
    int rows = 0;
    for (int y = 0; y < c.grid.Height(); ++y)
        rows += c.CountOf(ink, 0, c.grid.Width(), y, y + 1) > 0 ? 1 : 0;
    return rows;
}

// A font of height 16 fits a 16-dot cell whole: the ring of Å, the
// descender of g and the top bars of 不 and 了 come out as in a cell twice
// as high.
TEST(TextRendererLayout, HeightSixteenFitsASixteenDotCellWhole)
{
    for (const char* text : {"\xC3\x85", "g", "\xE4\xB8\x8D", "\xE4\xBA\x86"}) {
        int rows[2] = {0, 0};
        for (const int cell : {16, 32}) {
            Canvas c;
            c.New(cell, cell);
            c.Type(QString::fromUtf8(text), kRed);
            ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
            rows[cell / 16 - 1] = InkedRows(c, kRed);
        }
        EXPECT_GT(rows[0], 4) << text;
        EXPECT_EQ(rows[0], rows[1]) << text;
    }
}

TEST(TextRendererLimits, AHeightOfZeroDrawsTheFontsDefaultSizeInASetCell)
{
    Canvas c;
    c.New(16, 16);
    c.Type(QStringLiteral("H"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 0)));
    int rows = 0;
    for (int y = 0; y < 16; ++y)
        rows += c.CountOf(kRed, 0, 16, y, y + 1) > 0 ? 1 : 0;
    EXPECT_GE(rows, 6); // not the 1-pixel glyph of an em of 1
}

// A character outside the Basic Multilingual Plane is two UTF-16 units but
// one character: one cell, one colour, and it decides full width.
TEST(TextRendererCharacters, OneCharacterOutsideTheBmpIsOneCell)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    const QString rare = QString::fromUtf8("\xF0\xA0\x80\x80");  // U+20000, a CJK extension B ideograph
    ASSERT_EQ(smile.size(), 2);
    Canvas c;
    c.Type(smile, kRed);
    c.Type(QStringLiteral("A"), kGreen);
    c.Type(rare, kBlue);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 16)));
    EXPECT_EQ(c.text.m_nCellWidth, 16); // full width: its code point is above 255
    EXPECT_EQ(c.grid.Width(), 3 * 16);
    EXPECT_EQ(c.text.m_abCharColor[0], 0);
    EXPECT_EQ(c.text.m_abCharColor[1], 1);
    EXPECT_EQ(c.text.m_abCharColor[2], 2);
    EXPECT_EQ(CTextRenderer::NonBlankColors(c.document), (std::vector<COLORREF>{kRed, kGreen, kBlue}));
}

TEST(TextRendererCharacters, TheLimitCountsUnitsAndNeverKeepsHalfACharacter)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    Canvas c;
    c.Type(QString(510, QLatin1Char('A')) + smile, kRed); // the pair straddles unit 511
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 8)));
    EXPECT_EQ(c.text.m_szText, QString(510, QLatin1Char('A')));
    EXPECT_EQ(c.grid.Width(), 510 * 8);
}

TEST(TextRendererLimits, NegativeHeightWithoutCellUsesItsSize)
{
    Canvas c;
    c.Type(QStringLiteral("AB"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", -16)));
    EXPECT_EQ(c.text.m_nCellHeight, 16);
    EXPECT_EQ(c.grid.Width(), 16);
    EXPECT_EQ(c.grid.Height(), 16);
}

TEST(TextRendererLimits, ZeroHeightGivesAnEmptyGridAndAbsurdHeightIsRefused)
{
    Canvas c;
    c.Type(QStringLiteral("AB"), kRed);
    ASSERT_TRUE(c.renderer.MergeText(&c.document, FontOf("DejaVu Sans", 0)));
    EXPECT_EQ(c.grid.Width(), 0);
    EXPECT_EQ(c.grid.Height(), 0);

    Canvas big;
    big.New(16, 16);
    big.text.m_nCellWidth = big.text.m_nCellHeight = 0;
    big.Type(QStringLiteral("AB"), kRed);
    big.renderer.MergeText(&big.document, FontOf("DejaVu Sans", 100000));
    EXPECT_EQ(big.grid.Width(), 16);
    EXPECT_EQ(big.grid.Height(), 16);
    // Cells each small enough whose row is too large, on either axis.
    for (const bool vertical : {false, true}) {
        big.text.m_bVertical = vertical;
        big.text.m_nCellWidth = big.text.m_nCellHeight = 256;
        big.text.m_szText = QString(513, QLatin1Char('A')); // 513 x 256 x 256 dots
        EXPECT_FALSE(big.renderer.RenderText()) << vertical;
        EXPECT_EQ(big.grid.Width(), 16);
        EXPECT_EQ(big.grid.Height(), 16);
    }
}

TEST(TextRendererOverlay, BurnInWritesTheDrawnOverlayAndClearsIt)
{
    CDotGrid grid;
    grid.Create(16, 16, ImageMode);
    CCanvasText text;
    CTextRenderer renderer(grid, text);
    int calls = 0;
    const auto paint = [&calls](QImage& image) {
        ++calls;
        image.setPixel(3, 2, qRgb(255, 0, 0));
    };
    EXPECT_FALSE(renderer.BurnInOverlay(paint));
    EXPECT_EQ(calls, 0);

    text.m_szText = QStringLiteral("Hi");
    text.m_nTextX = 5;
    text.m_nTextY = 6;
    EXPECT_TRUE(renderer.BurnInOverlay(paint));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(grid.DotAt(3, 16 - 1 - 2), kRed);
    EXPECT_EQ(grid.DotAt(2, 16 - 1 - 2), kBack);
    EXPECT_TRUE(text.m_szText.isEmpty());
    EXPECT_EQ(text.m_nTextX, 0);
    EXPECT_EQ(text.m_nTextY, 0);
}

namespace {

// A one-column image with the given colours from top to bottom.
QImage ColumnImage(const std::vector<QRgb>& rows)
{
    QImage image(1, static_cast<int>(rows.size()), QImage::Format_RGB32);
    for (std::size_t y = 0; y < rows.size(); ++y)
        image.setPixel(0, static_cast<int>(y), rows[y]);
    return image;
}

std::vector<COLORREF> GridColumn(const CDotGrid& grid)
{
    std::vector<COLORREF> column;
    for (int y = 0; y < grid.Height(); ++y)
        column.push_back(grid.DotAt(0, grid.Height() - 1 - y));
    return column;
}

constexpr QRgb kR = 0xFFFF0000u;
constexpr QRgb kW = 0xFFFFFFFFu;
constexpr QRgb kK = 0xFF000000u;
constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kNone = 0x00123456;

CDotGrid ColumnGrid(int height)
{
    CDotGrid grid;
    grid.SetBackgroundColor(kNone, false);
    grid.Create(1, height, TextMode);
    return grid;
}

} // namespace

// Rows that fall together show ink when any of them has it: a one-row bar
// survives on either row of the pair, in each dot colour, on a black and on
// a coloured ground (where combining by AND would give an unlit colour).
TEST(RowScaleCopy, SquashingLetsInkWin)
{
    for (const COLORREF back : {kBack, kNavy}) {
        const QRgb ground = qRgb(RedOf(back), GreenOf(back), BlueOf(back));
        for (std::size_t i = 0; i < DotPalette.size(); ++i) {
            const COLORREF ink = DotPalette[i];
            if (ink == back)
                continue;
            const QRgb bar = qRgb(RedOf(ink), GreenOf(ink), BlueOf(ink));
            CDotGrid grid = ColumnGrid(2);
            grid.SetBackgroundColor(back, false);
            StretchRowsOnto(ColumnImage({ground, bar, bar, ground}), QPoint(0, 0), QSize(1, 4), grid, QPoint(0, 0), 2);
            EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{ink, ink})) << i;
            StretchRowsOnto(ColumnImage({ground, ground, ground, bar}), QPoint(0, 0), QSize(1, 4), grid, QPoint(0, 0), 2);
            EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{back, ink})) << i;
        }
    }
    // Of two inks the upper row's wins.
    CDotGrid grid = ColumnGrid(2);
    grid.SetBackgroundColor(kBack, false);
    StretchRowsOnto(ColumnImage({kR, kW, kW, kK}), QPoint(0, 0), QSize(1, 4), grid, QPoint(0, 0), 2);
    EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{kRed, kWhite}));
}

TEST(RowScaleCopy, StretchingRepeatsRows)
{
    CDotGrid grid = ColumnGrid(4);
    StretchRowsOnto(ColumnImage({kR, kW}), QPoint(0, 0), QSize(1, 2), grid, QPoint(0, 0), 4);
    EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{kRed, kRed, kWhite, kWhite}));
}

TEST(RowScaleCopy, NegativeHeightMirrorsUpwardsFromTheDestinationRow)
{
    CDotGrid grid = ColumnGrid(4);
    StretchRowsOnto(ColumnImage({kR, kW}), QPoint(0, 0), QSize(1, 2), grid, QPoint(0, 3), -2);
    EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{kNone, kWhite, kRed, kNone}));
}

TEST(RowScaleCopy, SourceOutsideTheImageAndDestinationOutsideTheGridAreSkipped)
{
    CDotGrid grid = ColumnGrid(4);
    // Source rows -1..2 of a two-row image onto rows 1..4 of a four-row grid.
    StretchRowsOnto(ColumnImage({kR, kW}), QPoint(0, -1), QSize(1, 4), grid, QPoint(0, 1), 4);
    EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{kNone, kNone, kRed, kWhite}));
    // Nothing at all for a zero height.
    StretchRowsOnto(ColumnImage({kK}), QPoint(0, 0), QSize(1, 1), grid, QPoint(0, 0), 0);
    EXPECT_EQ(GridColumn(grid)[0], kNone);
    // The last source row is the image's last; the row after it is outside.
    grid = ColumnGrid(4);
    StretchRowsOnto(ColumnImage({kR, kW}), QPoint(0, 1), QSize(1, 2), grid, QPoint(0, 0), 2);
    EXPECT_EQ(GridColumn(grid), (std::vector<COLORREF>{kWhite, kNone, kNone, kNone}));
}

// Every kind of blank the plain text can hold is dropped, nothing else.
TEST(TextRendererCharacters, EveryKindOfBlankIsDropped)
{
    const QString typed = QStringLiteral("a b\tc\rd\ne") + QChar(0x00A0) + QStringLiteral("f") + QChar(0x2028)
        + QStringLiteral("g") + QChar(0x2029) + QStringLiteral("h_i-j");
    EXPECT_EQ(CTextRenderer::WithoutBlanks(typed), QStringLiteral("abcdefgh_i-j"));
    for (const char16_t blank : {u' ', u'\t', u'\r', u'\n', u'\u00A0', u'\u2028', u'\u2029'})
        EXPECT_TRUE(CTextRenderer::IsBlank(QChar(blank))) << int(blank);
    for (const char16_t other : {u'_', u'\u3000', u'\u000B', u'0'})
        EXPECT_FALSE(CTextRenderer::IsBlank(QChar(other))) << int(other);
}

// Colours per character: the line end between two paragraphs counts (in
// the edit's white) unless blanks are skipped; a character of two units
// counts once; a character without a colour is white.
TEST(TextRendererColours, ColoursPerCharacterCountLineEndsAndPairsOnce)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    cursor.insertText(QStringLiteral("a"), red);
    cursor.insertText(QStringLiteral("\n"));
    cursor.insertText(QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("b"), red);
    cursor.insertText(QStringLiteral(" c"), QTextCharFormat());
    const COLORREF white = MakeColor(255, 255, 255), r = MakeColor(255, 0, 0);
    EXPECT_EQ(CTextRenderer::CharacterColors(document), (std::vector<COLORREF>{r, white, r, r, white, white}));
    EXPECT_EQ(CTextRenderer::NonBlankColors(document), (std::vector<COLORREF>{r, r, r, white}));
}

// A new canvas forgets the last text; in text mode its cells are square,
// as large as the shorter side, stacked down a canvas taller than wide.
TEST(TextRendererLayout, ANewCanvasSetsUpItsCells)
{
    struct SCase
    {
        int width, height, mode, cell, vertical;
    };
    for (const SCase& k : {SCase{32, 16, TextMode, 16, 0}, SCase{16, 32, TextMode, 16, 1},
                           SCase{16, 16, TextMode, 16, 0}, SCase{16, 17, TextMode, 16, 1},
                           SCase{17, 16, TextMode, 16, 0}, SCase{32, 16, ImageMode, 0, 5}}) {
        CCanvasText text;
        text.m_szText = QStringLiteral("old");
        text.m_acrOverlay = {1, 2};
        text.m_nCellWidth = text.m_nCellHeight = 9;
        text.m_bVertical = 5;
        text.m_bDotsFromText = 0;
        text.m_abCharColor.fill(2);
        CTextRenderer::SetUpNewCanvas(text, k.width, k.height, k.mode);
        EXPECT_TRUE(text.m_szText.isEmpty());
        EXPECT_TRUE(text.m_acrOverlay.empty());
        EXPECT_EQ(text.m_nCellWidth, k.cell) << k.width << "x" << k.height;
        EXPECT_EQ(text.m_nCellHeight, k.cell) << k.width << "x" << k.height;
        EXPECT_EQ(text.m_bVertical, k.vertical) << k.width << "x" << k.height;
        EXPECT_EQ(text.m_bDotsFromText, 1);
        EXPECT_EQ(text.m_abCharColor.front(), 7);
        EXPECT_EQ(text.m_abCharColor.back(), 7);
    }
}
