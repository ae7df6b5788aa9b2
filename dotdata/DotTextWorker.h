#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "dotdata/DotListing.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class CListingView;

// Fills the dot text pane with the dot-data listing on a thread of its own.
//
// The thread works on copies of the grid and of the canvas text taken by
// Start, so edits, Rotate or Open during a run cannot change or free what it
// reads. The worker lives as long as its pane and keeps its copies between
// runs, so the next copy of a grid of the same size reuses their memory.
// The pane's previous listing goes to the thread, which writes the new one
// into its memory and frees the rest there. The pane lives on the interface thread and is only touched there:
// the thread posts the listing in large chunks and the progress texts as
// queued calls, in order. At most kChunksInFlight chunks wait at a time,
// which bounds memory and leaves the interface thread free to handle input
// and painting between two chunks. Waiting for a free slot never depends on
// the interface thread being able to run, so destroying a worker mid-run
// cannot deadlock: it cancels, the thread drops the rest, and is joined.
class CDotTextWorker : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStatusPane = 1;
    static constexpr int kChunksInFlight = 2;

    explicit CDotTextWorker(CListingView* pane, QObject* parent = nullptr);
    ~CDotTextWorker() override;

    // Characters per chunk; 1 hands every entry and line break over on its own.
    void SetChunkChars(int chars) { m_nChunkChars = chars; }

    // Disables and empties the pane and starts the thread on a copy of grid
    // and text. Returns false, doing nothing, while a run is going on or when
    // the grid has no dots.
    bool Start(const CDotGrid& grid, const CCanvasText& text);
    // True from Start until the pane has received the whole listing and has
    // been enabled again.
    bool IsRunning() const { return m_bRunning; }

signals:
    // A progress text for the given status-bar pane.
    void StatusText(int pane, const QString& text);
    // The run is over; emitted on the interface thread after the last text.
    void Finished();

private:
    class CPaneSink;

    void Run(std::vector<QString> spare);
    bool AcquireSlot();
    void ReleaseSlot();
    void InsertChunk(const QString& chunk);
    void Finish();
    void JoinThread();

    QPointer<CListingView> m_pPane;
    CDotGrid m_grid; // what the thread lists (or prepares); untouched by others meanwhile
    CCanvasText m_text;
    int m_nChunkChars = CDotListing::kDefaultChunkChars;
    bool m_bRunning = false;

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_cvSlot;
    int m_nInFlight = 0;
    bool m_bCancel = false;
};
