#include "FontOwnDots.h"
#include "TestSupport.h"
#include "textinput/ExactGlyphs.h"
#include "textinput/GlyphRaster.h"

#include "../../bench/CommonChars.h"

#include <QFile>
#include <QTemporaryDir>

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr const char* kZenHeiFile = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
constexpr const char* kUMingFile = "/usr/share/fonts/truetype/arphic/uming.ttc";
constexpr const char* kSongFile16 = "/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf";
constexpr const char* kUnifontFile = "/usr/share/fonts/opentype/unifont/unifont.otf";
constexpr const char* kSharp = "WenQuanYi Zen Hei Sharp";
constexpr const char* kUMing = "AR PL UMing CN";
constexpr const char* kBitmapSong = "WenQuanYi Bitmap Song";

// Every 10th of the 500 most frequent characters, and the dense ones that
// blur first at small sizes.
QStringList SampleCharacters()
{
    const QStringList all = CharactersOf(CommonHanzi().left(500));
    QStringList sample;
    for (int i = 0; i < all.size(); i += 10)
        sample << all[i];
    sample << CharactersOf(QStringLiteral("着就意最警赢"));
    return sample;
}

// How many of the characters the program renders at height lfHeight exactly
// as the font's own dots (a strike at em, or the outline's grid at em).
int IdenticalCount(const QStringList& characters, const CFontOwnDots& own, const char* face, int lfHeight, int em,
                   bool grid)
{
    const std::vector<DotRows> rendered = ProgramDots(characters.join(QString()), face, lfHeight);
    int same = 0;
    for (int i = 0; i < characters.size() && i < static_cast<int>(rendered.size()); ++i) {
        DotRows reference;
        const char32_t code = CodePointOf(characters[i]);
        const bool read = grid ? own.Grid(code, em, reference) : own.Strike(code, em, reference);
        EXPECT_TRUE(read) << qPrintable(characters[i]);
        same += read && reference == rendered[static_cast<std::size_t>(i)] ? 1 : 0;
    }
    return same;
}

std::vector<int> EmsOf(const std::vector<SStrike>& strikes)
{
    std::vector<int> ems;
    for (const SStrike& s : strikes)
        ems.push_back(s.nEm);
    return ems;
}

} // namespace

TEST(ExactGlyphs, StrikesComeOutDotForDotAtTwelveAndSixteen)
{
    const QStringList sample = SampleCharacters();
    struct SCase
    {
        const char* file;
        const char* face;
        int em;
    };
    for (const SCase& c : {SCase{kZenHeiFile, kSharp, 12}, SCase{kZenHeiFile, kSharp, 16},
                           SCase{kUMingFile, kUMing, 12}, SCase{kUMingFile, kUMing, 16}}) {
        const CFontOwnDots own(c.file, c.face);
        ASSERT_TRUE(own.IsOpen()) << c.face;
        // The em itself (a negative height), in the cell the font makes.
        const int same = IdenticalCount(sample, own, c.face, -c.em, c.em, false);
        EXPECT_GE(same * 100, 97 * sample.size()) << c.face << " at " << c.em << ": " << same << " of " << sample.size();
    }
}

TEST(ExactGlyphs, AStrikeIsKeptWholeInASixteenDotCellWhereItsLineIsTaller)
{
    // Zen Hei Sharp's 16-pixel line is 21 pixels, Bitmap Song's 18; their
    // 16-row glyphs still fit a 16-dot cell and must not lose a row.
    const QStringList sample = CharactersOf(QStringLiteral("国最警赢量"));
    const CFontOwnDots sharp(kZenHeiFile, kSharp);
    EXPECT_EQ(IdenticalCount(sample, sharp, kSharp, -16, 16, false), sample.size());
    const CFontOwnDots song(kSongFile16, kBitmapSong);
    EXPECT_EQ(IdenticalCount(sample, song, kBitmapSong, -16, 16, false), sample.size());
}

