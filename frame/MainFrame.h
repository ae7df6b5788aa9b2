#pragma once

#include <QMainWindow>
#include <QString>

class CImageView;
class CInputTextView;
class CProfileFile;

// The main window: the canvas above the text input pane, the bars and the
// commands. Closing it stores the settings; quitting through File > Exit does not.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // settingsPath: the settings file; empty means option.ini beside the executable.
    explicit CMainFrame(const QString& settingsPath = QString(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    static QString DefaultSettingsPath();

    CImageView* Canvas() const { return m_pCanvas; }
    CInputTextView* InputPane() const { return m_pInputPane; }
    int Language() const { return m_nLanguage; }
    const QString& SettingsPath() const { return m_szSettingsPath; }

    // File > Exit: ends the program without passing through the close handler.
    void QuitWithoutSaving();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool CreateClient();
    void WriteSettings() const;

    int m_bPanesReady = 0;
    CImageView* m_pCanvas = nullptr;
    CInputTextView* m_pInputPane = nullptr;
    int m_nLanguage = 1;
    QString m_szSettingsPath;
};
