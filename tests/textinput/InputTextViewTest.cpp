#include "base/DotPalette.h"
#include "textinput/FontComboBox.h"
#include "textinput/InputTextView.h"
#include "textinput/SignLayoutBar.h"
#include "textinput/TextRenderer.h"

#include "SevenColours.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// An input pane with every message it sends recorded in order.
struct Pane
{
    CInputTextView view;
    QStringList sent;
    std::vector<LogFont> fonts;
    std::vector<std::vector<COLORREF>> overlayColours; // every OverlayColorsChanged
    QTextEdit* mergeSource = nullptr;

    Pane()
    {
        view.resize(600, 150);
        QObject::connect(&view, &CInputTextView::OverlayTextChanged, [this](const QString& t) { sent << "text " + t; });
        QObject::connect(&view, &CInputTextView::OverlayColorChanged,
                         [this](COLORREF c) { sent << QStringLiteral("colour %1").arg(c, 6, 16, QLatin1Char('0')); });
        QObject::connect(&view, &CInputTextView::OverlayColorsChanged, [this](const std::vector<COLORREF>& c) {
            overlayColours.push_back(c);
            sent << QStringLiteral("colours");
        });
        QObject::connect(&view, &CInputTextView::MergeRequested, [this](QTextEdit* source, const LogFont& f) {
            mergeSource = source;
            fonts.push_back(f);
            sent << QStringLiteral("merge");
        });
        QObject::connect(&view, &CInputTextView::TextXChanged, [this](int x) { sent << QStringLiteral("X %1").arg(x); });
        QObject::connect(&view, &CInputTextView::TextYChanged, [this](int y) { sent << QStringLiteral("Y %1").arg(y); });
        QObject::connect(&view, &CInputTextView::FontApplied, [this](const LogFont& f) {
            fonts.push_back(f);
            sent << QStringLiteral("font %1").arg(f.lfHeight);
        });
        QObject::connect(&view, &CInputTextView::StretchChanged,
                         [this](int s) { sent << QStringLiteral("stretch %1").arg(s); });
    }
    void Type(const QString& text) { QTest::keyClicks(view.RichEdit(), text); }
    void Focus(QWidget* widget)
    {
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(widget, &focus);
    }
    std::vector<COLORREF> Colours() const { return CTextRenderer::NonBlankColors(*view.RichEdit()->document()); }
};

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
constexpr COLORREF kWhite = DotPalette[5];

} // namespace

TEST(InputPaneMerge, PendingAfterTypingClearedByMergeAndSetAgainByTheNextKey)
{
    Pane p;
    std::vector<bool> changes; // every MergePendingChanged, in order
    QObject::connect(&p.view, &CInputTextView::MergePendingChanged, [&changes](bool pending) { changes.push_back(pending); });
    EXPECT_FALSE(p.view.IsMergePending());
    EXPECT_FALSE(p.view.MergeAction()->isEnabled());
    p.Type(QStringLiteral("ab"));
    EXPECT_TRUE(p.view.IsMergePending());
    EXPECT_TRUE(p.view.MergeAction()->isEnabled());
    EXPECT_EQ(changes, std::vector<bool>{true}); // the second key changes nothing

    p.view.MergeAction()->trigger();
    EXPECT_FALSE(p.view.IsMergePending());
    EXPECT_EQ(p.sent, QStringList{QStringLiteral("merge")});
    EXPECT_EQ(p.mergeSource, p.view.RichEdit());
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));

    p.Type(QStringLiteral("c"));
    EXPECT_TRUE(p.view.IsMergePending());
    // A canvas of no width has nothing to merge into.
    p.view.OnGridSizeChanged(0, 0);
    EXPECT_FALSE(p.view.IsMergePending());
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
}

TEST(InputPaneMerge, ImageModeMergeResetsBothPositionsAndTellsTheCanvas)
{
    Pane p;
    p.view.SetInputMode(ImageMode);
    p.view.EditX()->setText(QStringLiteral("5"));
    p.sent.clear();
    p.view.OnMergeText();
    EXPECT_EQ(p.view.EditX()->text(), QStringLiteral("0"));
    EXPECT_EQ(p.view.EditY()->text(), QStringLiteral("0"));
    EXPECT_EQ(p.sent, (QStringList{"merge", "X 0", "Y 0"}));
}

