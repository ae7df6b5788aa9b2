#pragma once

#include <QWidget>

class QTextBrowser;

// The help pages shown by the program itself, for desktops that have no
// program for web pages: the page with its style sheet, its links followed
// inside the window (Alt+Left goes back), web links handed to the desktop.
// It opens whole on the screen of the main window, and Esc closes it.
class CHelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Loads the page, shows the window and brings it to the front.
    void ShowPage(const QString& path);
    QTextBrowser* Browser() const { return m_pBrowser; }
    // 'wanted' moved and, if need be, shrunk so that it lies wholly in 'available'.
    static QRect FitInto(const QRect& wanted, const QRect& available);

private:
    void PlaceOnScreen();
    void UpdateTitle();

    QTextBrowser* m_pBrowser = nullptr;
};
