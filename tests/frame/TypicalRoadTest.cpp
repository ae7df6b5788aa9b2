#include "FrameFixture.h"

#include "canvas/ImageView.h"
#include "frame/CommandIds.h"
#include "textinput/InputTextView.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

using namespace CommandId;

namespace {

// Chinese arrives through the input method as committed text.
void TypeThroughInputMethod(QWidget* edit, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit, &event);
}

} // namespace

// The whole road of a text-mode sign, driven through the frame's actions:
// New 32 x 16 in text mode, two Chinese characters in two colours, Merge
// Text, View Image, Save Dot; then the saved listing is read back.
TEST_F(FrameTest, TypicalTextModeRoad)
{
    frame->show();
    CImageView* canvas = frame->Canvas();
    CInputTextView* pane = frame->InputPane();

    frame->Dialogs().askNewCanvas = [] { return std::optional<CNewCanvasRequest>({32, 16, 0}); };
    Trigger(New);
    ASSERT_EQ(canvas->Grid().Width(), 32);
    ASSERT_EQ(canvas->Grid().Height(), 16);

    // Type in the input pane with its own colour buttons: 中 red, 文 green.
    QTest::mouseClick(pane->RichEdit()->viewport(), Qt::LeftButton);
    pane->SelectColor(0);
    TypeThroughInputMethod(pane->RichEdit(), QStringLiteral("中"));
    pane->SelectColor(1);
    TypeThroughInputMethod(pane->RichEdit(), QStringLiteral("文"));
    frame->UpdateCommandStates();
    ASSERT_TRUE(Act(MergeText)->isEnabled());
    EXPECT_FALSE(canvas->CanEditDots()); // a merge is pending: no mouse edits

    Trigger(MergeText);
    EXPECT_EQ(canvas->Text().m_szText, QStringLiteral("中文"));
    EXPECT_EQ(canvas->Grid().Width(), 32);
    EXPECT_EQ(canvas->Grid().Height(), 16);
    EXPECT_TRUE(canvas->CanEditDots());
    int lit = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int index = canvas->Grid().ColorIndexOf(x, y);
            lit += index < kUnlitIndex ? 1 : 0;
            if (index < kUnlitIndex) {
                EXPECT_EQ(index, x < 16 ? 0 : 1) << x << "," << y; // red cell, then green cell
            }
        }
    }
    EXPECT_GT(lit, 40);

    Trigger(ViewImage);
    ASSERT_TRUE(QTest::qWaitFor([canvas] { return !canvas->IsDotTextRunning(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
    ASSERT_TRUE(Act(SaveDot)->isEnabled());

    const QString path = dir.FilePath(QStringLiteral("sign.txt"));
    canvas->DotSaver().SetAskFileName([path](QWidget*, const QString&) { return path; });
    Trigger(SaveDot);

    const QString saved = QString::fromUtf8(ReadAll(path));
    const QStringList lines = saved.split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 4);
    EXPECT_FALSE(saved.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    EXPECT_EQ(lines.first(), QStringLiteral("/*****  中, Red  ") + QString(59, QLatin1Char('*')) + QLatin1Char('/'));
    const int second = lines.indexOf(QStringLiteral("/*****  文, Green  ") + QString(59, QLatin1Char('*')) + QLatin1Char('/'));
    ASSERT_GT(second, 1);

    // Each character's entries: blocks 1-4 red, 5-8 green; the footers count them.
    int entries[2] = {0, 0};
    int footers[2] = {-1, -1};
    for (int i = 0; i < lines.size(); ++i) {
        const int character = i < second ? 0 : 1;
        const QString& line = lines.at(i);
        if (line.startsWith(QStringLiteral("//**** <"))) {
            footers[character] = line.mid(8, line.indexOf(QLatin1Char('>')) - 8).toInt();
            continue;
        }
        if (line.startsWith(QLatin1Char('/')) || line.isEmpty())
            continue;
        for (const QString& entry : line.split(QLatin1Char(','))) {
            const QStringList parts = entry.trimmed().split(QLatin1Char('-'));
            ASSERT_EQ(parts.size(), 4) << entry.toStdString();
            const int block = parts.at(0).toInt();
            EXPECT_EQ(block <= 4 ? 0 : 1, character) << entry.toStdString();
            EXPECT_EQ(parts.at(3), character == 0 ? QStringLiteral("R") : QStringLiteral("G"));
            ++entries[character];
        }
    }
    EXPECT_EQ(entries[0] + entries[1], lit);
    EXPECT_EQ(footers[0], entries[0]);
    EXPECT_EQ(footers[1], entries[1]);
}
