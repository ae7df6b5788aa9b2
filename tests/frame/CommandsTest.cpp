#include "FrameFixture.h"
#include "SevenColours.h"

#include "animation/FrameStrip.h"
#include "animation/LedPreview.h"
#include "animation/PreviewWindow.h"
#include "canvas/CanvasDocument.h"
#include "dotdata/ProjectFile.h"
#include "frame/UserSettings.h"

#include <QActionGroup>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QInputMethodEvent>
#include <QLabel>
#include <QStatusBar>
#include "dotdata/ListingView.h"
#include <QPrinter>
#include <QTest>
#include <QTextEdit>

#include <functional>

using namespace CommandId;

class CommandsTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        frame->show();
    }

    // View Image; until the listing is complete it can be neither saved nor printed.
    void ViewDotText()
    {
        Trigger(ViewImage);
        ASSERT_TRUE(Canvas()->IsDotTextRunning());
        EXPECT_FALSE(Act(SaveDot)->isEnabled());
        EXPECT_FALSE(Act(Print)->isEnabled());
        ASSERT_TRUE(QTest::qWaitFor([this] { return Act(SaveDot)->isEnabled(); }, 20000));
        EXPECT_TRUE(Act(Print)->isEnabled());
    }

    // Chinese arrives through the input method as committed text.
    void Type(const QString& text) const
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(Pane()->RichEdit(), &event);
        frame->UpdateCommandStates();
    }

    void ClickInto(QWidget* pane) const { QTest::mouseClick(pane, Qt::LeftButton); }
};

TEST_F(CommandsTest, ViewImageListsTheDotsAndSwapsTheFileCommands)
{
    OpenSample();
    const QString imagePath = dir.FilePath(QStringLiteral("copy.bmp"));
    frame->Dialogs().askSaveImagePath = [imagePath](const QString&) { return imagePath; };
    Trigger(SaveImage);
    EXPECT_EQ(QImage(imagePath).pixelColor(9, 0), QColor(Qt::blue));

    frame->OnStatusText(1, QStringLiteral("\t\t0%"));
    ViewDotText();
    EXPECT_FALSE(Act(SaveImage)->isEnabled());
    EXPECT_FALSE(Act(ViewImage)->isChecked());
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
    // Panes outside 0 to 4 do not exist: their texts go nowhere.
    QStringList panes;
    for (int pane = 0; pane < CMainFrame::kStatusPaneCount; ++pane)
        panes << frame->StatusPaneText(pane);
    frame->OnStatusText(-1, QStringLiteral("lost"));
    frame->OnStatusText(CMainFrame::kStatusPaneCount, QStringLiteral("lost"));
    for (int pane = 0; pane < CMainFrame::kStatusPaneCount; ++pane)
        EXPECT_EQ(frame->StatusPaneText(pane), panes[pane]) << pane;
    for (const QLabel* label : frame->statusBar()->findChildren<QLabel*>())
        EXPECT_NE(label->text(), QStringLiteral("lost"));

    const QString dotPath = dir.FilePath(QStringLiteral("dots.txt"));
    frame->Dialogs().askSaveDotPath = [dotPath](const QString&) { return dotPath; };
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

    // View Image again brings the dots back.
    Trigger(ViewImage);
    EXPECT_FALSE(Canvas()->IsTextPaneShown());
    EXPECT_FALSE(Act(SaveDot)->isEnabled());
    EXPECT_TRUE(Act(SaveImage)->isEnabled());
    EXPECT_TRUE(Act(ViewImage)->isChecked());
}

