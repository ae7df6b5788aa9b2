#include "app/TessikApp.h"

#include "app/TessikDoc.h"
#include "frame/MainFrame.h"

#include <QCoreApplication>

CTessikApp::CTessikApp() = default;
CTessikApp::~CTessikApp() = default;

bool CTessikApp::InitInstance(const QStringList& arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessik"));
    m_pDoc = std::make_unique<CTessikDoc>();
    // A file argument only names the document.
    const QStringList files = arguments.mid(1);
    if (!files.isEmpty())
        m_pDoc->SetPathName(files.first());

    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pMainFrame->show();
    return true;
}
