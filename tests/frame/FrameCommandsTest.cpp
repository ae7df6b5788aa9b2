// The frame commands in the window: the thumbnail strip, the preview window,
// the effects' dialogs, states and export.
#include "FrameFixture.h"
#include "SevenColours.h"

#include "animation/FrameStrip.h"
#include "animation/LedPreview.h"
#include "animation/PreviewWindow.h"
#include "canvas/CanvasDocument.h"

#include <QImageReader>

using namespace CommandId;

TEST_F(FrameTest, TheStripShowsWithASecondFrameAndChoosesTheFrameToEdit)
{
    NewCanvas(16, 8, ImageMode);
    frame->show();
    CFrameStrip* strip = frame->FrameStrip();
    EXPECT_FALSE(strip->isVisible());
    frame->UpdateCommandStates();
    EXPECT_FALSE(Act(DeleteFrame)->isEnabled());
    EXPECT_FALSE(Act(NextFrame)->isEnabled());

    Trigger(DuplicateFrame);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->count(), 2);
    EXPECT_TRUE(Act(DeleteFrame)->isEnabled());
    EXPECT_TRUE(Act(MoveFrameEarlier)->isEnabled());
    EXPECT_FALSE(Act(MoveFrameLater)->isEnabled());

    CCanvasDocument& document = Canvas()->Document();
    document.EditDot(3, 3, kSevenColours[3].Value());
    strip->setCurrentRow(0);
    EXPECT_EQ(document.Frames().Current(), 0);
    EXPECT_NE(Canvas()->Grid().DisplayDotAt(3, 3), kSevenColours[3].Value());
    Trigger(NextFrame);
    EXPECT_EQ(document.Frames().Current(), 1);
    EXPECT_EQ(strip->currentRow(), 1);
    // Past the last frame comes the first, before the first the last.
    Trigger(NextFrame);
    EXPECT_EQ(document.Frames().Current(), 0);
    Trigger(PreviousFrame);
    EXPECT_EQ(document.Frames().Current(), 1);

    // The strip goes when undo takes the second frame away.
    Trigger(Undo);
    Trigger(Undo);
    EXPECT_EQ(document.Frames().Count(), 1);
    EXPECT_FALSE(strip->isVisible());

    // Frame commands wait while the listing covers the canvas.
    Trigger(ViewImage);
    frame->UpdateCommandStates();
    EXPECT_FALSE(Act(AddFrame)->isEnabled());
    EXPECT_FALSE(Act(ScrollLeft)->isEnabled());
}

TEST_F(FrameTest, ScrollAsksForTheSignAndTheSpeedThenThePreviewPlaysIt)
{
    NewCanvas(24, 8, ImageMode);
    Canvas()->Document().EditDot(0, 0, kSevenColours[0].Value());
    CScrollRequest asked;
    frame->Dialogs().askScroll = [&asked](const CScrollRequest& suggested) {
        asked = suggested;
        return std::optional<CScrollRequest>(CScrollRequest{16, 8, 50});
    };
    Trigger(ScrollLeft + 1); // right
    // The first time the dialog suggests the canvas itself and the usual speed.
    EXPECT_EQ(asked.nPanelWidth, 24);
    EXPECT_EQ(asked.nPanelHeight, 8);
    EXPECT_EQ(asked.nSpeed, 20);
    const CFrameList& frames = Canvas()->Document().Frames();
    EXPECT_EQ(frames.Count(), 24 + 16);
    EXPECT_EQ(frames.Duration(0), 20);
    EXPECT_EQ(Canvas()->Grid().Width(), 16);
    // The last answer is offered next time; a cancelled dialog changes nothing.
    frame->Dialogs().askScroll = [&asked](const CScrollRequest& suggested) {
        asked = suggested;
        return std::optional<CScrollRequest>();
    };
    Trigger(ScrollLeft);
    EXPECT_EQ(asked.nPanelWidth, 16);
    EXPECT_EQ(asked.nSpeed, 50);
    EXPECT_EQ(frames.Count(), 40);

    Trigger(SignPreview);
    CPreviewWindow* preview = frame->PreviewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QString::fromUtf8("显示屏预览"));
    Trigger(English);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Sign Preview"));
    preview->Preview().StepForward();
    EXPECT_EQ(preview->Preview().ShownFrame(), 1);
    // The preview follows the document: an undo leaves one frame of 24 dots.
    Trigger(Undo);
    EXPECT_EQ(preview->Preview().Picture().width(), 24 * preview->Preview().Pitch());
    EXPECT_EQ(preview->Preview().ShownFrame(), 0);
}

