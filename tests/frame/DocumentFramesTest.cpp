// Frames in the document: the grid the program edits is the current frame,
// frame operations undo and redo, every other step is taken back on its own
// frame, and the frames keep one size.
#include "canvas/CanvasDocument.h"
#include "canvas/CanvasSize.h"
#include "frame/AnimationSteps.h"

#include "SevenColours.h"

#include <QSignalSpy>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);
const COLORREF kRed = kSevenColours[0].Value();
const COLORREF kGreen = kSevenColours[1].Value();
const COLORREF kBlue = kSevenColours[2].Value();

class DocumentFramesTest : public ::testing::Test
{
protected:
    DocumentFramesTest()
    {
        m_doc.Grid().SetBackgroundColor(kBack, false);
        m_doc.NewCanvas(16, 8, ImageMode);
    }

    QByteArray Dots() const
    {
        const CDotGrid& grid = m_doc.Grid();
        return QByteArray(reinterpret_cast<const char*>(grid.Bits()), static_cast<int>(grid.ByteCount()));
    }

    CCanvasDocument m_doc;
    CAnimationSteps m_steps{m_doc};
};

} // namespace

TEST_F(DocumentFramesTest, AOneFrameDocumentListsAndSavesAsBefore)
{
    // The worked example: red at (0, 0) and (1, 0), green at (7, 7), blue at (9, 0).
    const auto paint = [this] {
        m_doc.EditDot(0, 0, kRed);
        m_doc.EditDot(1, 0, kRed);
        m_doc.EditDot(7, 7, kGreen);
        m_doc.EditDot(9, 0, kBlue);
    };
    paint();
    const QString expected = QStringLiteral("1-1-1-R, 1-1-2-R, 1-8-8-G\n\n2-1-2-B\n\n");
    EXPECT_EQ(m_doc.Listing(), expected);
    EXPECT_EQ(m_doc.Frames().Count(), 1);

    const QByteArray dots = Dots();

    // Frames added and taken away again leave the same document.
    ASSERT_TRUE(m_steps.AddFrame());
    ASSERT_TRUE(m_steps.DuplicateFrame());
    ASSERT_TRUE(m_steps.DeleteFrame());
    ASSERT_TRUE(m_steps.DeleteFrame());
    ASSERT_EQ(m_doc.Frames().Count(), 1);
    EXPECT_EQ(m_doc.Listing(), expected);
    EXPECT_EQ(Dots(), dots);
    EXPECT_EQ(m_doc.Grid().Mode(), ImageMode);
}

TEST_F(DocumentFramesTest, FrameOperationsUndoAndRedoWithTheDotsOfEachFrame)
{
    QSignalSpy frames(&m_doc, &CCanvasDocument::FramesChanged);
    m_doc.EditDot(0, 0, kRed);            // frame 1
    ASSERT_TRUE(m_steps.AddFrame());      // frame 2, current
    m_doc.EditDot(5, 5, kGreen);          // on frame 2
    ASSERT_TRUE(m_steps.SelectFrame(0));  // not a step
    m_doc.EditDot(3, 3, kBlue);           // on frame 1
    EXPECT_GE(frames.count(), 2);
    EXPECT_EQ(QString::fromLatin1(m_doc.History().NextUndoLabel()), QStringLiteral("Dot Edit"));

    // Undo takes each dot back on its own frame, whichever frame is showing.
    ASSERT_TRUE(m_steps.SelectFrame(1));
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Current(), 0);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(3, 3), kBack);
    EXPECT_EQ(m_doc.Frames().Grid(1).DisplayDotAt(5, 5), kGreen);
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Current(), 1);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(5, 5), kBack);
    EXPECT_EQ(QString::fromLatin1(m_doc.History().NextUndoLabel()), QStringLiteral("Add Frame"));
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Count(), 1);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(0, 0), kRed);

    // And forward again, to the same three states.
    ASSERT_TRUE(m_doc.Redo());
    EXPECT_EQ(m_doc.Frames().Count(), 2);
    ASSERT_TRUE(m_doc.Redo());
    EXPECT_EQ(m_doc.Frames().Current(), 1);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(5, 5), kGreen);
    ASSERT_TRUE(m_doc.Redo());
    EXPECT_EQ(m_doc.Frames().Current(), 0);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(3, 3), kBlue);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(0, 0), kRed);
    EXPECT_EQ(m_doc.Frames().Grid(1).DisplayDotAt(0, 0), kBack);

    // Moves and durations too.
    ASSERT_TRUE(m_steps.MoveFrame(1));
    ASSERT_TRUE(m_steps.SetFrameDuration(250));
    EXPECT_EQ(m_doc.Frames().Duration(1), 250);
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Duration(1), CFrameList::kDefaultDurationMs);
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Current(), 0);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(0, 0), kRed);
}