TEST(ExactGlyphs, UnifontAtSixteenAndThirtyTwoLightsExactlyItsGridSquares)
{
    const CFontOwnDots own(kUnifontFile, "Unifont");
    ASSERT_TRUE(own.IsOpen());
    const QStringList hanzi = SampleCharacters();
    for (int em : {16, 32})
        EXPECT_EQ(IdenticalCount(hanzi, own, "Unifont", -em, em, true), hanzi.size()) << em;
    // Half-width letters in their half-width cells, with the diagonals of
    // A, V, W, X, Z, k, v, w, x, z where pixels touch only at corners.
    const QStringList latin = CharactersOf(QStringLiteral("AVWXZ&@kvwxz%"));
    EXPECT_EQ(IdenticalCount(latin, own, "Unifont", 16, 16, true), latin.size());
}

TEST(ExactGlyphs, StrikesAndGridSizesAreFoundPerFamily)
{
    const CExactGlyphs sharp(FontOf(kSharp, 16));
    ASSERT_TRUE(sharp.IsOpen());
    EXPECT_FALSE(sharp.IsBitmapOnly());
    EXPECT_EQ(EmsOf(sharp.Strikes()), (std::vector<int>{12, 13, 14, 15, 16}));
    EXPECT_TRUE(sharp.IsExactAt(12));
    EXPECT_TRUE(sharp.IsExactAt(16));
    EXPECT_FALSE(sharp.IsExactAt(11));
    EXPECT_FALSE(sharp.IsExactAt(17));

    EXPECT_EQ(EmsOf(CExactGlyphs(FontOf(kUMing, 16)).Strikes()), (std::vector<int>{11, 12, 13, 14, 15, 16}));

    // The smooth Zen Hei of the same file has no strikes and no grid.
    const CExactGlyphs smooth(FontOf("WenQuanYi Zen Hei", 16));
    EXPECT_TRUE(smooth.Strikes().empty());
    for (int em = 8; em <= 33; ++em)
        EXPECT_FALSE(smooth.IsExactAt(em)) << em;

    // Unifont is drawn on a 16-pixel grid: exact at multiples of 16 only.
    const CExactGlyphs unifont(FontOf("Unifont", 16));
    for (int em = 8; em <= 33; ++em)
        EXPECT_EQ(unifont.IsExactAt(em), em % 16 == 0) << em;

    EXPECT_FALSE(CExactGlyphs(FontOf("No Such Family 21", 16)).IsOpen());
}

// A space is a glyph with an advance and no dots, in a strike and on a grid.
TEST(ExactGlyphs, ASpaceAdvancesAndLightsNothing)
{
    for (const char* face : {kBitmapSong, "Unifont"}) {
        const CGlyphRaster raster(FontOf(face, -16));
        SExactGlyph space;
        ASSERT_TRUE(raster.ExactGlyph(QStringLiteral(" "), space)) << face;
        EXPECT_EQ(space.nAdvance, 8) << face;
        EXPECT_FALSE(space.mask.isNull()) << face;
        for (int y = 0; y < space.mask.height(); ++y)
            for (int x = 0; x < space.mask.width(); ++x)
                ASSERT_EQ(space.mask.constScanLine(y)[x], 0) << face << " " << x << "," << y;
    }
}

