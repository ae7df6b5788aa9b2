#include "AnimationSupport.h"
#include "TestSupport.h"
#include "animation/FrameImages.h"
#include "animation/FrameList.h"
#include "animation/GifWriter.h"
#include "dotdata/ImageExport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Frames of every colour and different durations, from the shortest a GIF
// keeps to the longest a frame may have.
void FillSample(CFrameList& list)
{
    list.Live().SetBackgroundColor(MakeColor(40, 0, 80), false); // the document's background
    const int durations[] = {20, 30, 50, 990, 60000};
    std::vector<SSignFrame> frames;
    for (int i = 0; i < 5; ++i)
        frames.push_back(SSignFrame{PatternGrid(24, 16, i), durations[i]});
    ASSERT_TRUE(list.Replace(std::move(frames), 0));
}

void ExpectPictureIsGrid(const QImage& image, const CDotGrid& grid, int frame)
{
    ASSERT_EQ(image.width(), grid.Width()) << "frame " << frame;
    ASSERT_EQ(image.height(), grid.Height()) << "frame " << frame;
    for (int y = 0; y < grid.Height(); ++y)
        for (int x = 0; x < grid.Width(); ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_EQ(MakeColor(qRed(p), qGreen(p), qBlue(p)), ColorAt(grid, x, y))
                << "frame " << frame << " dot " << x << "," << y;
        }
}

} // namespace

TEST(GifWriter, DecodesBackToTheSameFramesAndDurations)
{
    CDotGrid live;
    CFrameList list(live);
    FillSample(list);
    CScratchDir dir;
    const QString path = dir.FilePath(QStringLiteral("sign.gif"));
    QString error;
    ASSERT_TRUE(CGifWriter::Write(list, path, error)) << error.toStdString();

    QImageReader reader(path, "gif");
    ASSERT_TRUE(reader.supportsAnimation());
    EXPECT_EQ(reader.imageCount(), 5);
    EXPECT_EQ(reader.loopCount(), -1); // for ever
    for (int i = 0; i < list.Count(); ++i) {
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << "frame " << i << ": " << reader.errorString().toStdString();
        ExpectPictureIsGrid(image, list.Picture(i), i);
        EXPECT_EQ(reader.nextImageDelay(), list.Duration(i)) << "frame " << i;
    }
    EXPECT_FALSE(reader.canRead());

    // A 10 ms frame plays at 20 ms, not at the 100 ms a one-hundredth delay gets.
    list.SetDuration(0, 10);
    ASSERT_TRUE(CGifWriter::Write(list, path, error));
    QImageReader again(path, "gif");
    ASSERT_FALSE(again.read().isNull());
    EXPECT_EQ(again.nextImageDelay(), 20);
}

TEST(GifWriter, LampsOfAPitchShowTheSignOnBlack)
{
    CDotGrid live;
    CFrameList list(live);
    FillSample(list);
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(CGifWriter::Encode(list, bytes, error, 6)) << error.toStdString();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    for (int i = 0; i < list.Count(); ++i) {
        const QImage image = reader.read();
        ASSERT_EQ(image.size(), QSize(24 * 6, 16 * 6));
        EXPECT_EQ(reader.nextImageDelay(), list.Duration(i));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                const COLORREF dot = ColorAt(list.Picture(i), x, y);
                const QRgb centre = image.pixel(x * 6 + 3, y * 6 + 3);
                const COLORREF expected = dot == MakeColor(40, 0, 80) ? MakeColor(38, 38, 38) : dot;
                ASSERT_EQ(MakeColor(qRed(centre), qGreen(centre), qBlue(centre)), expected) << i << ": " << x << "," << y;
                ASSERT_EQ(image.pixel(x * 6, y * 6), qRgb(0, 0, 0)) << i << ": " << x << "," << y;
            }
    }
}

TEST(GifWriter, DelaysAreHundredthsRoundedToTheNearest)
{
    const struct
    {
        int ms, delay;
    } cases[] = {{20, 2}, {24, 2}, {25, 3}, {33, 3}, {50, 5}, {995, 100}, {60000, 6000},
                 // Below what readers honour: the shortest they keep.
                 {10, 2}, {14, 2}, {0, 2}, {-4, 2}, {700000, 65535}};
    for (const auto& c : cases)
        EXPECT_EQ(CGifWriter::DelayOf(c.ms), c.delay) << c.ms << " ms";
}

