#include "dotdata/ImageExport.h"

#include "base/DotGrid.h"
#include "base/QtColor.h"
#include "dotdata/PictureImport.h"
#include "SevenColours.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(0, 40, 0);

CDotGrid PaintedGrid(int w, int h)
{
    CDotGrid grid;
    grid.SetBackgroundColor(kBack, false);
    grid.Create(w, h, ImageMode);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            if ((r * 3 + c) % 5 == 0)
                grid.SetDot(c, r, DotPalette[static_cast<std::size_t>((r + c) % 7)]);
        }
    }
    return grid;
}

bool IsJpegFile(const QByteArray& b) { return b.startsWith("\xFF\xD8\xFF"); }

} // namespace

TEST(ImageExport, BmpIsTheHeaderAndTheGridBytes)
{
    CScratchDir dir;
    const CDotGrid grid = PaintedGrid(16, 16);
    QString error;
    ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath("a.bmp"), error)) << error.toStdString();
    const QByteArray b = ReadAll(dir.FilePath("a.bmp"));
    ASSERT_EQ(b.size(), 822);
    // "BM", size 822, offset 54; 40-byte header, 16 x 16, 1 plane, 24 bits,
    // no compression, no image size, resolution fields 16 and 16, no colours.
    EXPECT_EQ(b.left(54).toHex(), QByteArray("424d36030000000000003600000028000000100000001000000001001800"
                                             "000000000000000010000000100000000000000000000000"));
    EXPECT_EQ(b.mid(54), QByteArray(reinterpret_cast<const char*>(grid.Bits()), 768));

    // A Pink dot is stored blue, green, red; an unlit one is the background.
    CDotGrid pink = PaintedGrid(8, 8);
    pink.SetDot(0, 0, DotPalette[4]);
    pink.SetDot(1, 0, kBack);
    ASSERT_TRUE(CImageExport::Write(pink, dir.FilePath("pink.bmp"), error));
    const QByteArray p = ReadAll(dir.FilePath("pink.bmp"));
    EXPECT_EQ(p.mid(54, 6), QByteArray("\x8F\x8F\xBC\x00\x28\x00", 6));

    ASSERT_TRUE(CImageExport::Write(PaintedGrid(1024, 768), dir.FilePath("big.bmp"), error));
    EXPECT_EQ(QFile(dir.FilePath("big.bmp")).size(), 2359350);
}

TEST(ImageExport, ExtensionDecidesTheFormat)
{
    CScratchDir dir;
    const CDotGrid grid = PaintedGrid(16, 8);
    QString error;
    for (const char* name : {"A.BMP", "a.Bmp"}) {
        ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath(name), error)) << name;
        EXPECT_TRUE(ReadAll(dir.FilePath(name)).startsWith("BM")) << name;
    }
    for (const char* name : {"a.bmp.jpg", "a.jpeg", "a.JPE", "noextension", "a.", ".png"}) {
        ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath(name), error)) << name;
        EXPECT_TRUE(IsJpegFile(ReadAll(dir.FilePath(name)))) << name;
    }
    for (const char* name : {"a.png", "b.PNG", "a.jpg.png"}) {
        ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath(name), error)) << name;
        EXPECT_TRUE(ReadAll(dir.FilePath(name)).startsWith("\x89PNG\r\n\x1A\n")) << name;
    }
    // A name asking for a format that is not written is refused and writes nothing.
    for (const char* name : {"a.gif", "a.tiff", "a.bmp.webp", "a.jpg2"}) {
        error.clear();
        EXPECT_FALSE(CImageExport::Write(grid, dir.FilePath(name), error)) << name;
        EXPECT_TRUE(error.contains(QLatin1String(name)) && error.contains(".png")) << error.toStdString();
        EXPECT_FALSE(QFile::exists(dir.FilePath(name))) << name;
    }
    // Only the file name's ending counts, not a folder's.
    EXPECT_EQ(CImageExport::NameEnding(QStringLiteral("/tmp/pics.bmp/name")), QString());
    EXPECT_EQ(CImageExport::NameEnding(QStringLiteral("/tmp/pics.gif/name.bmp")), QStringLiteral("bmp"));
    EXPECT_EQ(CImageExport::NameEnding(QStringLiteral("图片.Bmp")), QStringLiteral("bmp"));
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("pics.bmp")));
    ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath("pics.bmp/name"), error));
    EXPECT_TRUE(IsJpegFile(ReadAll(dir.FilePath("pics.bmp/name"))));
}

