#include "frame/MainFrame.h"

#include "base/ProfileFile.h"
#include "canvas/ImageView.h"
#include "dialogs/FlatSplitterWnd.h"
#include "dialogs/SplashWnd.h"
#include "frame/CommandIds.h"
#include "frame/CommandTable.h"
#include "frame/HelpFile.h"
#include "frame/LockIndicators.h"
#include "frame/MenuTable.h"
#include "frame/PaneLink.h"
#include "frame/ToolbarImages.h"
#include "textinput/InputTextView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

using namespace CommandId;

// The frame's resources sit in a static library, where nothing else would
// pull their registration into the program. Outside any namespace, as the
// registration function is a global one.
static void LoadFrameResources()
{
    Q_INIT_RESOURCE(frame);
}

namespace {
const QString kSection = QStringLiteral("Main");
const QString kLanguageKey = QStringLiteral("Language");
const QString kShowGridKey = QStringLiteral("ShowGrid");
const QString kBkColorKey = QStringLiteral("BkColor");
constexpr int kInitialTopRowHeight = 400;
constexpr int kInputRowAllowance = 150; // client height the top row leaves to the rest
constexpr int kProgressPane = 1;

// Text of the status panes 1 to 4 when shown; pane 1 also takes its width from it.
constexpr std::array<const char*, CMainFrame::kStatusPaneCount> kPaneTexts = {"", "100%", "CAP", "NUM", "SCRL"};

bool Contains(const QWidget* pane, const QWidget* widget)
{
    return pane && widget && (pane == widget || pane->isAncestorOf(widget));
}
} // namespace

CMainFrame::CMainFrame(const QString& settingsPath, bool showSplash, QWidget* parent)
    : QMainWindow(parent)
    , m_szSettingsPath(settingsPath.isEmpty() ? DefaultSettingsPath() : settingsPath)
    , m_dialogs(CFrameDialogs::Defaults(this))
{
    CreateClient();
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    m_nLanguage = ValidLanguage(CProfileFile(m_szSettingsPath).GetInt(kSection, kLanguageKey, kDefaultLanguage));
    PutUpLanguageMenu();
    resize(800, 600);
    if (showSplash)
        CSplashWnd::RunSplash();
    setWindowTitle(QStringLiteral("Pellmark"));

    qApp->installEventFilter(this);
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { NoteActivePane(now); });
    UpdateCommandStates();
}

// Destroying the child widgets moves the focus; by then this frame is no
// longer a CMainFrame, so its handlers must already be gone.
CMainFrame::~CMainFrame()
{
    disconnect(m_focusConnection);
    qApp->removeEventFilter(this);
}

QString CMainFrame::DefaultSettingsPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("option.ini"));
}

void CMainFrame::CreateClient()
{
    m_splitter = new CFlatSplitterWnd(this);
    m_pInputPane = new CInputTextView(m_splitter);
    m_pCanvas = new CImageView(m_splitter);
    m_splitter->SetPane(0, m_pCanvas);
    m_splitter->SetPane(1, m_pInputPane);
    setCentralWidget(m_splitter);
    m_pActivePane = m_pCanvas;
    LinkPanes(m_pCanvas, m_pInputPane);

    const CProfileFile settings(m_szSettingsPath);
    m_pCanvas->Grid().SetBackgroundColor(
        static_cast<COLORREF>(settings.GetInt(kSection, kBkColorKey, 0)), false);
    m_pCanvas->SetShowGrid(settings.GetInt(kSection, kShowGridKey, 1));
    m_splitter->SetRowInfo(0, kInitialTopRowHeight, 0);
    m_splitter->RecalcLayout();

    // Typing changes whether a merge is pending, which several commands follow.
    connect(m_pInputPane->RichEdit(), &QTextEdit::textChanged, this, &CMainFrame::ScheduleUpdate);
    connect(m_pCanvas, &CImageView::StatusText, this, &CMainFrame::OnStatusText);
    m_bPanesReady = 1;
}

void CMainFrame::CreateActions()
{
    for (const CCommandInfo& info : kCommandTable) {
        auto* action = new QAction(QString::fromLatin1(info.szName), this);
        action->setData(info.nId);
        action->setToolTip(action->text());
        action->setCheckable(info.bCheckable);
        // The button images belong to the toolbar; menus show texts and check marks only.
        action->setIconVisibleInMenu(false);
        action->setShortcuts(ShortcutsOf(info));
        if (info.bHasPrompt)
            action->setStatusTip(action->text());
        const int id = info.nId;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_actions.insert(id, action);
        // Shortcuts work whichever bar or menu currently shows the action.
        addAction(action);
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);

    LoadFrameResources();
    const QList<QImage> images = ToolbarCells(QImage(QStringLiteral(":/frame/toolbar.bmp")));
    int button = 0;
    for (const int id : kToolbarLayout) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        if (button < images.size())
            action->setIcon(QIcon(QPixmap::fromImage(images.at(button))));
        ++button;
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    for (int pane = 1; pane < kStatusPaneCount; ++pane) {
        auto* label = new QLabel(bar);
        const QString widest = QString::fromLatin1(kPaneTexts[static_cast<std::size_t>(pane)]);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 8);
        m_statusPanes[static_cast<std::size_t>(pane)] = label;
        bar->addPermanentWidget(label);
    }
    m_statusPanes[kProgressPane]->setText(QString::fromLatin1(kPaneTexts[kProgressPane]));
    UpdateLockIndicators();
}