TEST_F(CommandsTest, CanvasEditsBackgroundAndPan)
{
    OpenSample();
    Trigger(Mirror);
    Trigger(Flip);
    EXPECT_EQ(Canvas()->Grid().DotAt(15, 0), DotPalette[0]); // (0, 0) moved to the other corner
    Trigger(Rotate);
    EXPECT_EQ(Canvas()->Grid().Width(), 8);

    // Cancelled dialogs change nothing: no file opened, no colour set, no step.
    const QString undoText = Act(Undo)->text();
    const COLORREF back = Canvas()->Grid().BackColor();
    frame->Dialogs().askOpenFile = [] { return QString(); };
    Trigger(Open);
    Trigger(BackgroundColor);
    EXPECT_EQ(Canvas()->Grid().Width(), 8);
    EXPECT_EQ(Canvas()->Grid().BackColor(), back);
    EXPECT_EQ(Act(Undo)->text(), undoText);
    EXPECT_TRUE(messages.isEmpty());

    COLORREF offered = 1;
    frame->Dialogs().askColor = [&](COLORREF current) {
        offered = current;
        return std::optional<COLORREF>(DotPalette[2]); // a dot colour: nudged off it
    };
    const COLORREF before = Canvas()->Grid().BackColor();
    Trigger(BackgroundColor);
    EXPECT_EQ(offered, before);
    EXPECT_EQ(PaletteIndexOf(Canvas()->Grid().BackColor()), kUnlitIndex);
    EXPECT_EQ(Canvas()->Grid().DotAt(3, 3), Canvas()->Grid().BackColor()); // recoloured

    Trigger(Pan);
    EXPECT_TRUE(Canvas()->PanMode());
    EXPECT_TRUE(Act(Pan)->isChecked());
}

TEST_F(CommandsTest, MergeTextAndTextButtonsFollowPaneModeAndMerge)
{
    NewCanvas(16, 32, 0);
    EXPECT_EQ(Canvas()->Text().m_bVertical, 1);
    NewCanvas(32, 16, 0);
    EXPECT_EQ(Canvas()->Text().m_nCellWidth, 16);
    EXPECT_EQ(Canvas()->Text().m_bVertical, 0);
    EXPECT_EQ(Pane()->InputMode(), 0);
    Type(QStringLiteral("AB"));
    EXPECT_TRUE(Act(MergeText)->isEnabled());
    EXPECT_TRUE(Act(TextOrigin)->isEnabled());
    Trigger(TextRight);
    Trigger(TextUp);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetX, 1);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetY, -1);
    // Each button moves the text its own way, on its own axis; Origin puts it back.
    const struct
    {
        int id;
        QPoint offset;
    } moves[] = {{TextLeft, {0, -1}}, {TextLeft, {-1, -1}}, {TextDown, {-1, 0}}, {TextDown, {-1, 1}},
                 {TextOrigin, {0, 0}}, {TextRight, {1, 0}}, {TextUp, {1, -1}}};
    for (const auto& m : moves) {
        Trigger(m.id);
        EXPECT_EQ(QPoint(Canvas()->Text().m_nGlyphOffsetX, Canvas()->Text().m_nGlyphOffsetY), m.offset) << m.id;
    }

    // With the canvas active, Merge Text is enabled yet does nothing.
    ClickInto(Canvas()->viewport());
    Trigger(MergeText);
    EXPECT_TRUE(Pane()->IsMergePending());
    ClickInto(Pane()->RichEdit()->viewport());
    Trigger(MergeText);
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
    EXPECT_FALSE(Act(MergeText)->isEnabled());
    for (int id = TextUp; id <= TextOrigin; ++id)
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    // A size typed into the size box makes a merge pending: the buttons
    // follow at once, without waiting for a menu to open.
    QTest::keyClicks(Pane()->SizeCombo()->lineEdit(), QStringLiteral("2"));
    QTest::keyClick(Pane()->SizeCombo()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(Pane()->IsMergePending());
    for (int id = TextUp; id <= TextOrigin; ++id)
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
    Trigger(TextOrigin);
    ClickInto(Pane()->RichEdit()->viewport());
    Trigger(MergeText);

    // Image mode: the flag stays, no cell, the text stays; no text buttons.
    NewCanvas(24, 16, 1);
    EXPECT_EQ(Canvas()->Text().m_nCellWidth, 0);
    EXPECT_EQ(Pane()->InputMode(), 1);
    Type(QStringLiteral("C"));
    EXPECT_TRUE(Act(MergeText)->isEnabled());
    EXPECT_FALSE(Act(TextUp)->isEnabled());
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("ABC"));
}