TEST(ImageExport, PngAndNarrowBmpReadBackDotForDot)
{
    // 3 x 2: each BMP row is 9 bytes and takes 3 fill bytes; 13 x 1 takes 1;
    // 4 x 2 takes none.
    CScratchDir dir;
    const struct
    {
        int width;
        int height;
        int fileBytes;
    } sizes[] = {{3, 2, 54 + 2 * 12}, {13, 1, 54 + 40}, {4, 2, 54 + 24}};
    for (const auto& k : sizes) {
        const CDotGrid grid = PaintedGrid(k.width, k.height);
        for (const char* name : {"narrow.bmp", "narrow.png"}) {
            QString error;
            ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath(name), error)) << error.toStdString();
            const QImage image(dir.FilePath(name));
            ASSERT_EQ(image.size(), QSize(k.width, k.height)) << name << " " << k.width;
            for (int y = 0; y < k.height; ++y)
                for (int x = 0; x < k.width; ++x)
                    EXPECT_EQ(image.pixel(x, y) & 0xFFFFFFu, ToQColor(grid.DotAt(x, k.height - 1 - y)).rgb() & 0xFFFFFFu)
                        << name << " " << x << "," << y;
        }
        const QByteArray bmp = ReadAll(dir.FilePath("narrow.bmp"));
        ASSERT_EQ(bmp.size(), k.fileBytes) << k.width;
        EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 2), static_cast<quint32>(k.fileBytes));
    }
    // The 3 x 2 rows byte for byte: 9 bytes of dots, then 3 zero bytes each.
    const CDotGrid grid = PaintedGrid(3, 2);
    QString error;
    ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath("three.bmp"), error));
    const QByteArray bmp = ReadAll(dir.FilePath("three.bmp"));
    const QByteArray dots(reinterpret_cast<const char*>(grid.Bits()), 18);
    EXPECT_EQ(bmp.mid(54, 12), dots.left(9) + QByteArray(3, '\0'));
    EXPECT_EQ(bmp.mid(66, 12), dots.mid(9) + QByteArray(3, '\0'));
}

TEST(ImageExport, WrittenPicturesReadBack)
{
    CScratchDir dir;
    const CDotGrid grid = PaintedGrid(48, 24);
    QString error;
    ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath("round.bmp"), error));

    // Read back into a canvas of another size and background: same size, same lit dots.
    CDotGrid back;
    back.SetBackgroundColor(MakeColor(1, 2, 3), false);
    back.Create(8, 8, ImageMode);
    ASSERT_TRUE(CPictureImport::Import(dir.FilePath("round.bmp"), back));
    ASSERT_EQ(back.Width(), 48);
    ASSERT_EQ(back.Height(), 24);
    for (int r = 0; r < 24; ++r) {
        for (int c = 0; c < 48; ++c) {
            ASSERT_EQ(back.ColorIndexOf(c, r), grid.ColorIndexOf(c, r)) << c << "," << r;
            if (grid.ColorIndexOf(c, r) == kUnlitIndex) {
                ASSERT_EQ(back.DotAt(c, r), MakeColor(1, 2, 3));
            }
        }
    }

    ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath("round.jpg"), error));
    QImageReader reader(dir.FilePath("round.jpg"));
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage jpeg = reader.read();
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_EQ(jpeg.size(), QSize(48, 24));
    EXPECT_FALSE(jpeg.allGray());
}

