#include "dotdata/DotTextWorker.h"
#include "dotdata/ListingDocument.h"
#include "dotdata/ListingView.h"

#include "base/Languages.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

constexpr int kTopLeftMargin = 4; // the text starts this far from the viewport's edges

// Three block lines, an empty line and a footer, as a listing has them.
const QString kListing = QStringLiteral("1-1-1-R, 1-1-2-G, 1-1-3-B\n"
                                        "2-8-8-W\n"
                                        "\n"
                                        "3-1-1-Y, 3-1-2-C, 3-1-3-P, 3-1-4-R\n"
                                        "/*****  end  *****/");

// A window with a listing pane above a second widget that can take the focus
// away from it.
struct SPaneAboveAnother
{
    SPaneAboveAnother()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(view);
        layout->addWidget(other);
        other->setFocusPolicy(Qt::StrongFocus);
    }
    QWidget window;
    CListingView* view = new CListingView(&window);
    QWidget* other = new QWidget(&window);
};

class ListingViewTest : public ::testing::Test
{
protected:
    ListingViewTest()
    {
        m_view.setFont(CListingDocument::ListingFont());
        m_view.resize(400, 200);
    }
    double Advance() const
    {
        return QFontMetricsF(m_view.font()).horizontalAdvance(QString(64, QLatin1Char('0'))) / 64;
    }
    // The middle of a character of the listing, in viewport coordinates.
    QPoint PointAt(int line, int column) const
    {
        return QPoint(kTopLeftMargin + static_cast<int>((column + 0.5) * Advance()),
                      kTopLeftMargin + line * m_view.LineHeight() + m_view.LineHeight() / 2);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&m_view, static_cast<Qt::Key>(key), modifiers);
    }

    CListingView m_view;
};

} // namespace

// The worker hands the listing over in chunks that end anywhere: inside an
// entry, right before or right after a line break.
TEST_F(ListingViewTest, ChunksEndingAnywhereMakeTheSameLinesAsOneText)
{
    const QStringList expectedLines = kListing.split(QLatin1Char('\n'));
    for (const int cut : {1, 7, 25, 26, 27, 34, 35, 60}) {
        for (const int second : {cut + 1, cut + 9, static_cast<int>(kListing.size())}) {
            m_view.Clear();
            m_view.AppendText(kListing.left(cut));
            m_view.AppendText(kListing.mid(cut, second - cut));
            m_view.AppendText(kListing.mid(second));
            ASSERT_EQ(m_view.PlainText(), kListing) << cut << " " << second;
            ASSERT_EQ(m_view.LineCount(), expectedLines.size());
            for (int line = 0; line < m_view.LineCount(); ++line)
                EXPECT_EQ(m_view.LineText(line), expectedLines[line]) << cut << " " << second << " line " << line;
            // A selection across all three chunks.
            m_view.SetCaret(cut - 1);
            m_view.SetCaret(second + 2, true);
            EXPECT_EQ(m_view.SelectedText(), kListing.mid(cut - 1, second + 3 - cut).left(kListing.size()));
        }
    }
    m_view.Clear();
    EXPECT_EQ(m_view.LineCount(), 1);
    EXPECT_TRUE(m_view.LineText(0).isEmpty());
    EXPECT_EQ(m_view.Size(), 0);
}

TEST_F(ListingViewTest, KeysMoveByCharacterLineAndEntryAndShiftSelects)
{
    m_view.SetPlainText(kListing);
    m_view.setFocus();

    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(m_view.CaretPosition(), 2);
    Key(Qt::Key_Right, Qt::ControlModifier); // to the next entry
    EXPECT_EQ(m_view.CaretPosition(), 9);
    Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("1-1-2-G, "));
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 9);
    EXPECT_TRUE(m_view.SelectedText().isEmpty());

    // Down keeps the column through shorter and empty lines: column 12 of the
    // first line, the end of "2-8-8-W", the empty line, then column 12 again.
    m_view.SetCaret(12);
    const int second = 26;
    Key(Qt::Key_Down);
    EXPECT_EQ(m_view.CaretPosition(), second + 7);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_view.CaretPosition(), second + 8);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_view.CaretPosition(), second + 9 + 12);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(m_view.CaretPosition(), 12);

    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("-2-G, 1-1-3-B"));
    Key(Qt::Key_Home);
    EXPECT_EQ(m_view.CaretPosition(), 0);
    Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_view.SelectedText(), kListing);
    Key(Qt::Key_Right); // past the end stays at the end
    EXPECT_EQ(m_view.CaretPosition(), kListing.size());
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), kListing.size() - 6) << "the start of \"*****/\"";
}

// Page Down moves the caret by the whole lines the pane shows, and by one
// line when it is too short to show even that.
TEST_F(ListingViewTest, PageKeysMoveByTheWholeLinesInViewAndAtLeastOne)
{
    QString lines;
    for (int i = 1; i <= 20; ++i)
        lines += QStringLiteral("%1-1-1-R\n").arg(i);
    m_view.SetPlainText(lines);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const int frame = m_view.height() - m_view.viewport()->height();
    const int height = m_view.LineHeight();
    const struct
    {
        int viewportHeight;
        int lines;
    } cases[] = {
        {kTopLeftMargin + height / 2, 1},     {kTopLeftMargin + height - 1, 1}, {kTopLeftMargin + height, 1},
        {kTopLeftMargin + 2 * height - 1, 1}, {kTopLeftMargin + 2 * height, 2}, {kTopLeftMargin + 3 * height + 1, 3},
    };
    for (const auto& c : cases) {
        m_view.resize(400, c.viewportHeight + frame);
        QCoreApplication::processEvents();
        ASSERT_EQ(m_view.viewport()->height(), c.viewportHeight);
        m_view.SetCaret(0);
        Key(Qt::Key_PageDown);
        EXPECT_EQ(m_view.CaretLine(), c.lines) << c.viewportHeight << " pixels";
        EXPECT_EQ(m_view.verticalScrollBar()->pageStep(), c.lines) << c.viewportHeight << " pixels";
    }
}