// A press into a pane makes it the active one even where the focus does
// not move (the pane already had it, or the window is not active).
TEST_F(CommandsTest, MergeTextWaitsForAPressIntoTheInputPane)
{
    NewCanvas(32, 16, TextMode);
    Type(QStringLiteral("AB"));
    emit Pane()->Activated();
    emit Canvas()->Activated();
    Trigger(MergeText);
    EXPECT_TRUE(Pane()->IsMergePending());
    EXPECT_TRUE(Canvas()->Text().m_szText.isEmpty());
    emit Pane()->Activated();
    Trigger(MergeText);
    EXPECT_FALSE(Pane()->IsMergePending());
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
}

TEST_F(CommandsTest, FontDialogWorksOnACopyOfThePaneFont)
{
    const LogFont before = Pane()->CurrentFont();
    LogFont offered;
    frame->Dialogs().askFont = [&](const LogFont& current) {
        offered = current;
        LogFont chosen = current;
        chosen.lfFaceName = QStringLiteral("DejaVu Sans");
        chosen.lfWeight = 700;
        return std::optional<LogFont>(chosen);
    };
    Trigger(Font);
    EXPECT_EQ(offered, before);
    EXPECT_EQ(Pane()->CurrentFont().lfFaceName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(Pane()->CurrentFont().lfWeight, 700);
    // Cancelled: the font stays.
    frame->Dialogs().askFont = [](const LogFont&) { return std::optional<LogFont>(); };
    Trigger(Font);
    EXPECT_EQ(Pane()->CurrentFont().lfFaceName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(Pane()->CurrentFont().lfWeight, 700);
}

// The whole road of a text-mode sign through the frame's actions: New
// 32 x 16 in text mode, two Chinese characters in two colours, Merge Text,
// View Image, Save Dot; then the saved listing is read back.
TEST_F(CommandsTest, TypicalTextModeRoad)
{
    NewCanvas(32, 16, 0);
    ClickInto(Pane()->RichEdit()->viewport());
    Pane()->SelectColor(0);
    Type(QStringLiteral("中"));
    Pane()->SelectColor(1);
    Type(QStringLiteral("文"));
    EXPECT_FALSE(Canvas()->CanEditDots()); // a merge is pending: no mouse edits

    Trigger(MergeText);
    EXPECT_TRUE(Canvas()->CanEditDots());
    ASSERT_EQ(Canvas()->Grid().Width(), 32);
    int lit[2] = {0, 0};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int index = Canvas()->Grid().ColorIndexOf(x, y);
            if (index != kUnlitIndex)
                lit[x / 16] += index == x / 16 ? 1 : 1000; // red cell, then green cell
        }
    }
    EXPECT_GT(lit[0], 20);
    EXPECT_GT(lit[1], 20);
    EXPECT_LT(lit[0] + lit[1], 1000);

    ViewDotText();
    const QString path = dir.FilePath(QStringLiteral("sign.txt"));
    frame->Dialogs().askSaveDotPath = [path](const QString&) { return path; };
    Trigger(SaveDot);

    const QStringList lines = QString::fromUtf8(ReadAll(path)).split(QStringLiteral("\r\n"));
    const QString stars = QString(59, QLatin1Char('*')) + QLatin1Char('/');
    ASSERT_EQ(lines.first(), QStringLiteral("/*****  中, Red  ") + stars);
    const int second = lines.indexOf(QStringLiteral("/*****  文, Green  ") + stars);
    ASSERT_GT(second, 1);
    // Blocks 1-4 are red, 5-8 green, and each footer counts its character's dots.
    int entries[2] = {0, 0};
    int footers[2] = {-1, -1};
    for (int i = 1; i < lines.size(); ++i) {
        const int character = i < second ? 0 : 1;
        const QString& line = lines.at(i);
        if (line.startsWith(QStringLiteral("//**** <")))
            footers[character] = line.mid(8, line.indexOf(QLatin1Char('>')) - 8).toInt();
        if (line.startsWith(QLatin1Char('/')) || line.isEmpty())
            continue;
        for (const QString& entry : line.split(QLatin1Char(','))) {
            const QStringList parts = entry.trimmed().split(QLatin1Char('-'));
            ASSERT_EQ(parts.size(), 4) << entry.toStdString();
            EXPECT_EQ(parts.at(0).toInt() <= 4 ? 0 : 1, character) << entry.toStdString();
            EXPECT_EQ(parts.at(3), character == 0 ? QStringLiteral("R") : QStringLiteral("G"));
            ++entries[character];
        }
    }
    EXPECT_EQ(footers[0], lit[0]);
    EXPECT_EQ(footers[1], lit[1]);
    EXPECT_EQ(entries[0], lit[0]);
    EXPECT_EQ(entries[1], lit[1]);
}