TEST(ImageExport, FailedWritesLeaveExistingFilesAndReport)
{
    CScratchDir dir;
    QString error;
    EXPECT_FALSE(CImageExport::Write(CDotGrid(), dir.FilePath("empty.bmp"), error));
    EXPECT_FALSE(QFile::exists(dir.FilePath("empty.bmp")));
    // Written as a PNG or JPEG directly, an empty grid makes no file either.
    for (const auto format : {CImageExport::Png, CImageExport::Jpeg}) {
        error.clear();
        EXPECT_FALSE(CImageExport::WriteAs(CDotGrid(), dir.FilePath("empty.png"), format, error)) << format;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFile::exists(dir.FilePath("empty.png")));
    }

    error.clear();
    EXPECT_FALSE(CImageExport::Write(PaintedGrid(8, 8), dir.FilePath("missing/a.bmp"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(CImageExport::Write(PaintedGrid(8, 8), dir.FilePath("missing/a.jpg"), error));

    // A folder in the way of the name cannot be replaced: the write fails,
    // says why, and leaves what was there.
    const QString taken = dir.FilePath("taken.bmp");
    ASSERT_TRUE(QDir().mkpath(taken));
    ASSERT_TRUE(WriteAll(taken + "/inside.txt", "kept"));
    error.clear();
    EXPECT_FALSE(CImageExport::Write(PaintedGrid(8, 8), taken, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(taken + "/inside.txt"), QByteArray("kept"));
}

TEST(ImageExport, BmpHeaderOfAWideCanvasKeepsWidthAndHeightApart)
{
    // 24 x 8: 576 pixel bytes, 630 in all; width 24 at offsets 18 and 38,
    // height 8 at 22 and 42.
    EXPECT_EQ(CImageExport::BmpHeader(24, 8).toHex(),
              QByteArray("424d76020000000000003600000028000000180000000800000001001800"
                         "000000000000000018000000080000000000000000000000"));
}

TEST(ImageExport, PicturesAreTheRightWayUpWithEveryColourInItsPlace)
{
    // The seven colours left to right in 8 x 8 blocks along the top band,
    // background in the bottom band and in the eighth block: a picture upside
    // down, mirrored or with red and blue exchanged reads back differently.
    CDotGrid grid;
    grid.SetBackgroundColor(kBack, false);
    grid.Create(64, 16, ImageMode);
    for (const SDotColour& colour : kSevenColours)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                grid.SetDot(8 * colour.index + x, 15 - y, colour.Value());

    CScratchDir dir;
    // JPEG at quality 100 keeps the middle of a flat block within a few units.
    const struct
    {
        const char* name;
        int tolerance;
    } files[] = {{"way.bmp", 0}, {"way.jpg", 6}};
    for (const auto& [name, tolerance] : files) {
        QString error;
        ASSERT_TRUE(CImageExport::Write(grid, dir.FilePath(name), error)) << error.toStdString();
        const QImage image(dir.FilePath(name));
        ASSERT_EQ(image.size(), QSize(64, 16)) << name;
        const auto near = [tolerance = tolerance](QRgb pixel, int r, int g, int b) {
            return std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance
                && std::abs(qBlue(pixel) - b) <= tolerance;
        };
        for (const SDotColour& colour : kSevenColours) {
            const QRgb top = image.pixel(8 * colour.index + 4, 4);
            EXPECT_TRUE(near(top, colour.red, colour.green, colour.blue))
                << name << " " << colour.name << " reads " << qRed(top) << "," << qGreen(top) << "," << qBlue(top);
            EXPECT_TRUE(near(image.pixel(8 * colour.index + 4, 12), 0, 40, 0)) << name << " below " << colour.name;
        }
        EXPECT_TRUE(near(image.pixel(60, 4), 0, 40, 0)) << name;
    }
}

TEST(ImageExport, JpegSaysWhyACanvasWiderThanItCanHoldIsRefused)
{
    // The widest text canvas (511 characters of 256 dots) is far past the
    // 65,500 dots a JPEG side can have; BMP and PNG take it.
    CScratchDir dir;
    CDotGrid wide;
    ASSERT_TRUE(wide.Create(65501, 8, TextMode));
    QString error;
    EXPECT_FALSE(CImageExport::Write(wide, dir.FilePath("wide.jpg"), error));
    EXPECT_TRUE(error.contains("65,500")) << error.toStdString();
    EXPECT_TRUE(error.contains("65501 x 8")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.FilePath("wide.jpg")));
    CDotGrid edge;
    ASSERT_TRUE(edge.Create(65500, 8, TextMode));
    EXPECT_TRUE(CImageExport::Write(edge, dir.FilePath("edge.jpg"), error)) << error.toStdString();
    EXPECT_TRUE(CImageExport::Write(wide, dir.FilePath("wide.png"), error)) << error.toStdString();
}