// With the pane focused, Ctrl+C, Ctrl+A and plain moving keys are the pane's,
// not the window's shortcuts of the same keys (the canvas's Copy and Select
// All); Ctrl+PgDown stays the window's (the next frame).
TEST_F(ListingViewTest, CopyAndSelectAllAreThePanesWhileItHasTheFocus)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* view = new CListingView(&window);
    layout->addWidget(view);
    int windowShortcuts = 0;
    for (const QKeySequence& key : {QKeySequence(QKeySequence::Copy), QKeySequence(QKeySequence::SelectAll),
                                   QKeySequence(Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
        auto* action = new QAction(&window);
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, [&windowShortcuts] { ++windowShortcuts; });
        window.addAction(action);
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    view->SetPlainText(kListing);
    view->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier); // nothing selected: the clipboard keeps its text
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    view->SetCaret(28);
    view->SetCaret(35, true);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("8-8-W\n\n"));
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view->SelectedText(), kListing);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(view->CaretLine(), view->LineCount() - 1);
    EXPECT_EQ(windowShortcuts, 0);
    QTest::keyClick(view, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(windowShortcuts, 1);
}

TEST_F(ListingViewTest, ClicksDragsAndDoubleClicksSelectWhatTheyCover)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    m_view.SetPlainText(kListing);
    QWidget* area = m_view.viewport();

    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, PointAt(3, 12)); // inside "3-1-2-C"
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("3-1-2-C"));

    // From the left half of column 2 of the first line to the right half of
    // column 3 of the second: the caret goes before column 2 and after column 3.
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, PointAt(0, 2) - QPoint(2, 0));
    QMouseEvent drag(QEvent::MouseMove, PointAt(1, 3) + QPoint(2, 0), area->mapToGlobal(PointAt(1, 3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &drag);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, PointAt(1, 3) + QPoint(2, 0));
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("1-1-R, 1-1-2-G, 1-1-3-B\n2-8-"));

    // Shift+click extends from the anchor; a click below the text goes to its last line.
    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, PointAt(9, 5));
    const int lastLine = static_cast<int>(kListing.lastIndexOf(QLatin1Char('\n'))) + 1;
    EXPECT_EQ(m_view.SelectedText(), kListing.mid(2, lastLine + 5 - 2));

    // A line's last pixel row is still that line; the next row is the next line.
    const int x = PointAt(0, 4).x();
    for (const int line : {0, 1, 3}) {
        const int top = kTopLeftMargin + line * m_view.LineHeight();
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(x, top));
        EXPECT_EQ(m_view.CaretLine(), line);
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(x, top + m_view.LineHeight() - 1));
        EXPECT_EQ(m_view.CaretLine(), line);
    }
}

// Only the columns in view are drawn: scrolled across by a whole number of
// characters, a long line shows the same ink as the same characters at the
// start of a line.
TEST_F(ListingViewTest, ALongLineScrolledAcrossShowsTheColumnsInView)
{
    const QString tail = QStringLiteral("7-8-8-W, ").repeated(30);
    // Which pixel columns have ink.
    const auto inkColumns = [](const QImage& image) {
        QList<bool> columns;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < image.height() && !ink; ++y)
                ink = qGray(image.pixel(x, y)) < 128;
            columns << ink;
        }
        return columns;
    };
    m_view.horizontalScrollBar()->hide();
    m_view.SetPlainText(tail);
    const QImage atStart = m_view.viewport()->grab().toImage();

    // 495 dots and an entry: the tail starts at column 504.
    m_view.SetPlainText(QString(495, QLatin1Char('.')) + QStringLiteral("6-1-1-R, ") + tail);
    const double shift = 504 * Advance();
    ASSERT_GE(m_view.horizontalScrollBar()->maximum(), static_cast<int>(shift));
    m_view.horizontalScrollBar()->setValue(static_cast<int>(std::lround(shift)));
    const QImage across = m_view.viewport()->grab().toImage();

    // Glyphs sit at fractions of a pixel: a column may differ from its neighbour's.
    const QList<bool> expected = inkColumns(atStart);
    const QList<bool> shown = inkColumns(across);
    int differing = 0;
    for (int x = 1; x + 1 < expected.size(); ++x)
        differing += (shown[x] == expected[x] || shown[x - 1] == expected[x] || shown[x + 1] == expected[x]) ? 0 : 1;
    EXPECT_LT(differing, expected.size() / 50) << "of " << expected.size() << " pixel columns";
    EXPECT_GT(std::count(shown.begin(), shown.end(), true), expected.size() / 2);
}

// The caret never leaves the view: End scrolls across a long line just far
// enough to show it (a longer line below could scroll further), moves inside
// the view scroll nothing, Home scrolls back; going down past the last line
// in view scrolls just far enough to show the caret's line at the bottom.
TEST_F(ListingViewTest, TheCaretIsKeptInViewAcrossAndDown)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const QString entries = QStringLiteral("7-8-8-W, ");
    m_view.SetPlainText(entries.repeated(40) + QLatin1Char('\n') + entries.repeated(60));
    QScrollBar* across = m_view.horizontalScrollBar();
    const int width = m_view.viewport()->width();
    Key(Qt::Key_End);
    const double caret = kTopLeftMargin + 40 * entries.size() * Advance(); // in the whole line's pixels
    const int value = across->value();
    ASSERT_LT(value, across->maximum());
    EXPECT_LE(caret - value, width - kTopLeftMargin + 1.0);
    EXPECT_GE(caret - value, width - kTopLeftMargin - 2.0);
    for (int step = 0; step < 5; ++step)
        Key(Qt::Key_Left);
    EXPECT_EQ(across->value(), value);
    Key(Qt::Key_Home);
    EXPECT_EQ(across->value(), 0);

    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QStringLiteral("%1-1-1-R").arg(i);
    m_view.SetPlainText(lines.join(QLatin1Char('\n')));
    QScrollBar* down = m_view.verticalScrollBar();
    const int inView = (m_view.viewport()->height() - kTopLeftMargin) / m_view.LineHeight();
    ASSERT_GT(inView, 2);
    for (int line = 1; line <= inView + 3; ++line) {
        Key(Qt::Key_Down);
        EXPECT_EQ(down->value(), std::max(0, line - inView + 1)) << line;
    }
    for (int line = inView + 2; line >= 0; --line) {
        Key(Qt::Key_Up);
        EXPECT_EQ(down->value(), std::min(line, 4)) << line;
    }
}