TEST_F(CommandsTest, PictureColorsAreRadioItemsUnderEdit)
{
    // Their texts and places in each language are in the menu bar's table
    // (MenuBarTest); here, that they are one exclusive group in every language.
    for (const int language : {English, ChineseSimplified, ChineseTraditional}) {
        Trigger(language);
        const QActionGroup* group = Act(PictureExact)->actionGroup();
        ASSERT_TRUE(group) << language;
        EXPECT_TRUE(group->isExclusive());
        EXPECT_EQ(group->actions(), (QList<QAction*>{Act(PictureExact), Act(PictureNearest), Act(PictureDithered)}));
    }

    // One check at a time, following the canvas; choosing the checked one keeps it.
    EXPECT_TRUE(Act(PictureExact)->isChecked());
    for (const int id : {PictureNearest, PictureDithered, PictureDithered, PictureExact}) {
        Trigger(id);
        EXPECT_EQ(Canvas()->PictureColors(), id - PictureExact);
        for (int other = PictureExact; other <= PictureDithered; ++other)
            EXPECT_EQ(Act(other)->isChecked(), other == id) << other;
    }
    Canvas()->SetPictureColors(NearestColor);
    frame->UpdateCommandStates();
    EXPECT_TRUE(Act(PictureNearest)->isChecked());
}

// Every kind of change to the work marks it unsaved, each on its own: the
// pane's settings, the overlay's place and colour, typing and canvas edits.
TEST_F(CommandsTest, EachKindOfChangeMarksTheWorkUnsaved)
{
    const struct
    {
        const char* szName;
        int nMode;
        std::function<void()> change;
    } changes[] = {
        {"stretch", TextMode, [this] { Pane()->SetStretch(5); }},
        {"text right", TextMode, [this] { Pane()->MoveText(CInputTextView::KeyRight); }},
        {"text down", TextMode, [this] { Pane()->MoveText(CInputTextView::KeyDown); }},
        {"font", TextMode, [this] { Pane()->ApplyFont(FontOf("DejaVu Sans", 24)); }},
        {"typing", TextMode, [this] { Pane()->SetInputText(QStringLiteral("A")); }},
        {"rotate", TextMode, [this] { Trigger(Rotate); }},
        {"overlay colour", ImageMode, [this] { Pane()->SelectColor(2); }},
        {"overlay across", ImageMode, [this] { Pane()->SetOverlayPosition(3, 0); }},
        {"overlay down", ImageMode, [this] { Pane()->SetOverlayPosition(0, 2); }},
    };
    for (const auto& c : changes) {
        NewCanvas(32, 16, c.nMode);
        ASSERT_FALSE(frame->isWindowModified()) << c.szName;
        c.change();
        EXPECT_TRUE(frame->isWindowModified()) << c.szName;
    }
}

// A dropped folder, which is no picture, project or listing, is refused with a
// message and leaves the canvas alone; a project dropped onto unsaved work
// waits for the answer to "save first?".
TEST_F(CommandsTest, DroppedFilesThatCannotBeOpenedLeaveTheWorkAlone)
{
    const auto drop = [this](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &event);
    };
    Trigger(English);
    NewCanvas(24, 8, TextMode);
    const QString folder = dir.FilePath(QStringLiteral("sign.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    drop(folder);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().startsWith(QStringLiteral("The file cannot be drawn as a dot listing: ")))
        << messages.front().toStdString();
    EXPECT_EQ(Canvas()->Grid().Width(), 24);

    SProject project;
    project.m_grid.Create(40, 16, TextMode);
    project.m_input.m_szText = QStringLiteral("other");
    project.m_input.m_acrColor.assign(5, DotPalette[1]);
    const QString path = dir.FilePath(QStringLiteral("other.png"));
    QString error;
    ASSERT_TRUE(CProjectFile::Save(path, project, error)) << error.toStdString();
    Pane()->SetInputText(QStringLiteral("mine"));
    saveAnswer = ESaveChoice::Cancel;
    drop(path);
    EXPECT_EQ(saveQuestions.size(), 1);
    EXPECT_EQ(Canvas()->Grid().Width(), 24);
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("mine"));
    saveAnswer = ESaveChoice::Discard;
    drop(path);
    EXPECT_EQ(Canvas()->Grid().Width(), 40);
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("other"));
    EXPECT_EQ(messages.size(), 1);
}

