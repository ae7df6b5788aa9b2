// The document without any widget: its operations, its signals, and tools
// that reach the dots through it.
#include "canvas/CanvasDocument.h"
#include "canvas/CanvasSize.h"
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
    // An empty document has no listing.
    CCanvasDocument empty;
    EXPECT_TRUE(empty.Listing().isEmpty());
    // Nor can it be mirrored or flipped.
    QSignalSpy emptyChanged(&empty, &CCanvasDocument::Changed);
    empty.Mirror();
    empty.Flip();
    EXPECT_EQ(emptyChanged.count(), 0);
    // Text spills over image-mode dots only: an empty or a text-mode canvas has no overlay.
    const QString wide = QStringLiteral("WWWWWWWWWWWWWWWWWWWW");
    empty.SetOverlayText(wide);
    EXPECT_EQ(empty.OverlayOverflow(), QSize(0, 0));
    for (int mode : {TextMode, ImageMode}) {
        CCanvasDocument small;
        ASSERT_TRUE(small.NewCanvas(8, 8, mode));
        small.SetOverlayText(wide);
        EXPECT_EQ(small.OverlayOverflow().width() > 0, mode == ImageMode) << mode;
    }
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

namespace {

// How many times each of the document's signals fired during one operation.
struct SSignalCounts
{
    int nChanged = 0;
    int nHistory = 0;
    int nResized = 0;
    int nText = 0;
    int nMode = 0;
};

struct SSignalCase
{
    const char* szName;
    int nMode; // of the 16 x 8 canvas the case starts on
    std::function<void(CCanvasDocument&)> prepare;
    std::function<void(CCanvasDocument&, const QString&)> run;
    SSignalCounts expected;
};

void NoPreparation(CCanvasDocument&)
{
}

} // namespace