// The operations batch mode uses stand for the controls: each has the
// effect of working the control.
TEST(InputPaneOperations, TextColoursStretchAndPositionActLikeTheControls)
{
    Pane p;
    p.view.SetInputText(QStringLiteral("a b"));
    EXPECT_EQ(p.view.RichEdit()->toPlainText(), QStringLiteral("a b"));
    // Colours in order, the last going on; blanks take a colour too.
    p.view.SetCharacterColors({1, 6});
    EXPECT_EQ(p.Colours(), (std::vector<COLORREF>{kGreen, DotPalette[6]}));
    p.view.SetCharacterColors({9}); // outside the palette: ignored
    EXPECT_EQ(p.Colours(), (std::vector<COLORREF>{kGreen, DotPalette[6]}));
    // A character outside the Basic Multilingual Plane takes one colour.
    p.view.SetInputText(QString::fromUtf8("\xF0\x9F\x98\x80\xE4\xB8\xAD"));
    p.view.SetCharacterColors({0, 3, 1}); // a colour per unit would give 中 green
    EXPECT_EQ(p.Colours(), (std::vector<COLORREF>{kRed, DotPalette[3]}));

    p.sent.clear();
    for (const int stretch : {-33, -32, 0, 64, 65})
        p.view.SetStretch(stretch);
    EXPECT_EQ(p.sent, (QStringList{"stretch -32", "stretch 0", "stretch 64"}));
    EXPECT_EQ(p.view.StretchCombo()->currentText(), QStringLiteral("+64"));

    p.view.SetInputMode(ImageMode);
    p.view.OnGridSizeChanged(64, 32);
    p.sent.clear();
    p.view.SetOverlayPosition(12, 9);
    EXPECT_EQ(p.sent, (QStringList{"X 12", "Y 9"}));
    p.sent.clear();
    p.view.SetCharacterColors({2, 3});
    // Each character its colour, told once.
    EXPECT_EQ(p.Colours(), (std::vector<COLORREF>{DotPalette[2], DotPalette[3]}));
    EXPECT_EQ(p.sent, (QStringList{"colour 00ffff", "colours"}));
    EXPECT_EQ(p.overlayColours.back(), (std::vector<COLORREF>{DotPalette[2], DotPalette[3]}));
}

TEST(InputPaneColours, ColourGoesToTheSelectionOrTheNextTypedText)
{
    Pane p;
    p.Type(QStringLiteral("ab"));
    p.view.SelectColor(0);
    p.Type(QStringLiteral("c"));
    EXPECT_EQ(p.Colours(), (std::vector<COLORREF>{kWhite, kWhite, kRed}));

    QTextCursor cursor = p.view.RichEdit()->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    p.view.RichEdit()->setTextCursor(cursor);
    p.view.SelectColor(1);
    EXPECT_EQ(p.Colours(), (std::vector<COLORREF>{kGreen, kWhite, kRed}));
    EXPECT_TRUE(p.view.ColorAction(1)->isChecked());
    EXPECT_FALSE(p.view.ColorAction(0)->isChecked());
    EXPECT_TRUE(p.sent.isEmpty()); // text mode tells the canvas nothing
}

TEST(InputPaneColours, SameColourKeepsTheMergedStateAndBadIndexesAreIgnored)
{
    Pane p;
    p.Type(QStringLiteral("ab"));
    p.view.OnMergeText();
    p.view.RichEdit()->selectAll();
    p.view.SelectColor(p.view.ColorIndex());
    EXPECT_FALSE(p.view.IsMergePending());
    p.view.SelectColor(7);
    p.view.SelectColor(-1);
    EXPECT_EQ(p.view.ColorIndex(), 5);
    EXPECT_FALSE(p.view.IsMergePending());
    p.view.SelectColor(2);
    EXPECT_TRUE(p.view.IsMergePending());
}

// Image mode colours like text mode: the selection, or what is typed next;
// the canvas hears every character's colour, line ends included, before
// the text, and a recolouring alone without the text.
TEST(InputPaneColours, ImageModeColoursTheSelectionAndSendsEachCharactersColour)
{
    Pane p;
    p.view.SetInputMode(ImageMode);
    p.Type(QStringLiteral("Hi"));
    EXPECT_EQ(p.sent, (QStringList{"colours", "text H", "colours", "text Hi"}));
    QTextCursor second(p.view.RichEdit()->document());
    second.setPosition(1);
    second.setPosition(2, QTextCursor::KeepAnchor);
    p.view.RichEdit()->setTextCursor(second);
    p.sent.clear();
    p.view.SelectColor(0);
    EXPECT_EQ(p.sent, (QStringList{"colour 0000ff", "colours"}));
    EXPECT_EQ(p.overlayColours.back(), (std::vector<COLORREF>{kWhite, kRed}));

    QTextCursor end(p.view.RichEdit()->document());
    end.movePosition(QTextCursor::End);
    p.view.RichEdit()->setTextCursor(end);
    QTest::keyClick(p.view.RichEdit(), Qt::Key_Return);
    p.Type(QStringLiteral("g"));
    p.view.SelectColor(1);
    p.Type(QStringLiteral("o"));
    EXPECT_EQ(p.sent.back(), QStringLiteral("text Hi\ngo"));
    EXPECT_EQ(p.overlayColours.back(), (std::vector<COLORREF>{kWhite, kRed, kWhite, kRed, kGreen}));
}

