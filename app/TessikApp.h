#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;
class CTessikDoc;

// Sets up the application, reads the command line and shows the main frame.
class CTessikApp
{
public:
    CTessikApp();
    ~CTessikApp();

    // Builds the document and the frame and shows it. Returns false when the
    // program should end without a window.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CTessikDoc* Document() const { return m_pDoc.get(); }

private:
    std::unique_ptr<CTessikDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
