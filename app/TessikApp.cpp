#include "app/TessikApp.h"

#include "app/TessikDoc.h"
#include "base/ProductTitle.h"
#include "base/RegularFile.h"
#include "frame/MainFrame.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QFile>
#include <QMessageBox>

#include <limits>

CTessikApp::CTessikApp()
    : m_fnShowMessage([](const QString& text) {
        QMessageBox::warning(nullptr, ProductTitle(), text);
    })
{
}

CTessikApp::~CTessikApp() = default;

bool CTessikApp::InitInstance(const QStringList& arguments)
{
    // Settings are kept under the application name; every window shows the
    // product title, also those that have no title of their own.
    QCoreApplication::setApplicationName(QStringLiteral("Tessik"));
    QGuiApplication::setApplicationDisplayName(ProductTitle());
    m_pDoc = std::make_unique<CTessikDoc>();
    const QStringList files = arguments.mid(1);
    if (!files.isEmpty()) {
        // The document reads nothing from the file; it must only be openable,
        // as a regular file: opening a FIFO would wait for a writer forever.
        QFile file;
        if (CRegularFile::Open(files.first(), std::numeric_limits<qint64>::max(), file) != CRegularFile::Ok) {
            m_fnShowMessage(QStringLiteral("Cannot open \"%1\".").arg(files.first()));
            return false;
        }
        m_pDoc->SetPathName(files.first());
    }

    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pMainFrame->show();
    return true;
}