TEST(InputPaneColours, EachButtonGivesItsOwnColourInBothModes)
{
    Pane text;
    Pane image;
    image.view.SetInputMode(ImageMode);
    std::vector<COLORREF> typed;
    for (const SDotColour& colour : kSevenColours) {
        text.view.SelectColor(colour.index);
        text.Type(QStringLiteral("a"));
        typed.push_back(colour.Value());
        EXPECT_TRUE(text.view.ColorAction(colour.index)->isChecked()) << colour.name;

        image.view.SelectColor(colour.index);
        EXPECT_EQ(image.sent.back(), QStringLiteral("colour %1").arg(colour.Value(), 6, 16, QLatin1Char('0')))
            << colour.name;
    }
    EXPECT_EQ(text.Colours(), typed);
}

TEST(InputPaneMove, HomeSendsXBeforeYAndResetsTheLabel)
{
    Pane p;
    p.view.MoveText(CInputTextView::KeyLeft);
    p.view.MoveText(CInputTextView::KeyDown);
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:-1 Y:1"));
    p.sent.clear();
    p.view.MoveText(CInputTextView::KeyHome);
    EXPECT_EQ(p.sent, (QStringList{"X 0", "Y 0"}));
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:0 Y:0"));
    p.view.MoveText(CInputTextView::KeyRight);
    p.sent.clear();
    p.view.MoveText(65);
    EXPECT_TRUE(p.sent.isEmpty());
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:1 Y:0"));
}

TEST(InputPaneMove, ArrowKeysMoveTextOnlyInTextModeWithSomethingTyped)
{
    Pane p;
    QTest::keyClick(p.view.RichEdit(), Qt::Key_Left);
    EXPECT_TRUE(p.sent.isEmpty());

    p.Type(QStringLiteral("ab"));
    QTest::keyClick(p.view.RichEdit(), Qt::Key_Left);
    EXPECT_EQ(p.sent, QStringList{"X -1"});
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:-1 Y:0"));
    EXPECT_EQ(p.view.RichEdit()->textCursor().position(), 1); // the caret moves as usual
    QTest::keyClick(p.view.RichEdit(), Qt::Key_Up);
    EXPECT_EQ(p.sent.back(), QStringLiteral("Y -1"));

    // A key reaching a list box moves the text once, whatever the box does with it.
    p.sent.clear();
    QTest::keyClick(p.view.SizeCombo(), Qt::Key_Left);
    EXPECT_EQ(p.sent, QStringList{"X -2"});
    // A held key moves the text at each repeat.
    std::vector<std::unique_ptr<QKeyEvent>> repeats;
    for (int repeat = 0; repeat < 3; ++repeat) {
        repeats.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true));
        QApplication::sendEvent(p.view.RichEdit(), repeats.back().get());
    }
    EXPECT_EQ(p.sent, (QStringList{"X -2", "Y 0", "Y 1", "Y 2"}));

    p.view.SetInputMode(ImageMode);
    p.sent.clear();
    QTest::keyClick(p.view.RichEdit(), Qt::Key_Right);
    EXPECT_TRUE(p.sent.isEmpty());
}

TEST(InputPaneFont, FontDialogHeightIsKeptPositiveButSentAsGiven)
{
    Pane p;
    LogFont chosen;
    chosen.lfFaceName = QStringLiteral("dejavu sans");
    chosen.lfHeight = -16;
    chosen.lfWeight = 700;
    p.view.ApplyFont(chosen);
    EXPECT_EQ(p.view.CurrentFont().lfHeight, 16);
    EXPECT_EQ(p.view.CurrentFont().lfWeight, 700);
    // What is typed next shows in the chosen weight.
    p.view.SelectColor(2);
    EXPECT_EQ(p.view.RichEdit()->currentCharFormat().fontWeight(), QFont::Bold);
    ASSERT_EQ(p.fonts.size(), 1u);
    EXPECT_EQ(p.fonts[0].lfHeight, -16);
    EXPECT_TRUE(p.view.FontCombo()->currentText().startsWith(QStringLiteral("DejaVu Sans")));
    EXPECT_TRUE(p.view.IsMergePending());

    // A font the list does not hold leaves the list showing none.
    chosen.lfFaceName = QStringLiteral("No Such Face Anywhere");
    p.view.ApplyFont(chosen);
    EXPECT_EQ(p.view.FontCombo()->currentIndex(), -1);
}

