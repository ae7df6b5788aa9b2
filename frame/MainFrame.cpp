#include "frame/MainFrame.h"

#include "animation/FrameStrip.h"
#include "animation/PreviewWindow.h"
#include "base/MessageTexts.h"
#include "base/ProductTitle.h"
#include "base/ProfileFile.h"
#include "base/SettingsLocation.h"
#include "canvas/CanvasDocument.h"
#include "canvas/ImageView.h"
#include "dialogs/FlatSplitterWnd.h"
#include "dialogs/SplashWnd.h"
#include "dotdata/ListingView.h"
#include "dotdata/PictureDecoder.h"
#include "dotdata/ProjectFile.h"
#include "base/CommandIds.h"
#include "frame/CanvasReadout.h"
#include "frame/CommandRegistry.h"
#include "frame/DrawingSteps.h"
#include "frame/HelpFile.h"
#include "frame/HelpWindow.h"
#include "frame/LockIndicators.h"
#include "base/Languages.h"
#include "frame/OverflowMessage.h"
#include "frame/PaneLink.h"
#include "frame/ProjectKeeper.h"
#include "frame/UserSettings.h"
#include "frame/ToolbarImages.h"
#include "textinput/InputTextView.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace CommandId;

namespace {
const QString kSection = QStringLiteral("Main");
const QString kLanguageKey = QStringLiteral("Language");
const QString kShowGridKey = QStringLiteral("ShowGrid");
const QString kBkColorKey = QStringLiteral("BkColor");
const QString kPictureColorsKey = QStringLiteral("PictureColors");
constexpr int kInitialTopRowHeight = 400;
constexpr int kInputRowAllowance = 150; // client height the top row leaves to the rest
constexpr int kProgressPane = 1;
constexpr int kLockPollMs = 300;

// Text of the status panes 1 to 4 when shown; pane 1 also takes its width from it.
constexpr std::array<const char*, CMainFrame::kStatusPaneCount> kPaneTexts = {"", "100%", "CAP", "NUM", "SCRL"};

// The status-bar hints when View Image or Open leaves lit dots unlisted; the
// menu names in them are those of the language's menus.
constexpr STriText kEmptyListingHint = {
    "No dots listed: a text-mode canvas lists only merged text. "
    "To list a picture, choose File > New in image mode, then Open it.",
    "未列出任何格点：文字模式的画布只列出合并后的文字。"
    "要列出图片，请用 文件 > 新建图像 新建图片模式的画布，再用 打开图像 打开图片。",
    "未列出任何格點：文字模式的畫布只列出合併後的文字。"
    "要列出圖片，請用 文件 > 新建圖像 新建圖片模式的畫布，再用 打開圖像 開啟圖片。"};
constexpr STriText kReplacedTextHint = {
    "No dots listed: a text-mode canvas lists only merged text, and a picture, a listing "
    "or a turn has replaced its dots. Merge Text lists the text again; to list a picture, "
    "choose File > New in image mode, then Open it.",
    "未列出任何格点：文字模式的画布只列出合并后的文字，而它的格点已被图片、点阵数据或旋转取代。"
    "用 合并文字 可以重新列出文字；要列出图片，请用 文件 > 新建图像 新建图片模式的画布，再用 打开图像 打开图片。",
    "未列出任何格點：文字模式的畫布只列出合併後的文字，而它的格點已被圖片、點陣資料或旋轉取代。"
    "用 合併文字 可以重新列出文字；要列出圖片，請用 文件 > 新建圖像 新建圖片模式的畫布，再用 打開圖像 開啟圖片。"};
constexpr STriText kExactLitNothingHint = {
    "Exact Colors lit no dot of this picture. For a photo or a scan, choose "
    "Edit > Picture Colors > Nearest Color or Dithered, then Open it again.",
    "用 精确颜色 打开这张图片时没有点亮任何格点。照片或扫描图请选择 编辑 > 图片颜色 > 最接近颜色 或 抖动，然后重新打开。",
    "用 精確顏色 開啟這張圖片時沒有點亮任何格點。相片或掃描圖請選擇 編輯 > 圖片顏色 > 最接近顏色 或 抖動，然後重新開啟。"};
static_assert(AllComplete(std::array<STriText, 3>{kEmptyListingHint, kReplacedTextHint, kExactLitNothingHint}));

bool Contains(const QWidget* pane, const QWidget* widget)
{
    return pane && widget && (pane == widget || pane->isAncestorOf(widget));
}

// The first local file a drag carries; empty when it carries none.
QString DraggedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

// A tool button's tip: its menu text without the mnemonic ("&Line" and
// "直线(&L)" alike), then its key.
QString ToolTipOf(QString text, const QKeySequence& key)
{
    static const QRegularExpression kMnemonic(QStringLiteral("\\(&.\\)|&"));
    text.remove(kMnemonic);
    if (key.isEmpty())
        return text;
    return QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText));
}
} // namespace