// The selection shows as a band of the highlight colour over exactly its
// characters; a selected line break adds a little room after its line.
TEST_F(ListingViewTest, TheSelectionIsPaintedOverItsCharactersOnly)
{
    m_view.SetPlainText(kListing);
    m_view.setFocus();
    // The pane as it shows with the characters from..to selected.
    const auto selecting = [this](int from, int to) {
        m_view.SetCaret(from);
        m_view.SetCaret(to, true);
        return m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QRgb highlight = m_view.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const auto highlighted = [&](const QImage& image, int line, int column) {
        const QPoint p = PointAt(line, column);
        // Any pixel of the character cell's row band in the highlight colour.
        for (int dy = -m_view.LineHeight() / 2 + 1; dy < m_view.LineHeight() / 2; ++dy)
            if (image.pixel(p.x(), p.y() + dy) == highlight)
                return true;
        return false;
    };
    QImage shown = selecting(9, 16); // "1-1-2-G" on the first line
    EXPECT_TRUE(highlighted(shown, 0, 9));
    EXPECT_TRUE(highlighted(shown, 0, 15));
    EXPECT_FALSE(highlighted(shown, 0, 8));
    EXPECT_FALSE(highlighted(shown, 0, 16));
    EXPECT_FALSE(highlighted(shown, 1, 10));

    // From "2-8-8-W" through its line break: the band reaches past the line's end.
    shown = selecting(26 + 2, 26 + 8);
    EXPECT_FALSE(highlighted(shown, 1, 1));
    EXPECT_TRUE(highlighted(shown, 1, 2));
    EXPECT_TRUE(highlighted(shown, 1, 6));
    const QPoint afterEnd(kTopLeftMargin + static_cast<int>(7.2 * Advance()), PointAt(1, 7).y());
    EXPECT_EQ(shown.pixel(afterEnd), highlight);
    EXPECT_FALSE(highlighted(shown, 0, 20));
    EXPECT_FALSE(highlighted(shown, 3, 0));
    // Up to the line's end but not its break: no room after it.
    shown = selecting(26 + 2, 26 + 7);
    EXPECT_TRUE(highlighted(shown, 1, 6));
    EXPECT_NE(shown.pixel(afterEnd), highlight);
}

namespace {

// Counts the paints of a widget, to see which changes ask for one.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Take()
    {
        QCoreApplication::processEvents();
        return std::exchange(m_nPaints, 0);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_nPaints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    int m_nPaints = 0;
};

} // namespace

// A fresh pane takes the keyboard focus by tab and click, shows an I-beam over
// its text, paints its own base-coloured background and has nothing to scroll.
TEST_F(ListingViewTest, AFreshPaneIsAnEmptyFocusableTextArea)
{
    CListingView fresh;
    EXPECT_EQ(fresh.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(fresh.viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(fresh.viewport()->backgroundRole(), QPalette::Base);
    EXPECT_TRUE(fresh.viewport()->autoFillBackground());
    EXPECT_EQ(fresh.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(fresh.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(fresh.verticalScrollBar()->singleStep(), 1);
    EXPECT_EQ(fresh.verticalScrollBar()->pageStep(),
              std::max(1, (fresh.viewport()->height() - kTopLeftMargin) / fresh.LineHeight()));
    EXPECT_EQ(fresh.horizontalScrollBar()->pageStep(), fresh.viewport()->width());
    EXPECT_GT(fresh.LineHeight(), 1) << "the font was measured";
    EXPECT_EQ(fresh.LineCount(), 1);
    EXPECT_TRUE(fresh.LineText(0).isEmpty());
}

// Lines outside the text read as empty; the last line is the text after the last break.
TEST_F(ListingViewTest, LinesOutsideTheTextAreEmpty)
{
    m_view.SetPlainText(kListing);
    EXPECT_TRUE(m_view.LineText(-1).isEmpty());
    EXPECT_EQ(m_view.LineText(0), QStringLiteral("1-1-1-R, 1-1-2-G, 1-1-3-B"));
    EXPECT_EQ(m_view.LineText(4), QStringLiteral("/*****  end  *****/"));
    EXPECT_TRUE(m_view.LineText(5).isEmpty());
    m_view.SetPlainText(QStringLiteral("1-1-1-R\n"));
    EXPECT_EQ(m_view.LineCount(), 2);
    EXPECT_EQ(m_view.LineText(0), QStringLiteral("1-1-1-R"));
    EXPECT_TRUE(m_view.LineText(1).isEmpty());
    m_view.AppendText(QString());
    EXPECT_EQ(m_view.Size(), 8);
}

// Taking the text hands over the chunks as given and leaves an empty pane
// scrolled back to its start.
TEST_F(ListingViewTest, TakingTheTextHandsOverTheChunksAndEmptiesThePane)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("%1-1-1-R, ").arg(i).repeated(12);
    m_view.AppendText(lines.mid(0, 30).join(QLatin1Char('\n')));
    m_view.AppendText(QStringLiteral("\n") + lines.mid(30).join(QLatin1Char('\n')));
    m_view.setEnabled(false);
    m_view.setEnabled(true);
    m_view.SetCaret(m_view.Size());
    ASSERT_GT(m_view.verticalScrollBar()->value(), 0);
    ASSERT_GT(m_view.horizontalScrollBar()->value(), 0);

    const std::vector<QString> chunks = m_view.TakeText();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0] + chunks[1], lines.join(QLatin1Char('\n')));
    EXPECT_EQ(m_view.Size(), 0);
    EXPECT_EQ(m_view.LineCount(), 1);
    EXPECT_EQ(m_view.CaretPosition(), 0);
    EXPECT_TRUE(m_view.SelectedText().isEmpty());
    EXPECT_EQ(m_view.verticalScrollBar()->value(), 0);
    EXPECT_EQ(m_view.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(m_view.horizontalScrollBar()->maximum(), 0);
    // A short text after a long one scrolls only as far as it reaches.
    m_view.SetPlainText(QStringLiteral("1-1-1-R"));
    EXPECT_EQ(m_view.horizontalScrollBar()->maximum(), 0);
    m_view.SetCaret(3);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_view.CaretPosition(), 3) << "the column wanted before the text was taken is forgotten";
}

// The scroll bars reach the last line and the longest line's end plus the
// margins, page by what shows and step by a line and by two characters.
TEST_F(ListingViewTest, TheScrollBarsReachTheLastLineAndTheLongestLine)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QCoreApplication::processEvents();
    const int height = m_view.LineHeight();
    const double advance = Advance();
    const int frame = m_view.height() - m_view.viewport()->height();
    const int frameWidth = m_view.width() - m_view.viewport()->width();
    for (const int longest : {10, 60, 61, 200}) {
        for (const int lineCount : {1, 5, 6, 7, 40}) {
            QStringList lines(lineCount, QStringLiteral("1-1-1-R"));
            lines[lineCount / 2] = QString(longest, QLatin1Char('8'));
            m_view.SetPlainText(lines.join(QLatin1Char('\n')));
            // Six whole lines show, with the top margin.
            m_view.resize(300 + frameWidth, kTopLeftMargin + 6 * height + height / 2 + frame);
            QCoreApplication::processEvents();
            const int width = m_view.viewport()->width();
            ASSERT_EQ(width, 300);
            const QScrollBar* down = m_view.verticalScrollBar();
            EXPECT_EQ(down->maximum(), std::max(0, lineCount - 6)) << longest << " " << lineCount;
            EXPECT_EQ(down->pageStep(), 6);
            EXPECT_EQ(down->singleStep(), 1);
            const QScrollBar* across = m_view.horizontalScrollBar();
            const int wanted = 2 * kTopLeftMargin + static_cast<int>(std::ceil(longest * advance)) + 1;
            EXPECT_EQ(across->maximum(), std::max(0, wanted - width)) << longest << " " << lineCount;
            EXPECT_EQ(across->pageStep(), width);
            EXPECT_EQ(across->singleStep(), static_cast<int>(2 * advance));
        }
    }
}

// Text streamed in reaches the scroll bars shortly after, and the longest
// line counts the part of a line in an earlier chunk.
TEST_F(ListingViewTest, StreamedTextReachesTheScrollBars)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const int width = m_view.viewport()->width();
    const int visible = (m_view.viewport()->height() - kTopLeftMargin) / m_view.LineHeight();
    m_view.AppendText(QStringLiteral("1-1-1-R\n").repeated(visible + 3) + QString(100, QLatin1Char('8')));
    m_view.AppendText(QString(100, QLatin1Char('8')) + QStringLiteral("\n1-1-1-R"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_view.verticalScrollBar()->maximum() > 0; }, 5000));
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), visible + 5 - visible);
    const int wanted = 2 * kTopLeftMargin + static_cast<int>(std::ceil(200 * Advance())) + 1;
    EXPECT_EQ(m_view.horizontalScrollBar()->maximum(), wanted - width);
}

