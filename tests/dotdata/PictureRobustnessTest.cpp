// Damaged and hostile picture files: every one must be refused without a
// crash and without touching the canvas.
#include "dotdata/PictureImport.h"

#include "base/DotGrid.h"
#include "dotdata/PictureFiles.h"
#include "TestSupport.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

using namespace testpic;

namespace {

using Corpus = std::vector<std::pair<std::string, QByteArray>>;

QByteArray SampleBmp()
{
    return MakeBmp24(37, 23, [](int x, int y) { return qRgb(255 * (x % 2), 255 * (y % 2), 0); });
}

QByteArray SampleJpeg()
{
    return MakeJpeg(MakeImage(64, 48, [](int x, int y) { return qRgb(x * 4, y * 5, 128); }));
}

// A 24-bit BMP header declaring the given size, followed by a few pixel bytes.
QByteArray BmpHeaderOnly(int width, int height, int bitCount = 24, std::uint32_t compression = 0)
{
    BmpFields s;
    s.width = 1;
    s.height = 1;
    s.bitCount = bitCount;
    s.compression = compression;
    if (bitCount <= 8)
        s.palette.assign(std::size_t{1} << bitCount, qRgb(255, 0, 0));
    s.valueAt = [](int, int) { return 0u; };
    QByteArray b = MakeBmp(s);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    return b + QByteArray(64, '\x11');
}

Corpus Truncations(const std::string& name, const QByteArray& whole)
{
    Corpus c;
    for (int cut : {0, 1, 2, 10, 14, 30, 53, 54, 100})
        c.emplace_back(name + " cut at " + std::to_string(cut), whole.left(cut));
    for (int percent = 10; percent < 100; percent += 15)
        c.emplace_back(name + " cut at " + std::to_string(percent) + "%", whole.left(whole.size() * percent / 100));
    // Two bytes reach into the last pixel of the sample BMP (its rows end
    // in one fill byte) and into the end marker of the JPEG.
    c.emplace_back(name + " two bytes short", whole.left(whole.size() - 2));
    return c;
}

Corpus BadSizes()
{
    return {
        {"zero width", BmpHeaderOnly(0, 10)},
        {"zero height", BmpHeaderOnly(10, 0)},
        {"negative width", BmpHeaderOnly(-8, 8)},
        {"most negative height", BmpHeaderOnly(8, INT_MIN)},
        {"65535 x 65535 BMP", BmpHeaderOnly(65535, 65535)},
        {"65535 x 65535 8-bit BMP", BmpHeaderOnly(65535, 65535, 8)},
        {"65535 x 65535 run-length BMP", BmpHeaderOnly(65535, 65535, 8, 1)},
        {"65535 x 65535 top-down BMP", BmpHeaderOnly(65535, -65535)},
        {"huge width", BmpHeaderOnly(INT_MAX, 1)},
        {"65535 x 65535 JPEG", WithJpegSize(SampleJpeg(), 65535, 65535)},
        {"65535 x 65535 progressive JPEG",
         WithJpegSize(MakeJpeg(MakeImage(64, 48, [](int, int) { return qRgb(9, 9, 9); }), true), 65535, 65535)},
        {"zero-size JPEG", WithJpegSize(SampleJpeg(), 0, 0)},
    };
}

Corpus RandomBytes()
{
    Corpus c;
    QRandomGenerator random(20261207);
    for (int i = 0; i < 40; ++i) {
        QByteArray b(static_cast<int>(random.bounded(1, 4000)), '\0');
        for (char& ch : b)
            ch = static_cast<char>(random.bounded(256));
        // Half of them start like the real thing, to get past the first check.
        if (i % 4 == 1)
            b.replace(0, 2, "BM");
        if (i % 4 == 3)
            b.replace(0, 3, "\xFF\xD8\xFF");
        c.emplace_back("random " + std::to_string(i), b);
    }
    return c;
}

} // namespace

TEST(PictureRobustness, DamagedFilesAreRefusedAndTheGridIsKept)
{
    Corpus corpus = BadSizes();
    for (auto part : {Truncations("BMP", SampleBmp()), Truncations("JPEG", SampleJpeg()), RandomBytes()})
        corpus.insert(corpus.end(), part.begin(), part.end());

    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(5, 6, 7), false);
    grid.Create(40, 24, ImageMode);
    grid.SetDot(1, 2, DotPalette[3]);
    const CDotGrid before = grid;

    CScratchDir dir;
    for (const auto& [name, bytes] : corpus) {
        // Every file carries a picture name; the content alone decides.
        const QString path = dir.FilePath(QStringLiteral("damaged.bmp"));
        ASSERT_TRUE(WriteAll(path, bytes));
        EXPECT_FALSE(CPictureImport::Import(path, grid)) << name;
        ASSERT_EQ(grid.Width(), before.Width()) << name;
        ASSERT_EQ(grid.Height(), before.Height()) << name;
        ASSERT_EQ(0, std::memcmp(grid.Bits(), before.Bits(), before.ByteCount())) << name;
    }

    // The undamaged originals do load.
    ASSERT_TRUE(WriteAll(dir.FilePath("good.bmp"), SampleBmp()));
    EXPECT_TRUE(CPictureImport::Import(dir.FilePath("good.bmp"), grid));
    ASSERT_TRUE(WriteAll(dir.FilePath("good.jpg"), SampleJpeg()));
    EXPECT_TRUE(CPictureImport::Import(dir.FilePath("good.jpg"), grid));
}