TEST_F(DocumentFramesTest, EffectsMakePictureFramesAndUndoBringsTheTextBack)
{
    m_doc.NewCanvas(24, 8, TextMode);
    m_doc.EditDot(0, 0, kRed);
    m_doc.Text().m_szText = QStringLiteral("ABC"); // as merged
    QSignalSpy modes(&m_doc, &CCanvasDocument::ModeChanged);
    QSignalSpy sizes(&m_doc, &CCanvasDocument::Resized);
    QString error;
    ASSERT_TRUE(m_steps.Scroll(CFrameEffects::Direction::Left, 25, 16, 8, error)) << error.toStdString();
    EXPECT_EQ(m_doc.Frames().Count(), 24 + 16);
    EXPECT_EQ(m_doc.Frames().Duration(0), 40);
    EXPECT_EQ(m_doc.Grid().Width(), 16);
    EXPECT_EQ(m_doc.Mode(), ImageMode);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.at(0).at(0).toInt(), ImageMode);
    ASSERT_EQ(sizes.count(), 1);
    EXPECT_EQ(QString::fromLatin1(m_doc.History().NextUndoLabel()), QStringLiteral("Effect"));
    // The merged text is no overlay on the picture frames.
    EXPECT_TRUE(m_doc.Text().m_szText.isEmpty());

    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Count(), 1);
    EXPECT_EQ(m_doc.Grid().Width(), 24);
    EXPECT_EQ(m_doc.Mode(), TextMode);
    EXPECT_EQ(modes.at(1).at(0).toInt(), TextMode);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(0, 0), kRed);
    EXPECT_EQ(m_doc.Text().m_szText, QStringLiteral("ABC"));

    // New forgets the frames.
    ASSERT_TRUE(m_doc.Redo());
    m_doc.NewCanvas(8, 8, ImageMode);
    EXPECT_EQ(m_doc.Frames().Count(), 1);
    EXPECT_FALSE(m_doc.CanUndo());
}

TEST_F(DocumentFramesTest, ChangesThatWouldResizeOneFrameKeepTheFrameSize)
{
    m_doc.EditDot(0, 7, kRed); // bottom-left
    ASSERT_TRUE(m_steps.DuplicateFrame());
    const QByteArray before = Dots();
    // A quarter turn would make 8 x 16: the frame stays 16 x 8, cut at the bottom.
    m_doc.Rotate();
    EXPECT_EQ(m_doc.Grid().Width(), 16);
    EXPECT_EQ(m_doc.Grid().Height(), 8);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(0, 0), kRed); // (0, 7) turned to (0, 0)
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(Dots(), before);
    // Merged text in text mode renders one cell per character; the frame keeps its size.
    QTextDocument text(QStringLiteral("ABCD"));
    m_doc.Grid().SetMode(TextMode);
    m_doc.MergeText(&text, m_doc.Text().m_lfText);
    EXPECT_EQ(m_doc.Grid().Width(), 16);
    EXPECT_EQ(m_doc.Grid().Height(), 8);
    EXPECT_EQ(m_doc.Frames().Grid(0).Width(), 16);
}