// The caret is a one-pixel bar of the text colour at the caret's place, a
// line high, drawn only while the pane has the focus.
TEST_F(ListingViewTest, TheCaretIsALinesHeightBarWhileFocused)
{
    SPaneAboveAnother pane;
    auto& [window, view, other] = pane;
    view->setFont(CListingDocument::ListingFont());
    window.resize(400, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("%1-1-1-R, ").arg(i).repeated(10);
    view->SetPlainText(lines.join(QLatin1Char('\n')));
    const int height = view->LineHeight();
    const double advance = Advance();
    const int start2 = static_cast<int>(lines[0].size() + lines[1].size()) + 2;

    view->SetCaret(start2 + 3);
    EXPECT_EQ(view->CaretRect(), QRect(static_cast<int>(std::floor(kTopLeftMargin + 3 * advance)),
                                       kTopLeftMargin + 2 * height, 1, height));
    view->verticalScrollBar()->setValue(1);
    view->horizontalScrollBar()->setValue(7);
    EXPECT_EQ(view->CaretRect(), QRect(static_cast<int>(std::floor(kTopLeftMargin + 3 * advance - 7)),
                                       kTopLeftMargin + height, 1, height));

    const QRgb text = view->palette().color(QPalette::Active, QPalette::Text).rgb();
    const QRgb base = view->palette().color(QPalette::Active, QPalette::Base).rgb();
    // Between two entries, after a space: nothing but the caret can be there.
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    view->SetCaret(start2 + 9);
    const QRect caret = view->CaretRect();
    const QPoint inBar(caret.x(), caret.y() + height / 2);
    const auto pixel = [view](QPoint at) {
        return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(at);
    };
    other->setFocus();
    EXPECT_EQ(pixel(inBar), base);
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    EXPECT_EQ(pixel(inBar), text);
    EXPECT_EQ(pixel(QPoint(caret.x(), caret.top())), text);
    EXPECT_EQ(pixel(QPoint(caret.x(), caret.bottom())), text);
    EXPECT_EQ(pixel(QPoint(caret.x(), caret.bottom() + 1)), base);
}

// The context menu offers Copy while something is selected and Select All
// while there is text, in the interface language, with the usual keys.
TEST_F(ListingViewTest, TheContextMenuOffersCopyAndSelectAllAsTheyApply)
{
    const struct
    {
        int language;
        const char* copy;
        const char* all;
    } languages[] = {
        {kLanguageEnglish, "Cop&y", "Select &All"},
        {kLanguageSimplified, "复制(&Y)", "全选(&A)"},
        {kLanguageTraditional, "複製(&Y)", "全選(&A)"},
    };
    for (const auto& l : languages) {
        m_view.SetLanguage(l.language);
        m_view.Clear();
        std::unique_ptr<QMenu> menu = m_view.MakeContextMenu();
        QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), 2);
        EXPECT_EQ(actions[0]->text(), QString::fromUtf8(l.copy));
        EXPECT_EQ(actions[1]->text(), QString::fromUtf8(l.all));
        EXPECT_EQ(actions[0]->shortcut(), QKeySequence(QKeySequence::Copy));
        EXPECT_EQ(actions[1]->shortcut(), QKeySequence(QKeySequence::SelectAll));
        EXPECT_FALSE(actions[0]->isEnabled());
        EXPECT_FALSE(actions[1]->isEnabled());
    }
    m_view.SetPlainText(QStringLiteral("1"));
    std::unique_ptr<QMenu> menu = m_view.MakeContextMenu();
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[1]->isEnabled());
    menu->actions()[1]->trigger();
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("1"));
    m_view.SetPlainText(kListing);
    m_view.SetCaret(9);
    m_view.SetCaret(16, true);
    menu = m_view.MakeContextMenu();
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    menu->actions()[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1-1-2-G"));
    // The selection may run backwards.
    m_view.SetCaret(26 + 7);
    m_view.SetCaret(26, true);
    m_view.MakeContextMenu()->actions()[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2-8-8-W"));
}

// Every moving key is the pane's while it has the focus, without Ctrl, Alt
// or Meta; other keys and the moving keys with those stay the window's.
TEST_F(ListingViewTest, TheMovingKeysAreThePanesUnlessModified)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* view = new CListingView(&window);
    layout->addWidget(view);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    view->SetPlainText(kListing);
    view->setFocus();
    const Qt::Key moving[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                              Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
    const auto windowTakes = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        int fired = 0;
        QAction action(&window);
        action.setShortcut(QKeySequence(key | modifiers));
        QObject::connect(&action, &QAction::triggered, [&fired] { ++fired; });
        window.addAction(&action);
        QTest::keyClick(view, key, modifiers);
        window.removeAction(&action);
        return fired == 1;
    };
    for (const Qt::Key key : moving) {
        EXPECT_FALSE(windowTakes(key, Qt::NoModifier)) << key;
        EXPECT_FALSE(windowTakes(key, Qt::ShiftModifier)) << key;
        EXPECT_TRUE(windowTakes(key, Qt::ControlModifier)) << key;
        EXPECT_TRUE(windowTakes(key, Qt::AltModifier)) << key;
        EXPECT_TRUE(windowTakes(key, Qt::MetaModifier)) << key;
    }
    EXPECT_TRUE(windowTakes(Qt::Key_Delete, Qt::NoModifier));
    EXPECT_TRUE(windowTakes(Qt::Key_X, Qt::ControlModifier));
}

