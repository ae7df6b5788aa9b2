#include "frame/RecoveryStore.h"

#include "dotdata/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <memory>

namespace {

constexpr const char* kProjectSuffix = ".png";
constexpr const char* kLockSuffix = ".lock";

// A lock is only taken over when its owner is no longer running, however
// long that owner has been running.
std::unique_ptr<QLockFile> TryLock(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

bool WriteProject(const QString& path, const SProject& project)
{
    const QByteArray bytes = CProjectFile::Encode(project);
    QSaveFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

CRecoveryStore::CRecoveryStore(const QString& folder, Snapshot snapshot, QObject* parent)
    : QObject(parent)
    , m_szFolder(folder)
    , m_szId(QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_fnSnapshot(std::move(snapshot))
    , m_pTimer(new QTimer(this))
{
    QDir().mkpath(m_szFolder);
    m_pLock = TryLock(PathOf(m_szId, kLockSuffix));
    m_pool.setMaxThreadCount(1);
    m_pTimer->setSingleShot(true);
    m_pTimer->setInterval(kSaveDelayMs);
    connect(m_pTimer, &QTimer::timeout, this, &CRecoveryStore::StartWrite);
}

CRecoveryStore::~CRecoveryStore()
{
    m_pool.waitForDone();
}

QString CRecoveryStore::DefaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("recovery"));
}

QString CRecoveryStore::PathOf(const QString& id, const char* suffix) const
{
    return QDir(m_szFolder).filePath(id + QLatin1String(suffix));
}

QString CRecoveryStore::FilePath() const
{
    return PathOf(m_szId, kProjectSuffix);
}

bool CRecoveryStore::HasFile() const
{
    return QFileInfo::exists(FilePath());
}

void CRecoveryStore::NoteChange()
{
    // Not restarted by later changes: a steady stream of edits is still
    // written every kSaveDelayMs.
    if (!m_pTimer->isActive())
        m_pTimer->start();
}

void CRecoveryStore::StartWrite()
{
    // One write at a time; a change during a write is written after it.
    if (m_pool.activeThreadCount() > 0) {
        m_pTimer->start();
        return;
    }
    const auto project = std::make_shared<const SProject>(m_fnSnapshot());
    const QString path = FilePath();
    m_pool.start([this, project, path] {
        const bool ok = WriteProject(path, *project);
        QMetaObject::invokeMethod(this, [this, ok] { emit Written(ok); }, Qt::QueuedConnection);
    });
}

bool CRecoveryStore::SaveNow()
{
    m_pTimer->stop();
    WaitForWrites();
    return WriteProject(FilePath(), m_fnSnapshot());
}

void CRecoveryStore::WaitForWrites()
{
    m_pool.waitForDone();
}

void CRecoveryStore::Discard()
{
    m_pTimer->stop();
    WaitForWrites();
    QFile::remove(FilePath());
}

QString CRecoveryStore::ClaimOrphan()
{
    ReleaseOrphan();
    const QDir dir(m_szFolder);
    // Newest first; locks without a file are leftovers of programs that
    // ended before their first write.
    const QFileInfoList locks = dir.entryInfoList({QStringLiteral("*") + QLatin1String(kLockSuffix)}, QDir::Files);
    QFileInfoList projects = dir.entryInfoList({QStringLiteral("*") + QLatin1String(kProjectSuffix)}, QDir::Files,
                                               QDir::Time);
    for (const QFileInfo& lockInfo : locks) {
        const QString id = lockInfo.completeBaseName();
        if (id != m_szId && !QFileInfo::exists(PathOf(id, kProjectSuffix))) {
            if (std::unique_ptr<QLockFile> lock = TryLock(lockInfo.filePath()))
                lock->unlock(); // removes the lock file
        }
    }
    for (const QFileInfo& project : projects) {
        const QString id = project.completeBaseName();
        if (id == m_szId)
            continue;
        std::unique_ptr<QLockFile> lock = TryLock(PathOf(id, kLockSuffix));
        if (!lock)
            continue; // its program is running
        m_szOrphanId = id;
        m_orphanTime = project.lastModified();
        m_pOrphanLock = std::move(lock);
        return project.filePath();
    }
    return {};
}

bool CRecoveryStore::ReadOrphan(SProject& project, QString& error) const
{
    if (m_szOrphanId.isEmpty())
        return false;
    return CProjectFile::Load(PathOf(m_szOrphanId, kProjectSuffix), project, error) == CProjectFile::Ok;
}

void CRecoveryStore::DropOrphan()
{
    if (m_szOrphanId.isEmpty())
        return;
    QFile::remove(PathOf(m_szOrphanId, kProjectSuffix));
    ReleaseOrphan();
}

void CRecoveryStore::ReleaseOrphan()
{
    m_pOrphanLock.reset(); // unlocking removes the lock file
    m_szOrphanId.clear();
    m_orphanTime = QDateTime();
}