// A recent-file entry past the end of the list opens nothing.
TEST_F(CommandsTest, RecentFileEntriesPastTheListOpenNothing)
{
    QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Tessik")).remove(QString());
    NewCanvas(24, 8, ImageMode);
    Trigger(RecentFile);
    QImage picture(40, 8, QImage::Format_RGB888);
    picture.fill(Qt::red);
    const QString path = dir.FilePath(QStringLiteral("one.bmp"));
    ASSERT_TRUE(picture.save(path, "BMP"));
    CUserSettings::AddRecentFile(path);
    Trigger(RecentFile + 1);
    EXPECT_EQ(Canvas()->Grid().Width(), 24);
    Trigger(RecentFile);
    EXPECT_EQ(Canvas()->Grid().Width(), 40);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
}

// The thumbnail strip redraws the edited frame; the preview window follows
// edits while it shows and the canvas size even while it is closed.
TEST_F(CommandsTest, StripAndPreviewFollowTheEditedFrame)
{
    NewCanvas(16, 8, ImageMode);
    Trigger(DuplicateFrame);
    CFrameStrip* strip = frame->FrameStrip();
    ASSERT_TRUE(strip->isVisible());
    ASSERT_EQ(strip->count(), 2);
    const auto thumb = [strip](int row) { return strip->item(row)->icon().pixmap(QSize(64, 32)).toImage(); };
    ASSERT_EQ(thumb(0), thumb(1));
    Trigger(SignPreview);
    CPreviewWindow* preview = frame->PreviewWindow();
    ASSERT_TRUE(preview && preview->isVisible());
    strip->setCurrentRow(0);
    ASSERT_EQ(Canvas()->Document().Frames().Current(), 0);
    const QImage shown = preview->Preview().Picture();
    Canvas()->Document().EditDot(3, 3, kSevenColours[0].Value());
    EXPECT_NE(thumb(0), thumb(1)) << "the edited frame's thumbnail is drawn again";
    EXPECT_NE(preview->Preview().Picture(), shown) << "the preview shows the edit";

    preview->close();
    ASSERT_EQ(preview->Preview().Picture().width(), 16 * preview->Preview().Pitch());
    QImage picture(40, 8, QImage::Format_RGB888);
    picture.fill(Qt::red);
    const QString path = dir.FilePath(QStringLiteral("wide.bmp"));
    ASSERT_TRUE(picture.save(path, "BMP"));
    Trigger(DeleteFrame);
    ASSERT_EQ(Canvas()->Document().Frames().Count(), 1);
    frame->Dialogs().askOpenFile = [path] { return path; };
    Trigger(Open);
    ASSERT_EQ(Canvas()->Grid().Width(), 40);
    EXPECT_EQ(preview->Preview().Picture().width(), 40 * preview->Preview().Pitch());
}

// Focus moved into a pane, by the keyboard or the program, makes that pane
// the active one as a press does: Merge Text follows it.
TEST_F(CommandsTest, MergeTextFollowsTheFocusBetweenThePanes)
{
    NewCanvas(32, 16, TextMode);
    Type(QStringLiteral("AB"));
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    Canvas()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Canvas()->hasFocus() || Canvas()->viewport()->hasFocus(); }, 2000));
    Trigger(MergeText);
    EXPECT_TRUE(Pane()->IsMergePending());
    Pane()->RichEdit()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Pane()->RichEdit()->hasFocus(); }, 2000));
    Trigger(MergeText);
    EXPECT_FALSE(Pane()->IsMergePending());
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
}
