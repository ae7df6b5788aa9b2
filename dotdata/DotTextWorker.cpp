#include "dotdata/DotTextWorker.h"

#include "dotdata/ListingView.h"

#include <QMetaObject>

// Runs on the worker thread: turns the writer's output into queued calls on
// the worker object, which live on the interface thread.
class CDotTextWorker::CPaneSink : public CDotListingSink
{
public:
    CPaneSink(CDotTextWorker& worker, std::vector<QString> spare)
        : m_worker(worker)
        , m_aSpare(std::move(spare))
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

    // The chunks of the previous listing, emptied, while they last.
    QString Buffer() override
    {
        if (m_nNextSpare >= m_aSpare.size())
            return QString();
        QString buffer = std::move(m_aSpare[m_nNextSpare++]);
        buffer.resize(0); // keeps the memory unless someone else still holds the text
        return buffer;
    }

private:
    CDotTextWorker& m_worker;
    std::vector<QString> m_aSpare; // freed with the sink, on the worker's thread
    std::size_t m_nNextSpare = 0;
};

CDotTextWorker::CDotTextWorker(CListingView* pane, QObject* parent)
    : QObject(parent)
    , m_pPane(pane)
{
    // Copying the largest canvas into new memory would hold up the interface
    // thread for the pages' first use; the thread makes that memory ready
    // now, so the first listing of a full canvas copies into pages in use.
    m_thread = std::thread([this] { m_grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode); });
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

bool CDotTextWorker::Start(const CDotGrid& grid, const CCanvasText& text)
{
    if (m_bRunning || grid.IsEmpty())
        return false;
    JoinThread(); // the preparing thread, or the previous run's, which has posted its last call
    std::vector<QString> previous;
    if (m_pPane) {
        m_pPane->setEnabled(false);
        previous = m_pPane->TakeText();
    }
    m_grid = grid;
    m_text = text;
    m_bRunning = true;
    m_nInFlight = 0;
    m_thread = std::thread([this, previous = std::move(previous)]() mutable { Run(std::move(previous)); });
    return true;
}

void CDotTextWorker::Run(std::vector<QString> spare)
{
    CPaneSink sink(*this, std::move(spare));
    CDotListing(sink, m_nChunkChars).Generate(m_grid, m_text);
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

// Appends at the end without moving the view, so a chunk costs the append.
void CDotTextWorker::InsertChunk(const QString& chunk)
{
    if (m_pPane)
        m_pPane->AppendText(chunk);
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