// Moving keys at the text's ends stay there; Alt with a moving key moves
// nothing; Home and End go to the ends of the caret's line, with Ctrl to the
// ends of the text; Page Up scrolls back by a page.
TEST_F(ListingViewTest, MovingKeysStopAtTheEndsOfTheLineAndText)
{
    m_view.SetPlainText(kListing);
    Key(Qt::Key_Left);
    EXPECT_EQ(m_view.CaretPosition(), 0);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 0);
    m_view.SetCaret(4);
    Key(Qt::Key_Up);
    EXPECT_EQ(m_view.CaretPosition(), 4);
    Key(Qt::Key_Right, Qt::AltModifier);
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(m_view.CaretPosition(), 4);
    Key(Qt::Key_Left);
    EXPECT_EQ(m_view.CaretPosition(), 3);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("-1"));

    const int fourth = 26 + 8 + 1; // "3-1-1-Y, ..."
    m_view.SetCaret(fourth + 10);
    Key(Qt::Key_Home);
    EXPECT_EQ(m_view.CaretPosition(), fourth);
    Key(Qt::Key_End);
    EXPECT_EQ(m_view.CaretPosition(), fourth + 34);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 0);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), kListing.size());
    Key(Qt::Key_Down);
    EXPECT_EQ(m_view.CaretPosition(), kListing.size());
    Key(Qt::Key_Up);
    EXPECT_EQ(m_view.CaretPosition(), fourth + 19) << "the column of the end of the last line";
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(m_view.SelectedText(), kListing.mid(fourth, 19));

    // Ctrl+Left from inside an entry goes to its start; from its start to
    // the previous one's; entries may also be split by tabs.
    m_view.SetPlainText(QStringLiteral("1-1-1-R\t1-1-2-G,1-1-3-B"));
    m_view.SetCaret(11);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 8);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 0);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 8);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 16);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(m_view.CaretPosition(), 23);
}

TEST_F(ListingViewTest, PageUpAndDownScrollByAPageAndMoveTheCaretAsFar)
{
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("%1-1-1-R").arg(i);
    m_view.SetPlainText(lines.join(QLatin1Char('\n')));
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const int page = (m_view.viewport()->height() - kTopLeftMargin) / m_view.LineHeight();
    ASSERT_GT(page, 3);
    QScrollBar* down = m_view.verticalScrollBar();
    m_view.SetCaret(2);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_view.CaretLine(), page);
    EXPECT_EQ(down->value(), page);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_view.CaretLine(), 2 * page);
    EXPECT_EQ(down->value(), 2 * page);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(m_view.CaretLine(), page);
    EXPECT_EQ(down->value(), page);
    EXPECT_EQ(m_view.CaretPosition() - static_cast<int>(lines.mid(0, page).join(QLatin1Char('\n')).size()) - 1, 2);
    Key(Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(m_view.CaretPosition(), 2);
    EXPECT_EQ(m_view.SelectedText().count(QLatin1Char('\n')), page);
    EXPECT_EQ(down->value(), 0);
}