TEST_F(FrameTest, EffectsThatCannotBeMadeAreToldAndAnimationsSaved)
{
    NewCanvas(16, 8, ImageMode);
    frame->Dialogs().askFrameNumber = [](EFrameNumber what, int current) {
        return std::optional<int>(what == EFrameNumber::BlinkMs ? 300 : current);
    };
    Trigger(Blink);
    const CFrameList& frames = Canvas()->Document().Frames();
    ASSERT_EQ(frames.Count(), 2);
    EXPECT_EQ(frames.Duration(1), 300);

    const QString path = dir.FilePath(QStringLiteral("sign.gif"));
    frame->Dialogs().askSaveAnimationPath = [path](const QString&) { return path; };
    Trigger(SaveAnimation);
    QImageReader reader(path, "gif");
    EXPECT_EQ(reader.imageCount(), 2);
    EXPECT_EQ(reader.size(), QSize(16, 8)) << "one pixel a dot, no LEDs drawn";
    EXPECT_TRUE(messages.isEmpty());
    // Asked again, each dialog starts from its last answer; a file that
    // cannot be written is told.
    QList<int> blinkAsked;
    frame->Dialogs().askFrameNumber = [&blinkAsked](EFrameNumber what, int current) {
        if (what == EFrameNumber::BlinkMs)
            blinkAsked << current;
        return std::optional<int>();
    };
    Trigger(Blink);
    EXPECT_EQ(blinkAsked, QList<int>{300});
    EXPECT_EQ(frames.Count(), 2);
    QStringList gifAsked;
    frame->Dialogs().askSaveAnimationPath = [&gifAsked, this](const QString& prefill) {
        return gifAsked << prefill, dir.FilePath(QStringLiteral("no/such/folder/sign.gif"));
    };
    Trigger(SaveAnimation);
    Trigger(SaveAnimation);
    EXPECT_EQ(gifAsked, QStringList({path, dir.FilePath(QStringLiteral("no/such/folder/sign.gif"))}));
    EXPECT_EQ(messages.size(), 2);
    messages.clear();

    // A scroll of the largest canvas across the largest sign needs more
    // memory than frames may take: refused in one message, nothing changed.
    NewCanvas(1024, 768, ImageMode);
    frame->Dialogs().askScroll = [](const CScrollRequest&) {
        return std::optional<CScrollRequest>(CScrollRequest{1024, 768, 20});
    };
    Trigger(English); // the message's words are checked in English
    Trigger(ScrollLeft);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("more than memory allows")));
    EXPECT_EQ(frames.Count(), 1);
    // So does a wipe of it, one row at a time.
    messages.clear();
    frame->Dialogs().askFrameNumber = [](EFrameNumber, int) { return std::optional<int>(1); };
    Trigger(Wipe);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("more than memory allows")));
    EXPECT_EQ(frames.Count(), 1);
}

// Wipe, Frame Duration and Save Frames from the menu: each asks starting from
// the last answer (or the frame's own duration), and does what was answered.
TEST_F(FrameTest, WipeDurationAndFramePicturesAskThenAct)
{
    NewCanvas(16, 8, ImageMode);
    QList<std::pair<EFrameNumber, int>> asked;
    int answer = 25;
    frame->Dialogs().askFrameNumber = [&](EFrameNumber what, int current) {
        asked << std::make_pair(what, current);
        return answer > 0 ? std::optional<int>(answer) : std::nullopt;
    };
    Trigger(Wipe);
    const CFrameList& frames = Canvas()->Document().Frames();
    ASSERT_EQ(frames.Count(), 16);
    EXPECT_EQ(frames.Duration(15), 40); // 25 dots a second
    Trigger(Wipe);
    answer = 730;
    Trigger(FrameDuration);
    EXPECT_EQ(frames.Duration(frames.Current()), 730);
    answer = 0;
    Trigger(FrameDuration);
    EXPECT_EQ(frames.Duration(frames.Current()), 730);
    const QList<std::pair<EFrameNumber, int>> expected = {{EFrameNumber::WipeSpeed, CFrameEffects::kDefaultSpeed},
                                                          {EFrameNumber::WipeSpeed, 25},
                                                          {EFrameNumber::FrameDurationMs, 40},
                                                          {EFrameNumber::FrameDurationMs, 730}};
    EXPECT_EQ(asked, expected);

    // The pictures of the frames, numbered from 1; asked again from the last name.
    QStringList suggested;
    QString path = dir.FilePath(QStringLiteral("f.png"));
    frame->Dialogs().askSaveFramesPath = [&](const QString& prefill) { return suggested << prefill, path; };
    Trigger(SaveFrames);
    EXPECT_TRUE(QFile::exists(dir.FilePath(QStringLiteral("f-001.png"))));
    EXPECT_TRUE(QFile::exists(dir.FilePath(QStringLiteral("f-016.png"))));
    EXPECT_FALSE(QFile::exists(dir.FilePath(QStringLiteral("f-017.png"))));
    EXPECT_TRUE(messages.isEmpty());
    path = dir.FilePath(QStringLiteral("no/such/folder/g.png"));
    Trigger(SaveFrames);
    EXPECT_EQ(messages.size(), 1);
    ASSERT_EQ(suggested.size(), 2);
    EXPECT_EQ(suggested[1], dir.FilePath(QStringLiteral("f.png")));

    // Cancelled, each does nothing and says nothing.
    messages.clear();
    const int count = frames.Count();
    const char* undoLabel = Canvas()->History().NextUndoLabel();
    answer = 0;
    Trigger(Wipe);
    EXPECT_EQ(frames.Count(), count);
    EXPECT_STREQ(Canvas()->History().NextUndoLabel(), undoLabel);
    // The next wipe still starts from the last answer given.
    answer = 30;
    Trigger(Wipe);
    EXPECT_EQ(asked.back(), std::make_pair(EFrameNumber::WipeSpeed, 25));
    path.clear();
    Trigger(SaveFrames);
    frame->Dialogs().askSaveAnimationPath = [](const QString&) { return QString(); };
    Trigger(SaveAnimation);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(QDir(dir.Path()).entryList({QStringLiteral("*.gif")}, QDir::Files), QStringList());
}