void CMainFrame::PutUpLanguageMenu()
{
    QMenuBar* bar = menuBar();
    bar->clear();
    // The old menus may be the sender of the language command being handled.
    for (QMenu* menu : std::as_const(m_menus))
        menu->deleteLater();
    m_menus.clear();

    std::array<QMenu*, 3> parents {}; // the open popup at each depth
    for (const CMenuItem& item : kMenuTable) {
        const QString text = QString::fromUtf8(item.aszText[static_cast<std::size_t>(m_nLanguage)]);
        QMenu* parent = item.nDepth > 0 ? parents[static_cast<std::size_t>(item.nDepth - 1)] : nullptr;
        if (item.nId == CMenuItem::kPopup) {
            QMenu* menu = parent ? parent->addMenu(text) : bar->addMenu(text);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
            m_menus << menu;
            parents[static_cast<std::size_t>(item.nDepth)] = menu;
        } else if (item.nId == CMenuItem::kSeparator) {
            parent->addSeparator();
        } else if (QAction* action = Action(item.nId)) {
            action->setText(text);
            parent->addAction(action);
        }
    }
}

QString CMainFrame::StatusPaneText(int pane) const
{
    if (pane == 0)
        return statusBar()->currentMessage();
    if (pane < 0 || pane >= kStatusPaneCount)
        return {};
    return m_statusPanes[static_cast<std::size_t>(pane)]->text();
}

void CMainFrame::OnStatusText(int pane, const QString& text)
{
    // Only panes 0 to 4 exist; anything else is ignored.
    if (pane < 0 || pane >= kStatusPaneCount)
        return;
    QString shown = text;
    while (shown.startsWith(QLatin1Char('\t')))
        shown.remove(0, 1);
    if (pane == 0) {
        statusBar()->showMessage(shown);
        return;
    }
    QLabel* label = m_statusPanes[static_cast<std::size_t>(pane)];
    label->setText(shown);
    // Shown at once, not when the interface thread is next idle.
    label->repaint();
}

void CMainFrame::UpdateLockIndicators()
{
    const CLockIndicators locks;
    const std::array<CLockIndicators::Lock, 3> order = {CLockIndicators::CapsLock, CLockIndicators::NumLock,
                                                       CLockIndicators::ScrollLock};
    for (std::size_t i = 0; i < order.size(); ++i) {
        QLabel* label = m_statusPanes[i + 2];
        label->setText(locks.IsOn(order[i]) ? QString::fromLatin1(kPaneTexts[i + 2]) : QString());
    }
}

QString CMainFrame::HelpPath() const
{
    return HelpFilePath(QCoreApplication::applicationDirPath(), m_nLanguage);
}

int CMainFrame::ClientHeight() const
{
    const QWidget* menu = menuWidget();
    const int menuHeight = menu && menu->isVisible() ? menu->height() : 0;
    return height() - menuHeight;
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!m_bPanesReady)
        return;
    // The canvas row follows the window; the input row keeps a constant height.
    m_splitter->SetRowInfo(0, ClientHeight() - kInputRowAllowance, 0);
    m_splitter->RecalcLayout();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        NoteActivePane(watched);
        break;
    case QEvent::MouseButtonRelease:
        // A click on the input pane's own toolbar can change what is pending.
        ScheduleUpdate();
        break;
    case QEvent::KeyRelease:
        if (watched == QApplication::focusWidget())
            UpdateLockIndicators();
        break;
    case QEvent::EnabledChange:
        // The dot text pane is disabled while its listing is being written.
        if (watched == m_pCanvas->TextPane())
            ScheduleUpdate();
        break;
    case QEvent::WindowActivate:
        // A lock may have been switched while another window had the keyboard.
        if (watched == this)
            UpdateLockIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::NoteActivePane(QObject* object)
{
    const auto* widget = qobject_cast<QWidget*>(object);
    if (Contains(m_pInputPane, widget))
        m_pActivePane = m_pInputPane;
    else if (Contains(m_pCanvas, widget))
        m_pActivePane = m_pCanvas;
}

void CMainFrame::ScheduleUpdate()
{
    if (m_bUpdateQueued)
        return;
    m_bUpdateQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdateQueued = false;
        UpdateCommandStates();
    });
}

