#pragma once

#include "animation/PreviewWindow.h"
#include "frame/AnimationSteps.h"
#include "frame/CommandSteps.h"
#include "frame/FrameDialogs.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>

class CCanvasReadout;
class CDrawingSteps;
class CFlatSplitterWnd;
class CFrameStrip;
class CHelpWindow;
class CImageView;
class CInputTextView;
class CProjectKeeper;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The main window: the canvas above the text input pane in a flat splitter,
// the main toolbar, the status bar, the menus in three languages and every
// command. Closing it stores the settings; File > Exit does not.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
    // The registry's functions run the commands and read their states.
    friend class CCommandRegistry;

public:
    static constexpr int kStatusPaneCount = 5;

    // settingsPath: the settings file; empty means option.ini beside the
    // executable, or in the user's configuration folder when the
    // executable's folder cannot be written. showSplash: tests build the
    // frame without the splash.
    explicit CMainFrame(const QString& settingsPath = QString(), bool showSplash = true, QWidget* parent = nullptr);
    ~CMainFrame() override;

    static QString DefaultSettingsPath();
    // The interface language kept in the settings file (the default when none is).
    static int StoredLanguage(const QString& settingsPath);

    CImageView* Canvas() const { return m_pCanvas; }
    CInputTextView* InputPane() const { return m_pInputPane; }
    CFlatSplitterWnd* Splitter() const { return m_splitter; }
    QToolBar* ToolBar() const { return m_toolBar; }
    int Language() const { return m_nLanguage; }
    const QString& SettingsPath() const { return m_szSettingsPath; }
    CFrameDialogs& Dialogs() { return m_dialogs; }
    CCommandSteps& Steps() { return *m_pSteps; }
    CAnimationSteps& Animation() { return *m_pAnimation; }
    // The thumbnails under the canvas (hidden with one frame), and the
    // preview window once View > Sign Preview has opened it.
    CFrameStrip* FrameStrip() const { return m_pFrameStrip; }
    CPreviewWindow* PreviewWindow() const { return m_pPreview; }
    CDrawingSteps& Drawing() { return *m_pDrawing; }
    // The panes after the original five: pointer, block, zoom, canvas size.
    const CCanvasReadout& Readout() const { return *m_pReadout; }
    // The program's own help window, once Help has needed it.
    CHelpWindow* HelpWindow() const;

    // The action of a command id; null for ids the frame does not know.
    QAction* Action(int id) const { return m_actions.value(id, nullptr); }
    // The text a status pane shows now.
    QString StatusPaneText(int pane) const;
    // The help page of the current language beside the executable.
    QString HelpPath() const;
    // What the status bar says while the overlay text runs past the canvas;
    // empty while it fits.
    QString OverflowText() const;
    // What the status bar says, in the language, when View Image lists
    // nothing of the lit dots.
    static QString EmptyListingHint(int language);
    // The same when merged text was there but its dots have been replaced.
    static QString ReplacedTextHint(int language);
    // The status line after an Exact Colors open that lit no dot.
    static QString ExactLitNothingHint(int language);
    // Height of the client area: the window without its menu bar.
    int ClientHeight() const;

    // Recomputes every enabled and checked state from the panes.
    void UpdateCommandStates();
    // Runs a command as if chosen from its menu or button.
    void OnCommand(int id);
    // File > Exit: ends the program without passing through the close
    // handler, once unsaved work is saved or given up.
    void QuitWithoutSaving();

    // The user's work: project file, unsaved changes, recovery file.
    CProjectKeeper& Keeper() { return *m_pKeeper; }
    // Opens a file as what its content says it is: a project (after asking
    // about unsaved changes), a BMP or JPEG picture (as Open does), or else
    // a dot listing drawn onto the canvas. Dropped files and the recent-file
    // list come here.
    void OpenByContent(const QString& path);
    // The window geometry and the input pane's font from the last run, and
    // storing them (on close).
    void RestoreUserSettings();
    void StoreUserSettings() const;

public slots:
    // Progress text from the dot-data generation. Leading tabs, which mean
    // "align right", are dropped: the progress pane is right-aligned.
    void OnStatusText(int pane, const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateClient();
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void PutUpLanguageMenu();
    void UpdateLockIndicators();
    void ShowOverflow();
    void NoteActivePane(QWidget* widget);
    void WriteSettings() const;
    void WatchForChanges();
    void UpdateCaption();
    void UpdateRecentFiles();
    void OnRecentFile(int index);

    void OnNew();
    void OnOpen();
    void OnPrint();
    void OnExport();
    void OnMergeText();
    void OnViewImage();
    void OnBackgroundColor();
    void OnFont();
    void OnLanguage(int language);
    void OnHelp();
    void OnSignPreview();
    // The strip and the preview follow the document's frames.
    void LinkFrames();
    void OnResizeCanvas();

    // Pane state the command states depend on.
    bool IsTextPaneShown() const;
    bool IsMergePending() const;
    bool IsPanMode() const;

    int m_bPanesReady = 0;
    CImageView* m_pCanvas = nullptr;
    CInputTextView* m_pInputPane = nullptr;
    int m_nLanguage = 1;
    QString m_szSettingsPath;
    CFlatSplitterWnd* m_splitter = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::array<QLabel*, kStatusPaneCount> m_statusPanes {};
    QLabel* m_pOverflowLabel = nullptr; // left in the status bar, under passing messages
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QWidget* m_pActivePane = nullptr; // the pane last clicked or tabbed into: commands go there first
    CFrameDialogs m_dialogs;
    SExportRequest m_lastExport; // the form, options and file of the last export
    std::unique_ptr<CCommandSteps> m_pSteps;
    std::unique_ptr<CAnimationSteps> m_pAnimation;
    CFrameStrip* m_pFrameStrip = nullptr;
    QPointer<CPreviewWindow> m_pPreview;
    std::unique_ptr<CDrawingSteps> m_pDrawing;
    CCanvasReadout* m_pReadout = nullptr; // owned by the status bar
    QTimer* m_pLockTimer = nullptr;
    QMetaObject::Connection m_focusConnection; // to the application, ended before the frame goes
    QPointer<CHelpWindow> m_pHelpWindow;
    CProjectKeeper* m_pKeeper = nullptr;
};