// Only the left button selects; a point above the first line in view is the
// line before it, a point left of the text the start of the line.
TEST_F(ListingViewTest, TheLeftButtonPlacesTheCaretWhereItPoints)
{
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("%1-1-1-R, %1-1-2-G").arg(i, 2, 10, QLatin1Char('0'));
    const QString text = lines.join(QLatin1Char('\n'));
    const int lineLength = static_cast<int>(lines[0].size()) + 1;
    m_view.SetPlainText(text);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    QWidget* area = m_view.viewport();
    m_view.SetCaret(5);
    QTest::mouseClick(area, Qt::RightButton, Qt::NoModifier, PointAt(2, 3));
    QTest::mouseDClick(area, Qt::RightButton, Qt::NoModifier, PointAt(2, 3));
    EXPECT_EQ(m_view.CaretPosition(), 5);
    EXPECT_TRUE(m_view.SelectedText().isEmpty());

    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(1, kTopLeftMargin));
    EXPECT_EQ(m_view.CaretPosition(), 0);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(PointAt(0, 3).x(), kTopLeftMargin - 1));
    EXPECT_EQ(m_view.CaretPosition(), 3) << "above the first line: still the first line";
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(PointAt(0, 3).x() + 2, kTopLeftMargin + 2));
    EXPECT_EQ(m_view.CaretPosition(), 4) << "the right half of a character is after it";
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(area->width() - 1, PointAt(1, 0).y()));
    EXPECT_EQ(m_view.CaretPosition(), 2 * lineLength - 1) << "past a line's end: its end";

    m_view.verticalScrollBar()->setValue(10);
    m_view.horizontalScrollBar()->setValue(0);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(PointAt(0, 3).x(), kTopLeftMargin - 1));
    EXPECT_EQ(m_view.CaretLine(), 9);
    m_view.verticalScrollBar()->setValue(10);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(PointAt(0, 3).x(), kTopLeftMargin));
    EXPECT_EQ(m_view.CaretLine(), 10);
    EXPECT_EQ(m_view.CaretPosition(), 10 * lineLength + 3);

    // A double click on the first or the last entry of the text.
    m_view.verticalScrollBar()->setValue(0);
    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, PointAt(0, 1));
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("01-1-1-R"));
    m_view.SetCaret(text.size());
    const int top = m_view.verticalScrollBar()->value();
    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, PointAt(59 - top, 14));
    EXPECT_EQ(m_view.SelectedText(), QStringLiteral("60-1-2-G"));
    // A drag with another button held selects nothing.
    m_view.SetCaret(0);
    QMouseEvent hover(QEvent::MouseMove, PointAt(0, 6), area->mapToGlobal(PointAt(0, 6)), Qt::NoButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &hover);
    EXPECT_EQ(m_view.CaretPosition(), 0);
}

// In a font whose characters differ in width, and on lines with characters
// beyond ASCII, a column's place is measured.
TEST_F(ListingViewTest, ColumnsAreMeasuredInAProportionalFontAndBeyondAscii)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    QWidget* area = m_view.viewport();
    const auto clickBetween = [&](const QFont& font, const QString& line, int column) {
        m_view.setFont(font);
        m_view.SetPlainText(line);
        QFont unkerned = font;
        unkerned.setKerning(false);
        const QFontMetricsF metrics(unkerned);
        const double left = metrics.horizontalAdvance(line.left(column));
        const double right = metrics.horizontalAdvance(line.left(column + 1));
        // A quarter into the character, then three quarters.
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier,
                          QPoint(static_cast<int>(kTopLeftMargin + left + (right - left) / 4), 8));
        const int before = m_view.CaretPosition();
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier,
                          QPoint(static_cast<int>(std::ceil(kTopLeftMargin + left + 3 * (right - left) / 4)), 8));
        const int after = m_view.CaretPosition();
        m_view.SetCaret(column);
        const int caretX = m_view.CaretRect().x();
        EXPECT_EQ(caretX, static_cast<int>(std::floor(kTopLeftMargin + left))) << line.toStdString();
        return std::make_pair(before, after);
    };
    QFont proportional(QStringLiteral("DejaVu Sans"));
    proportional.setPixelSize(20);
    const QString mixed = QStringLiteral("iiiiiiWWWWWWiiiiii");
    EXPECT_EQ(clickBetween(proportional, mixed, 9), std::make_pair(9, 10));
    EXPECT_EQ(clickBetween(proportional, mixed, 14), std::make_pair(14, 15));
    // Kerning would pull these pairs together: the pane measures without it.
    EXPECT_EQ(clickBetween(proportional, QStringLiteral("AVAVAVAVAVAVAV"), 11), std::make_pair(11, 12));
    const QFont fixed = CListingDocument::ListingFont();
    const QString chinese = QStringLiteral("点阵点阵 1-1-1-R");
    EXPECT_EQ(clickBetween(fixed, chinese, 2), std::make_pair(2, 3));
    EXPECT_EQ(clickBetween(fixed, chinese, 7), std::make_pair(7, 8));
    EXPECT_EQ(clickBetween(fixed, QStringLiteral("1-1-1-R ~ 1-1-2-G"), 12), std::make_pair(12, 13));
    // A click right of a measured line's end, or just past the middle of its
    // last character, puts the caret after that character.
    m_view.SetPlainText(chinese + QStringLiteral("\nx"));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(380, 8));
    EXPECT_EQ(m_view.CaretPosition(), chinese.size());
    m_view.setFont(proportional);
    m_view.SetPlainText(mixed + QStringLiteral("\nx"));
    QFont unkerned = proportional;
    unkerned.setKerning(false);
    const double lastLeft = QFontMetricsF(unkerned).horizontalAdvance(mixed.left(mixed.size() - 1));
    const double lastRight = QFontMetricsF(unkerned).horizontalAdvance(mixed);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier,
                      QPoint(static_cast<int>(std::ceil(kTopLeftMargin + (3 * lastRight + lastLeft) / 4)), 8));
    EXPECT_EQ(m_view.CaretPosition(), mixed.size());
}