CMainFrame::CMainFrame(const QString& settingsPath, bool showSplash, QWidget* parent)
    : QMainWindow(parent)
    , m_szSettingsPath(settingsPath.isEmpty() ? DefaultSettingsPath() : settingsPath)
    , m_dialogs(MakeFrameDialogs(this, [this] { return m_nLanguage; }))
{
    CreateClient();
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    m_nLanguage = StoredLanguage(m_szSettingsPath);
    PutUpLanguageMenu();
    m_pInputPane->SetLanguage(m_nLanguage);
    m_pCanvas->TextPane()->SetLanguage(m_nLanguage);
    resize(800, 600);
    if (showSplash)
        CSplashWnd::RunSplash();
    setWindowTitle(ProductTitle());
    // Files dropped anywhere on the window, the input text included.
    setAcceptDrops(true);
    m_pInputPane->RichEdit()->viewport()->installEventFilter(this);

    // The pane that is clicked into, or tabbed into, becomes the active one.
    connect(m_pCanvas, &CImageView::Activated, this, [this] { m_pActivePane = m_pCanvas; });
    connect(m_pInputPane, &CInputTextView::Activated, this, [this] { m_pActivePane = m_pInputPane; });
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { NoteActivePane(now); });
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The panes are destroyed by the base class, after this frame's own
    // members; focus moving between them then must not reach this frame.
    disconnect(m_focusConnection);
}

QString CMainFrame::DefaultSettingsPath()
{
    return CSettingsLocation().SettingsPath(QCoreApplication::applicationDirPath());
}

int CMainFrame::StoredLanguage(const QString& settingsPath)
{
    return ValidLanguage(CProfileFile(settingsPath).GetInt(kSection, kLanguageKey, kDefaultLanguage));
}

void CMainFrame::CreateClient()
{
    m_splitter = new CFlatSplitterWnd(this);
    m_pInputPane = new CInputTextView(m_splitter);
    // The top row: the canvas, and under it the frames' thumbnails when
    // there is more than one frame.
    auto* top = new QWidget(m_splitter);
    auto* column = new QVBoxLayout(top);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_pCanvas = new CImageView(top);
    m_pFrameStrip = new CFrameStrip(top);
    column->addWidget(m_pCanvas, 1);
    column->addWidget(m_pFrameStrip);
    m_splitter->SetPane(0, top);
    m_splitter->SetPane(1, m_pInputPane);
    setCentralWidget(m_splitter);
    m_pActivePane = m_pCanvas;
    m_pCanvas->SetDialogs(&m_dialogs);
    m_pSteps = std::make_unique<CCommandSteps>(m_pCanvas->Document(), m_dialogs);
    m_pSteps->SetHistoryLock([this] { return m_pCanvas->IsDotTextRunning(); });
    m_pAnimation = std::make_unique<CAnimationSteps>(m_pCanvas->Document());
    m_pDrawing = std::make_unique<CDrawingSteps>(*m_pCanvas);
    LinkPanes(m_pCanvas, m_pInputPane);
    LinkFrames();
    m_pKeeper = new CProjectKeeper(*m_pSteps, m_dialogs, [this] { return m_nLanguage; }, this);
    connect(m_pKeeper, &CProjectKeeper::StateChanged, this, &CMainFrame::UpdateCaption);
    connect(m_pKeeper, &CProjectKeeper::ProjectFileUsed, this, [this](const QString& path) {
        CUserSettings::AddRecentFile(path);
        UpdateRecentFiles();
    });

    const CProfileFile settings(m_szSettingsPath);
    m_pCanvas->Grid().SetBackgroundColor(
        static_cast<COLORREF>(settings.GetInt(kSection, kBkColorKey, 0)), false);
    m_pCanvas->SetShowGrid(settings.GetInt(kSection, kShowGridKey, 1));
    m_pCanvas->SetPictureColors(settings.GetInt(kSection, kPictureColorsKey, ExactColors));
    m_splitter->SetRowInfo(0, kInitialTopRowHeight, 0);
    m_splitter->RecalcLayout();

    // Merge Text and the text-position buttons follow whether a merge is
    // pending; Save Dot and Print wait for the whole listing.
    connect(m_pInputPane, &CInputTextView::MergePendingChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_pCanvas, &CImageView::DotTextFinished, this, &CMainFrame::UpdateCommandStates);
    // Undo and Redo follow the history, which mouse edits and pane changes also fill.
    connect(m_pCanvas, &CImageView::HistoryChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_pCanvas, &CImageView::StatusText, this, &CMainFrame::OnStatusText);
    // The colour picker changes the checked colour.
    connect(m_pCanvas, &CImageView::DotColorPicked, this, &CMainFrame::UpdateCommandStates);
    // Cut, Copy, Delete and Crop follow the selection, Paste the clipboard.
    connect(m_pCanvas, &CImageView::GestureEnded, this, &CMainFrame::UpdateCommandStates);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommandStates);
    WatchForChanges();
    connect(m_pCanvas, &CImageView::OverlayOverflowChanged, this, &CMainFrame::ShowOverflow);
    m_bPanesReady = 1;
}

