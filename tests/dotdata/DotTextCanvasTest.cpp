#include "ListingSupport.h"
#include "TestSupport.h"

#include "canvas/ImageView.h"
#include "dotdata/DotTextWorker.h"

#include <QPlainTextEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool WaitIdle(const CImageView& view)
{
    return QTest::qWaitFor([&view] { return !view.IsDotTextRunning(); }, 20000);
}

} // namespace

TEST(DotTextCanvas, ListsTheCanvasIntoItsPaneOnceAtATime)
{
    CImageView view;
    QSignalSpy status(&view, &CImageView::StatusText);
    view.BeginDotText(); // no dots yet
    EXPECT_FALSE(view.IsDotTextRunning());

    view.Grid().Create(64, 32, CDotGrid::ImageMode);
    LightBlockCorners(view.Grid());
    const CRecordingSink expected = Generate(view.Grid());
    view.ShowTextPane(1);
    view.BeginDotText();
    EXPECT_TRUE(view.IsDotTextRunning());
    view.ShowTextPane(0);
    view.BeginDotText();
    view.Rotate();
    ASSERT_TRUE(WaitIdle(view));

    EXPECT_EQ(view.TextPane()->toPlainText(), expected.m_szText);
    QList<QVariantList> statuses; // one run's statuses, all for pane 1
    for (const QString& text : expected.m_statuses)
        statuses << QVariantList{1, text};
    EXPECT_EQ(status, statuses);

    // After the run a new one may start, listing the canvas as it is now.
    view.BeginDotText();
    ASSERT_TRUE(WaitIdle(view));
    EXPECT_EQ(view.TextPane()->toPlainText(), Generate(view.Grid()).m_szText);
}

TEST(DotTextCanvas, SavesAndPrintsWhatThePaneHolds)
{
    CScratchDir dir;
    CImageView view;
    QStringList prefills;
    view.DotSaver().SetAskFileName([&](QWidget*, const QString& prefill) {
        prefills << prefill;
        return dir.FilePath(QStringLiteral("dots.txt"));
    });
    view.SaveDotData(); // no dots: no dialog
    EXPECT_TRUE(prefills.isEmpty());

    view.Grid().Create(16, 8, CDotGrid::ImageMode);
    Light(view.Grid(), 9, 0, kBlue);
    view.BeginDotText();
    ASSERT_TRUE(WaitIdle(view));
    view.SaveDotData();
    view.SaveDotData();
    EXPECT_EQ(prefills, (QStringList{QString(), dir.FilePath(QStringLiteral("dots.txt"))}));
    EXPECT_EQ(ReadAll(dir.FilePath(QStringLiteral("dots.txt"))), QByteArray("2-1-2-B\r\n\r\n"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.FilePath(QStringLiteral("dots.pdf")));
    view.PrintDotText(printer);
    EXPECT_TRUE(ReadAll(printer.outputFileName()).startsWith("%PDF"));
}
