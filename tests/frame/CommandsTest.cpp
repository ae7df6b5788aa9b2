#include "FrameFixture.h"

#include <QActionGroup>
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
