#include "ListingSupport.h"

#include "dotdata/DotTextWorker.h"

#include <QPlainTextEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kWaitMs = 20000;

CDotGrid PatternGrid(int width, int height, int mode)
{
    CDotGrid grid = MakeGrid(width, height, mode);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * 5 + y * 3) % 4 != 0)
                Light(grid, x, y, DotPalette[static_cast<std::size_t>((x / 3 + y) % 7)]);
    return grid;
}

QString ListingOf(const CDotGrid& grid, const CCanvasText& text)
{
    return Generate(grid, text).m_szText;
}

struct SStatus
{
    int nPane;
    QString szText;
    bool bPaneEnabled;
};

// A pane, a worker on it, and what the worker reported.
class CWorkerRig
{
public:
    explicit CWorkerRig(int chunkChars = 4096)
        : m_worker(std::make_unique<CDotTextWorker>(&m_pane))
    {
        m_pane.setReadOnly(true);
        m_worker->SetChunkChars(chunkChars);
        QObject::connect(m_worker.get(), &CDotTextWorker::StatusText, [this](int pane, const QString& text) {
            m_statuses.push_back({pane, text, m_pane.isEnabled()});
        });
    }

    bool WaitFinished()
    {
        QSignalSpy finished(m_worker.get(), &CDotTextWorker::Finished);
        return finished.wait(kWaitMs);
    }

    QPlainTextEdit m_pane;
    std::unique_ptr<CDotTextWorker> m_worker;
    std::vector<SStatus> m_statuses;
};

} // namespace

TEST(DotTextWorker, FillsThePaneWithTheListingAndReportsProgressWhileDisabled)
{
    CWorkerRig rig;
    rig.m_pane.setPlainText(QStringLiteral("an earlier listing"));
    const CDotGrid grid = PatternGrid(128, 64, CDotGrid::ImageMode);

    ASSERT_TRUE(rig.m_worker->Start(grid, {}));
    EXPECT_TRUE(rig.m_worker->IsRunning());
    EXPECT_FALSE(rig.m_pane.isEnabled());
    ASSERT_TRUE(rig.WaitFinished());

    EXPECT_FALSE(rig.m_worker->IsRunning());
    EXPECT_TRUE(rig.m_pane.isEnabled());
    EXPECT_EQ(rig.m_pane.toPlainText(), ListingOf(grid, {}));

    const QStringList expected = Generate(grid).m_statuses;
    ASSERT_EQ(rig.m_statuses.size(), static_cast<std::size_t>(expected.size()));
    for (std::size_t i = 0; i < rig.m_statuses.size(); ++i) {
        EXPECT_EQ(rig.m_statuses[i].nPane, CDotTextWorker::kStatusPane);
        EXPECT_EQ(rig.m_statuses[i].szText, expected[static_cast<int>(i)]);
        EXPECT_FALSE(rig.m_statuses[i].bPaneEnabled);
    }
    EXPECT_EQ(rig.m_statuses.back().szText, QStringLiteral("\t\t100%"));
}

TEST(DotTextWorker, TextModeListingArrivesWhole)
{
    CWorkerRig rig(1);
    const CDotGrid grid = PatternGrid(32, 16, CDotGrid::TextMode);
    const CCanvasText text = MakeText(QStringLiteral("中文"), 0, 3);
    ASSERT_TRUE(rig.m_worker->Start(grid, text));
    ASSERT_TRUE(rig.WaitFinished());
    EXPECT_EQ(rig.m_pane.toPlainText(), ListingOf(grid, text));
    EXPECT_EQ(rig.m_statuses.front().szText, QStringLiteral("\t\t0%"));
}

TEST(DotTextWorker, ListsTheCanvasAsItWasWhenStarted)
{
    CWorkerRig rig(256);
    auto grid = std::make_unique<CDotGrid>(PatternGrid(256, 128, CDotGrid::TextMode));
    auto text = std::make_unique<CCanvasText>(MakeText(QStringLiteral("ABCD"), 0, 1));
    const QString expected = ListingOf(*grid, *text);

    ASSERT_TRUE(rig.m_worker->Start(*grid, *text));
    // What the user may do meanwhile: rotate, edit, retype, open a picture.
    grid->Rotate();
    grid->FillWithBackground();
    text->m_szText = QStringLiteral("Z");
    text->m_abCharColor.fill(0);
    grid.reset();
    text.reset();

    ASSERT_TRUE(rig.WaitFinished());
    EXPECT_EQ(rig.m_pane.toPlainText(), expected);
}

TEST(DotTextWorker, SecondStartWhileRunningDoesNothing)
{
    CWorkerRig rig;
    const CDotGrid first = PatternGrid(64, 64, CDotGrid::ImageMode);
    const CDotGrid second = PatternGrid(16, 8, CDotGrid::ImageMode);
    ASSERT_TRUE(rig.m_worker->Start(first, {}));
    EXPECT_FALSE(rig.m_worker->Start(second, {}));
    ASSERT_TRUE(rig.WaitFinished());
    EXPECT_EQ(rig.m_pane.toPlainText(), ListingOf(first, {}));

    // Once finished it can run again, replacing the text.
    ASSERT_TRUE(rig.m_worker->Start(second, {}));
    ASSERT_TRUE(rig.WaitFinished());
    EXPECT_EQ(rig.m_pane.toPlainText(), ListingOf(second, {}));
}

TEST(DotTextWorker, EmptyGridStartsNothing)
{
    CWorkerRig rig;
    rig.m_pane.setPlainText(QStringLiteral("kept"));
    EXPECT_FALSE(rig.m_worker->Start(CDotGrid(), {}));
    EXPECT_FALSE(rig.m_worker->IsRunning());
    EXPECT_EQ(rig.m_pane.toPlainText(), QStringLiteral("kept"));
    EXPECT_TRUE(rig.m_pane.isEnabled());
}

TEST(DotTextWorker, HiddenPaneIsFilledToo)
{
    CWorkerRig rig;
    rig.m_pane.show();
    const CDotGrid grid = PatternGrid(64, 32, CDotGrid::ImageMode);
    ASSERT_TRUE(rig.m_worker->Start(grid, {}));
    rig.m_pane.hide();
    ASSERT_TRUE(rig.WaitFinished());
    EXPECT_EQ(rig.m_pane.toPlainText(), ListingOf(grid, {}));
}

TEST(DotTextWorker, DestroyedMidRunStopsWithoutTouchingThePaneAgain)
{
    CWorkerRig rig(1);
    const CDotGrid grid = PatternGrid(256, 256, CDotGrid::ImageMode);
    ASSERT_TRUE(rig.m_worker->Start(grid, {}));
    QCoreApplication::processEvents(); // let a few chunks in
    rig.m_worker.reset();
    const QString atDestruction = rig.m_pane.toPlainText();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.m_pane.toPlainText(), atDestruction);
    EXPECT_TRUE(ListingOf(grid, {}).startsWith(atDestruction));
}

TEST(DotTextWorker, PaneDestroyedMidRunIsNotReached)
{
    auto pane = std::make_unique<QPlainTextEdit>();
    CDotTextWorker worker(pane.get());
    worker.SetChunkChars(64);
    QSignalSpy finished(&worker, &CDotTextWorker::Finished);
    ASSERT_TRUE(worker.Start(PatternGrid(64, 64, CDotGrid::ImageMode), {}));
    pane.reset();
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_FALSE(worker.IsRunning());
}
