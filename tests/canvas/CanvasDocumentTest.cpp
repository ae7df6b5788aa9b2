// The document without any widget: its operations, its signals, and tools
// that reach the dots through it.
#include "canvas/CanvasDocument.h"
#include "canvas/CanvasTool.h"
#include "canvas/DotFragment.h"
#include "canvas/DotShape.h"
#include "canvas/DotsStep.h"
#include "canvas/ImageView.h"

#include "SevenColours.h"
#include "TestSupport.h"
#include "dotdata/ExportRegistry.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);

} // namespace

TEST(CanvasDocument, OperationsTellTheViewsThroughSignals)
{
    CCanvasDocument doc;
    QSignalSpy changed(&doc, &CCanvasDocument::Changed);
    QSignalSpy resized(&doc, &CCanvasDocument::Resized);
    QSignalSpy history(&doc, &CCanvasDocument::HistoryChanged);
    QSignalSpy text(&doc, &CCanvasDocument::TextChanged);
    QSignalSpy frames(&doc, &CCanvasDocument::FramesChanged);

    ASSERT_TRUE(doc.NewCanvas(24, 16, ImageMode));
    ASSERT_EQ(resized.count(), 1);
    EXPECT_EQ(resized.at(0).at(0).toInt(), 24);
    EXPECT_EQ(resized.at(0).at(1).toInt(), 16);
    EXPECT_EQ(history.count(), 1);

    doc.Grid().SetDotColor(0);
    EXPECT_TRUE(doc.EditDot(23, 0, doc.Grid().DotColor()));
    EXPECT_EQ(doc.Grid().DisplayDotAt(23, 0), DotPalette[0]);
    doc.Mirror();
    EXPECT_EQ(doc.Grid().DisplayDotAt(0, 0), DotPalette[0]);
    doc.Rotate();
    EXPECT_EQ(resized.count(), 2);
    EXPECT_EQ(doc.Grid().Width(), 16);
    EXPECT_EQ(history.count(), 4);
    EXPECT_GE(changed.count(), 2);

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(resized.count(), 3); // back to 24 x 16
    EXPECT_EQ(text.count(), 1);
    EXPECT_EQ(doc.History().UndoCount(), 2u);
    // Nothing here touched the frames.
    EXPECT_EQ(frames.count(), 0);
}

TEST(CanvasDocument, TextModeRefusesEditsWhileAMergeIsPending)
{
    CCanvasDocument doc;
    ASSERT_TRUE(doc.NewCanvas(16, 16, TextMode));
    bool pending = true;
    doc.SetMergePendingQuery([&pending] { return pending; });
    EXPECT_FALSE(doc.CanEditDots());
    EXPECT_FALSE(doc.EditDot(0, 0, DotPalette[0]));
    // Shapes and pasted dots wait for the merge as clicks do.
    const CDotShape bar = CDotShape::FromRuns(QSize(16, 16), {SDotRun{2, 0, 15}});
    CDotFragment fragment(2, 2);
    fragment.SetIndex(1, 1, 2);
    EXPECT_FALSE(doc.DrawShape(bar, DotPalette[1]));
    EXPECT_FALSE(doc.PlaceFragment(fragment, QPoint(0, 0), QRect(0, 0, 4, 4), EUndoKind::Paste));
    EXPECT_EQ(doc.Grid().DisplayDotAt(5, 2), doc.Grid().BackColor());
    EXPECT_EQ(doc.Grid().DisplayDotAt(1, 1), doc.Grid().BackColor());
    EXPECT_FALSE(doc.CanUndo());
    pending = false;
    EXPECT_TRUE(doc.EditDot(0, 0, DotPalette[0]));
    EXPECT_TRUE(doc.CanUndo());
    // A click off the grid is allowed but changes nothing.
    EXPECT_TRUE(doc.EditDot(16, 0, DotPalette[0]));
    EXPECT_EQ(doc.History().UndoCount(), 1u);
    // A shape or paste that changes no dot is no step.
    EXPECT_TRUE(doc.DrawShape(bar, DotPalette[1]));
    EXPECT_EQ(doc.History().UndoCount(), 2u);
    EXPECT_FALSE(doc.DrawShape(bar, DotPalette[1]));
    const CDotFragment same = CDotFragment::Copy(doc.Grid(), QRect(4, 2, 3, 2));
    EXPECT_FALSE(doc.PlaceFragment(same, QPoint(4, 2), QRect(), EUndoKind::Paste));
    EXPECT_EQ(doc.History().UndoCount(), 2u);
    // Text mode has no overlay to run over the canvas.
    EXPECT_EQ(doc.OverlayOverflow(), QSize(0, 0));
    // A size no canvas can have leaves the canvas as it is.
    QSignalSpy resized(&doc, &CCanvasDocument::Resized);
    EXPECT_FALSE(doc.NewCanvas(-1, 16, TextMode));
    EXPECT_FALSE(doc.NewCanvas(16, -1, TextMode));
    EXPECT_FALSE(doc.NewCanvas(100000, 100000, TextMode));
    EXPECT_EQ(resized.count(), 0);
    EXPECT_EQ(doc.Grid().Width(), 16);
    EXPECT_EQ(doc.History().UndoCount(), 2u);
}

TEST(CanvasDocument, FailuresComeBackAsOneMessage)
{
    CScratchDir dir;
    CCanvasDocument doc;
    const COutcome opened = doc.Open(dir.FilePath(QStringLiteral("missing.bmp")));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(opened.Message().contains(QStringLiteral("missing.bmp"))) << opened.Message().toStdString();
    EXPECT_FALSE(doc.CanUndo());

    ASSERT_TRUE(doc.NewCanvas(8, 8, ImageMode));
    const COutcome saved = doc.SaveImageTo(dir.FilePath(QStringLiteral("dots.gif")));
    EXPECT_FALSE(saved);
    EXPECT_FALSE(QFile::exists(dir.FilePath(QStringLiteral("dots.gif"))));
    EXPECT_TRUE(doc.SaveImageTo(dir.FilePath(QStringLiteral("dots.bmp"))));
}

