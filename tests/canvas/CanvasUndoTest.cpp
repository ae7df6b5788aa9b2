// Undo and redo as the canvas runs them: what each of its commands records,
// the layout after a size change, the text state the next rendering starts
// from, and the listing's worker.
#include "canvas/CanvasHistory.h"
#include "canvas/ImageView.h"

#include "TestSupport.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);
constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kGreen = 0x0000FF00;

QByteArray Dots(const CDotGrid& grid)
{
    return grid.IsEmpty() ? QByteArray()
                          : QByteArray(reinterpret_cast<const char*>(grid.Bits()), static_cast<int>(grid.ByteCount()));
}

LogFont TestFont()
{
    LogFont font;
    font.lfFaceName = QStringLiteral("DejaVu Sans");
    font.lfHeight = 16;
    return font;
}

class CanvasUndoTest : public ::testing::Test
{
protected:
    CanvasUndoTest()
    {
        m_view.resize(400, 300);
        m_view.Grid().SetBackgroundColor(kBack, false);
        m_view.SetDialogs(&m_dialogs);
    }
    void Merge(const QString& text)
    {
        m_source.setPlainText(text);
        m_view.MergeText(&m_source, TestFont());
    }
    // A 24 x 16 picture with a red and a green dot, written by Qt's own BMP writer.
    QString Picture()
    {
        QImage image(24, 16, QImage::Format_RGB32);
        image.fill(qRgb(0, 0, 0));
        image.setPixel(0, 0, qRgb(255, 0, 0));
        image.setPixel(23, 15, qRgb(0, 255, 0));
        const QString path = m_dir.FilePath(QStringLiteral("picture.bmp"));
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    CScratchDir m_dir;
    CFrameDialogs m_dialogs;
    CImageView m_view;
    QTextEdit m_source;
};

} // namespace

TEST_F(CanvasUndoTest, OpenIntoTextModeThenMergeTakesTwoUndosBack)
{
    ASSERT_TRUE(m_view.NewCanvas(16, 16, TextMode));
    const QByteArray blank = Dots(m_view.Grid());
    ASSERT_TRUE(m_view.LoadPicture(Picture()));
    ASSERT_EQ(m_view.Grid().Width(), 24);
    const QByteArray picture = Dots(m_view.Grid());
    EXPECT_EQ(m_view.Grid().DotAt(0, 15), kRed);
    Merge(QStringLiteral("AB"));
    ASSERT_EQ(m_view.Grid().Width(), 32);
    const QByteArray merged = Dots(m_view.Grid());

    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(Dots(m_view.Grid()), picture);
    EXPECT_EQ(m_view.GridWidth(), 24);
    EXPECT_TRUE(m_view.Text().m_szText.isEmpty());
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(Dots(m_view.Grid()), blank);
    EXPECT_EQ(m_view.GridWidth(), 16);
    EXPECT_FALSE(m_view.Undo());

    ASSERT_TRUE(m_view.Redo());
    ASSERT_TRUE(m_view.Redo());
    EXPECT_EQ(Dots(m_view.Grid()), merged);
    EXPECT_EQ(m_view.Text().m_szText, QStringLiteral("AB"));
    EXPECT_FALSE(m_view.Redo());
}

TEST_F(CanvasUndoTest, ANewCanvasAndAFailedOpenLeaveNoStep)
{
    ASSERT_TRUE(m_view.NewCanvas(16, 8, ImageMode));
    m_view.EditDot(1, 1, kRed);
    EXPECT_TRUE(m_view.CanUndo());
    EXPECT_FALSE(m_view.LoadPicture(m_dir.FilePath(QStringLiteral("missing.bmp"))));
    EXPECT_EQ(m_view.History().UndoCount(), 1u);
    ASSERT_TRUE(m_view.NewCanvas(16, 8, ImageMode));
    EXPECT_FALSE(m_view.CanUndo());
    EXPECT_FALSE(m_view.CanRedo());
}

TEST_F(CanvasUndoTest, EachCommandOfTheCanvasIsOneStep)
{
    ASSERT_TRUE(m_view.NewCanvas(24, 16, ImageMode));
    QSignalSpy changed(&m_view, &CImageView::HistoryChanged);
    m_view.EditDot(0, 0, kRed);
    m_view.Mirror();
    m_view.Flip();
    m_view.Rotate();
    m_view.SetBackgroundColor(MakeColor(1, 2, 3));
    m_view.SetOverlayColors({kRed, kBack});
    m_view.SetOverlayText(QStringLiteral("AB"));
    m_view.MergeText(nullptr, TestFont());
    EXPECT_TRUE(m_view.Text().m_acrOverlay.empty());
    EXPECT_EQ(m_view.History().UndoCount(), 6u);
    EXPECT_EQ(changed.count(), 6);
    // The overlay text came back with the undone burn-in, in its colours.
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(m_view.Text().m_szText, QStringLiteral("AB"));
    EXPECT_EQ(m_view.Text().m_acrOverlay, (std::vector<COLORREF>{kRed, kBack}));
    m_view.Undo();
    EXPECT_EQ(m_view.Grid().BackColor(), kBack);
    m_view.Undo();
    EXPECT_EQ(m_view.GridWidth(), 24);
    EXPECT_EQ(m_view.GridHeight(), 16);
    EXPECT_EQ(changed.count(), 9);
}

