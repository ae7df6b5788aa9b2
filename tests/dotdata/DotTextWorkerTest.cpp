#include "ListingSupport.h"

#include "dotdata/DotTextWorker.h"

#include <QPlainTextEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

CDotGrid PatternGrid(int width, int height, int mode)
{
    CDotGrid grid = MakeGrid(width, height, mode);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * 5 + y * 3) % 4 != 0)
                Light(grid, x, y, DotPalette[static_cast<std::size_t>((x / 3 + y) % 7)]);
    return grid;
}

// A pane and a worker on it, recording each status as "pane|text|enabled".
struct SWorkerRig
{
    explicit SWorkerRig(int chunkChars = 4096)
        : m_worker(std::make_unique<CDotTextWorker>(&m_pane))
    {
        m_worker->SetChunkChars(chunkChars);
        QObject::connect(m_worker.get(), &CDotTextWorker::StatusText, [this](int pane, const QString& text) {
            m_statuses << QStringLiteral("%1|%2|%3").arg(pane).arg(text).arg(m_pane.isEnabled());
        });
    }
    bool RunToEnd(const CDotGrid& grid, const CCanvasText& text = {})
    {
        QSignalSpy finished(m_worker.get(), &CDotTextWorker::Finished);
        return m_worker->Start(grid, text) && finished.wait(20000);
    }

    QPlainTextEdit m_pane;
    std::unique_ptr<CDotTextWorker> m_worker;
    QStringList m_statuses;
};

} // namespace

TEST(DotTextWorker, ReplacesThePaneTextAndReportsProgressWhileThePaneIsDisabled)
{
    for (const int mode : {int(CDotGrid::ImageMode), int(CDotGrid::TextMode)}) {
        SWorkerRig rig;
        rig.m_pane.setPlainText(QStringLiteral("an earlier listing"));
        const CDotGrid grid = PatternGrid(128, 64, mode);
        const CCanvasText text = MakeText(QStringLiteral("中文"), 0, 3);
        ASSERT_TRUE(rig.RunToEnd(grid, text));

        const CRecordingSink expected = Generate(grid, text);
        EXPECT_EQ(rig.m_pane.toPlainText(), expected.m_szText);
        QStringList statuses;
        for (const QString& status : expected.m_statuses)
            statuses << QStringLiteral("1|%1|0").arg(status);
        EXPECT_EQ(rig.m_statuses, statuses);
        EXPECT_TRUE(rig.m_pane.isEnabled());
        EXPECT_FALSE(rig.m_worker->IsRunning());
    }
}

TEST(DotTextWorker, ListsTheCanvasAsItWasWhenStartedAndIgnoresASecondStart)
{
    SWorkerRig rig(256);
    auto grid = std::make_unique<CDotGrid>(PatternGrid(256, 128, CDotGrid::TextMode));
    auto text = std::make_unique<CCanvasText>(MakeText(QStringLiteral("ABCD"), 0, 1));
    const QString expected = Generate(*grid, *text).m_szText;

    QSignalSpy finished(rig.m_worker.get(), &CDotTextWorker::Finished);
    rig.m_pane.show();
    ASSERT_TRUE(rig.m_worker->Start(*grid, *text));
    EXPECT_TRUE(rig.m_worker->IsRunning());
    EXPECT_FALSE(rig.m_worker->Start(PatternGrid(16, 8, CDotGrid::ImageMode), {}));
    rig.m_pane.hide();
    // What the user may do meanwhile: rotate, edit, retype, open a picture.
    grid->Rotate();
    grid->FillWithBackground();
    text->m_szText = QStringLiteral("Z");
    grid.reset();
    text.reset();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(rig.m_pane.toPlainText(), expected);

    EXPECT_FALSE(rig.m_worker->Start(CDotGrid(), {}));
    EXPECT_EQ(rig.m_pane.toPlainText(), expected);
}

TEST(DotTextWorker, DestroyedMidRunStopsAndNeverTouchesThePaneAgain)
{
    SWorkerRig rig(1);
    const CDotGrid grid = PatternGrid(256, 256, CDotGrid::ImageMode);
    ASSERT_TRUE(rig.m_worker->Start(grid, {}));
    QCoreApplication::processEvents();
    rig.m_worker.reset();
    const QString atDestruction = rig.m_pane.toPlainText();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.m_pane.toPlainText(), atDestruction);
    EXPECT_TRUE(Generate(grid).m_szText.startsWith(atDestruction));

    // The pane may go first, too.
    auto pane = std::make_unique<QPlainTextEdit>();
    CDotTextWorker worker(pane.get());
    QSignalSpy finished(&worker, &CDotTextWorker::Finished);
    ASSERT_TRUE(worker.Start(grid, {}));
    pane.reset();
    EXPECT_TRUE(finished.wait(20000));
}