TEST(GifWriter, FailedWritesLeaveWhatWasThere)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    CScratchDir dir;
    QString error;
    // No such folder.
    EXPECT_FALSE(CGifWriter::Write(list, dir.FilePath(QStringLiteral("none/sign.gif")), error));
    EXPECT_FALSE(error.isEmpty());
    // A folder in the way of the file.
    const QString folder = dir.FilePath(QStringLiteral("taken.gif"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(CGifWriter::Write(list, folder, error));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // Nothing to write: an existing file stays as it was.
    const QString kept = dir.FilePath(QStringLiteral("kept.gif"));
    ASSERT_TRUE(WriteAll(kept, "old"));
    CDotGrid empty;
    CFrameList none(empty);
    EXPECT_FALSE(CGifWriter::Write(none, kept, error));
    EXPECT_EQ(ReadAll(kept), QByteArray("old"));
}

TEST(FrameImages, NumberedNames)
{
    const struct
    {
        const char *path, *expected;
        int number, count;
    } cases[] = {
        {"/a/sign.png", "/a/sign-001.png", 1, 9},
        {"/a/sign.png", "/a/sign-120.png", 120, 120},
        {"/a/sign.bmp", "/a/sign-0042.bmp", 42, 1000},
        {"/a/f%d.png", "/a/f7.png", 7, 364},
        {"/a.b/sign", "/a.b/sign-003", 3, 5},
        {"/a/.png", "/a/.png-001", 1, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFrameImages::FramePath(QString::fromUtf8(c.path), c.number, c.count), QString::fromUtf8(c.expected));
}

TEST(FrameImages, EachFrameBecomesAPictureOfItsOwn)
{
    CDotGrid live;
    CFrameList list(live);
    FillSample(list);
    CScratchDir dir;
    int written = 0;
    QString error;
    ASSERT_TRUE(CFrameImages::Write(list, dir.FilePath(QStringLiteral("f.png")), written, error))
        << error.toStdString();
    EXPECT_EQ(written, 5);
    for (int i = 0; i < 5; ++i) {
        const QImage image(dir.FilePath(QStringLiteral("f-00%1.png").arg(i + 1)));
        ExpectPictureIsGrid(image, list.Picture(i), i);
    }
    // BMP frames are byte for byte what Save Image writes.
    ASSERT_TRUE(CFrameImages::Write(list, dir.FilePath(QStringLiteral("b%d.BMP")), written, error));
    for (int i = 0; i < 5; ++i) {
        const QString single = dir.FilePath(QStringLiteral("single.bmp"));
        ASSERT_TRUE(CImageExport::Write(list.Picture(i), single, error));
        EXPECT_EQ(ReadAll(dir.FilePath(QStringLiteral("b%1.BMP").arg(i + 1))), ReadAll(single)) << i;
    }
    // Other extensions are refused before anything is written.
    EXPECT_FALSE(CFrameImages::Write(list, dir.FilePath(QStringLiteral("f.jpg")), written, error));
    EXPECT_EQ(written, 0);
    EXPECT_FALSE(QFile::exists(dir.FilePath(QStringLiteral("f-001.jpg"))));
    // A file that cannot be written stops the run and is named.
    EXPECT_FALSE(CFrameImages::Write(list, dir.FilePath(QStringLiteral("none/f.png")), written, error));
    EXPECT_TRUE(error.contains(QStringLiteral("f-001.png"))) << error.toStdString();
    // A folder in the way of the third picture: two are written, the third named.
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("g-003.png")));
    EXPECT_FALSE(CFrameImages::Write(list, dir.FilePath(QStringLiteral("g.png")), written, error));
    EXPECT_EQ(written, 2);
    EXPECT_TRUE(error.contains(QStringLiteral("g-003.png"))) << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("g-002.png"))) << error.toStdString();
    EXPECT_TRUE(QFile::exists(dir.FilePath(QStringLiteral("g-002.png"))));
    EXPECT_FALSE(QFile::exists(dir.FilePath(QStringLiteral("g-004.png"))));
}

