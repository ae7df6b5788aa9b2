#include "dialogs/LoadedPicture.h"

#include "dotdata/PictureFiles.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QPainter>

#include <gtest/gtest.h>


using namespace testpic;

namespace {

bool LoadBytes(CLoadedPicture& picture, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::ReadOnly) && picture.LoadFromDevice(buffer);
}

} // namespace

TEST(LoadedPicture, HoldsOnePictureAndKeepsItsSizeAfterRelease)
{
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
    ASSERT_TRUE(LoadBytes(picture, MakeBmp(s)));
    EXPECT_EQ(picture.GetImageSize(), QSize(3, 2));

    picture.Release();
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));

    // A failed load leaves nothing held, not even the earlier picture.
    ASSERT_TRUE(LoadBytes(picture, MakeBmp(s)));
    EXPECT_FALSE(LoadBytes(picture, QByteArray("not a picture")));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
}

TEST(LoadedPicture, ResourcePictureAndRendering)
{
    CLoadedPicture splash;
    ASSERT_TRUE(splash.LoadFromResource(CLoadedPicture::kSplashPictureId));
    EXPECT_EQ(splash.GetImageSize(), QSize(800, 434));
    CLoadedPicture missing;
    EXPECT_FALSE(missing.LoadFromResource(999));
    EXPECT_EQ(missing.GetImageSize(), QSize(0, 0));
    EXPECT_EQ(missing.Width(), 0);

    CLoadedPicture red;
    ASSERT_TRUE(LoadBytes(red, MakeBmp24(10, 10, [](int, int) { return qRgb(255, 0, 0); })));
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

    // A picture asked for that is not there lets go of the one held before.
    ASSERT_TRUE(red.IsLoaded());
    EXPECT_FALSE(red.LoadFromResource(999));
    EXPECT_FALSE(red.IsLoaded());
    EXPECT_EQ(red.Width(), 0);
    EXPECT_EQ(red.Height(), 0);
}