// A canvas's text put back (an undo, a project) shows its offsets and stretch.
TEST(InputPaneOperations, RestoredCanvasTextShowsItsOffsetsAndStretch)
{
    Pane p;
    CCanvasText restored;
    restored.m_nGlyphOffsetX = 3;
    restored.m_nGlyphOffsetY = -2;
    restored.m_nStretch = 5;
    p.view.OnCanvasTextRestored(restored);
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:3 Y:-2"));
    EXPECT_EQ(p.view.StretchCombo()->currentText(), QStringLiteral("+5"));
}

TEST(InputPaneFont, SizeFromTheListOrTypedReachesTheCanvas)
{
    Pane p;
    QComboBox* sizes = p.view.SizeCombo();
    ASSERT_EQ(sizes->count(), 8);
    EXPECT_EQ(sizes->lineEdit()->text(), QString::number(p.view.CurrentFont().lfHeight));
    emit sizes->activated(3);
    EXPECT_EQ(p.sent.back(), QStringLiteral("font 24"));
    sizes->lineEdit()->clear();
    QTest::keyClicks(sizes->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(p.view.CurrentFont().lfHeight, 0);
    sizes->lineEdit()->clear();
    QTest::keyClicks(sizes->lineEdit(), QStringLiteral("20"));
    EXPECT_EQ(p.sent.back(), QStringLiteral("font 20"));
    // A number past the largest height reads as none, as a word does; the largest is kept.
    for (const auto& [typed, height] : {std::pair{"2147483648", 0}, std::pair{"3000000000", 0},
                                        std::pair{"2147483647", 2147483647}}) {
        sizes->lineEdit()->clear();
        QTest::keyClicks(sizes->lineEdit(), QLatin1String(typed));
        EXPECT_EQ(p.view.CurrentFont().lfHeight, height) << typed;
    }
}

TEST(InputPaneControls, StretchListRunsFromMinus32ToPlus64)
{
    Pane p;
    QComboBox* stretch = p.view.StretchCombo();
    ASSERT_EQ(stretch->count(), 97);
    EXPECT_EQ(stretch->currentText(), QStringLiteral("0"));
    EXPECT_EQ(stretch->itemText(0), QStringLiteral("-32"));
    EXPECT_EQ(stretch->itemText(96), QStringLiteral("+64"));
    stretch->setCurrentIndex(37);
    stretch->setCurrentIndex(28);
    EXPECT_EQ(p.sent, (QStringList{"stretch 5", "stretch -4"}));
}

TEST(InputPaneControls, SliderFollowsTheFocusedEditWithinTheCanvas)
{
    Pane p;
    p.view.SetInputMode(ImageMode);
    p.view.OnGridSizeChanged(16, 24);
    p.Focus(p.view.EditX());
    QSlider* slider = p.view.Slider();
    EXPECT_FALSE(slider->isHidden());
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 6);
    EXPECT_EQ(slider->x(), 435);
    slider->setValue(4);
    EXPECT_EQ(p.view.EditX()->text(), QStringLiteral("4"));
    EXPECT_EQ(p.sent.back(), QStringLiteral("X 4"));

    p.view.OnGridSizeChanged(32, 24);
    EXPECT_EQ(slider->maximum(), 22);
    EXPECT_EQ(p.view.EditX()->text(), QStringLiteral("4"));

    p.Focus(p.view.EditY());
    EXPECT_EQ(slider->maximum(), 14);
    EXPECT_EQ(slider->x(), 435);
    p.view.EditY()->setText(QStringLiteral("9"));
    EXPECT_EQ(slider->value(), 9);
    EXPECT_EQ(p.sent.back(), QStringLiteral("Y 9"));
    // A position set from elsewhere (a merge puts the text back at 0, 0) moves the slider too.
    p.view.OnMergeText();
    EXPECT_EQ(p.view.EditY()->text(), QStringLiteral("0"));
    EXPECT_EQ(slider->value(), 0);

    p.Focus(p.view.RichEdit());
    EXPECT_TRUE(slider->isHidden());
}