TEST(ExactGlyphs, BitmapFontHeightsPickTheStrikeOfTheNearestEm)
{
    // Strikes of 12, 13 and 14 pixels share a 15-pixel line, 15 and 16 an
    // 18-pixel one: only the em tells them apart.
    const CExactGlyphs song(FontOf(kBitmapSong, 16));
    ASSERT_TRUE(song.IsOpen());
    EXPECT_TRUE(song.IsBitmapOnly());
    EXPECT_EQ(EmsOf(song.Strikes()), (std::vector<int>{12, 13, 14, 15, 16}));
    const std::pair<int, int> heightToEm[] = {{12, 12}, {13, 13}, {15, 15}, {16, 16}, {-13, 13}, {-16, 16},
                                              {17, 16}, {72, 16}, {-40, 16}, {11, 12}, {1, 12}};
    for (const auto& [height, em] : heightToEm)
        EXPECT_EQ(song.EmFor(height), em) << height;
    std::vector<int> offered;
    for (const SExactHeight& h : song.ExactHeights(72))
        offered.push_back(h.nHeight);
    EXPECT_EQ(offered, (std::vector<int>{12, 13, 14, 15, 16}));
}

TEST(ExactGlyphs, OutlineFontHeightsAreExactWhereTheirEmHasAStrike)
{
    const CExactGlyphs sharp(FontOf(kSharp, 16));
    const std::vector<SExactHeight> heights = sharp.ExactHeights(72);
    ASSERT_FALSE(heights.empty());
    std::vector<int> ems;
    for (const SExactHeight& h : heights) {
        EXPECT_EQ(h.nEm, FontOf(kSharp, h.nHeight).EmPixels()) << h.nHeight;
        if (ems.empty() || ems.back() != h.nEm)
            ems.push_back(h.nEm);
    }
    EXPECT_EQ(ems, (std::vector<int>{12, 13, 14, 15, 16}));
    // Unifont's cell is its em: 16, 32, 48 and 64.
    std::vector<int> unifont;
    for (const SExactHeight& h : CExactGlyphs(FontOf("Unifont", 16)).ExactHeights(72))
        unifont.push_back(h.nHeight);
    EXPECT_EQ(unifont, (std::vector<int>{16, 32, 48, 64}));
}

TEST(ExactGlyphs, SyntheticStylesAndOtherSizesGoThroughCoverage)
{
    LogFont bold = FontOf(kSharp, -16);
    bold.lfWeight = 700; // the family has no bold: a synthetic one is no strike
    EXPECT_FALSE(CGlyphRaster(bold).IsExact());
    LogFont italic = FontOf(kSharp, -16);
    italic.lfItalic = true;
    EXPECT_FALSE(CGlyphRaster(italic).IsExact());
    EXPECT_FALSE(CGlyphRaster(FontOf(kSharp, -17)).IsExact()); // no snapping to 16
    EXPECT_TRUE(CGlyphRaster(FontOf(kSharp, -16)).IsExact());

    SGlyphRasterOptions off;
    off.bExactGlyphs = false;
    EXPECT_FALSE(CGlyphRaster(FontOf(kSharp, -16), off).IsExact());
    // A bitmap font has nothing else to draw with.
    EXPECT_TRUE(CGlyphRaster(FontOf(kBitmapSong, 16), off).IsExact());
}

TEST(ExactGlyphs, ACharacterTheStrikeLacksIsStillDrawn)
{
    // U+4DC0 (a hexagram) is not in Zen Hei Sharp: a fallback font draws it
    // through coverage, beside strike glyphs of the same text.
    const CGlyphRaster raster(FontOf(kSharp, -16));
    SExactGlyph glyph;
    ASSERT_FALSE(raster.ExactGlyph(QStringLiteral("\u4DC0"), glyph));
    const std::vector<DotRows> cells = ProgramDots(QStringLiteral("国\u4DC0"), kSharp, -16);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_FALSE(cells[1].empty());
}

