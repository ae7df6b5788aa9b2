#include "TestSupport.h"
#include "dotdata/ListingSupport.h"

#include "canvas/ImageView.h"
#include "dotdata/DotTextPrinter.h"

#include "dotdata/ListingView.h"
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Lights most dots of the canvas in all seven colours: some 600,000
// characters of listing, several chunks.
void LightPattern(CDotGrid& grid, int width, int height, int mode)
{
    grid.Create(width, height, mode);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * 5 + y * 3) % 4 != 0)
                Light(grid, x, y, DotPalette[static_cast<std::size_t>((x / 3 + y) % 7)]);
}

bool WaitIdle(const CImageView& view)
{
    return QTest::qWaitFor([&view] { return !view.IsDotTextRunning(); }, 20000);
}

} // namespace

TEST(DotTextCanvas, ListsTheCanvasAsItWasAtTheStartWhileThePaneIsDisabled)
{
    for (const int mode : {int(ImageMode), int(TextMode)}) {
        QStringList statuses; // "pane|text|whether the pane was enabled"
        CImageView view;
        QObject::connect(&view, &CImageView::StatusText, [&](int pane, const QString& text) {
            statuses << QStringLiteral("%1|%2|%3").arg(pane).arg(text).arg(view.TextPane()->isEnabled());
        });
        view.BeginDotText(); // no dots yet
        EXPECT_FALSE(view.IsDotTextRunning());

        LightPattern(view.Grid(), 256, 256, mode);
        view.Text() = MakeText(QStringLiteral("中文"), 0, 3);
        const CRecordingSink expected = Generate(view.Grid(), view.Text());
        view.TextPane()->SetPlainText(QStringLiteral("an earlier listing"));
        view.ShowTextPane(1);
        view.BeginDotText();
        EXPECT_TRUE(view.IsDotTextRunning());
        // Neither a second start, hiding the pane, nor changing the canvas
        // affects the run.
        view.ShowTextPane(0);
        view.BeginDotText();
        view.Rotate();
        view.Grid().Create(8, 8, mode);
        view.Text().m_szText = QStringLiteral("Z");
        view.Text().m_bDotsFromText = 1; // as a merge of "Z" would leave it after the Rotate
        ASSERT_TRUE(WaitIdle(view));

        EXPECT_EQ(view.TextPane()->PlainText(), expected.m_szText);
        QStringList expectedStatuses;
        for (const QString& text : expected.m_statuses)
            expectedStatuses << QStringLiteral("1|%1|0").arg(text);
        EXPECT_EQ(statuses, expectedStatuses);
        EXPECT_TRUE(view.TextPane()->isEnabled());

        // Once over, a new run lists the canvas as it is now: 8 x 8 without
        // lit dots, the text "Z" in colour 3.
        view.BeginDotText();
        ASSERT_TRUE(WaitIdle(view));
        EXPECT_EQ(view.TextPane()->PlainText(),
                  mode == ImageMode ? QString() : Header("Z", "Yellow") + Footer(0));
    }
}

TEST(DotTextCanvas, ClosingTheCanvasMidRunStopsTheWorker)
{
    auto view = std::make_unique<CImageView>();
    LightPattern(view->Grid(), 1024, 768, ImageMode);
    view->BeginDotText();
    QCoreApplication::processEvents();
    ASSERT_TRUE(view->IsDotTextRunning());
    view.reset();
    QCoreApplication::processEvents();
}

TEST(DotTextCanvas, SavesAndPrintsWhatThePaneHolds)
{
    CScratchDir dir;
    CImageView view;
    QStringList prefills;
    CFrameDialogs dialogs;
    dialogs.askSaveDotPath = [&](const QString& prefill) {
        prefills << prefill;
        return dir.FilePath(QStringLiteral("dots.txt"));
    };
    view.SetDialogs(&dialogs);
    view.SaveDotData(); // no dots: no dialog
    EXPECT_TRUE(prefills.isEmpty());

    view.Grid().Create(16, 8, ImageMode);
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
    CDotTextPrinter(view.TextPane()->PlainText(), view.TextPane()->font(), 96).Print(printer);
    EXPECT_TRUE(ReadAll(printer.outputFileName()).startsWith("%PDF"));
}
