#include "FontOwnDots.h"
#include "textinput/GlyphRaster.h"
#include "textinput/SignLayout.h"
#include "textinput/SignLayoutCache.h"
#include "base/QtColor.h"

#include "SevenColours.h"
#include "TestSupport.h"

#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Options = SSignLayoutOptions;

constexpr COLORREF kRed = MakeColor(255, 0, 0);
constexpr COLORREF kGreen = MakeColor(0, 255, 0);
constexpr COLORREF kBlue = MakeColor(0, 0, 255);

CCanvasText TextOf(const QString& text, const char* face, int height)
{
    CCanvasText t;
    t.m_szText = text;
    t.m_lfText = FontOf(face, height);
    t.m_crText = kRed;
    return t;
}

// The non-black pixels of a picture, found by looking at every pixel.
QRect InkOf(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0x00FFFFFFu) != 0)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The lit dots of each run of inked columns, left to right.
std::vector<std::vector<QRgb>> InkOfColumnRuns(const QImage& image)
{
    std::vector<std::vector<QRgb>> runs;
    bool inRun = false;
    for (int x = 0; x < image.width(); ++x) {
        std::vector<QRgb> column;
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0)
                column.push_back(image.pixel(x, y));
        if (!column.empty() && !inRun)
            runs.emplace_back();
        if (!column.empty())
            runs.back().insert(runs.back().end(), column.begin(), column.end());
        inRun = !column.empty();
    }
    return runs;
}

QRect InkOf(const CCanvasText& text, int width, int height)
{
    return InkOf(CSignLayout(text, width, height).Render());
}

// The leftover of an extent on a panel, split as the alignment says: the
// margin before the ink.
int ExpectedStart(int align, int extent, int size)
{
    const int leftover = size - extent;
    if (align == Options::AlignCentre)
        return leftover / 2; // the smaller half first (leftover >= 0 here)
    return align == Options::AlignEnd ? leftover : 0;
}

} // namespace

// Each alignment on each axis, at a leftover of each parity: the margin
// before the ink is the whole, half (rounded down) or none of it, and X/Y
// then nudge the aligned text.
TEST(SignLayoutAlign, EachAlignmentOnBothAxesAtOddAndEvenLeftovers)
{
    CCanvasText text = TextOf(QStringLiteral("Hi"), "DejaVu Sans", 12);
    const QRect natural = InkOf(text, 200, 40);
    ASSERT_FALSE(natural.isEmpty());
    for (const int align : {Options::AlignStart, Options::AlignCentre, Options::AlignEnd}) {
        for (const int extra : {0, 1}) {
            const int width = natural.width() + 20 + extra;
            const int height = natural.height() + 6 + extra;
            text.m_layout = Options();
            text.m_layout.nAlignH = align;
            text.m_layout.nAlignV = align;
            const QRect ink = InkOf(text, width, height);
            EXPECT_EQ(ink.size(), natural.size()) << align << " " << extra;
            EXPECT_EQ(ink.left(), ExpectedStart(align, natural.width(), width)) << align << " " << extra;
            EXPECT_EQ(ink.top(), ExpectedStart(align, natural.height(), height)) << align << " " << extra;
            EXPECT_EQ(CSignLayout(text, width, height).InkRect(), ink);

            // Nudged: every dot two to the right and one down, cut at the edges.
            const QImage before = CSignLayout(text, width, height).Render();
            text.m_nTextX = 2;
            text.m_nTextY = 1;
            const CSignLayout nudged(text, width, height);
            EXPECT_EQ(nudged.InkRect(), ink.translated(2, 1)) << align << " " << extra;
            const QImage after = nudged.Render();
            for (int y = 1; y < height; ++y)
                for (int x = 2; x < width; ++x)
                    ASSERT_EQ(after.pixel(x, y), before.pixel(x - 2, y - 1)) << align << " " << extra;
            text.m_nTextX = 0;
            text.m_nTextY = 0;
        }
    }
}

