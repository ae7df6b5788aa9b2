#pragma once

#include <QString>

#include <functional>

class QWidget;

// Save Dot: asks for a .txt file name and writes the dot text pane's text to
// it. The dialog and the message box are reached through functions that
// tests replace.
class CSaveDot
{
public:
    // Returns the chosen path, or an empty text when the user cancels.
    using AskFileName = std::function<QString(QWidget* parent, const QString& prefill)>;
    using ShowMessage = std::function<void(QWidget* parent, const QString& text)>;

    CSaveDot();

    void SetAskFileName(AskFileName ask) { m_fnAskFileName = std::move(ask); }
    void SetShowMessage(ShowMessage show) { m_fnShowMessage = std::move(show); }

    // Asks for the file, pre-filled from path, which then holds the choice,
    // and writes paneText. A file that cannot be written is left as it was
    // and the user is told so. True when a file was written.
    bool Save(QWidget* parent, const QString& paneText, QString& path) const;

    static QString FailureMessage(const QString& path);

private:
    static QString AskWithDialog(QWidget* parent, const QString& prefill);
    static void ShowMessageBox(QWidget* parent, const QString& text);

    AskFileName m_fnAskFileName;
    ShowMessage m_fnShowMessage;
};