TEST_F(CanvasUndoTest, TheNextRenderingStartsFromTheRestoredTextState)
{
    ASSERT_TRUE(m_view.NewCanvas(16, 16, TextMode));
    Merge(QStringLiteral("AB"));
    m_view.SetTextX(3);
    const QByteArray atThree = Dots(m_view.Grid());
    m_view.SetTextX(5);
    ASSERT_NE(Dots(m_view.Grid()), atThree);
    m_view.SetStretch(4);
    ASSERT_EQ(m_view.History().UndoCount(), 4u);
    QSignalSpy restored(&m_view, &CImageView::TextStateRestored);
    m_view.Undo();
    m_view.Undo();
    EXPECT_EQ(restored.count(), 2);
    EXPECT_EQ(m_view.Text().m_nGlyphOffsetX, 3);
    EXPECT_EQ(m_view.Text().m_nStretch, 0);
    EXPECT_EQ(Dots(m_view.Grid()), atThree);
    // Rendering again with nothing changed reproduces the dots and adds no step.
    m_view.SetTextY(0);
    EXPECT_EQ(Dots(m_view.Grid()), atThree);
    EXPECT_EQ(m_view.History().UndoCount(), 2u);
    EXPECT_EQ(m_view.History().RedoCount(), 2u);
    // Both offsets at once are one step.
    m_view.SetTextOffsets(1, 2);
    EXPECT_EQ(m_view.History().UndoCount(), 3u);
    m_view.Undo();
    EXPECT_EQ(Dots(m_view.Grid()), atThree);
}

TEST_F(CanvasUndoTest, RefusedWhileTheListingIsWrittenAndWorksUnderTheTextPane)
{
    ASSERT_TRUE(m_view.NewCanvas(64, 64, ImageMode));
    m_view.EditDot(2, 2, kGreen);
    m_view.ShowTextPane(1);
    m_view.BeginDotText();
    // The worker hands its end back through the event loop, so it is still running here.
    ASSERT_TRUE(m_view.IsDotTextRunning());
    EXPECT_FALSE(m_view.CanUndo());
    EXPECT_FALSE(m_view.Undo());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(2, 2), kGreen);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_view.IsDotTextRunning(); }, 20000));
    EXPECT_TRUE(m_view.CanUndo());
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(2, 2), kBack);
    EXPECT_TRUE(m_view.IsTextPaneShown());
}

TEST(CanvasHistoryOverlay, UndoAndRedoBringTheOverlayBackOnBothAxes)
{
    // A recorded change that moves the overlay on both axes (as a merge that
    // places the text does) is undone and redone on both.
    CDotGrid grid;
    grid.Create(16, 8, ImageMode);
    CCanvasText text;
    text.m_nTextX = 3;
    text.m_nTextY = 5;
    CCanvasHistory history(grid, text);
    ASSERT_TRUE(history.RecordWhole(EUndoKind::MergeText, [&] {
        text.m_nTextX = 9;
        text.m_nTextY = 1;
        grid.SetDot(0, 0, DotPalette[0]);
        return true;
    }));
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(QPoint(text.m_nTextX, text.m_nTextY), QPoint(3, 5));
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(QPoint(text.m_nTextX, text.m_nTextY), QPoint(9, 1));
}

// A change that moves the overlay along one axis alone is a step of its own.
TEST(CanvasHistoryOverlay, AMoveAlongOneAxisAloneIsUndone)
{
    CDotGrid grid;
    grid.Create(16, 8, ImageMode);
    for (const QPoint moved : {QPoint(9, 5), QPoint(3, 1)}) {
        CCanvasText text;
        text.m_nTextX = 3;
        text.m_nTextY = 5;
        CCanvasHistory history(grid, text);
        ASSERT_TRUE(history.RecordWhole(EUndoKind::MergeText, [&] {
            text.m_nTextX = moved.x();
            text.m_nTextY = moved.y();
            return false;
        })) << moved.x() << "," << moved.y();
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(QPoint(text.m_nTextX, text.m_nTextY), QPoint(3, 5));
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(QPoint(text.m_nTextX, text.m_nTextY), moved);
    }
}