// Centred text wider or taller than the panel: the odd dot cut goes on the
// left (top), as the smaller margin does when it fits.
TEST(SignLayoutAlign, CentredTextLargerThanThePanelIsCutTheSmallerHalfFirst)
{
    CCanvasText text = TextOf(QStringLiteral("Hi"), "DejaVu Sans", 12);
    const QRect natural = InkOf(text, 200, 40);
    text.m_layout.nAlignH = Options::AlignCentre;
    text.m_layout.nAlignV = Options::AlignCentre;
    // Leftovers of -3 and -4 start at -2; -1 at -1.
    for (const auto& [less, start] : {std::pair{3, -2}, std::pair{4, -2}, std::pair{1, -1}}) {
        const QRect ink = CSignLayout(text, natural.width() - less, natural.height() - less).InkRect();
        EXPECT_EQ(ink.topLeft(), QPoint(start, start)) << less;
        EXPECT_EQ(ink.size(), natural.size()) << less;
    }
}

// One aligned axis leaves the other to X/Y; each line of a centred text is
// centred on its own ink.
TEST(SignLayoutAlign, OneAxisAlignedAndLinesCentredEachOnItsOwn)
{
    CCanvasText text = TextOf(QStringLiteral("I"), "DejaVu Sans", 12);
    text.m_nTextY = 5;
    const QRect unaligned = InkOf(text, 64, 40);
    text.m_layout.nAlignH = Options::AlignEnd;
    const QRect right = InkOf(text, 64, 40);
    EXPECT_EQ(right.top(), unaligned.top());
    EXPECT_EQ(right.right(), 63);

    text.m_szText = QStringLiteral("IIIIII\nI");
    text.m_layout.nAlignH = Options::AlignCentre;
    text.m_nTextY = 0;
    const QImage image = CSignLayout(text, 64, 40).Render();
    const QRect first = InkOf(image.copy(0, 0, 64, 14));
    const QRect second = InkOf(image.copy(0, 14, 64, 26));
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_LE(std::abs(first.left() - (63 - first.right())), 1);
    EXPECT_LE(std::abs(second.left() - (63 - second.right())), 1);
    EXPECT_GT(second.left(), first.left() + 5);
}

// Without an alignment the text is exactly what the platform's wrapped text
// drawing from X/Y gives: the same lit dots, wrapped at the same words, cut
// at X/Y and at the edges.
TEST(SignLayoutUnaligned, PlacesAndWrapsAsWrappedTextDrawingFromXY)
{
    struct
    {
        const char* text;
        int x, y, width, height;
    } const cases[] = {
        {"HW", 2, 3, 32, 24}, {"MM MM MM", 0, 0, 32, 40}, {"Lights on\nthe sign", 5, 1, 64, 32}, {"WAVE", 3, 0, 16, 16},
    };
    for (const auto& c : cases) {
        CCanvasText text = TextOf(QString::fromUtf8(c.text), "DejaVu Sans", -10);
        text.m_nTextX = c.x;
        text.m_nTextY = c.y;
        // The reference: one drawText call into the box, as the canvas once drew it.
        QImage expected(c.width, c.height, QImage::Format_RGB32);
        expected.fill(Qt::black);
        const QRect box(QPoint(c.x, c.y), QPoint(c.width - 1, c.height - 1));
        const CGlyphRaster raster(text.m_lfText);
        const QImage coverage = raster.Coverage(expected.size(), box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                QString::fromUtf8(c.text));
        CGlyphRaster::Paint(expected, raster.LitDots(coverage), kRed);
        EXPECT_EQ(CSignLayout(text, c.width, c.height).Render(), expected) << c.text;
    }
}

// Extra spacing adds its dots between each two characters (three gaps in
// four characters), and line spacing between two lines; both may be negative.
TEST(SignLayoutSpacing, CharacterAndLineSpacingAddTheirDots)
{
    CCanvasText text = TextOf(QStringLiteral("HHHH"), "DejaVu Sans", 16);
    text.m_layout.nAlignH = Options::AlignStart;
    const int plain = InkOf(text, 200, 32).width();
    for (const int spacing : {-1, 0, 3}) {
        text.m_layout.nSpacing = spacing;
        EXPECT_EQ(InkOf(text, 200, 32).width(), plain + 3 * spacing) << spacing;
    }
    text.m_szText = QStringLiteral("H\nH");
    text.m_layout.nSpacing = 0;
    const int lines = InkOf(text, 200, 64).height();
    for (const int spacing : {-1, 0, 3}) {
        text.m_layout.nLineSpacing = spacing;
        EXPECT_EQ(InkOf(text, 200, 64).height(), lines + spacing) << spacing;
    }
}

