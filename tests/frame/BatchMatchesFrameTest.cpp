#include "FrameFixture.h"

#include <QImage>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextEdit>

using namespace CommandId;

// The batch options and the window's commands must produce the same files.
class BatchMatchesFrameTest : public FrameTest
{
};

TEST_F(BatchMatchesFrameTest, TextRoadGivesIdenticalFiles)
{
    NewCanvas(32, 16, 0);
    LogFont font = Pane()->CurrentFont();
    font.lfFaceName = QStringLiteral("WenQuanYi Zen Hei");
    font.lfHeight = 16;
    frame->Dialogs().askFont = [font](const LogFont&) { return std::optional<LogFont>(font); };
    Trigger(Font);
    QTest::mouseClick(Pane()->RichEdit()->viewport(), Qt::LeftButton);
    const QString text = QStringLiteral("中文");
    for (int i = 0; i < text.size(); ++i) {
        Pane()->SelectColor(i == 0 ? 0 : 1);
        QInputMethodEvent typed;
        typed.setCommitString(text.mid(i, 1));
        QCoreApplication::sendEvent(Pane()->RichEdit(), &typed);
    }
    Trigger(MergeText);
    const QString frameImage = dir.FilePath("frame.bmp");
    frame->Dialogs().askSaveImagePath = [frameImage](const QString&) { return frameImage; };
    Trigger(SaveImage);
    Trigger(ViewImage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Act(SaveDot)->isEnabled(); }, 20000));
    const QString frameDots = dir.FilePath("frame.txt");
    frame->Dialogs().askSaveDotPath = [frameDots](const QString&) { return frameDots; };
    Trigger(SaveDot);

    const QString batchImage = dir.FilePath("batch.bmp");
    const QString batchDots = dir.FilePath("batch.txt");
    const SProcessResult r = RunPellmark({"--new", "32x16:text", "--font", "WenQuanYi Zen Hei", "--size", "16",
                                          "--text", text, "--text-colors", "red,green", "--merge",
                                          "--save-image", batchImage, "--save-dots", batchDots});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(ReadAll(frameDots).isEmpty());
    EXPECT_EQ(ReadAll(batchDots), ReadAll(frameDots));
    EXPECT_EQ(ReadAll(batchImage), ReadAll(frameImage));
}

// A colourful JPEG opened the three ways through Edit > Picture Colors and
// through --match gives the same dots both times.
TEST_F(BatchMatchesFrameTest, PictureColorsMatchTheMatchOption)
{
    QImage picture(40, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(6 * x, 10 * y, 255 - 6 * x));
    const QString jpeg = dir.FilePath("picture.jpg");
    ASSERT_TRUE(picture.save(jpeg, "JPEG", 90));
    frame->Dialogs().askOpenFile = [jpeg] { return jpeg; };
    NewCanvas(8, 8, 1);

    const struct
    {
        int command;
        const char* option;
    } ways[] = {{PictureExact, "exact"}, {PictureNearest, "nearest"}, {PictureDithered, "dither"}};
    QList<QByteArray> frameImages;
    for (const auto& way : ways) {
        Trigger(way.command);
        Trigger(Open);
        const QString frameImage = dir.FilePath(QStringLiteral("frame-%1.bmp").arg(way.option));
        frame->Dialogs().askSaveImagePath = [frameImage](const QString&) { return frameImage; };
        Trigger(SaveImage);

        const QString batchImage = dir.FilePath(QStringLiteral("batch-%1.bmp").arg(way.option));
        const SProcessResult r = RunPellmark({"--new", "8x8:image", "--match", way.option, "--open", jpeg,
                                              "--save-image", batchImage});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(ReadAll(batchImage), ReadAll(frameImage)) << way.option;
        frameImages << ReadAll(frameImage);
    }
    // The three ways differ from each other.
    EXPECT_NE(frameImages[0], frameImages[1]);
    EXPECT_NE(frameImages[1], frameImages[2]);
    EXPECT_NE(frameImages[0], frameImages[2]);
}
