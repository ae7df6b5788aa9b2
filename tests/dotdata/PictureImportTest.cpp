#include "dotdata/PictureImport.h"

#include "base/DotGrid.h"
#include "dotdata/DecodedPicture.h"
#include "dotdata/PictureFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testpic;

namespace {

constexpr COLORREF kBack = MakeColor(10, 20, 30);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);

CDotGrid ImageGrid()
{
    CDotGrid grid;
    grid.SetBackgroundColor(kBack, false);
    grid.Create(32, 16, ImageMode);
    return grid;
}

// Display coordinates, y from the top.
COLORREF At(const CDotGrid& grid, int x, int y)
{
    return grid.DotAt(x, grid.Height() - 1 - y);
}

bool ImportBytes(const QByteArray& bytes, CDotGrid& grid, const QString& name = QStringLiteral("p.bmp"))
{
    CScratchDir dir;
    const QString path = dir.FilePath(name);
    return WriteAll(path, bytes) && CPictureImport::Import(path, grid);
}

} // namespace

TEST(PictureImport, SizeIsRoundedClampedAndAnchoredTopLeft)
{
    CDotGrid grid = ImageGrid();
    ASSERT_TRUE(ImportBytes(MakeBmp24(1, 1, [](int, int) { return kRed; }), grid));
    EXPECT_EQ(grid.Width(), 8);
    EXPECT_EQ(grid.Height(), 8);
    EXPECT_EQ(At(grid, 0, 0), DotPalette[0]);
    int background = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            background += At(grid, x, y) == kBack;
    EXPECT_EQ(background, 63);

    // 10 x 10 of red: a 16 x 16 canvas, 6 columns and 6 rows of background.
    ASSERT_TRUE(ImportBytes(MakeBmp24(10, 10, [](int, int) { return kRed; }), grid));
    ASSERT_EQ(grid.Width(), 16);
    ASSERT_EQ(grid.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(At(grid, x, y), x < 10 && y < 10 ? DotPalette[0] : kBack) << x << "," << y;

    // 2000 x 1000: columns from 1024 on and the bottom 232 rows are dropped.
    auto marks = [](int x, int y) {
        if (x == 1023 && y == 767)
            return kRed;
        if (x >= 1024 || y >= 768)
            return qRgb(0, 255, 0);
        return kBlack;
    };
    ASSERT_TRUE(ImportBytes(MakeBmp24(2000, 1000, marks), grid));
    ASSERT_EQ(grid.Width(), 1024);
    ASSERT_EQ(grid.Height(), 768);
    EXPECT_EQ(At(grid, 1023, 767), DotPalette[0]);
    int lit = 0;
    for (int r = 0; r < grid.Height(); ++r)
        for (int c = 0; c < grid.Width(); ++c)
            lit += grid.ColorIndexOf(c, r) != kUnlitIndex;
    EXPECT_EQ(lit, 1);
}

TEST(PictureImport, OnlyExactPaletteColoursStayLit)
{
    auto colours = [](int x, int) {
        switch (x) {
        case 0: return qRgb(255, 0, 0);
        case 1: return qRgb(254, 0, 0);
        case 2: return qRgb(0, 0, 0);
        case 3: return qRgb(188, 143, 143);
        case 4: return qRgb(188, 143, 144);
        default: return qRgb(255, 127, 0);
        }
    };
    CDotGrid grid = ImageGrid();
    ASSERT_TRUE(ImportBytes(MakeBmp24(6, 1, colours), grid));
    EXPECT_EQ(At(grid, 0, 0), DotPalette[0]);
    EXPECT_EQ(At(grid, 1, 0), kBack);
    EXPECT_EQ(At(grid, 2, 0), kBack);
    EXPECT_EQ(At(grid, 3, 0), DotPalette[4]);
    EXPECT_EQ(At(grid, 4, 0), kBack);
    EXPECT_EQ(At(grid, 5, 0), DotPalette[6]);
}

TEST(PictureImport, KeepsModeAndColoursAndRejectsUnreadableFiles)
{
    CDotGrid grid;
    grid.SetBackgroundColor(kBack, false);
    grid.SetDotColor(2);
    grid.Create(24, 16, TextMode);
    ASSERT_TRUE(ImportBytes(MakeJpeg(MakeImage(20, 12, [](int, int) { return qRgb(255, 255, 255); })), grid,
                            QStringLiteral("photo.bmp")));
    EXPECT_EQ(grid.Width(), 24);
    EXPECT_EQ(grid.Height(), 16);
    EXPECT_EQ(grid.Mode(), TextMode);
    EXPECT_EQ(grid.ColorIndex(), 2);
    EXPECT_EQ(grid.BackColor(), kBack);

    grid.SetDot(3, 3, DotPalette[1]);
    const CDotGrid before = grid;
    EXPECT_FALSE(CPictureImport::Import(QStringLiteral("/nonexistent/picture.bmp"), grid));
    EXPECT_FALSE(ImportBytes(QByteArray("not a picture at all"), grid));
    ASSERT_EQ(grid.Width(), before.Width());
    ASSERT_EQ(grid.Height(), before.Height());
    EXPECT_EQ(0, std::memcmp(grid.Bits(), before.Bits(), before.ByteCount()));
}

// Place is Open without the file: a decoded picture rounded up to whole
// blocks, hung from the top left, the rest background, off-palette unlit.
TEST(PictureImport, PlaceRoundsAnchorsAndNormalises)
{
    DecodedPicture picture;
    picture.size = QSize(10, 9);
    picture.pixels = QImage(10, 9, QImage::Format_BGR888);
    picture.pixels.fill(QColor(0, 255, 0));
    picture.pixels.setPixel(0, 0, kRed);
    picture.pixels.setPixel(9, 8, qRgb(254, 0, 0)); // one unit off red
    CDotGrid grid = ImageGrid();
    ASSERT_TRUE(CPictureImport::Place(picture, grid));
    EXPECT_EQ(grid.Width(), 16);
    EXPECT_EQ(grid.Height(), 16);
    EXPECT_EQ(At(grid, 0, 0), MakeColor(255, 0, 0));
    EXPECT_EQ(At(grid, 5, 5), MakeColor(0, 255, 0));
    EXPECT_EQ(At(grid, 9, 8), kBack);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (x >= 10 || y >= 9) {
                ASSERT_EQ(At(grid, x, y), kBack) << x << "," << y;
            }
        }
    }

    // A picture past the limits keeps its top-left 1024 x 768.
    picture.size = QSize(1030, 770);
    picture.pixels = QImage(1024, 768, QImage::Format_BGR888);
    picture.pixels.fill(QColor(0, 0, 255));
    ASSERT_TRUE(CPictureImport::Place(picture, grid));
    EXPECT_EQ(grid.Width(), 1024);
    EXPECT_EQ(grid.Height(), 768);
    EXPECT_EQ(At(grid, 1023, 767), MakeColor(0, 0, 255));

    EXPECT_FALSE(CPictureImport::Place(DecodedPicture(), grid));
    EXPECT_EQ(grid.Width(), 1024);
}