TEST(GifWriter, ALampIsADiscWithAGapAroundIt)
{
    // A pitch of 5 leaves a gap of one pixel: a disc of radius 2 about the
    // cell's centre, drawn by hand. Too small for a disc, a pitch of 2 is one
    // pixel and a gap, a pitch of 1 the bare pixel. The cells of unlit dots
    // show dark lamps.
    const struct
    {
        int pitch;
        std::vector<const char*> lamp;
    } cases[] = {
        {1, {"#"}},
        {2, {"#.", ".."}},
        {3, {".#.", "###", ".#."}}, // the edge of the disc is on it
        {4, {"....", ".##.", ".##.", "...."}},
        {5, {"..#..", ".###.", "#####", ".###.", "..#.."}},
        // A gap of two pixels: radius 4.
        {10, {"..........", "...####...", "..######..", ".########.", ".########.", ".########.", ".########.",
              "..######..", "...####...", ".........."}},
    };
    for (const auto& c : cases) {
        const int pitch = c.pitch;
        CDotGrid live;
        live.Create(2, 1, ImageMode);
        live.SetDisplayDot(0, 0, MakeColor(255, 0, 0));
        CFrameList list(live);
        QByteArray bytes;
        QString error;
        ASSERT_TRUE(CGifWriter::Encode(list, bytes, error, pitch)) << error.toStdString();
        QBuffer buffer(&bytes);
        const QImage image = QImageReader(&buffer, "gif").read();
        ASSERT_EQ(image.size(), QSize(2 * pitch, pitch));
        for (int y = 0; y < pitch; ++y) {
            for (int x = 0; x < pitch; ++x) {
                const bool lamp = c.lamp[static_cast<std::size_t>(y)][x] == '#';
                const std::string at = std::to_string(pitch) + ": " + std::to_string(x) + "," + std::to_string(y);
                EXPECT_EQ(image.pixel(x, y), lamp ? qRgb(255, 0, 0) : qRgb(0, 0, 0)) << at;
                EXPECT_EQ(image.pixel(pitch + x, y), lamp ? qRgb(38, 38, 38) : qRgb(0, 0, 0)) << at;
            }
        }
    }
}

TEST(GifWriter, RefusesAnEmptyCanvasPicturesPastTheGifSidesAndFramesOfTwoSizes)
{
    QByteArray bytes("stale");
    QString error;
    CDotGrid empty;
    CFrameList none(empty);
    EXPECT_FALSE(CGifWriter::Encode(none, bytes, error));
    EXPECT_EQ(error.toStdString(), "The canvas has no dots.");
    EXPECT_TRUE(bytes.isEmpty());

    // A GIF side holds 65,535 pixels: lamps of pitch 5 fit 13,107 dots on
    // either axis, not 13,108; a pitch past 32 is drawn at 32 (2,048 dots
    // make 65,536 pixels).
    const struct
    {
        int width, height, pitch;
        bool fits;
    } sides[] = {{13107, 1, 5, true}, {1, 13107, 5, true}, {13108, 1, 5, false}, {1, 13108, 5, false},
                 {2047, 1, 33, true}, {2048, 1, 33, false}, {1, 2048, 33, false}};
    for (const auto& s : sides) {
        CDotGrid live;
        live.Create(s.width, s.height, ImageMode);
        CFrameList list(live);
        error.clear();
        const bool ok = CGifWriter::Encode(list, bytes, error, s.pitch);
        EXPECT_EQ(ok, s.fits) << s.width << " x " << s.height << " pitch " << s.pitch;
        EXPECT_EQ(error.isEmpty(), s.fits) << s.width << " x " << s.height;
        if (!s.fits) {
            EXPECT_EQ(error.toStdString(), "The picture would be larger than a GIF can be.");
            EXPECT_TRUE(bytes.isEmpty());
            continue;
        }
        QBuffer buffer(&bytes);
        EXPECT_EQ(QImageReader(&buffer, "gif").size(),
                  QSize(s.width * std::min(s.pitch, 32), s.height * std::min(s.pitch, 32)));
    }

    // A pitch below 0 is one pixel a dot. The screen descriptor after the
    // sizes: a global table, 8 bits a primary (7 in bits 4-6), unsorted, of 8
    // entries (2 in bits 0-2); background entry 0; no aspect ratio. Lamps
    // need a 16-entry table (3 in bits 0-2).
    {
        CDotGrid dots = PatternGrid(8, 4);
        CFrameList list(dots);
        ASSERT_TRUE(CGifWriter::Encode(list, bytes, error, -3));
        EXPECT_TRUE(bytes.startsWith("GIF89a"));
        EXPECT_EQ(bytes.mid(6, 7), QByteArray::fromHex("08000400f20000"));
        QByteArray lamps;
        ASSERT_TRUE(CGifWriter::Encode(list, lamps, error, 2));
        EXPECT_EQ(lamps.mid(6, 7), QByteArray::fromHex("10000800f30000"));
        QBuffer buffer(&bytes);
        EXPECT_EQ(QImageReader(&buffer, "gif").size(), QSize(8, 4));
    }

    // The live canvas made wider or taller than the stored frames: nothing
    // half written is handed back.
    for (const QSize larger : {QSize(9, 4), QSize(8, 5)}) {
        CDotGrid live = PatternGrid(8, 4);
        CFrameList list(live);
        ASSERT_TRUE(list.Duplicate(0));
        live.Create(larger.width(), larger.height(), ImageMode);
        error.clear();
        EXPECT_FALSE(CGifWriter::Encode(list, bytes, error)) << larger.width() << " x " << larger.height();
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_EQ(error.left(29).toStdString(), "The GIF could not be encoded ");
    }
}