// The pane redraws when what it shows changes, and not for text streaming in
// below the view.
TEST_F(ListingViewTest, ThePaneRedrawsWhenWhatItShowsChanges)
{
    SPaneAboveAnother pane;
    auto& [window, view, other] = pane;
    window.resize(400, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines << QStringLiteral("%1-1-1-R").arg(i);
    view->SetPlainText(lines.join(QLatin1Char('\n')));
    PaintCounter paints(view->viewport());
    paints.Take();
    view->SetCaret(3);
    EXPECT_GT(paints.Take(), 0) << "caret";
    view->SelectAll();
    EXPECT_GT(paints.Take(), 0) << "select all";
    other->setFocus();
    paints.Take();
    view->setFocus();
    EXPECT_GT(paints.Take(), 0) << "focus in";
    other->setFocus();
    EXPECT_GT(paints.Take(), 0) << "focus out";
    QPalette palette = view->palette();
    palette.setColor(QPalette::Text, Qt::darkRed);
    view->setPalette(palette);
    EXPECT_GT(paints.Take(), 0) << "palette";
    view->setEnabled(false);
    EXPECT_GT(paints.Take(), 0) << "disabled";
    view->setEnabled(true);
    paints.Take();
    QFont font = view->font();
    font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() + 2 : 20);
    view->setFont(font);
    EXPECT_GT(paints.Take(), 0) << "font";
    view->AppendText(QStringLiteral("\n11-1-1-R"));
    EXPECT_GT(paints.Take(), 0) << "text in view";
    const int visible = (view->viewport()->height() - kTopLeftMargin) / view->LineHeight();
    view->AppendText(QStringLiteral("\n12-1-1-R").repeated(visible));
    paints.Take();
    view->AppendText(QStringLiteral("\n99-1-1-R"));
    EXPECT_EQ(paints.Take(), 0) << "text below the view";
    view->Clear();
    EXPECT_GT(paints.Take(), 0) << "clear";
}

// A disabled pane draws its text and selection in the disabled colours; a
// new font changes the line height and the scroll bars at once.
TEST_F(ListingViewTest, ADisabledPaneAndANewFontShowAtOnce)
{
    m_view.SetPlainText(QStringLiteral("8888888888\n8888888888"));
    m_view.SelectAll();
    QPalette palette = m_view.palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(200, 0, 0));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(0, 0, 200));
    palette.setColor(QPalette::Inactive, QPalette::Text, QColor(0, 0, 200));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0, 200, 0));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 200, 0));
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(200, 200, 0));
    m_view.setPalette(palette);
    const auto has = [this](QRgb wanted, int fromLine) {
        const QImage image = m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = kTopLeftMargin + fromLine * m_view.LineHeight(); y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == wanted)
                    return true;
        return false;
    };
    EXPECT_TRUE(has(qRgb(200, 200, 0), 0));
    m_view.setEnabled(false);
    EXPECT_TRUE(has(qRgb(0, 200, 0), 0));
    EXPECT_FALSE(has(qRgb(200, 200, 0), 0));
    m_view.SetCaret(0);
    EXPECT_TRUE(has(qRgb(200, 0, 0), 0));
    EXPECT_FALSE(has(qRgb(0, 0, 200), 0));
    m_view.setEnabled(true);
    EXPECT_TRUE(has(qRgb(0, 0, 200), 1)) << "both lines are drawn";

    const int before = m_view.LineHeight();
    QFont bigger = m_view.font();
    bigger.setPixelSize(bigger.pixelSize() * 3);
    m_view.setFont(bigger);
    EXPECT_EQ(m_view.LineHeight(), QFontMetrics(bigger).height());
    EXPECT_GT(m_view.LineHeight(), 2 * before);
    const double advance = QFontMetricsF(bigger).horizontalAdvance(QString(64, QLatin1Char('0'))) / 64;
    const int wanted = 2 * kTopLeftMargin + static_cast<int>(std::ceil(10 * advance)) + 1;
    EXPECT_EQ(m_view.horizontalScrollBar()->maximum(), std::max(0, wanted - m_view.viewport()->width()));
}

// Scrolling to show the caret goes just far enough: a caret past the right
// edge ends up the margin inside it; one left of the view the margin inside the left.
TEST_F(ListingViewTest, ScrollingToTheCaretGoesJustFarEnough)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    m_view.SetPlainText(QStringLiteral("7-8-8-W, ").repeated(100));
    const double advance = Advance();
    const int width = m_view.viewport()->width();
    QScrollBar* across = m_view.horizontalScrollBar();
    for (const int column : {100, 300, 500}) {
        m_view.SetCaret(0);
        ASSERT_EQ(across->value(), 0);
        m_view.SetCaret(column);
        const double x = kTopLeftMargin + column * advance;
        EXPECT_EQ(across->value(), static_cast<int>(std::ceil(x)) - width + kTopLeftMargin) << column;
        m_view.SetCaret(column - 60);
        const double back = kTopLeftMargin + (column - 60) * advance;
        EXPECT_EQ(across->value(), static_cast<int>(back) - kTopLeftMargin) << column;
    }
    // A caret just inside either edge scrolls nothing.
    across->setValue(100);
    const int inside = static_cast<int>(std::ceil((100 + 1.0) / advance));
    m_view.SetCaret(inside);
    EXPECT_EQ(across->value(), 100);
    const int lastInside = static_cast<int>(std::floor((100 + width - 2 * kTopLeftMargin) / advance));
    m_view.SetCaret(lastInside);
    EXPECT_EQ(across->value(), 100);
    m_view.SetCaret(lastInside + 1);
    EXPECT_GT(across->value(), 100);
}