// Text exactly as wide as the panel fits; one dot more runs over by one,
// however it is aligned; lines that wrap below the panel run over its height.
TEST(SignLayoutOverflow, ExactWidthFitsAndOneDotWiderRunsOver)
{
    CCanvasText text = TextOf(QStringLiteral("Welcome"), "DejaVu Sans", 16);
    text.m_layout.nAlignV = Options::AlignCentre;
    for (const int align : {Options::AlignStart, Options::AlignCentre, Options::AlignEnd}) {
        text.m_layout.nAlignH = align;
        const int inkWidth = CSignLayout(text, 400, 16).InkRect().width();
        const CSignLayout exact(text, inkWidth, 16);
        EXPECT_EQ(exact.OverflowWidth(), 0) << align;
        EXPECT_EQ(InkOf(exact.Render()).width(), inkWidth) << align;
        const CSignLayout over(text, inkWidth - 1, 16);
        EXPECT_EQ(over.OverflowWidth(), 1) << align;
        EXPECT_EQ(over.OverflowHeight(), 0) << align;
    }
    CCanvasText wrapped = TextOf(QStringLiteral("one two three four"), "DejaVu Sans", 16);
    const CSignLayout low(wrapped, 40, 16);
    EXPECT_EQ(low.OverflowWidth(), 0);
    EXPECT_GT(low.OverflowHeight(), 16);
    wrapped.m_szText.clear();
    EXPECT_EQ(CSignLayout(wrapped, 40, 16).OverflowHeight(), 0);
}

// Fit to height: the ink fills the rows from the top, whatever the size
// asked for, Latin and Chinese alike; all but one row when no whole font
// size gives the panel's height exactly, never one row more.
TEST(SignLayoutFit, InkFillsSixteenAndThirtyTwoRows)
{
    for (const char* message : {"Welcome", "欢迎光临 Welcome"}) {
        for (const int rows : {16, 32}) {
            CCanvasText text = TextOf(QString::fromUtf8(message), "WenQuanYi Zen Hei", 9);
            text.m_layout.bFitHeight = true;
            const CSignLayout layout(text, 512, rows);
            const QRect ink = InkOf(layout.Render());
            EXPECT_EQ(ink.top(), 0) << message << " " << rows;
            EXPECT_LE(ink.height(), rows) << message << " " << rows;
            EXPECT_GE(ink.height(), rows - 1) << message << " " << rows;
            EXPECT_EQ(layout.OverflowHeight(), 0) << message << " " << rows;
        }
    }
}

// Every colour: each character drawn only in its own colour, in order, and
// a CR LF line end counts as one character.
TEST(SignLayoutColours, EachCharacterInItsOwnColour)
{
    CCanvasText text = TextOf(QStringLiteral("IIIIIII"), "DejaVu Sans", 16);
    for (const SDotColour& colour : kSevenColours)
        text.m_acrOverlay.push_back(colour.Value());
    text.m_layout.nSpacing = 2;
    const QImage image = CSignLayout(text, 128, 16).Render();
    int lastRight = -1;
    for (const SDotColour& colour : kSevenColours) {
        QRect inked;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(colour.red, colour.green, colour.blue))
                    inked |= QRect(x, y, 1, 1);
        ASSERT_FALSE(inked.isEmpty()) << colour.name;
        EXPECT_GT(inked.left(), lastRight) << colour.name;
        lastRight = inked.right();
    }

    text.m_szText = QStringLiteral("I\r\nI\rI");
    text.m_acrOverlay = {kRed, kGreen, kBlue, kGreen, kRed};
    text.m_layout = Options();
    const QImage lines = CSignLayout(text, 32, 64).Render();
    std::vector<QRgb> rows; // the colour of each line, top down
    for (int y = 0; y < lines.height(); ++y) {
        for (int x = 0; x < lines.width(); ++x) {
            const QRgb p = lines.pixel(x, y);
            if ((p & 0xFFFFFFu) != 0 && (rows.empty() || rows.back() != p))
                rows.push_back(p);
        }
    }
    EXPECT_EQ(rows, (std::vector<QRgb>{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 0, 0)}));
}

