#include "FrameFixture.h"

#include "canvas/ImageView.h"
#include "frame/CommandIds.h"

#include <QFileInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

using namespace CommandId;

namespace {

// A 16 x 8 picture with lit dots at (0,0) red, (1,0) red, (7,7) green, (9,0) blue.
QString WriteSamplePicture(const CScratchDir& dir)
{
    QImage image(16, 8, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(1, 0, Qt::red);
    image.setPixelColor(7, 7, QColor(0, 255, 0));
    image.setPixelColor(9, 0, Qt::blue);
    const QString path = dir.FilePath(QStringLiteral("sample.bmp"));
    image.save(path, "BMP");
    return path;
}

} // namespace

class FrameCommandsTest : public FrameTest
{
protected:
    CImageView* Canvas() const { return frame->Canvas(); }

    // Opens the sample in image mode (opening keeps the mode, and the start
    // is text mode with no text, which lists nothing).
    void OpenSample()
    {
        Canvas()->Grid().SetMode(1);
        const QString picture = WriteSamplePicture(dir);
        frame->Dialogs().askOpenFile = [picture] { return picture; };
        Trigger(Open);
    }

    // View Image and wait until the listing is complete.
    void ViewDotText()
    {
        Trigger(ViewImage);
        // Until the listing is complete it can be neither saved nor printed.
        ASSERT_TRUE(Canvas()->IsDotTextRunning());
        EXPECT_FALSE(Act(SaveDot)->isEnabled());
        EXPECT_FALSE(Act(Print)->isEnabled());
        ASSERT_TRUE(QTest::qWaitFor([this] { return Act(SaveDot)->isEnabled(); }, 20000));
        EXPECT_FALSE(Canvas()->IsDotTextRunning());
        EXPECT_TRUE(Act(Print)->isEnabled());
    }
};

TEST_F(FrameCommandsTest, ViewImageSwapsTheFileCommandsAndListsTheDots)
{
    OpenSample();
    ASSERT_EQ(Canvas()->Grid().Width(), 16);
    QSignalSpy progress(Canvas(), &CImageView::StatusText);
    frame->OnStatusText(1, QStringLiteral("\t\t0%"));
    ViewDotText();

    EXPECT_TRUE(Canvas()->IsTextPaneShown());
    EXPECT_TRUE(Act(SaveDot)->isEnabled());
    EXPECT_TRUE(Act(Print)->isEnabled());
    EXPECT_FALSE(Act(SaveImage)->isEnabled());
    EXPECT_FALSE(Act(ViewImage)->isChecked());
    EXPECT_EQ(Canvas()->TextPane()->toPlainText().toStdString(), "1-1-1-R, 1-1-2-R, 1-8-8-G\n\n2-1-2-B\n\n");

    // The progress reached pane 1 and ended at 100%, right-aligned.
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toInt(), 1);
    EXPECT_EQ(progress.last().at(1).toString(), QStringLiteral("\t\t100%"));
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));

    // View Image again brings the dots back and the reverse states.
    Trigger(ViewImage);
    EXPECT_FALSE(Canvas()->IsTextPaneShown());
    EXPECT_FALSE(Act(SaveDot)->isEnabled());
    EXPECT_FALSE(Act(Print)->isEnabled());
    EXPECT_TRUE(Act(SaveImage)->isEnabled());
    EXPECT_TRUE(Act(ViewImage)->isChecked());
}

TEST_F(FrameCommandsTest, SaveDotSaveImageAndPrintWriteTheirFiles)
{
    OpenSample();
    const QString imagePath = dir.FilePath(QStringLiteral("copy.bmp"));
    Canvas()->SetImagePathQuery([imagePath](const QString&) { return imagePath; });
    Trigger(SaveImage);
    const QImage saved(imagePath);
    ASSERT_EQ(saved.size(), QSize(16, 8));
    EXPECT_EQ(saved.pixelColor(9, 0), QColor(Qt::blue));

    ViewDotText();
    const QString dotPath = dir.FilePath(QStringLiteral("dots.txt"));
    Canvas()->DotSaver().SetAskFileName([dotPath](QWidget*, const QString&) { return dotPath; });
    Trigger(SaveDot);
    EXPECT_EQ(ReadAll(dotPath).toStdString(), "1-1-1-R, 1-1-2-R, 1-8-8-G\r\n\r\n2-1-2-B\r\n\r\n");

    const QString pdfPath = dir.FilePath(QStringLiteral("dots.pdf"));
    frame->Dialogs().askPrinter = [pdfPath](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    };
    Trigger(Print);
    EXPECT_TRUE(ReadAll(pdfPath).startsWith("%PDF"));
}

TEST_F(FrameCommandsTest, CanvasCommandsReachTheCanvas)
{
    OpenSample();
    Trigger(Mirror);
    EXPECT_EQ(Canvas()->Grid().DotAt(15, 7), DotPalette[0]); // (0, 0) moved to the right edge
    Trigger(Flip);
    EXPECT_EQ(Canvas()->Grid().DotAt(15, 0), DotPalette[0]); // and then to the bottom
    Trigger(Rotate);
    EXPECT_EQ(Canvas()->Grid().Width(), 8);
    EXPECT_EQ(Canvas()->Grid().Height(), 16);

    const int dotSize = Canvas()->DotSize();
    Trigger(ZoomIn);
    EXPECT_GT(Canvas()->DotSize(), dotSize);
    Trigger(ZoomOut);
    EXPECT_EQ(Canvas()->DotSize(), dotSize);

    const int grid = Canvas()->ShowGrid();
    Trigger(ToggleGrid);
    EXPECT_NE(Canvas()->ShowGrid(), grid);

    Trigger(Pan);
    EXPECT_EQ(Canvas()->PanMode(), 1);
    EXPECT_TRUE(Act(Pan)->isChecked());
    Trigger(Pan);
    EXPECT_EQ(Canvas()->PanMode(), 0);
    EXPECT_FALSE(Act(Pan)->isChecked());
}

TEST_F(FrameCommandsTest, BackgroundColourAndAbout)
{
    OpenSample();
    COLORREF offered = 1;
    frame->Dialogs().askColor = [&](COLORREF current) {
        offered = current;
        return std::optional<COLORREF>(MakeColor(0, 0, 255)); // a dot colour: nudged off it
    };
    const COLORREF before = Canvas()->Grid().BackColor();
    Trigger(BackgroundColor);
    EXPECT_EQ(offered, before);
    const COLORREF after = Canvas()->Grid().BackColor();
    EXPECT_NE(after, before);
    EXPECT_EQ(PaletteIndexOf(after), kUnlitIndex);
    EXPECT_EQ(Canvas()->Grid().DotAt(3, 3), after); // the old background was recoloured
    EXPECT_EQ(Canvas()->Grid().DotAt(9, 7), DotPalette[2]); // the blue dot stays

    int abouts = 0;
    frame->Dialogs().showAbout = [&] { ++abouts; };
    Trigger(About);
    EXPECT_EQ(abouts, 1);
}