// The strip's controls at their places, the slider's size and height beside
// the edit it serves, and the typing area filling the rest on every resize.
TEST(InputPaneControls, EveryControlAtItsPlace)
{
    Pane p;
    EXPECT_EQ(p.view.FontCombo()->geometry(), QRect(205, 2, 100, 20));
    EXPECT_EQ(p.view.SizeCombo()->geometry(), QRect(310, 2, 50, 20));
    EXPECT_EQ(p.view.EditX()->geometry(), QRect(365, 3, 30, 17));
    EXPECT_EQ(p.view.EditY()->geometry(), QRect(400, 3, 30, 17));
    EXPECT_EQ(p.view.StretchCombo()->geometry(), QRect(365, 2, 50, 20));
    EXPECT_EQ(p.view.LayoutBar()->pos(), QPoint(540, -1));
    const auto* label = p.view.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(420, 6, 105, 14));
    const auto* colours = p.view.findChild<QToolBar*>();
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(colours->pos(), QPoint(1, -1));
    p.view.show();
    for (const QSize size : {QSize(600, 150), QSize(301, 40), QSize(1000, 26)}) {
        p.view.resize(size);
        EXPECT_EQ(p.view.RichEdit()->geometry(), QRect(1, 25, size.width() - 2, size.height() - 26)) << size.width();
    }
    p.view.SetInputMode(ImageMode);
    p.view.OnGridSizeChanged(64, 32);
    p.Focus(p.view.EditY());
    EXPECT_EQ(p.view.Slider()->geometry(), QRect(435, 1, 100, 20));
    // Above the controls it covers.
    EXPECT_EQ(p.view.children().last(), p.view.Slider());
}

TEST(InputPaneControls, InputStopsAt1024Characters)
{
    Pane p;
    p.Type(QString(1000, QLatin1Char('a')));
    p.view.RichEdit()->textCursor().insertText(QString(100, QLatin1Char('b')));
    const QString text = p.view.RichEdit()->toPlainText();
    EXPECT_EQ(text.size(), 1024);
    EXPECT_EQ(text.count(QLatin1Char('b')), 24);
}

TEST(FontCombo, ListsFamiliesSortedWithTheOutlineMark)
{
    CFontComboBox box;
    box.resize(100, 22);
    box.FillFontList();
    ASSERT_GT(box.count(), 1);
    EXPECT_EQ(box.currentIndex(), 0);
    for (int i = 1; i < box.count(); ++i)
        EXPECT_LE(box.itemText(i - 1).compare(box.itemText(i), Qt::CaseInsensitive), 0) << i;
    const int dejavu = box.findText(QStringLiteral("DejaVu Sans"));
    ASSERT_GE(dejavu, 0);
    EXPECT_EQ(box.FontTypeOf(dejavu), CFontComboBox::TrueTypeFontType);
}

namespace {

// Columns of an item drawing that hold any pixel other than the background.
std::vector<bool> InkedColumns(const CFontComboBox& box, int index, bool selected, QColor background)
{
    QImage image(100, 20, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    box.DrawItem(painter, image.rect(), index, selected);
    painter.end();
    std::vector<bool> inked(100, false);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 20; ++y)
            inked[static_cast<std::size_t>(x)] = inked[static_cast<std::size_t>(x)] || image.pixelColor(x, y) != background;
    return inked;
}

bool AnyIn(const std::vector<bool>& inked, int from, int to)
{
    return std::any_of(inked.begin() + from, inked.begin() + to, [](bool b) { return b; });
}

} // namespace

TEST(FontCombo, ItemsShowTheMarkOnlyForOutlineFontsAndTheNameAt25)
{
    CFontComboBox box;
    box.FillFontList();
    const int index = box.findText(QStringLiteral("DejaVu Sans"));
    ASSERT_GE(index, 0);
    const QColor base = box.palette().base().color();
    const std::vector<bool> outline = InkedColumns(box, index, false, base);
    EXPECT_TRUE(AnyIn(outline, 5, 20));
    EXPECT_FALSE(AnyIn(outline, 0, 5));
    EXPECT_FALSE(AnyIn(outline, 20, 25));
    EXPECT_TRUE(AnyIn(outline, 25, 100));

    box.setItemData(index, CFontComboBox::RasterFontType);
    const std::vector<bool> raster = InkedColumns(box, index, false, base);
    EXPECT_FALSE(AnyIn(raster, 0, 25));
    EXPECT_TRUE(AnyIn(raster, 25, 100));

    const QColor highlight = box.palette().highlight().color();
    EXPECT_FALSE(AnyIn(InkedColumns(box, index, true, highlight), 0, 25));
}