// Import says why a file was not taken, and nothing when it was; the way of
// matching colours reaches the grid.
TEST(PictureImport, SaysWhyAndMatchesTheWayAsked)
{
    CScratchDir dir;
    const QString path = dir.FilePath(QStringLiteral("near.bmp"));
    ASSERT_TRUE(WriteAll(path, MakeBmp24(2, 1, [](int x, int) { return x ? qRgb(250, 5, 0) : qRgb(255, 0, 0); })));
    CDotGrid grid = ImageGrid();
    QString why = QStringLiteral("stale");
    ASSERT_TRUE(CPictureImport::Import(path, grid, ExactColors, &why));
    EXPECT_TRUE(why.isEmpty());
    EXPECT_EQ(At(grid, 0, 0), DotPalette[0]);
    EXPECT_EQ(At(grid, 1, 0), kBack);
    ASSERT_TRUE(CPictureImport::Import(path, grid, NearestColor, &why));
    EXPECT_EQ(At(grid, 1, 0), DotPalette[0]);

    const QString junk = dir.FilePath(QStringLiteral("junk.bmp"));
    ASSERT_TRUE(WriteAll(junk, "BM and nothing else"));
    EXPECT_FALSE(CPictureImport::Import(junk, grid, ExactColors, &why));
    EXPECT_TRUE(why.endsWith(QStringLiteral("is not a BMP, PNG or JPEG picture that can be read"))) << why.toStdString();
    EXPECT_FALSE(CPictureImport::Import(dir.FilePath(QStringLiteral("gone.bmp")), grid, ExactColors, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(At(grid, 1, 0), DotPalette[0]);
}