// Colours that come back later in a line: each character, a column of dots
// of its own, is drawn only in its own colour, not in that of a neighbour.
TEST(SignLayoutColours, ColoursThatComeBackKeepToTheirOwnCharacters)
{
    const std::vector<COLORREF> orders[] = {
        {kRed, kGreen, kRed, kGreen},
        {kRed, kGreen, kBlue, kRed, kGreen, kBlue},
    };
    // Without spacing the text is drawn a line at a time, with it a glyph at a time.
    for (const int spacing : {0, 2}) {
        for (const auto& order : orders) {
            CCanvasText text = TextOf(QString(static_cast<int>(order.size()), QLatin1Char('I')), "DejaVu Sans", 16);
            text.m_acrOverlay = order;
            text.m_layout.nSpacing = spacing;
            const QImage image = CSignLayout(text, 128, 16).Render();
            const std::vector<std::vector<QRgb>> characters = InkOfColumnRuns(image);
            ASSERT_EQ(characters.size(), order.size()) << "spacing " << spacing;
            for (std::size_t i = 0; i < order.size(); ++i) {
                const QRgb own = ToQRgb(order[i]);
                EXPECT_TRUE(std::all_of(characters[i].begin(), characters[i].end(), [own](QRgb p) { return p == own; }))
                    << "character " << i << " of " << order.size() << ", spacing " << spacing;
            }
        }
    }
}

// A character beyond the 16-bit range is one character: the one after it
// keeps its own colour.
TEST(SignLayoutColours, ACharacterOfTwoCodeUnitsTakesOneColour)
{
    CCanvasText text = TextOf(QStringLiteral("I") + QString::fromUcs4(U"\U0001D408") + QStringLiteral("I"), "DejaVu Sans", 16);
    text.m_acrOverlay = {kGreen, kGreen, kBlue};
    const QImage image = CSignLayout(text, 128, 16).Render();
    const QRect ink = InkOf(image);
    ASSERT_FALSE(ink.isEmpty());
    QRgb last = 0;
    for (int y = 0; y < image.height(); ++y)
        if ((image.pixel(ink.right(), y) & 0xFFFFFFu) != 0)
            last = image.pixel(ink.right(), y);
    EXPECT_EQ(last, qRgb(0, 0, 255));
}

// An absurd size costs no more than the panel: the part on the panel is
// drawn, and the overflow is still told.
TEST(SignLayoutOverflow, HugeTextIsDrawnOnlyWhereThePanelIs)
{
    CCanvasText text = TextOf(QStringLiteral("WW"), "DejaVu Sans", 5000);
    text.m_layout.nAlignH = Options::AlignCentre;
    text.m_layout.nAlignV = Options::AlignCentre;
    const CSignLayout layout(text, 64, 32);
    EXPECT_GT(layout.OverflowWidth(), 2000);
    EXPECT_GT(layout.OverflowHeight(), 1000);
    const QImage image = layout.Render();
    EXPECT_EQ(image.size(), QSize(64, 32));

    // A block character larger than the panel, centred: the part on the panel is all ink.
    for (const int height : {300, 5000}) {
        CCanvasText block = TextOf(QStringLiteral("\u2588"), "DejaVu Sans", height);
        block.m_layout.nAlignH = Options::AlignCentre;
        block.m_layout.nAlignV = Options::AlignCentre;
        const QImage inked = CSignLayout(block, 64, 32).Render();
        int unlit = 0;
        for (int y = 0; y < inked.height(); ++y)
            for (int x = 0; x < inked.width(); ++x)
                unlit += inked.pixel(x, y) != qRgb(255, 0, 0);
        EXPECT_EQ(unlit, 0) << height;
    }
    // The same without alignment, placed by X/Y so that the panel lies well
    // inside the block: whole lines too large to draw are cut to the panel.
    CCanvasText plain = TextOf(QStringLiteral("\u2588"), "DejaVu Sans", 5000);
    plain.m_nTextX = -500;
    plain.m_nTextY = -2500;
    const QImage cut = CSignLayout(plain, 64, 32).Render();
    ASSERT_EQ(cut.size(), QSize(64, 32));
    for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x)
            ASSERT_EQ(cut.pixel(x, y), qRgb(255, 0, 0)) << x << " " << y;
}

