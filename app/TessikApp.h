#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CMainFrame;
class CTessikDoc;

// Sets up the application, reads the command line and shows the main frame.
class CTessikApp
{
public:
    using ShowMessage = std::function<void(const QString& text)>;

    CTessikApp();
    ~CTessikApp();

    // Builds the document and the frame, shows it with the window geometry
    // of the last run and offers back work a crashed run left unsaved. A
    // project named on the command line is opened; any other file only
    // names the document; one that cannot be opened ends start-up (false)
    // after telling the user.
    bool InitInstance(const QStringList& arguments);

    // Tests replace the message box.
    void SetShowMessage(ShowMessage show) { m_fnShowMessage = std::move(show); }

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CTessikDoc* Document() const { return m_pDoc.get(); }

private:
    std::unique_ptr<CTessikDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    ShowMessage m_fnShowMessage;
};
