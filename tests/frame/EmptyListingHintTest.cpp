#include "FrameFixture.h"

#include <QImage>
#include "dotdata/ListingView.h"
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

using namespace CommandId;

namespace {

class EmptyListingHintTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        frame->show();
        Trigger(English); // the hints' words are checked in English
        QImage image(16, 8, QImage::Format_RGB888);
        image.fill(QColor(10, 20, 30));
        image.setPixelColor(3, 2, QColor(255, 255, 0));
        m_szPicture = dir.FilePath(QStringLiteral("sign.bmp"));
        ASSERT_TRUE(image.save(m_szPicture, "BMP"));
        frame->Dialogs().askOpenFile = [this] { return m_szPicture; };
    }

    QString ViewImage()
    {
        Trigger(CommandId::ViewImage);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Canvas()->IsDotTextRunning(); }, 20000));
        return frame->StatusPaneText(0);
    }

    QString m_szPicture;
};

} // namespace

TEST_F(EmptyListingHintTest, OpenAtStartThenViewImageSaysWhyNothingIsListed)
{
    Trigger(Open);
    ASSERT_EQ(Canvas()->Grid().Mode(), TextMode); // Open keeps the start mode
    const QString said = ViewImage();
    EXPECT_EQ(said, CMainFrame::EmptyListingHint(frame->Language()));
    EXPECT_TRUE(said.contains(QStringLiteral("File > New in image mode")));
    EXPECT_TRUE(Canvas()->TextPane()->PlainText().isEmpty());

    // Back to the dots: the hint goes with the listing.
    Trigger(CommandId::ViewImage);
    EXPECT_TRUE(frame->StatusPaneText(0).isEmpty());
}

TEST_F(EmptyListingHintTest, NoHintWhereTheListingIsWhole)
{
    // The road the hint names: New in image mode, then Open.
    NewCanvas(8, 8, ImageMode);
    Trigger(Open);
    EXPECT_TRUE(ViewImage().isEmpty());
    EXPECT_EQ(Canvas()->TextPane()->PlainText(), QStringLiteral("1-3-4-Y\n\n"));
    Trigger(CommandId::ViewImage);

    // A text-mode canvas with nothing lit lists nothing, rightly.
    NewCanvas(16, 8, TextMode);
    EXPECT_TRUE(ViewImage().isEmpty());
}

TEST_F(EmptyListingHintTest, ExactOpenThatLightsNothingNamesTheOtherWays)
{
    NewCanvas(16, 8, ImageMode);
    QImage blank(16, 8, QImage::Format_RGB888);
    blank.fill(QColor(10, 20, 30));
    ASSERT_TRUE(blank.save(m_szPicture, "BMP"));
    Trigger(Open);
    const QString said = frame->StatusPaneText(0);
    EXPECT_EQ(said, CMainFrame::ExactLitNothingHint(frame->Language()));
    EXPECT_TRUE(said.contains(QStringLiteral("Nearest Color")) && said.contains(QStringLiteral("Dithered")));

    // The same file under Nearest Color is no reason for the hint.
    frame->statusBar()->clearMessage();
    Trigger(PictureNearest);
    Trigger(Open);
    EXPECT_TRUE(frame->StatusPaneText(0).isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EmptyListingHintTest, APictureOverMergedTextIsNotListedAsTheText)
{
    NewCanvas(32, 16, TextMode);
    Pane()->SetInputText(QStringLiteral("OPEN"));
    QTest::mouseClick(Pane()->RichEdit()->viewport(), Qt::LeftButton);
    Trigger(MergeText);
    ASSERT_EQ(Canvas()->Text().m_szText, QStringLiteral("OPEN"));
    Trigger(Open);
    EXPECT_EQ(ViewImage(), CMainFrame::ReplacedTextHint(frame->Language()));
    EXPECT_TRUE(Canvas()->TextPane()->PlainText().isEmpty());
    Trigger(CommandId::ViewImage);

    // Undo brings the text's dots back, and with them its listing.
    Trigger(Undo);
    EXPECT_TRUE(ViewImage().isEmpty());
    EXPECT_TRUE(Canvas()->TextPane()->PlainText().startsWith(QStringLiteral("/*****  O, White")));
}