// A font with its designer's dots at the size keeps them on the overlay
// placed from X/Y: the same dots as the rasteriser's wrapped text.
TEST(SignLayoutUnaligned, DesignersDotsStayWhole)
{
    CCanvasText text = TextOf(QStringLiteral("Unifont 16"), "Unifont", -16);
    text.m_nTextX = 3;
    text.m_nTextY = 2;
    const CGlyphRaster raster(text.m_lfText);
    ASSERT_TRUE(raster.IsExact());
    QImage expected(64, 40, QImage::Format_RGB32);
    expected.fill(Qt::black);
    CGlyphRaster::Paint(expected,
                        raster.LitText(expected.size(), QRect(QPoint(3, 2), QPoint(63, 39)),
                                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text.m_szText),
                        kRed);
    EXPECT_EQ(CSignLayout(text, 64, 40).Render(), expected);
    // Placed at or past the panel's edge on either axis: nothing shows.
    expected.fill(Qt::black);
    for (const QPoint at : {QPoint(64, 2), QPoint(3, 40), QPoint(100, 100)}) {
        text.m_nTextX = at.x();
        text.m_nTextY = at.y();
        const CSignLayout outside(text, 64, 40);
        EXPECT_EQ(outside.Render(), expected) << at.x() << "," << at.y();
        EXPECT_TRUE(outside.InkRect().isEmpty()) << at.x() << "," << at.y();
    }
}

// A font's designer's dots stay whole however the text is laid out: each
// glyph of a strike font, aligned, spaced and in a colour of its own, is
// dot for dot the strike's glyph as read from the font file.
TEST(SignLayoutExact, StrikeGlyphsStayWholeWhenAlignedSpacedAndColoured)
{
    const CFontOwnDots own("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Sharp");
    ASSERT_TRUE(own.IsOpen());
    const QString characters = QString::fromUtf8("中国光");
    const COLORREF colours[] = {kRed, kGreen, kBlue};
    struct SCase
    {
        int alignH, alignV, spacing;
    } const cases[] = {{Options::AlignCentre, Options::AlignCentre, 0},
                       {Options::AlignEnd, Options::AlignStart, 3},
                       {Options::Unaligned, Options::Unaligned, 0}};
    for (const SCase& c : cases) {
        CCanvasText text = TextOf(characters, "WenQuanYi Zen Hei Sharp", -16);
        text.m_acrOverlay.assign(std::begin(colours), std::end(colours));
        text.m_layout.nAlignH = c.alignH;
        text.m_layout.nAlignV = c.alignV;
        text.m_layout.nSpacing = c.spacing;
        const QImage image = CSignLayout(text, 96, 24).Render();
        for (int i = 0; i < characters.size(); ++i) {
            DotRows expected;
            ASSERT_TRUE(own.Strike(characters[i].unicode(), 16, expected));
            DotRows rendered;
            const QRgb ink = ToQRgb(colours[i]);
            for (int y = 0; y < image.height(); ++y) {
                std::string row;
                for (int x = 0; x < image.width(); ++x)
                    row += image.pixel(x, y) == ink ? '#' : '.';
                rendered.push_back(row);
            }
            EXPECT_EQ(Trimmed(rendered), expected) << i << " " << c.alignH << " " << c.spacing;
        }
    }
}

// Layouts that share what earlier layouts drew give the same dots as fresh
// ones while text is typed, recoloured and taken back, wrapped or aligned.
TEST(SignLayoutCache, KeptDrawingsNeverShowStaleDots)
{
    CSignLayoutCache cache;
    CCanvasText text = TextOf(QString(), "DejaVu Sans", 20);
    const QString typed = QStringLiteral("Lights on the sign tonight");
    for (const bool aligned : {false, true}) {
        text.m_layout.nAlignH = aligned ? Options::AlignCentre : Options::Unaligned;
        for (int n = 1; n <= typed.size(); n += 3) {
            text.m_szText = typed.left(n);
            text.m_acrOverlay.assign(static_cast<std::size_t>(n), n % 2 ? kRed : kGreen);
            ASSERT_EQ(CSignLayout(text, 120, 64, {}, &cache).Render(), CSignLayout(text, 120, 64).Render())
                << aligned << " " << n;
        }
    }
    // The same text on other panels and from another X: lines of other sizes.
    text.m_szText = QStringLiteral("Lights on");
    for (const int x : {0, 5})
        for (const int width : {120, 64, 160, 90}) {
            text.m_nTextX = x;
            EXPECT_EQ(CSignLayout(text, width, 64, {}, &cache).Render(), CSignLayout(text, width, 64).Render())
                << x << " " << width;
        }
}