// The open list draws each item exactly as the closed box does, mark and all.
TEST(FontCombo, TheOpenListDrawsItemsAsTheClosedBox)
{
    CFontComboBox box;
    box.FillFontList();
    const int index = box.findText(QStringLiteral("DejaVu Sans"));
    ASSERT_GE(index, 0);
    for (const bool selected : {false, true}) {
        QImage direct(100, 20, QImage::Format_RGB32), listed(100, 20, QImage::Format_RGB32);
        direct.fill(Qt::magenta);
        listed.fill(Qt::magenta);
        QPainter painter(&direct);
        box.DrawItem(painter, direct.rect(), index, selected);
        painter.end();
        QStyleOptionViewItem option;
        option.rect = listed.rect();
        option.state = selected ? QStyle::State_Selected : QStyle::State_None;
        QPainter listPainter(&listed);
        box.view()->itemDelegate()->paint(&listPainter, option, box.model()->index(index, 0));
        listPainter.end();
        EXPECT_EQ(listed, direct) << selected;
    }

    // The open list is never narrower than the box, nor than a scroll bar and a few letters.
    for (const int width : {8, 300}) {
        box.resize(width, 22);
        static_cast<QComboBox&>(box).showPopup();
        EXPECT_TRUE(box.view()->isVisible()) << width;
        const int floor = box.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 15;
        EXPECT_GE(box.view()->minimumWidth(), std::max(width, floor)) << width;
        EXPECT_GE(box.view()->width(), std::max(width, floor)) << width;
        box.hidePopup();
    }
    // With no family chosen the closed box shows no name; the first family shows its own.
    box.resize(120, 22);
    box.setCurrentIndex(-1);
    const QImage none = box.grab().toImage();
    for (const int chosen : {0, index}) {
        box.setCurrentIndex(chosen);
        EXPECT_NE(box.grab().toImage(), none) << chosen;
    }
}

// The size box's edit field receives keys itself (typed there, or from an
// input method); those it leaves alone go on to the box. Each moves the text
// exactly once.
TEST(InputPaneMove, ArrowKeysInTheSizeBoxEditFieldMoveTheTextOnce)
{
    Pane p;
    p.Type(QStringLiteral("ab"));
    QLineEdit* field = p.view.SizeCombo()->lineEdit();
    ASSERT_NE(field, nullptr);
    p.sent.clear();
    QTest::keyClick(field, Qt::Key_Left);
    EXPECT_EQ(p.sent, QStringList{"X -1"});
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(p.sent, (QStringList{"X -1", "X 0", "X 1"}));
    p.sent.clear();
    QTest::keyClick(field, Qt::Key_Up); // the field passes it on to the box
    ASSERT_FALSE(p.sent.isEmpty());
    EXPECT_EQ(p.sent.front(), QStringLiteral("Y -1"));
    EXPECT_EQ(p.sent.count(QStringLiteral("Y -1")), 1);
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:1 Y:-1"));
}

// The first item of each list is as choosable as the others: the first face,
// the smallest stretch; a face matching several items picks the first after
// the top one, and the top one only when it alone matches.
TEST(InputPaneControls, FirstItemsOfTheListsAreChoosable)
{
    Pane p;
    CFontComboBox* faces = p.view.FontCombo();
    ASSERT_GE(faces->count(), 2);
    emit faces->activated(0);
    EXPECT_EQ(p.view.CurrentFont().lfFaceName, faces->itemText(0).left(LogFont::kFaceNameLength));
    EXPECT_EQ(p.sent.back().left(5), QStringLiteral("font "));
    emit faces->activated(1);
    EXPECT_EQ(p.view.CurrentFont().lfFaceName, faces->itemText(1).left(LogFont::kFaceNameLength));
    // Chosen from outside: the top face alone matches it.
    LogFont font = p.view.CurrentFont();
    font.lfFaceName = faces->itemText(0);
    p.view.ApplyFont(font);
    EXPECT_EQ(faces->currentIndex(), 0);
    font.lfFaceName = QString();
    p.view.ApplyFont(font);
    EXPECT_EQ(faces->currentIndex(), 1);

    QComboBox* stretch = p.view.StretchCombo();
    stretch->setCurrentIndex(0);
    stretch->setCurrentIndex(96);
    EXPECT_EQ(p.sent.mid(p.sent.size() - 2), (QStringList{"stretch -32", "stretch 64"}));
    QComboBox* sizes = p.view.SizeCombo();
    emit sizes->activated(0);
    EXPECT_EQ(p.sent.back(), QStringLiteral("font 8"));
    emit sizes->activated(7);
    EXPECT_EQ(p.sent.back(), QStringLiteral("font 72"));
}