TEST(ExactGlyphs, OverlayTextUsesTheStrikeWhereverItIsPlaced)
{
    const CFontOwnDots own(kZenHeiFile, kSharp);
    DotRows guo;
    ASSERT_TRUE(own.Strike(U'国', 16, guo));
    const CGlyphRaster raster(FontOf(kSharp, -16));
    for (const QPoint at : {QPoint(0, 0), QPoint(3, 5), QPoint(17, 1)}) {
        const QImage lit = raster.LitText(QSize(64, 32), QRect(at, QPoint(63, 31)), Qt::AlignLeft | Qt::AlignTop,
                                          QStringLiteral("国"));
        DotRows rows;
        for (int y = 0; y < lit.height(); ++y) {
            std::string row;
            for (int x = 0; x < lit.width(); ++x)
                row += lit.constScanLine(y)[x] ? '#' : '.';
            rows.push_back(row);
        }
        EXPECT_EQ(Trimmed(rows), guo) << at.x() << "," << at.y();
    }
    // Two lines, each character its strike: the second line's 国 too.
    const QImage two = raster.LitText(QSize(40, 64), QRect(0, 0, 40, 64), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                      QStringLiteral("国\n国"));
    const auto litRows = [](const QImage& image) {
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            rows += std::any_of(image.constScanLine(y), image.constScanLine(y) + image.width(), [](uchar v) { return v; })
                  ? 1
                  : 0;
        return rows;
    };
    const int strikeRows = static_cast<int>(guo.size());
    EXPECT_EQ(litRows(two), 2 * strikeRows);
    // Words wider than the box stay on one line, cut at its edge, unless
    // wrapping is asked for: then each of the four goes on a line of its own.
    const QString words = QStringLiteral("国 国 国 国");
    const QRect narrow(0, 0, 20, 120);
    EXPECT_EQ(litRows(raster.LitText(narrow.size(), narrow, Qt::AlignLeft | Qt::AlignTop, words)), strikeRows);
    EXPECT_EQ(litRows(raster.LitText(narrow.size(), narrow, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, words)),
              4 * strikeRows);

    // Aligned to the bottom or the middle, the line moves down by all or half
    // (rounded down) of the height its own line leaves.
    const auto inkTop = [&raster](int flags) {
        const QImage lit = raster.LitText(QSize(40, 64), QRect(0, 0, 40, 64), Qt::AlignLeft | flags, QStringLiteral("国"));
        for (int y = 0; y < lit.height(); ++y)
            if (std::any_of(lit.constScanLine(y), lit.constScanLine(y) + lit.width(), [](uchar v) { return v; }))
                return y;
        return -1;
    };
    const int pitch = raster.ExactPitch();
    const int top = inkTop(Qt::AlignTop);
    ASSERT_GE(top, 0);
    EXPECT_EQ(inkTop(Qt::AlignBottom), top + 64 - pitch);
    EXPECT_EQ(inkTop(Qt::AlignVCenter), top + (64 - pitch) / 2);

    // A character the strike lacks is drawn beside a strike glyph.
    const QImage mixed = raster.LitText(QSize(64, 32), QRect(0, 0, 64, 32), Qt::AlignLeft | Qt::AlignTop,
                                        QStringLiteral("国\u4DC0"));
    // It lands where it would alone, one strike cell further on.
    const QImage alone = raster.LitText(QSize(64, 32), QRect(16, 0, 48, 32), Qt::AlignLeft | Qt::AlignTop,
                                        QStringLiteral("\u4DC0"));
    int right = 0;
    for (int y = 0; y < mixed.height(); ++y)
        for (int x = 16; x < mixed.width(); ++x) {
            right += mixed.constScanLine(y)[x] ? 1 : 0;
            ASSERT_EQ(mixed.constScanLine(y)[x] != 0, alone.constScanLine(y)[x] != 0) << x << "," << y;
        }
    EXPECT_GT(right, 8);
}