void CMainFrame::UpdateCommandStates()
{
    const bool textPaneShown = IsTextPaneShown();
    // A listing still being written would be saved or printed incomplete.
    const bool listingComplete = textPaneShown && !m_pCanvas->IsDotTextRunning();
    const bool mergePending = IsMergePending();
    const bool textMode = m_pCanvas->Grid().Mode() == 0;

    Action(SaveDot)->setEnabled(listingComplete);
    Action(Print)->setEnabled(listingComplete);
    Action(SaveImage)->setEnabled(!textPaneShown);
    Action(ViewImage)->setChecked(!textPaneShown);
    for (int id = Red; id <= Orange; ++id)
        Action(id)->setChecked(m_pCanvas->Grid().ColorIndex() == id - Red);
    Action(MergeText)->setEnabled(mergePending);
    for (int id = TextUp; id <= TextOrigin; ++id)
        Action(id)->setEnabled(textMode && mergePending);
    Action(Pan)->setChecked(IsPanMode());
    for (int language = 0; language < kLanguageCount; ++language)
        Action(English + language)->setChecked(m_nLanguage == language);
}

void CMainFrame::OnCommand(int id)
{
    if (id >= Red && id <= Orange) {
        // Only the colour of the next painted dot changes; nothing is repainted.
        m_pCanvas->Grid().SetDotColor(id - Red);
    } else if (id >= English && id <= ChineseTraditional) {
        OnLanguage(id - English);
    } else {
        switch (id) {
        case New: OnNew(); break;
        case Open: OnOpen(); break;
        case SaveDot: m_pCanvas->SaveDotData(); break;
        case SaveImage: m_pCanvas->SaveImage(); break;
        case Print: OnPrint(); break;
        case Exit: QuitWithoutSaving(); return;
        case Mirror: m_pCanvas->Mirror(); break;
        case Flip: m_pCanvas->Flip(); break;
        case Rotate: m_pCanvas->Rotate(); break;
        case ZoomIn: m_pCanvas->ZoomIn(); break;
        case ZoomOut: m_pCanvas->ZoomOut(); break;
        case ToggleGrid: m_pCanvas->ToggleGrid(); break;
        case Pan: m_pCanvas->TogglePanMode(); break;
        case MergeText: OnMergeText(); break;
        case ViewImage: OnViewImage(); break;
        case BackgroundColor: OnBackgroundColor(); break;
        case Font: OnFont(); break;
        case TextUp: m_pInputPane->MoveText(CInputTextView::KeyUp); break;
        case TextDown: m_pInputPane->MoveText(CInputTextView::KeyDown); break;
        case TextLeft: m_pInputPane->MoveText(CInputTextView::KeyLeft); break;
        case TextRight: m_pInputPane->MoveText(CInputTextView::KeyRight); break;
        case TextOrigin: m_pInputPane->MoveText(CInputTextView::KeyHome); break;
        case Help: OnHelp(); break;
        case About: m_dialogs.showAbout(); break;
        default: break;
        }
    }
    UpdateCommandStates();
}

void CMainFrame::OnNew()
{
    const std::optional<CNewCanvasRequest> request = m_dialogs.askNewCanvas();
    if (!request)
        return;
    if (!m_pCanvas->NewCanvas(request->nWidth, request->nHeight, request->nMode))
        return;
    // Only the mode of the input pane changes; its text stays, not rendered.
    m_pInputPane->SetInputMode(request->nMode);
}

void CMainFrame::OnOpen()
{
    const QString path = m_dialogs.askOpenFile();
    if (path.isEmpty())
        return;
    m_pCanvas->LoadPicture(path);
}

void CMainFrame::OnPrint()
{
    QPrinter printer;
    if (!m_dialogs.askPrinter(printer))
        return;
    m_pCanvas->PrintDotText(printer);
}

void CMainFrame::OnMergeText()
{
    // Merge Text belongs to the input pane; with the canvas active it does nothing.
    if (m_pActivePane != m_pInputPane)
        return;
    m_pInputPane->OnMergeText();
}

void CMainFrame::OnViewImage()
{
    if (m_pCanvas->IsTextPaneShown()) {
        m_pCanvas->ShowTextPane(0);
        return;
    }
    m_pCanvas->ShowTextPane(1);
    m_pCanvas->BeginDotText();
}

void CMainFrame::OnBackgroundColor()
{
    const std::optional<COLORREF> colour = m_dialogs.askColor(m_pCanvas->Grid().BackColor());
    if (!colour)
        return;
    m_pCanvas->SetBackgroundColor(*colour);
}

void CMainFrame::OnFont()
{
    // The dialog works on a copy: cancelling leaves the pane's font untouched.
    const std::optional<LogFont> font = m_dialogs.askFont(m_pInputPane->CurrentFont());
    if (!font)
        return;
    m_pInputPane->ApplyFont(*font);
}

void CMainFrame::OnLanguage(int language)
{
    m_nLanguage = language;
    PutUpLanguageMenu();
}

void CMainFrame::OnHelp()
{
    m_dialogs.openFile(HelpPath());
}

bool CMainFrame::IsTextPaneShown() const
{
    return m_pCanvas->IsTextPaneShown() != 0;
}

bool CMainFrame::IsMergePending() const
{
    return m_pInputPane->IsMergePending();
}

bool CMainFrame::IsPanMode() const
{
    return m_pCanvas->PanMode() != 0;
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
    m_dialogs.quit();
}