void CMainFrame::WatchForChanges()
{
    // Every change to the dots is recorded in the history; typing, colouring
    // and the pane's settings change the document without it.
    const auto changed = [this] { m_pKeeper->NoteChange(); };
    connect(m_pCanvas, &CImageView::HistoryChanged, this, changed);
    connect(m_pInputPane->RichEdit()->document(), &QTextDocument::contentsChanged, this, changed);
    connect(m_pInputPane, &CInputTextView::FontApplied, this, changed);
    connect(m_pInputPane, &CInputTextView::StretchChanged, this, changed);
    connect(m_pInputPane, &CInputTextView::TextXChanged, this, changed);
    connect(m_pInputPane, &CInputTextView::TextYChanged, this, changed);
    connect(m_pInputPane, &CInputTextView::OverlayColorChanged, this, changed);
    connect(m_pInputPane, &CInputTextView::LayoutOptionsChanged, this, changed);
    connect(m_pInputPane, &CInputTextView::MergePendingChanged, this, changed);
}

void CMainFrame::UpdateCaption()
{
    setWindowTitle(m_pKeeper->Caption());
    setWindowModified(m_pKeeper->IsModified());
}

void CMainFrame::UpdateRecentFiles()
{
    const QStringList recent = CUserSettings::RecentFiles();
    for (int i = 0; i < CUserSettings::kRecentFileCount; ++i) {
        QAction* action = Action(RecentFile + i);
        const bool shown = i < recent.size();
        action->setVisible(shown);
        if (!shown)
            continue;
        // The name with its number as the key; the whole path as prompt.
        QString name = QFileInfo(recent.at(i)).fileName();
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name.replace(QLatin1Char('&'), QLatin1String("&&"))));
        action->setStatusTip(QDir::toNativeSeparators(recent.at(i)));
    }
}

void CMainFrame::OnRecentFile(int index)
{
    const QStringList recent = CUserSettings::RecentFiles();
    if (index < recent.size())
        OpenByContent(recent.at(index));
}