// A glyph on the grid as the font's own bitmap gives it: Unifont's "A" is
// rows 4 to 13 of its 16-dot cell, columns 1 to 6, the baseline under row 13
// (0x18, 0x24, 0x24, 0x42, 0x42, 0x7E, 0x42 x4); at 32 dots every dot doubles.
TEST(ExactGlyphs, AGridGlyphSitsOnItsBaselineAtEverySize)
{
    const char* const rows[] = {"...##...", "..#..#..", "..#..#..", ".#....#.", ".#....#.",
                                ".######.", ".#....#.", ".#....#.", ".#....#.", ".#....#."};
    CExactGlyphs unifont(FontOf("Unifont", 16));
    for (const int scale : {1, 2}) {
        ASSERT_TRUE(unifont.SetEm(16 * scale)) << scale;
        EXPECT_EQ(unifont.Em(), 16 * scale);
        EXPECT_EQ(unifont.Ascent(), 14 * scale);
        EXPECT_EQ(unifont.Descent(), 2 * scale);
        SExactGlyph a;
        ASSERT_TRUE(unifont.Glyph(U'A', a)) << scale;
        EXPECT_EQ(a.nAdvance, 8 * scale);
        EXPECT_EQ(a.ptOffset, QPoint(1, -10) * scale);
        ASSERT_EQ(a.mask.size(), QSize(6, 10) * scale);
        for (int y = 0; y < a.mask.height(); ++y)
            for (int x = 0; x < a.mask.width(); ++x)
                ASSERT_EQ(a.mask.constScanLine(y)[x], rows[y / scale][x / scale + 1] == '#' ? 255 : 0)
                    << scale << ": " << x << "," << y;
    }
    // No grid at 17 dots, nor at none or fewer: no glyph, no metrics.
    for (const int em : {17, 0, -16}) {
        EXPECT_FALSE(unifont.SetEm(em)) << em;
        EXPECT_EQ(unifont.Ascent(), 0) << em;
        EXPECT_FALSE(unifont.IsExactAt(em)) << em;
        SExactGlyph a;
        EXPECT_FALSE(unifont.Glyph(U'A', a)) << em;
    }
}

// A strike's metrics: Bitmap Song's 12 to 14 dot strikes share a 15-dot
// line, its 15 and 16 an 18-dot one; Zen Hei Sharp's 16 is 21 dots.
TEST(ExactGlyphs, StrikesKnowTheirLines)
{
    const std::vector<SStrike> song = CExactGlyphs(FontOf(kBitmapSong, 16)).Strikes();
    ASSERT_EQ(song.size(), 5u);
    for (std::size_t i = 0; i < song.size(); ++i)
        EXPECT_EQ(song[i].nCellHeight, i < 3 ? 15 : 18) << i;
    EXPECT_EQ(CExactGlyphs(FontOf(kSharp, 16)).Strikes().back().nCellHeight, 21);
    CExactGlyphs strikes(FontOf(kBitmapSong, 16));
    for (const int em : {12, 16}) {
        ASSERT_TRUE(strikes.SetEm(em)) << em;
        EXPECT_EQ(strikes.Ascent() + strikes.Descent(), em == 12 ? 15 : 18) << em;
        EXPECT_GT(strikes.Descent(), 0) << em;
        SExactGlyph guo;
        ASSERT_TRUE(strikes.Glyph(U'国', guo)) << em;
        EXPECT_EQ(guo.nAdvance, em) << em;
        EXPECT_LE(-guo.ptOffset.y(), strikes.Ascent()) << em;
        EXPECT_LE(guo.ptOffset.y() + guo.mask.height(), strikes.Descent()) << em;
        EXPECT_GE(guo.mask.height(), em - 2) << em;
    }
    EXPECT_FALSE(strikes.SetEm(17));
    // A bitmap-only font offers its own sizes, however few are asked for.
    EXPECT_EQ(CExactGlyphs(FontOf(kBitmapSong, 16)).ExactHeights(8).size(), 5u);
}

