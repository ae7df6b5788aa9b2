#include "app/TessikApp.h"

#include "app/TessikDoc.h"
#include "base/MessageTexts.h"
#include "base/ProductTitle.h"
#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "dotdata/ProjectFile.h"
#include "frame/MainFrame.h"
#include "frame/ProjectKeeper.h"
#include "frame/RecoveryStore.h"

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
            // No window is up yet: the message takes the language the frame will.
            const int language = CMainFrame::StoredLanguage(CMainFrame::DefaultSettingsPath());
            const QString english =
                MessageText::English(MessageText::CannotOpenAtStart, {CQuotedText::Quote(files.first())});
            m_fnShowMessage(MessageText::Translate(english, language));
            return false;
        }
        m_pDoc->SetPathName(files.first());
    }

    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pMainFrame->RestoreUserSettings();
    m_pMainFrame->show();
    CProjectKeeper& keeper = m_pMainFrame->Keeper();
    keeper.StartRecovery(CRecoveryStore::DefaultFolder());
    keeper.OfferRecovery();
    // A project named on the command line opens; any other file only names
    // the document.
    if (!files.isEmpty() && CProjectFile::IsProject(files.first()) && keeper.MayDiscardWork())
        keeper.OpenProjectFile(files.first());
    return true;
}
