#pragma once

#include <QWidget>

class QTextBrowser;

// The help pages shown by the program itself, for desktops that have no
// program for web pages: the page with its style sheet, its links followed
// inside the window (Alt+Left goes back), web links handed to the desktop.
class CHelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Loads the page, shows the window and brings it to the front.
    void ShowPage(const QString& path);
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    void UpdateTitle();

    QTextBrowser* m_pBrowser = nullptr;
};