// Every way text can end a line (as typed, pasted from another system, or
// taken from a rich text pane) starts the next line, one line end each.
TEST(SignLayoutLines, EveryKindOfLineEndBreaksTheLineOnce)
{
    CCanvasText text = TextOf(QStringLiteral("I\nI"), "DejaVu Sans", 12);
    text.m_layout.nAlignH = Options::AlignCentre;
    const QImage expected = CSignLayout(text, 32, 40).Render();
    for (const QString& ends : {QStringLiteral("I\rI"), QStringLiteral("I\r\nI"), QStringLiteral("I\u2029I")}) {
        text.m_szText = ends;
        EXPECT_TRUE(CSignLayout(text, 32, 40).Render() == expected) << ends.size();
    }
    text.m_szText = QStringLiteral("II");
    EXPECT_FALSE(CSignLayout(text, 32, 40).Render() == expected);
    // A line end as the text's last character, of either kind.
    text.m_szText = QStringLiteral("I\n");
    const QImage endsInLine = CSignLayout(text, 32, 40).Render();
    text.m_szText = QStringLiteral("I\r");
    EXPECT_TRUE(CSignLayout(text, 32, 40).Render() == endsInLine);
}

// A glyph's dots from the cache: trimmed to the lit dots, placed from the
// pen as the glyph lies; a font's own glyph as its designer drew it; what a
// font lacks stays lacking when asked again.
TEST(SignLayoutCache, GlyphDotsAreTrimmedAndPlacedFromThePen)
{
    CSignLayoutCache cache;
    const CGlyphRaster& unifont = cache.Raster(FontOf("Unifont", -16));
    EXPECT_EQ(&cache.Raster(FontOf("Unifont", -16)), &unifont);
    for (int pass = 0; pass < 2; ++pass) {
        SGlyphDots a;
        ASSERT_TRUE(cache.ExactGlyph(unifont, U'A', a)) << pass;
        EXPECT_EQ(a.At(QPoint(10, 20)), QRect(11, 10, 6, 10)) << pass;
        SGlyphDots space;
        EXPECT_TRUE(cache.ExactGlyph(unifont, U' ', space)) << pass;
        EXPECT_TRUE(space.mask.isNull()) << pass;
        SGlyphDots none;
        EXPECT_FALSE(cache.ExactGlyph(unifont, U'\U0001F600', none)) << pass;
    }

    // A coverage glyph: its mask has a lit dot on each edge, and it covers
    // exactly the lit dots of the glyph drawn alone.
    const QRawFont raw = QRawFont::fromFont(cache.Raster(FontOf("DejaVu Sans", -20)).Font());
    ASSERT_TRUE(raw.isValid());
    const quint32 glyph = raw.glyphIndexesForString(QStringLiteral("g")).front();
    const int font = cache.CoverageFont(raw);
    EXPECT_EQ(cache.CoverageFont(raw), font);
    EXPECT_NE(cache.CoverageFont(QRawFont::fromFont(cache.Raster(FontOf("DejaVu Sans", -21)).Font())), font);
    for (const QPoint fraction : {QPoint(0, 0), QPoint(4, 0), QPoint(0, 4)}) {
        SGlyphDots dots;
        ASSERT_TRUE(cache.CoverageGlyph(font, raw, glyph, fraction, dots));
        const QImage& m = dots.mask;
        ASSERT_FALSE(m.isNull());
        const auto litIn = [&m](int x0, int y0, int w, int h) {
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    if (m.constScanLine(y)[x] != 0)
                        return true;
            return false;
        };
        EXPECT_TRUE(litIn(0, 0, m.width(), 1));
        EXPECT_TRUE(litIn(0, m.height() - 1, m.width(), 1));
        EXPECT_TRUE(litIn(0, 0, 1, m.height()));
        EXPECT_TRUE(litIn(m.width() - 1, 0, 1, m.height()));
        const QPointF pen(fraction.x() / 8.0, fraction.y() / 8.0);
        const QRect box(-20, -30, 60, 60);
        const QImage lit = CGlyphRaster::LitDots(CSignLayoutCache::GlyphCoverage(raw, glyph, pen, box), SGlyphRasterOptions());
        QRect ink;
        for (int y = 0; y < lit.height(); ++y)
            for (int x = 0; x < lit.width(); ++x)
                if (lit.constScanLine(y)[x] != 0)
                    ink |= QRect(x + box.left(), y + box.top(), 1, 1);
        EXPECT_EQ(dots.At(QPoint(0, 0)), ink) << fraction.x() << "," << fraction.y();
        SGlyphDots again;
        ASSERT_TRUE(cache.CoverageGlyph(font, raw, glyph, fraction, again));
        EXPECT_EQ(again.At(QPoint(0, 0)), ink);
    }
    // "g" hangs below the baseline; the pen a half dot down moves it down.
    SGlyphDots high, low;
    cache.CoverageGlyph(font, raw, glyph, QPoint(0, 0), high);
    cache.CoverageGlyph(font, raw, glyph, QPoint(0, 4), low);
    EXPECT_GT(high.At(QPoint(0, 0)).bottom(), 0);
    EXPECT_LT(high.At(QPoint(0, 0)).top(), 0);
    // A glyph past the largest drawn whole is refused.
    const QRawFont huge = QRawFont::fromFont(cache.Raster(FontOf("DejaVu Sans", -4000)).Font());
    SGlyphDots big;
    EXPECT_FALSE(cache.CoverageGlyph(cache.CoverageFont(huge), huge,
                                     huge.glyphIndexesForString(QStringLiteral("W")).front(), QPoint(), big));
}

