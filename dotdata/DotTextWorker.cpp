#include "dotdata/DotTextWorker.h"

#include <QMetaObject>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

// Runs on the worker thread: turns the writer's output into queued calls on
// the worker object, which live on the interface thread.
class CDotTextWorker::CPaneSink : public CDotListingSink
{
public:
    explicit CPaneSink(CDotTextWorker& worker)
        : m_worker(worker)
    {
    }

    void Insert(const QString& text) override
    {
        if (!m_worker.AcquireSlot())
            return;
        CDotTextWorker* worker = &m_worker;
        QMetaObject::invokeMethod(
            worker,
            [worker, text] {
                worker->InsertChunk(text);
                worker->ReleaseSlot();
            },
            Qt::QueuedConnection);
    }

    void Status(const QString& text) override
    {
        CDotTextWorker* worker = &m_worker;
        QMetaObject::invokeMethod(
            worker, [worker, text] { emit worker->StatusText(kStatusPane, text); }, Qt::QueuedConnection);
    }

private:
    CDotTextWorker& m_worker;
};

CDotTextWorker::CDotTextWorker(QPlainTextEdit* pane, QObject* parent)
    : QObject(parent)
    , m_pPane(pane)
{
}

CDotTextWorker::~CDotTextWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bCancel = true;
    }
    m_cvSlot.notify_all();
    JoinThread();
}

CDotTextWorker* CDotTextWorker::Launch(QPlainTextEdit* pane, const CDotGrid& grid, const CCanvasText& text,
                                       QObject* parent)
{
    if (grid.IsEmpty())
        return nullptr;
    auto* worker = new CDotTextWorker(pane, parent);
    connect(worker, &CDotTextWorker::Finished, worker, &QObject::deleteLater);
    worker->Start(grid, text);
    return worker;
}

bool CDotTextWorker::Start(const CDotGrid& grid, const CCanvasText& text)
{
    if (m_bRunning || grid.IsEmpty())
        return false;
    JoinThread(); // the previous run's thread has posted its last call already
    if (m_pPane) {
        m_pPane->setEnabled(false);
        m_pPane->setUndoRedoEnabled(false);
        m_pPane->clear();
    }
    m_bRunning = true;
    m_nInFlight = 0;
    m_thread = std::thread([this, grid, text] { Run(grid, text); });
    return true;
}

void CDotTextWorker::Run(const CDotGrid& grid, const CCanvasText& text)
{
    CPaneSink sink(*this);
    CDotListing(sink, m_nChunkChars).Generate(grid, text);
    QMetaObject::invokeMethod(this, [this] { Finish(); }, Qt::QueuedConnection);
}

// Waits until fewer than kChunksInFlight chunks are queued for the pane.
// False once the worker is being destroyed: the rest of the listing is dropped.
bool CDotTextWorker::AcquireSlot()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cvSlot.wait(lock, [this] { return m_bCancel || m_nInFlight < kChunksInFlight; });
    if (m_bCancel)
        return false;
    ++m_nInFlight;
    return true;
}

void CDotTextWorker::ReleaseSlot()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        --m_nInFlight;
    }
    m_cvSlot.notify_one();
}

// Appends at the end of the document without moving the view, so a chunk
// costs the insertion only.
void CDotTextWorker::InsertChunk(const QString& chunk)
{
    if (!m_pPane)
        return;
    QTextCursor cursor(m_pPane->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(chunk);
}

void CDotTextWorker::Finish()
{
    JoinThread();
    if (m_pPane)
        m_pPane->setEnabled(true);
    m_bRunning = false;
    emit Finished();
}

void CDotTextWorker::JoinThread()
{
    if (m_thread.joinable())
        m_thread.join();
}
