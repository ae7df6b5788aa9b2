#include "frame/ProjectKeeper.h"

#include "base/FrameDialogs.h"
#include "base/ProductTitle.h"
#include "frame/CommandSteps.h"
#include "frame/KeepTexts.h"
#include "frame/RecoveryStore.h"

#include <QFileInfo>

CProjectKeeper::CProjectKeeper(CCommandSteps& steps, const CFrameDialogs& dialogs, std::function<int()> language,
                               QObject* parent)
    : QObject(parent)
    , m_steps(steps)
    , m_dialogs(dialogs)
    , m_fnLanguage(std::move(language))
{
}

CProjectKeeper::~CProjectKeeper() = default;

void CProjectKeeper::StartRecovery(const QString& folder)
{
    m_pRecovery = std::make_unique<CRecoveryStore>(folder, [this] { return m_steps.Project(); });
    if (m_bModified)
        m_pRecovery->NoteChange();
}

bool CProjectKeeper::OfferRecovery()
{
    if (!m_pRecovery || m_pRecovery->ClaimOrphan().isEmpty())
        return false;
    const std::optional<bool> restore =
        m_dialogs.askRestoreWork ? m_dialogs.askRestoreWork(m_fnLanguage(), m_pRecovery->OrphanTime()) : std::nullopt;
    if (!restore) {
        m_pRecovery->ReleaseOrphan(); // offered again at the next start
        return false;
    }
    if (!*restore) {
        m_pRecovery->DropOrphan();
        return false;
    }
    SProject project;
    QString error;
    if (!m_pRecovery->ReadOrphan(project, error)) {
        m_dialogs.ShowMessage(error);
        m_pRecovery->DropOrphan();
        return false;
    }
    m_steps.RestoreProject(std::move(project));
    m_szPath.clear();
    m_bModified = true;
    // Kept under this run's own name before the old file goes.
    m_pRecovery->SaveNow();
    m_pRecovery->DropOrphan();
    emit StateChanged();
    return true;
}

void CProjectKeeper::NoteChange()
{
    if (m_pRecovery)
        m_pRecovery->NoteChange();
    if (m_bModified)
        return;
    m_bModified = true;
    emit StateChanged();
}

QString CProjectKeeper::ProjectName() const
{
    return m_szPath.isEmpty() ? KeepText::Untitled.Pick(m_fnLanguage()) : QFileInfo(m_szPath).fileName();
}

QString CProjectKeeper::Caption() const
{
    // The product title alone, as ever, until there is a project or a
    // change. The mark leads, so that the caption still ends with the
    // product title and the platform adds nothing of its own.
    if (m_szPath.isEmpty())
        return m_bModified ? QStringLiteral("[*]") + ProductTitle() : ProductTitle();
    return QStringLiteral("[*]%1 - %2").arg(ProjectName(), ProductTitle());
}

bool CProjectKeeper::MayDiscardWork()
{
    if (!m_bModified)
        return true;
    switch (m_dialogs.AskSaveChanges(m_fnLanguage(), ProjectName())) {
    case ESaveChoice::Save:
        return SaveProject();
    case ESaveChoice::Discard:
        if (m_pRecovery)
            m_pRecovery->Discard();
        return true;
    case ESaveChoice::Cancel:
        break;
    }
    return false;
}

void CProjectKeeper::StartedAfresh()
{
    SetClean(QString());
}

void CProjectKeeper::OpenProject()
{
    if (!MayDiscardWork())
        return;
    const QString path = m_dialogs.askOpenProject ? m_dialogs.askOpenProject(m_fnLanguage()) : QString();
    if (!path.isEmpty())
        OpenProjectFile(path);
}

bool CProjectKeeper::OpenProjectFile(const QString& path)
{
    QString error;
    if (!m_steps.OpenProject(path, error)) {
        m_dialogs.ShowMessage(error);
        return false;
    }
    SetClean(QFileInfo(path).absoluteFilePath());
    emit ProjectFileUsed(m_szPath);
    return true;
}

bool CProjectKeeper::SaveProject()
{
    return m_szPath.isEmpty() ? SaveProjectAs() : SaveTo(m_szPath);
}

bool CProjectKeeper::SaveProjectAs()
{
    const QString path = m_dialogs.askSaveProjectPath ? m_dialogs.askSaveProjectPath(m_fnLanguage(), m_szPath) : QString();
    return !path.isEmpty() && SaveTo(path);
}

bool CProjectKeeper::SaveTo(const QString& path)
{
    QString error;
    if (!m_steps.SaveProject(path, error)) {
        m_dialogs.ShowMessage(error);
        return false;
    }
    SetClean(QFileInfo(path).absoluteFilePath());
    emit ProjectFileUsed(m_szPath);
    return true;
}

void CProjectKeeper::SetClean(const QString& path)
{
    m_szPath = path;
    m_bModified = false;
    if (m_pRecovery)
        m_pRecovery->Discard();
    emit StateChanged();
}

void CProjectKeeper::EndSession()
{
    if (m_pRecovery)
        m_pRecovery->Discard();
}
