#include <QImage>
#include <gtest/gtest.h>

namespace {

struct SBuiltInPicture
{
    const char* path;
    int width;
    int height;
};

// Every picture the program opens from its own resources, with the size of
// the file in res/; a picture left out of the build reads as a null image.
const SBuiltInPicture kPictures[] = {
    {":/JPG/140", 800, 434},
    {":/frame/toolbar.bmp", 384, 15},
    {":/textinput/input_toolbar.bmp", 128, 15},
    {":/textinput/font_type.bmp", 15, 13},
};

} // namespace

TEST(BuiltInPictures, EveryPictureIsLinkedIntoTheProgramWithoutExplicitRegistration)
{
    for (const SBuiltInPicture& picture : kPictures) {
        SCOPED_TRACE(picture.path);
        const QImage image(QString::fromLatin1(picture.path));
        EXPECT_EQ(image.width(), picture.width);
        EXPECT_EQ(image.height(), picture.height);
    }
}