TEST_F(DocumentFramesTest, ResizeAndCropChangeEveryFrameAsOneStep)
{
    QSignalSpy sizes(&m_doc, &CCanvasDocument::Resized);
    m_doc.EditDot(0, 0, kRed);
    ASSERT_TRUE(m_steps.AddFrame());
    EXPECT_EQ(sizes.count(), 0); // a new frame of the same 16 x 8
    m_doc.EditDot(15, 7, kGreen); // bottom-right of frame 2

    // Growing to 32 x 16 with the dots kept at the bottom right: both frames move.
    ASSERT_TRUE(m_doc.ResizeCanvas(QSize(32, 16), AnchorBottomRight));
    ASSERT_EQ(sizes.count(), 1);
    EXPECT_EQ(sizes.at(0).at(0).toInt(), 32);
    EXPECT_EQ(sizes.at(0).at(1).toInt(), 16);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(m_doc.Frames().Grid(i).Width(), 32) << i;
        EXPECT_EQ(m_doc.Frames().Grid(i).Height(), 16) << i;
    }
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(31, 15), kGreen);
    EXPECT_EQ(m_doc.Frames().Grid(0).DisplayDotAt(16, 8), kRed);

    // A crop keeps the same area of each frame.
    ASSERT_TRUE(m_doc.CropCanvas(QRect(16, 8, 16, 8)));
    EXPECT_EQ(m_doc.Frames().Grid(0).Width(), 16);
    EXPECT_EQ(m_doc.Frames().Grid(0).DisplayDotAt(0, 0), kRed);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(15, 7), kGreen);

    // A crop outside the canvas changes no frame and is no step.
    const std::size_t steps = m_doc.History().UndoCount();
    EXPECT_FALSE(m_doc.CropCanvas(QRect(40, 40, 8, 8)));
    EXPECT_FALSE(m_doc.CropCanvas(QRect()));
    EXPECT_EQ(m_doc.History().UndoCount(), steps);
    EXPECT_EQ(m_doc.Frames().Count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(m_doc.Frames().Grid(i).Width(), 16) << i;
    EXPECT_EQ(m_doc.Frames().Grid(0).DisplayDotAt(0, 0), kRed);

    // Undo takes each back for every frame.
    ASSERT_TRUE(m_doc.Undo());
    ASSERT_TRUE(m_doc.Undo());
    EXPECT_EQ(m_doc.Frames().Count(), 2);
    EXPECT_EQ(m_doc.Grid().Width(), 16);
    EXPECT_EQ(m_doc.Frames().Grid(0).Width(), 16);
    EXPECT_EQ(m_doc.Frames().Grid(0).DisplayDotAt(0, 0), kRed);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(15, 7), kGreen);
}

TEST_F(DocumentFramesTest, ARestoredDocumentBringsItsOwnFramesAndNoneOfTheOld)
{
    ASSERT_TRUE(m_steps.AddFrame());
    ASSERT_TRUE(m_steps.AddFrame());
    ASSERT_EQ(m_doc.Frames().Count(), 3);
    QTextDocument source;

    // A still 24 x 4 document: one frame, its own size.
    CDotGrid still;
    still.Create(24, 4, ImageMode);
    still.SetDisplayDot(23, 3, kGreen);
    QSignalSpy framesChanged(&m_doc, &CCanvasDocument::FramesChanged);
    m_doc.Restore(still, {}, 0, m_doc.Text(), 0, &source);
    EXPECT_EQ(m_doc.Frames().Count(), 1);
    EXPECT_EQ(m_doc.Grid().Width(), 24);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(23, 3), kGreen);
    EXPECT_EQ(framesChanged.count(), 1);

    // Two frames, the second showing, each with its dots and duration.
    std::vector<SSignFrame> frames(2);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i].grid.Create(8, 8, ImageMode);
        frames[i].grid.SetDisplayDot(static_cast<int>(i), 7, i == 0 ? kRed : kBlue);
        frames[i].nDurationMs = 300 + static_cast<int>(i);
    }
    m_doc.Restore(frames[1].grid, frames, 1, m_doc.Text(), 0, &source);
    ASSERT_EQ(m_doc.Frames().Count(), 2);
    EXPECT_EQ(m_doc.Frames().Current(), 1);
    EXPECT_EQ(m_doc.Grid().DisplayDotAt(1, 7), kBlue);
    EXPECT_EQ(m_doc.Frames().Grid(0).DisplayDotAt(0, 7), kRed);
    EXPECT_EQ(m_doc.Frames().Duration(0), 300);
    EXPECT_EQ(m_doc.Frames().Duration(1), 301);
    EXPECT_FALSE(m_doc.CanUndo());
}