TEST(CanvasDocument, SaveDotWritesTheListingOfTheDotsAsTheyAre)
{
    CScratchDir dir;
    CCanvasDocument doc;
    doc.Grid().SetBackgroundColor(kBack, false);
    ASSERT_TRUE(doc.NewCanvas(16, 8, ImageMode));
    doc.SetDotColor(0);
    doc.EditDot(0, 0, doc.Grid().DotColor());
    doc.EditDot(1, 0, doc.Grid().DotColor());
    doc.EditDot(7, 7, DotPalette[1]);
    doc.EditDot(9, 0, DotPalette[2]);
    EXPECT_EQ(doc.Listing(), QStringLiteral("1-1-1-R, 1-1-2-R, 1-8-8-G\n\n2-1-2-B\n\n"));
    const QString path = dir.FilePath(QStringLiteral("dots.txt"));
    ASSERT_TRUE(doc.SaveDotTo(path));
    EXPECT_EQ(ReadAll(path), QByteArray("1-1-1-R, 1-1-2-R, 1-8-8-G\r\n\r\n2-1-2-B\r\n\r\n"));
}

namespace {

// Notes what reaches it and paints one dot per press through the document.
class CRecordingTool : public CCanvasTool
{
public:
    explicit CRecordingTool(CCanvasDocument& doc)
        : m_doc(doc)
    {
    }
    void Press(const SToolEvent& event) override
    {
        m_events.push_back(event);
        auto step = std::make_unique<CDotsStep>(EUndoKind::Draw);
        if (event.bOnGrid && step->Paint(m_doc.Grid(), event.nColumn, event.nRow, DotPalette[3]))
            m_doc.RecordStep(std::move(step), true);
    }
    void Move(const SToolEvent& event) override { m_events.push_back(event); }
    void Release(const SToolEvent& event) override { m_events.push_back(event); }
    Qt::CursorShape Cursor() const override { return Qt::CrossCursor; }
    void Cancel() override { ++m_nCancels; }

    CCanvasDocument& m_doc;
    std::vector<SToolEvent> m_events;
    int m_nCancels = 0;
};

} // namespace

TEST(CanvasTools, TheCanvasHandsTheMouseToTheCurrentToolInDisplayCoordinates)
{
    CImageView view;
    view.resize(500, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(view.NewCanvas(16, 16, ImageMode));
    QCoreApplication::processEvents();
    CRecordingTool tool(view.Document());
    view.SetTool(&tool);
    EXPECT_EQ(view.PointerShape(), Qt::CrossCursor);
    EXPECT_FALSE(view.PanMode());

    // The 16 x 16 grid at dot size 8 sits centred: its top-left dot at (192, 88).
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, {192, 88});
    QTest::mouseMove(view.viewport(), {319, 215});
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, {319, 215});
    ASSERT_GE(tool.m_events.size(), 3u);
    const SToolEvent& press = tool.m_events.front();
    EXPECT_TRUE(press.bOnGrid);
    EXPECT_EQ(QPoint(press.nColumn, press.nRow), QPoint(0, 0));
    EXPECT_EQ(press.nButton, Qt::LeftButton);
    const SToolEvent& release = tool.m_events.back();
    EXPECT_EQ(QPoint(release.nColumn, release.nRow), QPoint(15, 15));
    EXPECT_EQ(view.Grid().DisplayDotAt(0, 0), DotPalette[3]);
    ASSERT_TRUE(view.Undo());
    EXPECT_NE(view.Grid().DisplayDotAt(0, 0), DotPalette[3]);

    // The hand ends the tool's gesture; putting the hand down again gives the default tool.
    view.TogglePanMode();
    EXPECT_EQ(tool.m_nCancels, 1);
    EXPECT_TRUE(view.PanMode());
    EXPECT_EQ(view.PointerShape(), Qt::SizeAllCursor);
    view.TogglePanMode();
    EXPECT_EQ(view.PointerShape(), Qt::ArrowCursor);
}

// A PNG export keeps every dot: opened again it gives the same canvas, in
// every colour (Open makes canvases of whole 8 x 8 blocks, so this one is).
TEST(CanvasDocument, PngExportOpensAsTheSameDots)
{
    CScratchDir dir;
    CCanvasDocument doc;
    ASSERT_TRUE(doc.NewCanvas(24, 16, ImageMode));
    for (std::size_t i = 0; i < kSevenColours.size(); ++i) {
        doc.EditDot(static_cast<int>(i), static_cast<int>(i), kSevenColours[i].Value());
        doc.EditDot(23 - static_cast<int>(i), 15, kSevenColours[i].Value());
    }
    const CDotGrid before = doc.Grid();
    const QString path = dir.FilePath(QStringLiteral("sign.png"));
    ASSERT_TRUE(CExportRegistry::WriteExport(doc.ExportSource(), path));
    CCanvasDocument opened;
    ASSERT_TRUE(opened.Open(path));
    ASSERT_EQ(opened.Grid().Width(), before.Width());
    ASSERT_EQ(opened.Grid().Height(), before.Height());
    for (int y = 0; y < before.Height(); ++y)
        for (int x = 0; x < before.Width(); ++x)
            ASSERT_EQ(opened.Grid().DisplayDotAt(x, y), before.DisplayDotAt(x, y)) << x << "," << y;
}
