#pragma once

#include "dotdata/Project.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>

class QLockFile;
class QTimer;

// Keeps the unsaved work of this running program in a recovery file, so that
// a crash or a kill loses at most the last few seconds. Each running program
// has a file of its own, named by an id it holds a lock on, so two windows
// never write over each other's work; a file whose owner is no longer
// running is an orphan, offered back at the next start.
//
// The interface thread only copies the document (a snapshot); encoding and
// writing happen on a worker thread, through a temporary file that replaces
// the last recovery file only when complete.
class CRecoveryStore : public QObject
{
    Q_OBJECT

public:
    using Snapshot = std::function<SProject()>;

    // A change is written at most this long after it was made.
    static constexpr int kSaveDelayMs = 2000;

    CRecoveryStore(const QString& folder, Snapshot snapshot, QObject* parent = nullptr);
    // Waits for a write under way; the file stays (only Discard removes it).
    ~CRecoveryStore() override;

    // The folder in the user's data location where recovery files live.
    static QString DefaultFolder();

    // The document has changed: it is written within kSaveDelayMs.
    void NoteChange();
    // Writes the document now, waiting until the file is complete.
    bool SaveNow();
    // The work is saved or thrown away: no write is pending and the file is gone.
    void Discard();
    QString FilePath() const;
    bool HasFile() const;
    // Blocks until the write under way (if any) is done.
    void WaitForWrites();

    // The newest recovery file of a program no longer running, locked by
    // this program from then on; empty when there is none. Leftovers of
    // programs that ended before writing anything are cleared on the way.
    QString ClaimOrphan();
    QDateTime OrphanTime() const { return m_orphanTime; }
    // Reads the claimed orphan; the message says why it cannot be read.
    bool ReadOrphan(SProject& project, QString& error) const;
    // Removes the claimed orphan and its lock.
    void DropOrphan();
    // Leaves the claimed orphan for a later run.
    void ReleaseOrphan();

signals:
    // A write has finished (ok: the recovery file is complete).
    void Written(bool ok);

private:
    void StartWrite();
    QString PathOf(const QString& id, const char* suffix) const;

    QString m_szFolder;
    QString m_szId;
    Snapshot m_fnSnapshot;
    std::unique_ptr<QLockFile> m_pLock;
    QTimer* m_pTimer = nullptr;
    QThreadPool m_pool;

    QString m_szOrphanId;
    QDateTime m_orphanTime;
    std::unique_ptr<QLockFile> m_pOrphanLock;
};
