#include "dotdata/JpegWriter.h"

#include "base/DotGrid.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

// JPEG holds at most 65,500 dots a side: one past it is refused with a message
// naming the size, on either axis; at the limit the picture is written.
TEST(JpegWriter, SidesUpTo65500DotsAndAnEmptyCanvasIsRefused)
{
    const struct
    {
        int width, height;
        bool written;
    } cases[] = {{65500, 8, true}, {65501, 8, false}, {8, 65500, true}, {8, 65501, false}};
    for (const auto& c : cases) {
        CDotGrid grid;
        ASSERT_TRUE(grid.Create(c.width, c.height, TextMode));
        QByteArray jpeg;
        QString error;
        EXPECT_EQ(CJpegWriter::Encode(grid, jpeg, error), c.written) << c.width << " x " << c.height;
        if (c.written) {
            QBuffer buffer(&jpeg);
            EXPECT_EQ(QImageReader(&buffer, "jpeg").size(), QSize(c.width, c.height));
            EXPECT_TRUE(error.isEmpty());
        } else {
            EXPECT_TRUE(jpeg.isEmpty());
            EXPECT_EQ(error, QStringLiteral("A JPEG picture has at most 65,500 dots a side; this canvas is %1 x %2. "
                                            "Save it as BMP or PNG.")
                                 .arg(c.width)
                                 .arg(c.height));
        }
    }
    QByteArray jpeg("old");
    QString error;
    EXPECT_FALSE(CJpegWriter::Encode(CDotGrid(), jpeg, error));
    EXPECT_TRUE(jpeg.isEmpty());
    EXPECT_EQ(error, QStringLiteral("The canvas has no dots."));
}
