#include "dotdata/JpegWriter.h"

#include "base/DotGrid.h"
#include "dotdata/LibJpegFiles.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

#include <vector>

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

namespace {

// The same dots through libjpeg set up by hand: top row first, quality 100,
// every component at full resolution, optimised Huffman tables.
QByteArray ReferenceJpeg(const CDotGrid& grid)
{
    const auto rowAt = [&grid](int y, std::vector<JSAMPLE>& row) {
        for (int x = 0; x < grid.Width(); ++x) {
            const COLORREF c = grid.DisplayDotAt(x, y);
            row[3u * static_cast<std::size_t>(x)] = static_cast<JSAMPLE>(RedOf(c));
            row[3u * static_cast<std::size_t>(x) + 1] = static_cast<JSAMPLE>(GreenOf(c));
            row[3u * static_cast<std::size_t>(x) + 2] = static_cast<JSAMPLE>(BlueOf(c));
        }
    };
    return testpic::LibJpeg(grid.Width(), grid.Height(), 3, JCS_RGB, rowAt, [](jpeg_compress_struct& info) {
        jpeg_set_quality(&info, 100, TRUE);
        info.optimize_coding = TRUE;
        for (int i = 0; i < info.num_components; ++i) {
            info.comp_info[i].h_samp_factor = 1;
            info.comp_info[i].v_samp_factor = 1;
        }
    });
}

} // namespace

// Byte for byte what libjpeg makes of the same dots with those settings, on
// canvases wider than tall and taller than wide.
TEST(JpegWriter, WritesTheDotsTopRowFirstAtFullQuality)
{
    for (const QSize size : {QSize(24, 8), QSize(8, 24)}) {
        CDotGrid grid;
        grid.SetBackgroundColor(MakeColor(0, 30, 60), false);
        ASSERT_TRUE(grid.Create(size.width(), size.height(), ImageMode));
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if ((x * 3 + y) % 4 == 0)
                    grid.SetDisplayDot(x, y, DotPalette[static_cast<std::size_t>((x + 2 * y) % 7)]);
        grid.SetDisplayDot(0, 0, DotPalette[0]);
        grid.SetDisplayDot(size.width() - 1, size.height() - 1, DotPalette[2]);
        QByteArray jpeg;
        QString error;
        ASSERT_TRUE(CJpegWriter::Encode(grid, jpeg, error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        EXPECT_EQ(jpeg, ReferenceJpeg(grid)) << size.width() << "x" << size.height();
    }
}