// The strip behind the controls: button face, a light edge on top and left,
// a dark one at the bottom (row 23) and right; the typing area white on black.
TEST(InputPaneControls, StripEdgesAndTypingColours)
{
    Pane p;
    p.view.resize(600, 100);
    const QImage shot = p.view.grab(QRect(0, 0, 600, 30)).toImage();
    const QPalette& palette = p.view.palette();
    const QRgb light = palette.light().color().rgb(), dark = palette.dark().color().rgb();
    const QRgb face = palette.button().color().rgb();
    ASSERT_NE(light, dark);
    ASSERT_NE(face, dark);
    ASSERT_NE(face, light);
    EXPECT_EQ(shot.pixel(180, 0), light);
    EXPECT_EQ(shot.pixel(0, 12), light);
    EXPECT_EQ(shot.pixel(180, 23), dark);
    EXPECT_EQ(shot.pixel(599, 12), dark);
    EXPECT_EQ(shot.pixel(180, 22), face);
    EXPECT_EQ(shot.pixel(598, 12), face);
    EXPECT_EQ(shot.pixel(1, 12), face);
    EXPECT_EQ(shot.pixel(180, 1), face);
    const QPalette typing = p.view.RichEdit()->palette();
    EXPECT_EQ(typing.color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(typing.color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(p.view.RichEdit()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// The buttons carry their command ids and each its own picture, with the
// strip's grey see-through.
TEST(InputPaneControls, ButtonsCarryTheirCommandsAndPictures)
{
    Pane p;
    QList<QImage> pictures;
    for (int i = 0; i < kPaletteSize; ++i) {
        EXPECT_EQ(p.view.ColorAction(i)->data().toInt(), 2200 + i) << i;
        pictures << p.view.ColorAction(i)->icon().pixmap(QSize(16, 15)).toImage();
    }
    EXPECT_EQ(p.view.ColorAction(-1), nullptr);
    EXPECT_EQ(p.view.ColorAction(7), nullptr);
    EXPECT_EQ(p.view.MergeAction()->data().toInt(), 2207);
    EXPECT_EQ(p.view.MergeAction()->statusTip(), QStringLiteral("Merge Text"));
    pictures << p.view.MergeAction()->icon().pixmap(QSize(16, 15)).toImage();
    for (int i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(pictures[i].size(), QSize(16, 15)) << i;
        bool seeThrough = false;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                seeThrough = seeThrough || qAlpha(pictures[i].pixel(x, y)) == 0;
        EXPECT_TRUE(seeThrough) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << ' ' << j;
    }
    const auto* bar = p.view.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    EXPECT_FALSE(bar->isMovable());
    // The colours in palette order, a separator, then Merge.
    const QList<QAction*> order = bar->actions();
    ASSERT_EQ(order.size(), kPaletteSize + 2);
    for (int i = 0; i < kPaletteSize; ++i)
        EXPECT_EQ(order[i], p.view.ColorAction(i)) << i;
    EXPECT_TRUE(order[kPaletteSize]->isSeparator());
    EXPECT_EQ(order[kPaletteSize + 1], p.view.MergeAction());
}

// Keys the typing area does not take: Tab moves the focus on, Shift+Tab
// back; with nothing typed since the merge, undo and redo keys are the canvas's.
TEST(InputPaneKeys, TabsMoveTheFocusAndHistoryKeysGoToTheCanvas)
{
    Pane p;
    p.view.show();
    QTextEdit* edit = p.view.RichEdit();
    QObject& filter = p.view;
    for (const QKeyCombination key : {QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
                                      QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z),
                                      QKeyCombination(Qt::ControlModifier, Qt::Key_Z)}) {
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress}) {
            QKeyEvent press(type, key.key(), key.keyboardModifiers());
            press.setAccepted(true);
            EXPECT_TRUE(filter.eventFilter(edit, &press)) << key.toCombined();
            EXPECT_FALSE(press.isAccepted()) << key.toCombined();
        }
    }
    p.Type(QStringLiteral("a"));
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(filter.eventFilter(edit, &typed));
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    EXPECT_FALSE(filter.eventFilter(edit, &released));

    for (const auto modifiers : {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier}) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, modifiers);
        EXPECT_TRUE(filter.eventFilter(edit, &tab)) << modifiers;
        QKeyEvent backTab(QEvent::KeyPress, Qt::Key_Backtab, modifiers);
        EXPECT_TRUE(filter.eventFilter(edit, &backTab)) << modifiers;
    }
    // Forward and back land on different controls, neither the typing area.
    QApplication::setActiveWindow(&p.view);
    QWidget* landed[2] = {};
    for (const int back : {0, 1}) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        landed[back] = QApplication::focusWidget();
        EXPECT_NE(landed[back], edit) << back;
    }
    EXPECT_NE(landed[0], landed[1]);
    // On to the face box, back round to the stretch box (text mode's last).
    ASSERT_NE(landed[0], nullptr);
    ASSERT_NE(landed[1], nullptr);
    EXPECT_TRUE(landed[0] == p.view.FontCombo() || p.view.FontCombo()->isAncestorOf(landed[0]))
        << landed[0]->metaObject()->className();
    EXPECT_EQ(landed[1], p.view.StretchCombo())
        << landed[1]->metaObject()->className();
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("a"));
}

