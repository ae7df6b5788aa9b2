#include "frame/MainFrame.h"

#include "app/ProfileFile.h"
#include "canvas/ImageView.h"
#include "textinput/InputTextView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QSplitter>

namespace {
const QString kSection = QStringLiteral("Main");
const QString kLanguageKey = QStringLiteral("Language");
const QString kShowGridKey = QStringLiteral("ShowGrid");
const QString kBkColorKey = QStringLiteral("BkColor");
constexpr int kLanguageCount = 3;
constexpr int kDefaultLanguage = 1;
}

CMainFrame::CMainFrame(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent)
    , m_szSettingsPath(settingsPath.isEmpty() ? DefaultSettingsPath() : settingsPath)
{
    CreateClient();
    const int language = CProfileFile(m_szSettingsPath).GetInt(kSection, kLanguageKey, kDefaultLanguage);
    m_nLanguage = (language >= 0 && language < kLanguageCount) ? language : kDefaultLanguage;
    setWindowTitle(QStringLiteral("Pellmark"));
    resize(800, 600);
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::DefaultSettingsPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("option.ini"));
}

bool CMainFrame::CreateClient()
{
    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_pCanvas = new CImageView(splitter);
    m_pInputPane = new CInputTextView(splitter);
    splitter->addWidget(m_pCanvas);
    splitter->addWidget(m_pInputPane);
    setCentralWidget(splitter);

    const CProfileFile settings(m_szSettingsPath);
    m_pCanvas->Grid().SetBackgroundColor(
        static_cast<COLORREF>(settings.GetInt(kSection, kBkColorKey, 0)), false);
    m_pCanvas->SetShowGrid(settings.GetInt(kSection, kShowGridKey, 1));
    splitter->setSizes({400, 150});
    m_bPanesReady = 1;
    return true;
}

void CMainFrame::WriteSettings() const
{
    // A failed write (read-only directory) is ignored: the next start simply
    // uses whatever the file holds.
    const CProfileFile settings(m_szSettingsPath);
    settings.WriteInt(kSection, kLanguageKey, m_nLanguage);
    settings.WriteInt(kSection, kBkColorKey, static_cast<int>(m_pCanvas->Grid().BackColor()));
    settings.WriteInt(kSection, kShowGridKey, m_pCanvas->ShowGrid());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    WriteSettings();
    event->accept();
}

void CMainFrame::QuitWithoutSaving()
{
    // exit(), unlike quit(), does not send close events to the windows.
    QCoreApplication::exit(0);
}