// The line partly shown at the bottom is drawn too; a selected line does
// not leave its colours or clip to the lines after it.
TEST_F(ListingViewTest, ThePartlyShownLineAndTheLinesAfterASelectionAreDrawn)
{
    m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const int height = m_view.LineHeight();
    m_view.resize(300, kTopLeftMargin + 2 * height + height * 2 / 3 + (m_view.height() - m_view.viewport()->height()));
    m_view.SetPlainText(QStringLiteral("8888\n8888\n8888\n8888"));
    m_view.SetCaret(1);
    m_view.SetCaret(3, true);
    const QImage image = m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_LT(image.height(), kTopLeftMargin + 3 * height);
    const auto inkOfLine = [&](int line) {
        int ink = 0;
        for (int y = kTopLeftMargin + line * height; y < std::min(image.height(), kTopLeftMargin + (line + 1) * height); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkOfLine(0), 0);
    EXPECT_GT(inkOfLine(1), 0) << "the line after the selection";
    EXPECT_GT(inkOfLine(2), 0) << "the partly shown line";
}

// A selection starting at a line's break shows only the room after that
// line's end, half a character wide.
TEST_F(ListingViewTest, ASelectedLineBreakShowsAsHalfACharacterAfterTheLine)
{
    m_view.SetPlainText(kListing);
    const QRgb highlight = m_view.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    m_view.SetCaret(26 + 7); // the end of "2-8-8-W"
    m_view.SetCaret(26 + 9, true);
    const QImage image = m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const double advance = Advance();
    const int y = PointAt(1, 0).y();
    const double end = kTopLeftMargin + 7 * advance;
    EXPECT_EQ(image.pixel(static_cast<int>(end + 0.1 * advance), y), highlight);
    EXPECT_EQ(image.pixel(static_cast<int>(end + 0.45 * advance), y), highlight);
    EXPECT_NE(image.pixel(static_cast<int>(std::ceil(end + 0.5 * advance)) + 1, y), highlight);
    EXPECT_NE(image.pixel(static_cast<int>(end) - 2, y), highlight);
    EXPECT_NE(image.pixel(PointAt(3, 0)), highlight) << "the empty line's start is not the selection's end";
}

// A click forgets the column kept while moving up and down; Ctrl+Left from
// just after a leading blank or break goes to the text's start.
TEST_F(ListingViewTest, AClickForgetsTheColumnKeptForUpAndDown)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    m_view.SetPlainText(kListing);
    m_view.SetCaret(12);
    Key(Qt::Key_Down);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, 3) - QPoint(2, 0));
    ASSERT_EQ(m_view.CaretPosition(), 3);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_view.CaretPosition(), 26 + 3);
    for (const QString& text : {QStringLiteral(" 1-1-1-R"), QStringLiteral("\n1-1-1-R"), QStringLiteral(",1-1-1-R")}) {
        m_view.SetPlainText(text);
        m_view.SetCaret(1);
        Key(Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(m_view.CaretPosition(), 0) << text.toStdString();
    }
}

// Scrolling redraws; text appended on the line partly shown at the bottom
// redraws, text on the line after it does not.
TEST_F(ListingViewTest, ScrollingAndTextOnTheLastShownLineRedraw)
{
    m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const int height = m_view.LineHeight();
    m_view.resize(m_view.width(), kTopLeftMargin + 3 * height + height / 2 + (m_view.height() - m_view.viewport()->height()));
    QCoreApplication::processEvents();
    PaintCounter paints(m_view.viewport());
    // Three whole lines show (0 to 2) and a part of line 3.
    for (const int lines : {4, 5}) {
        m_view.SetPlainText(QStringLiteral("1-1-1-R\n").repeated(lines - 1));
        paints.Take();
        m_view.AppendText(QStringLiteral("2-1-1-R"));
        EXPECT_EQ(paints.Take() > 0, lines == 4) << lines << " lines";
    }
    m_view.setEnabled(false);
    m_view.setEnabled(true);
    paints.Take();
    m_view.verticalScrollBar()->setValue(1);
    EXPECT_GT(paints.Take(), 0);
    ASSERT_GT(m_view.verticalScrollBar()->maximum(), 0);
}

// Scrolled across to the middle of a character, the pane still draws the
// half of it that shows at its left edge.
TEST_F(ListingViewTest, AHalfShownCharacterAtTheLeftEdgeIsDrawn)
{
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    m_view.SetPlainText(QString(600, QLatin1Char('8')));
    const double advance = Advance();
    m_view.horizontalScrollBar()->setValue(static_cast<int>(std::lround(kTopLeftMargin + 100 * advance + advance / 2)));
    const QImage image = m_view.viewport()->grab().toImage();
    int ink = 0;
    for (int x = 0; x < static_cast<int>(advance / 2) - 1; ++x)
        for (int y = kTopLeftMargin; y < kTopLeftMargin + m_view.LineHeight(); ++y)
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(ink, 0);
}

// A worker whose pane is gone (or was never given) still lists to the end,
// says so, and takes no second run while one is going on nor an empty grid.
TEST(DotTextWorker, RunsToTheEndWithoutAPaneAndRefusesOverlappingRuns)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(16, 8, ImageMode));
    grid.SetDot(0, 7, DotPalette[0]);
    for (const bool paneGoesAway : {false, true}) {
        auto* pane = paneGoesAway ? new CListingView : nullptr;
        CDotTextWorker worker(pane);
        worker.SetChunkChars(1);
        QSignalSpy finished(&worker, &CDotTextWorker::Finished);
        QSignalSpy status(&worker, &CDotTextWorker::StatusText);
        EXPECT_FALSE(worker.Start(CDotGrid(), CCanvasText()));
        ASSERT_TRUE(worker.Start(grid, CCanvasText()));
        EXPECT_TRUE(worker.IsRunning());
        EXPECT_FALSE(worker.Start(grid, CCanvasText()));
        delete pane;
        ASSERT_TRUE(finished.wait(10000)) << paneGoesAway;
        EXPECT_FALSE(worker.IsRunning());
        ASSERT_FALSE(status.isEmpty());
        EXPECT_EQ(status.last().at(1).toString(), QStringLiteral("\t\t100%"));
        EXPECT_TRUE(worker.Start(grid, CCanvasText())); // free again once finished
        ASSERT_TRUE(finished.wait(10000));
    }
}