// A family is read only in the styles it has: bold from weight 600, italic
// only where there is one.
TEST(ExactGlyphs, OnlyTheStylesAFamilyHasAreOpened)
{
    for (const auto& [weight, italic, open] : {std::tuple{599, false, true}, std::tuple{600, false, false},
                                               std::tuple{400, true, false}, std::tuple{0, false, true}}) {
        LogFont font = FontOf("Unifont", 16);
        font.lfWeight = weight;
        font.lfItalic = italic;
        EXPECT_EQ(CExactGlyphs(font).IsOpen(), open) << weight << italic;
    }
    LogFont bold = FontOf("DejaVu Sans", 16);
    bold.lfWeight = 600;
    EXPECT_TRUE(CExactGlyphs(bold).IsOpen());
    bold.lfItalic = true;
    EXPECT_TRUE(CExactGlyphs(bold).IsOpen());
    EXPECT_FALSE(CExactGlyphs(bold).IsBitmapOnly());
    EXPECT_FALSE(CExactGlyphs(FontOf("", 16)).IsOpen());
    EXPECT_FALSE(CExactGlyphs(FontOf("No Such Family 21", 16)).IsBitmapOnly());
}

// Unifont is exact at the largest height asked for and not one past it.
TEST(ExactGlyphs, ExactHeightsStopAtTheLargestAsked)
{
    const CExactGlyphs unifont(FontOf("Unifont", 16));
    for (const auto& [largest, last] : {std::pair{64, 64}, std::pair{63, 48}, std::pair{16, 16}, std::pair{15, 0}}) {
        const std::vector<SExactHeight> heights = unifont.ExactHeights(largest);
        EXPECT_EQ(heights.empty() ? 0 : heights.back().nHeight, last) << largest;
        if (!heights.empty()) {
            EXPECT_EQ(heights.back().nEm, last) << largest;
        }
    }
}

// A strike glyph may have no bitmap at all (a space drawn as nothing): it
// still comes with a one-dot mask, unlit, and its advance. The font is a
// small BDF strike written here and made known to the font configuration.
TEST(ExactGlyphs, AGlyphWithoutABitmapHasOneUnlitDot)
{
    const QByteArray bdf = "STARTFONT 2.1\n"
                           "FONT -misc-Empty Glyph Test-medium-r-normal--16-160-75-75-c-80-iso10646-1\n"
                           "SIZE 16 75 75\nFONTBOUNDINGBOX 8 16 0 -2\n"
                           "STARTPROPERTIES 6\nFAMILY_NAME \"Empty Glyph Test\"\nPIXEL_SIZE 16\n"
                           "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
                           "FONT_ASCENT 14\nFONT_DESCENT 2\nENDPROPERTIES\nCHARS 2\n"
                           "STARTCHAR space\nENCODING 32\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 0 0 0 0\nBITMAP\nENDCHAR\n"
                           "STARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 9 0\nBBX 8 2 0 3\nBITMAP\nFF\n81\nENDCHAR\n"
                           "ENDFONT\n";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("empty-glyph.bdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bdf), bdf.size());
    file.close();
    ASSERT_TRUE(FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(QFile::encodeName(path).constData())));

    CExactGlyphs font(FontOf("Empty Glyph Test", 16));
    ASSERT_TRUE(font.IsOpen());
    ASSERT_TRUE(font.SetEm(16));
    SExactGlyph space;
    ASSERT_TRUE(font.Glyph(U' ', space));
    EXPECT_EQ(space.nAdvance, 8);
    ASSERT_EQ(space.mask.size(), QSize(1, 1));
    EXPECT_EQ(space.mask.constScanLine(0)[0], 0);
    // A glyph with dots beside it: two rows, the lower three dots above the baseline.
    SExactGlyph a;
    ASSERT_TRUE(font.Glyph(U'A', a));
    EXPECT_EQ(a.nAdvance, 9);
    EXPECT_EQ(a.ptOffset, QPoint(0, -5));
    ASSERT_EQ(a.mask.size(), QSize(8, 2));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(a.mask.constScanLine(0)[x], 255) << x;
        EXPECT_EQ(a.mask.constScanLine(1)[x], x == 0 || x == 7 ? 255 : 0) << x;
    }
}
