#include "dialogs/LoadedPicture.h"

#include "dotdata/PictureFiles.h"
#include "TestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace testpic;

namespace {

constexpr std::uint8_t kUntouched = 0xAB;

// The picture's pixel (x, y) encoded so that any misplaced copy shows.
QRgb Coded(int x, int y) { return qRgb(x + 1, y + 1, 0x55); }

// Destination pixel (x, display row y) of a 16 x 16 bottom-up buffer.
QRgb DstAt(const std::vector<std::uint8_t>& dst, int x, int y)
{
    const std::uint8_t* p = dst.data() + (15 - y) * 48 + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

} // namespace

TEST(LoadedPicture, CopyRowsAnchorsTopLeftAndKeepsUncoveredPixels)
{
    CScratchDir dir;
    CLoadedPicture wide;
    ASSERT_TRUE(WriteAll(dir.FilePath("wide.bmp"), MakeBmp24(20, 10, Coded)));
    ASSERT_TRUE(wide.LoadFromFile(dir.FilePath("wide.bmp")));
    std::vector<std::uint8_t> dst(16 * 16 * 3, kUntouched);
    ASSERT_TRUE(wide.CopyRows(dst.data(), 16, 16));
    // Display rows 0..9 (stored rows 15..6) take the picture, clipped to 16 pixels.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(DstAt(dst, x, y), Coded(x, y)) << x << "," << y;
    // Stored rows 0..5 keep their content.
    EXPECT_TRUE(std::all_of(dst.begin(), dst.begin() + 6 * 48, [](std::uint8_t b) { return b == kUntouched; }));

    CLoadedPicture tall;
    ASSERT_TRUE(WriteAll(dir.FilePath("tall.bmp"), MakeBmp24(10, 20, Coded)));
    ASSERT_TRUE(tall.LoadFromFile(dir.FilePath("tall.bmp")));
    std::fill(dst.begin(), dst.end(), kUntouched);
    ASSERT_TRUE(tall.CopyRows(dst.data(), 16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(DstAt(dst, x, y), Coded(x, y)) << x << "," << y;
        for (int x = 10; x < 16; ++x)
            ASSERT_EQ(DstAt(dst, x, y), qRgb(kUntouched, kUntouched, kUntouched)) << x << "," << y;
    }
}

TEST(LoadedPicture, HoldsOnePictureAndKeepsItsSizeAfterRelease)
{
    CScratchDir dir;
    CLoadedPicture picture;
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));

    // An 8-bit palette BMP under a JPEG name: the content decides, and the
    // pixels come out as 24-bit blue-green-red.
    BmpFields s;
    s.width = 3;
    s.height = 2;
    s.bitCount = 8;
    s.palette = {qRgb(188, 143, 143), qRgb(0, 255, 0)};
    s.valueAt = [](int x, int) { return static_cast<std::uint32_t>(x % 2); };
    ASSERT_TRUE(WriteAll(dir.FilePath("palette.jpg"), MakeBmp(s)));
    ASSERT_TRUE(picture.LoadFromFile(dir.FilePath("palette.jpg")));
    EXPECT_EQ(picture.GetImageSize(), QSize(3, 2));
    std::vector<std::uint8_t> rows(8 * 8 * 3, 0);
    ASSERT_TRUE(picture.CopyRows(rows.data(), 8, 8));
    const std::uint8_t* top = rows.data() + 7 * 24;
    EXPECT_EQ(std::vector<std::uint8_t>(top, top + 6), (std::vector<std::uint8_t>{143, 143, 188, 0, 255, 0}));

    picture.Release();
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
    EXPECT_FALSE(picture.CopyRows(rows.data(), 8, 8));

    // A failed load leaves nothing held, not even the earlier picture.
    ASSERT_TRUE(picture.LoadFromFile(dir.FilePath("palette.jpg")));
    EXPECT_FALSE(picture.LoadFromFile(dir.FilePath("absent.bmp")));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
}

TEST(LoadedPicture, ResourcePictureAndRendering)
{
    CLoadedPicture splash;
    ASSERT_TRUE(splash.LoadFromResource(CLoadedPicture::kSplashPictureId));
    EXPECT_EQ(splash.GetImageSize(), QSize(800, 434));
    CLoadedPicture missing;
    EXPECT_FALSE(missing.LoadFromResource(999));
    EXPECT_EQ(missing.GetImageSize(), QSize(0, 0));

    CScratchDir dir;
    CLoadedPicture red;
    ASSERT_TRUE(WriteAll(dir.FilePath("red.bmp"), MakeBmp24(10, 10, [](int, int) { return qRgb(255, 0, 0); })));
    ASSERT_TRUE(red.LoadFromFile(dir.FilePath("red.bmp")));
    QImage target(40, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        EXPECT_TRUE(red.Render(painter, QRect()));        // own size at (0, 0)
        EXPECT_TRUE(red.Render(painter, QRect(20, 20, 20, 20))); // stretched
    }
    EXPECT_EQ(target.pixel(9, 9), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(39, 39), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(19, 19), qRgb(255, 255, 255));
    QPainter painter(&target);
    EXPECT_FALSE(missing.Render(painter, QRect()));
}
