#include "dotdata/ListingDocument.h"
#include "dotdata/ListingView.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QScrollBar>
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
