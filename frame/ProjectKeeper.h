#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CCommandSteps;
class CRecoveryStore;
struct CFrameDialogs;

// Keeps the user's work: which project file the document belongs to,
// whether it has changes not saved there, the question asked before such
// changes would be lost, and the recovery file that outlives a crash.
class CProjectKeeper : public QObject
{
    Q_OBJECT

public:
    // language: the interface language the questions are asked in.
    CProjectKeeper(CCommandSteps& steps, const CFrameDialogs& dialogs, std::function<int()> language,
                   QObject* parent = nullptr);
    ~CProjectKeeper() override;

    // Starts keeping a recovery file in the folder (the program does; the
    // frames of tests keep none unless they ask).
    void StartRecovery(const QString& folder);
    CRecoveryStore* Recovery() const { return m_pRecovery.get(); }
    // At start: offers the unsaved work of a run that did not end cleanly.
    // True when it was restored.
    bool OfferRecovery();

    // The document changed: it now has unsaved changes.
    void NoteChange();
    bool IsModified() const { return m_bModified; }
    const QString& ProjectPath() const { return m_szPath; }
    // The project's file name, or "Untitled" in the language.
    QString ProjectName() const;
    // The window caption: the product title, after the project's name when
    // there is one, with "[*]" where Qt puts the unsaved mark (in front).
    QString Caption() const;

    // Asks to save unsaved changes before they are lost. True when the work
    // may go: nothing unsaved, saved, or the user chose to discard it.
    bool MayDiscardWork();
    // The document was replaced by a fresh one (New): nothing to save, no file.
    void StartedAfresh();
    // Open Project and Save Project (As): the commands, dialogs included.
    void OpenProject();
    bool OpenProjectFile(const QString& path);
    bool SaveProject();
    bool SaveProjectAs();
    // The program ends cleanly: the recovery file goes.
    void EndSession();

signals:
    // The project name or the unsaved mark changed.
    void StateChanged();
    // A project file was opened or saved (for the recent-file list).
    void ProjectFileUsed(const QString& path);

private:
    bool SaveTo(const QString& path);
    void SetClean(const QString& path);

    CCommandSteps& m_steps;
    const CFrameDialogs& m_dialogs;
    std::function<int()> m_fnLanguage;
    std::unique_ptr<CRecoveryStore> m_pRecovery;
    QString m_szPath;
    bool m_bModified = false;
};