// Frames added, moved both ways and deleted from the menu; zoom and About.
TEST_F(FrameTest, FrameZoomAndAboutCommandsDoWhatTheySay)
{
    NewCanvas(16, 8, ImageMode);
    const CFrameList& frames = Canvas()->Document().Frames();
    Canvas()->Grid().SetDisplayDot(1, 1, DotPalette[0]);
    Trigger(AddFrame);
    ASSERT_EQ(frames.Count(), 2);
    EXPECT_EQ(frames.Current(), 1);
    Trigger(MoveFrameEarlier);
    EXPECT_EQ(frames.Current(), 0);
    EXPECT_EQ(frames.Grid(1).DisplayDotAt(1, 1), DotPalette[0]) << "the drawn frame is now second";
    Trigger(MoveFrameLater);
    EXPECT_EQ(frames.Current(), 1);
    EXPECT_EQ(frames.Grid(0).DisplayDotAt(1, 1), DotPalette[0]);
    Trigger(DeleteFrame);
    EXPECT_EQ(frames.Count(), 1);
    EXPECT_EQ(Canvas()->Grid().DisplayDotAt(1, 1), DotPalette[0]);

    const int size = Canvas()->DotSize();
    Trigger(ZoomIn);
    EXPECT_GT(Canvas()->DotSize(), size);
    Trigger(ZoomOut);
    EXPECT_EQ(Canvas()->DotSize(), size);

    int abouts = 0;
    frame->Dialogs().showAbout = [&abouts] { ++abouts; };
    Trigger(About);
    EXPECT_EQ(abouts, 1);
}

// Which frame commands can be given: those that make frames always, those
// that need several frames once there are, moving only towards an end that
// is not reached yet; none while the listing covers the canvas.
TEST_F(FrameTest, FrameCommandsFollowTheFramesAndTheListing)
{
    NewCanvas(16, 8, ImageMode);
    const int makers[] = {AddFrame, DuplicateFrame, FrameDuration, ScrollLeft, ScrollLeft + 1, ScrollLeft + 2,
                          ScrollDown, Blink, Wipe, Export, SaveImage};
    const int stepping[] = {DeleteFrame, PreviousFrame, NextFrame};
    frame->UpdateCommandStates();
    for (const int id : makers)
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
    for (const int id : stepping)
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    EXPECT_FALSE(Act(MoveFrameEarlier)->isEnabled());
    EXPECT_FALSE(Act(MoveFrameLater)->isEnabled());

    Trigger(AddFrame);
    Trigger(AddFrame);
    CCanvasDocument& document = Canvas()->Document();
    ASSERT_EQ(document.Frames().Count(), 3);
    const struct
    {
        int current;
        bool earlier;
        bool later;
    } positions[] = {{0, false, true}, {1, true, true}, {2, true, false}};
    for (const auto& p : positions) {
        ASSERT_TRUE(document.SelectFrame(p.current));
        frame->UpdateCommandStates();
        EXPECT_EQ(Act(MoveFrameEarlier)->isEnabled(), p.earlier) << p.current;
        EXPECT_EQ(Act(MoveFrameLater)->isEnabled(), p.later) << p.current;
        for (const int id : stepping)
            EXPECT_TRUE(Act(id)->isEnabled()) << id;
    }

    ASSERT_TRUE(document.SelectFrame(1));
    Trigger(ViewImage);
    frame->UpdateCommandStates();
    for (const int id : makers)
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    for (const int id : stepping)
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    EXPECT_FALSE(Act(MoveFrameEarlier)->isEnabled());
    EXPECT_FALSE(Act(MoveFrameLater)->isEnabled());
}