// The last layout's lines are found by font, text, colours and area
// together, and forgotten with everything else when the rules change.
TEST(SignLayoutCache, LinesAreFoundByEveryKeyAndForgottenWithTheRules)
{
    CSignLayoutCache cache;
    const std::vector<COLORREF> red = {MakeColor(255, 0, 0)};
    cache.KeepLines({SDrawnLine{QStringLiteral("f"), QStringLiteral("a"), red, QRect(0, 0, 4, 5), QImage(), QRect()}});
    EXPECT_NE(cache.Line(QStringLiteral("f"), QStringLiteral("a"), red, QRect(0, 0, 4, 5)), nullptr);
    EXPECT_EQ(cache.Line(QStringLiteral("g"), QStringLiteral("a"), red, QRect(0, 0, 4, 5)), nullptr);
    EXPECT_EQ(cache.Line(QStringLiteral("f"), QStringLiteral("b"), red, QRect(0, 0, 4, 5)), nullptr);
    EXPECT_EQ(cache.Line(QStringLiteral("f"), QStringLiteral("a"), {MakeColor(0, 255, 0)}, QRect(0, 0, 4, 5)), nullptr);
    EXPECT_EQ(cache.Line(QStringLiteral("f"), QStringLiteral("a"), red, QRect(0, 0, 5, 4)), nullptr);
    cache.UseOptions(SGlyphRasterOptions());
    EXPECT_NE(cache.Line(QStringLiteral("f"), QStringLiteral("a"), red, QRect(0, 0, 4, 5)), nullptr);
    SGlyphRasterOptions other;
    other.fLitCoverage = 0.6f;
    cache.UseOptions(other);
    EXPECT_EQ(cache.Line(QStringLiteral("f"), QStringLiteral("a"), red, QRect(0, 0, 4, 5)), nullptr);
    EXPECT_TRUE(cache.Options() == other);
}

// A font's own dots keep their own line pitch, widened or narrowed by the
// line spacing: Unifont's "A" is ten rows high, four rows under the top of
// its 16-dot line.
TEST(SignLayoutExact, LineSpacingWidensTheFontsOwnPitch)
{
    CCanvasText text = TextOf(QStringLiteral("A\nA"), "Unifont", -16);
    for (const int spacing : {-2, 0, 3}) {
        text.m_layout.nLineSpacing = spacing;
        text.m_layout.nAlignH = spacing == 0 ? Options::AlignStart : Options::Unaligned;
        const QRect ink = InkOf(text, 40, 64);
        EXPECT_EQ(ink.top(), 4) << spacing;
        EXPECT_EQ(ink.height(), 26 + spacing) << spacing;
    }
}