// Each operation tells the views exactly what it changed: a missing signal
// leaves a view stale, a needless one repaints or relays out for nothing
// (a layout also scrolls back to the top).
TEST(CanvasDocument, EachOperationSendsItsOwnSignals)
{
    CScratchDir dir;
    const QString picture = dir.FilePath(QStringLiteral("pic.bmp"));
    QImage image(24, 16, QImage::Format_RGB888);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture, "BMP"));
    const CDotShape bar = CDotShape::FromRuns(QSize(16, 8), {SDotRun{2, 0, 15}});
    CDotFragment fragment(2, 2);
    fragment.SetIndex(1, 1, 2);

    const std::vector<SSignalCase> cases = {
        {"new canvas", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.NewCanvas(8, 24, ImageMode); }, {0, 1, 1, 0, 0}},
        {"new canvas refused", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.NewCanvas(-1, 8, ImageMode); }, {}},
        {"a dot", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.EditDot(3, 3, DotPalette[1]); }, {1, 1, 0, 0, 0}},
        {"a click off the grid", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.EditDot(16, 0, DotPalette[0]); }, {1, 0, 0, 0, 0}},
        {"mirror", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.Mirror(); }, {1, 1, 0, 0, 0}},
        {"flip", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.Flip(); }, {1, 1, 0, 0, 0}},
        {"rotate", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.Rotate(); }, {0, 1, 1, 0, 0}},
        {"background", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetBackgroundColor(DotPalette[4]); }, {1, 1, 0, 0, 0}},
        {"shape", ImageMode, NoPreparation, [&bar](CCanvasDocument& d, const QString&) { d.DrawShape(bar, DotPalette[2]); }, {1, 1, 0, 0, 0}},
        {"fragment", ImageMode, NoPreparation,
         [&fragment](CCanvasDocument& d, const QString&) { d.PlaceFragment(fragment, QPoint(4, 4), QRect(), EUndoKind::Paste); }, {1, 1, 0, 0, 0}},
        {"resize", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.ResizeCanvas(QSize(20, 8), AnchorTopLeft); }, {1, 1, 1, 0, 0}},
        {"crop", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.CropCanvas(QRect(0, 0, 4, 4)); }, {1, 1, 1, 0, 0}},
        {"crop off the grid", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { EXPECT_FALSE(d.CropCanvas(QRect(20, 0, 4, 4))); }, {}},
        {"resize by no anchor", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { EXPECT_FALSE(d.ResizeCanvas(QSize(20, 8), 99)); }, {}},
        {"no step", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.RecordStep(nullptr); }, {}},
        {"change dots", ImageMode, NoPreparation,
         [](CCanvasDocument& d, const QString&) { d.ChangeDots(EUndoKind::LoadDots, [](CDotGrid& g) { g.SetDot(5, 5, DotPalette[3]); }); }, {1, 1, 0, 0, 0}},
        {"undo a dot", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.Undo(); }, {1, 1, 0, 1, 0}},
        {"undo a rotate", ImageMode, [](CCanvasDocument& d) { d.Rotate(); }, [](CCanvasDocument& d, const QString&) { d.Undo(); }, {1, 1, 1, 1, 0}},
        {"redo a rotate", ImageMode, [](CCanvasDocument& d) { d.Rotate(), d.Undo(); }, [](CCanvasDocument& d, const QString&) { d.Redo(); }, {1, 1, 1, 1, 0}},
        {"redo nothing", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.Redo(); }, {}},
        {"open", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString& path) { d.Open(path); }, {0, 1, 1, 0, 0}},
        {"open a missing file", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString& path) { d.Open(path + QStringLiteral(".no")); }, {}},
        {"overlay text", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetOverlayText(QStringLiteral("A")); }, {1, 0, 0, 0, 0}},
        {"overlay colour", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetOverlayColor(DotPalette[1]); }, {1, 0, 0, 0, 0}},
        {"overlay colours", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetOverlayColors({DotPalette[1]}); }, {1, 0, 0, 0, 0}},
        {"overlay", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetOverlay({DotPalette[1]}, QStringLiteral("A"), true); }, {1, 0, 0, 0, 0}},
        {"layout options", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetLayoutOptions({}); }, {1, 0, 0, 0, 0}},
        {"font", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetTextFont(LogFont::DefaultGuiFont()); }, {1, 0, 0, 0, 0}},
        {"overlay x", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetTextX(3); }, {1, 0, 0, 0, 0}},
        {"overlay y", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetTextY(3); }, {1, 0, 0, 0, 0}},
        {"overlay stretch", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetStretch(150); }, {}},
        {"offsets in image mode", ImageMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetTextOffsets(1, 1); }, {}},
        // In text mode the glyphs are drawn again, as a step of the history.
        {"glyph stretch", TextMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetStretch(150); }, {1, 1, 0, 0, 0}},
        {"glyph offsets", TextMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetTextOffsets(1, 1); }, {1, 1, 0, 0, 0}},
        {"glyph x", TextMode, NoPreparation, [](CCanvasDocument& d, const QString&) { d.SetTextX(1); }, {1, 1, 0, 0, 0}},
        {"restore", ImageMode, NoPreparation,
         [](CCanvasDocument& d, const QString&) { d.Restore(CDotGrid(), {}, 0, d.Text(), ExactColors, nullptr); }, {1, 1, 1, 0, 0}},
    };
    for (const SSignalCase& c : cases) {
        CCanvasDocument doc;
        doc.SetMergePendingQuery([] { return false; });
        ASSERT_TRUE(doc.NewCanvas(16, 8, c.nMode));
        ASSERT_TRUE(doc.EditDot(0, 0, DotPalette[0]));
        c.prepare(doc);
        QSignalSpy changed(&doc, &CCanvasDocument::Changed);
        QSignalSpy history(&doc, &CCanvasDocument::HistoryChanged);
        QSignalSpy resized(&doc, &CCanvasDocument::Resized);
        QSignalSpy text(&doc, &CCanvasDocument::TextChanged);
        QSignalSpy mode(&doc, &CCanvasDocument::ModeChanged);
        c.run(doc, picture);
        EXPECT_EQ(changed.count(), c.expected.nChanged) << c.szName;
        EXPECT_EQ(history.count(), c.expected.nHistory) << c.szName;
        EXPECT_EQ(resized.count(), c.expected.nResized) << c.szName;
        EXPECT_EQ(text.count(), c.expected.nText) << c.szName;
        EXPECT_EQ(mode.count(), c.expected.nMode) << c.szName;
        // The size a layout is told is the grid's own.
        if (!resized.isEmpty()) {
            EXPECT_EQ(resized.last().at(0).toInt(), doc.Grid().Width()) << c.szName;
            EXPECT_EQ(resized.last().at(1).toInt(), doc.Grid().Height()) << c.szName;
        }
    }
}