void CMainFrame::OpenByContent(const QString& path)
{
    if (CProjectFile::IsProject(path)) {
        if (m_pKeeper->MayDiscardWork())
            m_pKeeper->OpenProjectFile(path);
    } else if (CPictureDecoder::IsPictureFile(path)) {
        m_pSteps->Open(path);
    } else {
        QString error;
        if (!m_pSteps->LoadDots(path, error))
            m_dialogs.ShowMessage(MessageText::English(MessageText::NotAListing, {error}));
    }
    UpdateCommandStates();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenByContent(path);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The input text takes dropped text itself, but files go to the window.
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!DraggedFile(drop->mimeData()).isEmpty()) {
            if (type == QEvent::Drop)
                dropEvent(drop);
            else
                drop->acceptProposedAction();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::RestoreUserSettings()
{
    const QByteArray geometry = CUserSettings::WindowGeometry();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    if (const std::optional<LogFont> font = CUserSettings::InputFont()) {
        // As if chosen last time: the pane shows it and the canvas draws
        // with it, and nothing counts as changed.
        SInputState state = m_pInputPane->InputState();
        state.m_lfFont = *font;
        m_pInputPane->RestoreInputState(state, m_pCanvas->Text());
        m_pCanvas->Text().m_lfText = *font;
    }
    m_pKeeper->StartedAfresh();
}

void CMainFrame::StoreUserSettings() const
{
    CUserSettings::SetWindowGeometry(saveGeometry());
    CUserSettings::SetInputFont(m_pInputPane->CurrentFont());
}

void CMainFrame::CreateActions()
{
    for (const SCommandEntry* entry : CCommandRegistry::Commands()) {
        auto* action = new QAction(QString::fromLatin1(entry->szName), this);
        action->setData(entry->nId);
        action->setToolTip(action->text());
        action->setCheckable(entry->bCheckable);
        // The button images belong to the toolbar; menus show texts and check marks only.
        action->setIconVisibleInMenu(false);
        action->setShortcuts(CCommandRegistry::Shortcuts(*entry));
        if (entry->szPrompt)
            action->setStatusTip(QString::fromLatin1(entry->szPrompt));
        const int id = entry->nId;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        // The recent files show once there are some (UpdateRecentFiles).
        action->setVisible(id < RecentFile || id > RecentFileLast);
        m_actions.insert(id, action);
        // Shortcuts work whichever bar or menu currently shows the action.
        addAction(action);
    }
    // The ways of Edit > Picture Colors are radio items.
    auto* pictureColors = new QActionGroup(this);
    for (int id = PictureExact; id <= PictureDithered; ++id)
        pictureColors->addAction(Action(id));
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

    const QList<QImage> images = ToolbarCells(QImage(QStringLiteral(":/frame/toolbar.bmp")));
    const QList<QImage> tools = ToolbarCells(QImage(QStringLiteral(":/frame/tools.bmp")));
    for (const SCommandEntry* entry : CCommandRegistry::ToolbarLayout()) {
        if (!entry) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(entry->nId);
        const int cell = entry->nToolbarCell;
        const int toolCell = cell - SCommandEntry::kToolCells;
        if (cell < images.size())
            action->setIcon(QIcon(QPixmap::fromImage(images.at(cell))));
        else if (toolCell >= 0 && toolCell < tools.size())
            action->setIcon(QIcon(QPixmap::fromImage(tools.at(toolCell))));
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pOverflowLabel = new QLabel(bar);
    bar->addWidget(m_pOverflowLabel, 1);
    for (int pane = 1; pane < kStatusPaneCount; ++pane) {
        auto* label = new QLabel(bar);
        const QString widest = QString::fromLatin1(kPaneTexts[static_cast<std::size_t>(pane)]);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 8);
        m_statusPanes[static_cast<std::size_t>(pane)] = label;
        bar->addPermanentWidget(label);
    }
    m_statusPanes[kProgressPane]->setText(QString::fromLatin1(kPaneTexts[kProgressPane]));
    m_pReadout = new CCanvasReadout(*bar, *m_pCanvas);
    // "100%" alone reads like a zoom level.
    m_statusPanes[kProgressPane]->setToolTip(tr("How much of the dot-data listing has been written"));
    UpdateLockIndicators();
    // The locks are switched anywhere on the desktop; their LEDs are read
    // a few times a second.
    m_pLockTimer = new QTimer(this);
    connect(m_pLockTimer, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
    m_pLockTimer->start(kLockPollMs);
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
    for (const SCommandEntry& item : CCommandRegistry::Entries()) {
        if (item.nDepth == SCommandEntry::kNoMenu)
            continue;
        const QString text = item.text.Pick(m_nLanguage);
        QMenu* parent = item.nDepth > 0 ? parents[static_cast<std::size_t>(item.nDepth - 1)] : nullptr;
        switch (item.nRow) {
        case SCommandEntry::Popup: {
            QMenu* menu = parent ? parent->addMenu(text) : bar->addMenu(text);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
            m_menus << menu;
            parents[static_cast<std::size_t>(item.nDepth)] = menu;
            break;
        }
        case SCommandEntry::Separator:
            parent->addSeparator();
            break;
        case SCommandEntry::Command:
            Action(item.nId)->setText(text);
            if (item.nToolbarCell >= SCommandEntry::kToolCells)
                Action(item.nId)->setToolTip(ToolTipOf(text, Action(item.nId)->shortcut()));
            parent->addAction(Action(item.nId));
            break;
        }
    }
    if (m_pReadout)
        m_pReadout->SetLanguage(m_nLanguage);
    // The recent files are named after their files, and read again when the
    // menu holding them opens.
    UpdateRecentFiles();
    for (QObject* holder : Action(RecentFile)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(holder))
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFiles);
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

void CMainFrame::ShowOverflow()
{
    const QSize overflow = m_pCanvas->OverlayOverflow();
    m_pOverflowLabel->setText(OverflowMessage(m_nLanguage, overflow.width(), overflow.height()));
}

QString CMainFrame::OverflowText() const
{
    return m_pOverflowLabel->text();
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

CHelpWindow* CMainFrame::HelpWindow() const
{
    return m_pHelpWindow;
}

QString CMainFrame::HelpPath() const
{
    return HelpFilePath(QCoreApplication::applicationDirPath(), m_nLanguage);
}

int CMainFrame::ClientHeight() const
{
    // The first layout runs while the window is being shown, before the menu
    // bar is: the bar counts unless it was hidden on purpose, at the height
    // it asks for, which it has not been given yet.
    const QWidget* menu = menuWidget();
    const int menuHeight = menu && !menu->isHidden() ? menu->sizeHint().height() : 0;
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

void CMainFrame::NoteActivePane(QWidget* widget)
{
    if (Contains(m_pInputPane, widget))
        m_pActivePane = m_pInputPane;
    else if (Contains(m_pCanvas, widget))
        m_pActivePane = m_pCanvas;
}

void CMainFrame::UpdateCommandStates()
{
    for (const SCommandEntry* entry : CCommandRegistry::Commands()) {
        if (!entry->pfnState)
            continue;
        const SCommandState state = entry->pfnState(*this, entry->nArg);
        QAction* action = Action(entry->nId);
        action->setEnabled(state.bEnabled);
        if (entry->bCheckable)
            action->setChecked(state.bChecked);
        if (state.bSetsPrompt)
            action->setStatusTip(state.szPrompt);
    }
    if (m_pReadout)
        m_pReadout->Update();
}

void CMainFrame::OnCommand(int id)
{
    const SCommandEntry* entry = CCommandRegistry::Find(id);
    if (!entry || !entry->pfnRun)
        return;
    // Floating dots are put down before anything else happens to the
    // canvas; the selection's own commands and the view's keep them.
    static constexpr std::array<int, 8> kKeepFloating = {Cut, Copy, Paste, Delete, SelectAll, ZoomIn, ZoomOut,
                                                        ToggleGrid};
    if (std::find(kKeepFloating.begin(), kKeepFloating.end(), id) == kKeepFloating.end())
        m_pDrawing->PlaceFloating();
    entry->pfnRun(*this, entry->nArg);
    UpdateCommandStates();
}

void CMainFrame::OnResizeCanvas()
{
    const CDotGrid& grid = m_pCanvas->Grid();
    if (grid.IsEmpty() || !m_dialogs.askCanvasSize)
        return;
    const std::optional<CCanvasSizeRequest> request = m_dialogs.askCanvasSize(grid.Width(), grid.Height(), m_nLanguage);
    if (request)
        m_pDrawing->ResizeCanvas(QSize(request->nWidth, request->nHeight), request->nAnchor);
}

void CMainFrame::OnNew()
{
    const std::optional<CNewCanvasRequest> request = m_dialogs.askNewCanvas();
    // Asked once the new canvas is chosen, so that cancelling New keeps
    // everything as it was.
    if (!request || !m_pKeeper->MayDiscardWork())
        return;
    if (m_pSteps->NewCanvas(request->nWidth, request->nHeight, request->nMode))
        m_pKeeper->StartedAfresh();
}

void CMainFrame::OnOpen()
{
    const QString path = m_dialogs.askOpenFile();
    if (path.isEmpty())
        return;
    if (m_pSteps->Open(path) && m_pSteps->OpenLitNothing())
        OnStatusText(0, ExactLitNothingHint(m_nLanguage));
}

void CMainFrame::OnPrint()
{
    m_pSteps->Print(m_dialogs, m_nLanguage);
}

void CMainFrame::OnExport()
{
    if (!m_dialogs.askExport)
        return;
    const std::optional<SExportRequest> request = m_dialogs.askExport(m_pCanvas->Grid(), m_lastExport, m_nLanguage);
    if (!request)
        return;
    m_lastExport = *request;
    QString error;
    if (!m_pSteps->ExportTo(request->path, request->options, error))
        m_dialogs.ShowMessage(error);
}

void CMainFrame::OnMergeText()
{
    // Merge Text belongs to the input pane; with the canvas active it does nothing.
    if (m_pActivePane != m_pInputPane)
        return;
    m_pSteps->MergeText();
}

void CMainFrame::OnViewImage()
{
    m_pCanvas->ToggleDotText();
    // An empty listing of lit dots is never left unexplained.
    if (m_pCanvas->IsTextPaneShown() && m_pSteps->ListingLeavesDotsOut())
        OnStatusText(0, m_pCanvas->Text().m_szText.isEmpty() ? EmptyListingHint(m_nLanguage) : ReplacedTextHint(m_nLanguage));
    else
        statusBar()->clearMessage();
}

void CMainFrame::OnBackgroundColor()
{
    const std::optional<COLORREF> colour = m_dialogs.askColor(m_pCanvas->Grid().BackColor());
    if (!colour)
        return;
    m_pSteps->SetBackgroundColor(*colour);
}

void CMainFrame::OnFont()
{
    // The dialog works on a copy: cancelling leaves the pane's font untouched.
    const std::optional<LogFont> font = m_dialogs.askFont(m_pInputPane->CurrentFont());
    if (!font)
        return;
    m_pSteps->ApplyFont(*font);
}

void CMainFrame::OnLanguage(int language)
{
    m_nLanguage = language;
    PutUpLanguageMenu();
    m_pInputPane->SetLanguage(m_nLanguage);
    m_pCanvas->TextPane()->SetLanguage(m_nLanguage);
    if (m_pPreview)
        m_pPreview->SetLanguage(language);
    UpdateCaption();
    ShowOverflow();
}

void CMainFrame::LinkFrames()
{
    CCanvasDocument& document = m_pCanvas->Document();
    m_pFrameStrip->SetFrames(&document.Frames());
    connect(m_pFrameStrip, &CFrameStrip::FrameChosen, this, [this](int index) {
        m_pAnimation->SelectFrame(index);
        UpdateCommandStates();
    });
    connect(&document, &CCanvasDocument::FramesChanged, this, [this] {
        m_pFrameStrip->Refresh();
        if (m_pPreview)
            m_pPreview->Refresh();
        UpdateCommandStates();
    });
    // Edits of the current frame: its thumbnail and the preview follow.
    connect(&document, &CCanvasDocument::Changed, this, [this] {
        if (m_pFrameStrip->isVisible())
            m_pFrameStrip->RefreshCurrent();
        if (m_pPreview && m_pPreview->isVisible())
            m_pPreview->Refresh();
    });
    connect(&document, &CCanvasDocument::Resized, this, [this] {
        if (m_pPreview)
            m_pPreview->Refresh();
    });
}

void CMainFrame::OnSignPreview()
{
    if (!m_pPreview) {
        m_pPreview = new CPreviewWindow(this);
        m_pPreview->SetFrames(&m_pCanvas->Document().Frames());
        m_pPreview->resize(m_pPreview->sizeHint());
    }
    m_pPreview->SetLanguage(m_nLanguage);
    m_pPreview->Refresh();
    m_pPreview->show();
    m_pPreview->raise();
    m_pPreview->activateWindow();
}

void CMainFrame::OnHelp()
{
    const QString path = HelpPath();
    if (!QFileInfo(path).isFile()) {
        m_dialogs.ShowMessage(MessageText::English(MessageText::HelpMissing, {QDir::toNativeSeparators(path)}));
        return;
    }
    if (m_dialogs.openFile(path))
        return;
    // No desktop program for web pages: the program's own window shows it.
    if (!m_pHelpWindow)
        m_pHelpWindow = new CHelpWindow(this);
    m_pHelpWindow->ShowPage(path);
}

QString CMainFrame::EmptyListingHint(int language)
{
    return kEmptyListingHint.Pick(language);
}

QString CMainFrame::ReplacedTextHint(int language)
{
    return kReplacedTextHint.Pick(language);
}

QString CMainFrame::ExactLitNothingHint(int language)
{
    return kExactLitNothingHint.Pick(language);
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
    CSettingsLocation::MakeFolderFor(m_szSettingsPath);
    const CProfileFile settings(m_szSettingsPath);
    settings.WriteInt(kSection, kLanguageKey, m_nLanguage);
    settings.WriteInt(kSection, kBkColorKey, static_cast<int>(m_pCanvas->Grid().BackColor()));
    settings.WriteInt(kSection, kShowGridKey, m_pCanvas->ShowGrid());
    settings.WriteInt(kSection, kPictureColorsKey, m_pCanvas->PictureColors());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_pKeeper->MayDiscardWork()) {
        event->ignore();
        return;
    }
    WriteSettings();
    StoreUserSettings();
    m_pKeeper->EndSession();
    event->accept();
}

void CMainFrame::QuitWithoutSaving()
{
    if (!m_pKeeper->MayDiscardWork())
        return;
    m_pKeeper->EndSession();
    m_dialogs.quit();
}