// A held arrow tells the repeat around its move; a plain press does not.
TEST(InputPaneMove, AHeldArrowIsARepeatedMove)
{
    Pane p;
    QList<bool> repeating;
    QObject::connect(&p.view, &CInputTextView::MoveRepeating, [&](bool r) { repeating << r; });
    p.Type(QStringLiteral("a"));
    QTest::keyClick(p.view.RichEdit(), Qt::Key_Right);
    EXPECT_TRUE(repeating.isEmpty());
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(p.view.RichEdit(), &held);
    EXPECT_EQ(repeating, (QList<bool>{true, false}));
    EXPECT_EQ(p.view.PosLabel()->text(), QStringLiteral("X:2 Y:0"));
}

// A linked text that goes first leaves the pane working a text of its own;
// the merge button follows what the text has pending.
TEST(InputPaneModel, AClosingTextLeavesThePaneItsOwn)
{
    Pane p;
    auto linked = std::make_unique<CInputText>();
    linked->SetText(QStringLiteral("linked"));
    p.view.SetModel(*linked);
    EXPECT_EQ(p.view.RichEdit()->toPlainText(), QStringLiteral("linked"));
    EXPECT_TRUE(p.view.MergeAction()->isEnabled());
    p.view.OnMergeText();
    EXPECT_FALSE(p.view.MergeAction()->isEnabled());
    linked.reset();
    EXPECT_EQ(p.view.RichEdit()->toPlainText(), QString());
    p.Type(QStringLiteral("own"));
    EXPECT_EQ(p.view.Model().TypedText()->toPlainText(), QStringLiteral("own"));
    EXPECT_TRUE(p.view.MergeAction()->isEnabled());
}

// Image mode's X/Y slider goes away when the user turns to a colour or
// merges; its range follows the canvas on the axis it serves.
TEST(InputPaneControls, SliderLeavesForColoursAndMergesAndFollowsItsAxis)
{
    Pane p;
    p.view.SetInputMode(ImageMode);
    p.view.OnGridSizeChanged(40, 30);
    p.Focus(p.view.EditY());
    QSlider* slider = p.view.Slider();
    EXPECT_EQ(slider->maximum(), 20);
    p.view.OnGridSizeChanged(50, 60);
    EXPECT_EQ(slider->maximum(), 50);
    EXPECT_FALSE(slider->isHidden());
    p.view.SelectColor(3);
    EXPECT_TRUE(slider->isHidden());
    p.Focus(p.view.EditX());
    EXPECT_EQ(slider->maximum(), 40);
    p.Type(QStringLiteral("a"));
    p.view.OnMergeText();
    EXPECT_TRUE(slider->isHidden());
    // In text mode the slider stays as it is when the canvas changes.
    p.Focus(p.view.EditX());
    p.view.SetInputMode(TextMode);
    EXPECT_TRUE(slider->isHidden());
    p.view.OnGridSizeChanged(90, 60);
    EXPECT_EQ(slider->maximum(), 40);
}

// Layout options set on the pane show on its bar and are told once.
TEST(InputPaneControls, LayoutOptionsShowOnTheBar)
{
    Pane p;
    QList<SSignLayoutOptions> told;
    QObject::connect(&p.view, &CInputTextView::LayoutOptionsChanged, [&](const SSignLayoutOptions& o) { told << o; });
    SSignLayoutOptions o;
    o.nAlignH = SSignLayoutOptions::AlignEnd;
    o.nSpacing = 2;
    p.view.SetLayoutOptions(o);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0] == o);
    EXPECT_TRUE(p.view.LayoutBar()->ButtonAction(CSignLayoutBar::Right)->isChecked());
    EXPECT_EQ(p.view.LayoutBar()->SpacingBox()->value(), 2);
    EXPECT_TRUE(p.view.LayoutOptions() == o);
    // The bar's own controls reach the text.
    p.view.LayoutBar()->LineSpacingBox()->setValue(-3);
    EXPECT_EQ(p.view.LayoutOptions().nLineSpacing, -3);
    EXPECT_EQ(told.size(), 2);
    // A state put back shows its options on the bar.
    CCanvasText text;
    text.m_layout.nAlignV = SSignLayoutOptions::AlignCentre;
    p.view.RestoreInputState(p.view.InputState(), text);
    EXPECT_TRUE(p.view.LayoutBar()->ButtonAction(CSignLayoutBar::Middle)->isChecked());
    EXPECT_FALSE(p.view.LayoutBar()->ButtonAction(CSignLayoutBar::Right)->isChecked());
}