// A lone second half of a surrogate pair is a character of its own: the
// character after it keeps its own colour.
TEST(SignLayoutColours, ALoneSecondHalfIsACharacterOfItsOwn)
{
    CCanvasText text = TextOf(QStringLiteral("I") + QChar(0xDC00) + QStringLiteral("I"), "DejaVu Sans", 16);
    text.m_acrOverlay = {kGreen, kRed, kBlue};
    const QImage image = CSignLayout(text, 128, 16).Render();
    const QRect ink = InkOf(image);
    ASSERT_FALSE(ink.isEmpty());
    int blue = 0, green = 0;
    for (int y = 0; y < image.height(); ++y) {
        blue += image.pixel(ink.right(), y) == qRgb(0, 0, 255) ? 1 : 0;
        green += image.pixel(ink.left(), y) == qRgb(0, 255, 0) ? 1 : 0;
    }
    EXPECT_GT(blue, 5);
    EXPECT_GT(green, 5);
}

// Text aligned on one axis is placed by its ink, so X/Y nudge it without
// cutting it there: centred text larger than the panel, nudged one dot on,
// still shows from the panel's first column (row).
TEST(SignLayoutAlign, AnAlignedAxisIsNotCutAtXY)
{
    CCanvasText text = TextOf(QStringLiteral("Hi"), "DejaVu Sans", 12);
    const QRect natural = InkOf(text, 200, 40);
    for (const bool across : {true, false}) {
        CCanvasText t = text;
        (across ? t.m_layout.nAlignH : t.m_layout.nAlignV) = Options::AlignCentre;
        (across ? t.m_nTextX : t.m_nTextY) = 1;
        const int width = across ? natural.width() - 4 : 200;
        const int height = across ? 40 : natural.height() - 4;
        const CSignLayout layout(t, width, height);
        EXPECT_EQ(across ? layout.InkRect().left() : layout.InkRect().top(), -1) << across;
        const QRect shown = InkOf(layout.Render());
        EXPECT_EQ(across ? shown.left() : shown.top(), 0) << across;
    }
}

// The fitted size is the largest whose ink fits: one em more runs over the
// rows, from a size asked far below or far above; text without ink keeps
// the size asked for.
TEST(SignLayoutFit, TheFittedEmIsTheLargestThatFits)
{
    for (const int rows : {7, 12, 20}) {
        for (const int asked : {1, 9, 200}) {
            CCanvasText text = TextOf(QStringLiteral("Hg"), "DejaVu Sans", -asked);
            text.m_layout.bFitHeight = true;
            const CSignLayout fitted(text, 256, rows);
            const int em = fitted.EmPixels();
            EXPECT_LE(fitted.InkRect().height(), rows) << rows << " " << asked;
            CCanvasText larger = TextOf(QStringLiteral("Hg"), "DejaVu Sans", -(em + 1));
            larger.m_layout.nAlignV = Options::AlignStart;
            EXPECT_GT(CSignLayout(larger, 256, rows).InkRect().height(), rows) << rows << " " << asked;
            CCanvasText same = TextOf(QStringLiteral("Hg"), "DejaVu Sans", -em);
            same.m_layout.nAlignV = Options::AlignStart;
            EXPECT_EQ(CSignLayout(same, 256, rows).InkRect(), fitted.InkRect()) << rows << " " << asked;
        }
    }
    for (const int asked : {-20, 0}) {
        CCanvasText blank = TextOf(QStringLiteral("  "), "DejaVu Sans", asked);
        blank.m_layout.bFitHeight = true;
        EXPECT_EQ(CSignLayout(blank, 64, 16).EmPixels(), std::max(blank.m_lfText.EmPixels(), 1)) << asked;
    }
    CCanvasText blank = TextOf(QStringLiteral(" "), "DejaVu Sans", -20);
    blank.m_layout.bFitHeight = true;
    EXPECT_EQ(CSignLayout(blank, 64, 16).EmPixels(), 20);
}
