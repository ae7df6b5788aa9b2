#include "canvas/ImageView.h"

#include "base/PressWatcher.h"
#include "canvas/DocumentFiles.h"
#include "canvas/DotPaintTool.h"
#include "canvas/DotRaster.h"
#include "canvas/DotSelection.h"
#include "canvas/FillTool.h"
#include "canvas/PanTool.h"
#include "canvas/PickerTool.h"
#include "canvas/SelectTool.h"
#include "canvas/ShapeTool.h"
#include "dotdata/DotTextWorker.h"
#include "dotdata/ListingDocument.h"
#include "dotdata/ListingView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextEdit>

namespace {
constexpr QRgb kFieldColor = qRgb(0, 128, 0);
} // namespace

const CFrameDialogs CImageView::kNoDialogs;

CImageView::CImageView(QWidget* parent, CCanvasDocument* document)
    : CZoomView(parent)
    , m_pDoc(document ? document : new CCanvasDocument(this))
{
    ConnectDocument();
    m_pPaintTool = std::make_unique<CDotPaintTool>(*m_pDoc);
    m_pPanTool = std::make_unique<CPanTool>(*this, *m_pPaintTool);
    m_pTool = m_pPaintTool.get();
    CreateTools();
    viewport()->setMouseTracking(true);
    // The pointer shape is also chosen over the scroll bars.
    horizontalScrollBar()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);

    m_wndTextPane = new CListingView(viewport());
    // Fixed pitch keeps the entries in columns.
    m_wndTextPane->setFont(CListingDocument::ListingFont());
    m_wndTextPane->hide();
    m_hDotThread = new CDotTextWorker(m_wndTextPane, this);
    connect(m_hDotThread, &CDotTextWorker::StatusText, this, &CImageView::StatusText);
    connect(m_hDotThread, &CDotTextWorker::Finished, this, &CImageView::DotTextFinished);
    auto* presses = new CPressWatcher([this] { emit Activated(); }, this);
    presses->WatchTree(this);
    // Open and Rotate change the panel under the overlay.
    connect(this, &CZoomView::GridSizeChanged, this, &CImageView::OverlayChanged);
}

CImageView::~CImageView() = default;

void CImageView::CreateTools()
{
    m_pSelection = std::make_unique<CDotSelection>(*m_pDoc);
    // A new grid leaves nothing to select.
    connect(m_pDoc, &CCanvasDocument::Resized, this, [this] { m_pSelection->Forget(); });
    const std::array<std::pair<int, CShapeTool::EShape>, 6> shapes = {{
        {PencilTool, CShapeTool::Pencil},
        {LineTool, CShapeTool::Line},
        {RectangleTool, CShapeTool::Rectangle},
        {FilledRectangleTool, CShapeTool::FilledRectangle},
        {EllipseTool, CShapeTool::Ellipse},
        {FilledEllipseTool, CShapeTool::FilledEllipse},
    }};
    for (const auto& [kind, shape] : shapes)
        m_apTools[static_cast<std::size_t>(kind)] = std::make_unique<CShapeTool>(*m_pDoc, *this, shape);
    m_apTools[FillTool] = std::make_unique<::CFillTool>(*m_pDoc);
    m_apTools[PickerTool] = std::make_unique<::CPickerTool>(*m_pDoc, [this](int index) { emit DotColorPicked(index); });
    m_apTools[SelectTool] = std::make_unique<::CSelectTool>(*m_pSelection, *this);
}

void CImageView::TakeUpTool(int kind)
{
    if (kind <= ClickTool || kind >= kToolKinds) {
        SetTool(nullptr);
        return;
    }
    SetTool(m_apTools[static_cast<std::size_t>(kind)].get());
}

int CImageView::ToolKind() const
{
    if (m_pTool == m_pPanTool.get())
        return -1;
    for (int kind = ClickTool + 1; kind < kToolKinds; ++kind) {
        if (m_pTool == m_apTools[static_cast<std::size_t>(kind)].get())
            return kind;
    }
    return ClickTool;
}

QPoint CImageView::FirstVisibleDot() const
{
    const QPoint corner = ClientToDotAnywhere(QPoint(0, 0));
    return {std::max(corner.x(), 0), std::max(corner.y(), 0)};
}

void CImageView::ConnectDocument()
{
    connect(m_pDoc, &CCanvasDocument::Changed, this, &CImageView::Repaint);
    connect(m_pDoc, &CCanvasDocument::Resized, this, &CImageView::SetGridSize);
    connect(m_pDoc, &CCanvasDocument::HistoryChanged, this, &CImageView::HistoryChanged);
    connect(m_pDoc, &CCanvasDocument::TextChanged, this, &CImageView::TextStateRestored);
}

void CImageView::ShowTextPane(int show)
{
    if (show != 0 && show != 1)
        return;
    m_bTextPaneShown = show;
    // The pane covers the whole canvas with its own scroll bars; the grid's
    // come back with the dots.
    const Qt::ScrollBarPolicy bars = show ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(bars);
    setVerticalScrollBarPolicy(bars);
    if (show) {
        m_wndTextPane->setGeometry(viewport()->rect());
        m_wndTextPane->show();
        m_wndTextPane->raise();
    } else {
        m_wndTextPane->hide();
    }
    Repaint();
}

int CImageView::PanMode() const
{
    return m_pTool == m_pPanTool.get() ? 1 : 0;
}

void CImageView::TogglePanMode()
{
    SetTool(PanMode() ? nullptr : m_pPanTool.get());
}

void CImageView::SetTool(CCanvasTool* tool)
{
    CCanvasTool* next = tool ? tool : m_pPaintTool.get();
    if (next == m_pTool)
        return;
    m_pTool->Cancel();
    m_pTool = next;
    UpdatePointer();
    Repaint();
}

void CImageView::UpdatePointer()
{
    // Set on the view itself so that the scroll bars show the same shape.
    const Qt::CursorShape shape = PointerShape();
    if (cursor().shape() != shape)
        setCursor(shape);
}

bool CImageView::CanUndo() const
{
    return !IsDotTextRunning() && m_pDoc->CanUndo();
}

bool CImageView::CanRedo() const
{
    return !IsDotTextRunning() && m_pDoc->CanRedo();
}

bool CImageView::Undo()
{
    return CanUndo() && m_pDoc->Undo();
}

bool CImageView::Redo()
{
    return CanRedo() && m_pDoc->Redo();
}

void CImageView::Repaint()
{
    OverlayChanged();
    viewport()->update();
}

void CImageView::OverlayChanged()
{
    const CDotGrid& grid = Grid();
    QSize overflow(0, 0);
    if (grid.Mode() == ImageMode && !grid.IsEmpty() && !Text().m_szText.isEmpty()) {
        m_overlay.Get(Text(), grid.Width(), grid.Height());
        overflow = QSize(m_overlay.Layout()->OverflowWidth(), m_overlay.Layout()->OverflowHeight());
    }
    if (overflow == m_overflow)
        return;
    m_overflow = overflow;
    emit OverlayOverflowChanged(overflow.width(), overflow.height());
}

QRect CImageView::OverlayRect(int x, int y, bool scaled) const
{
    const int s = scaled ? EffectiveDotSize() : 1;
    return {x, y, Grid().Width() * s, Grid().Height() * s};
}

void CImageView::DrawTextOverlay(QImage& target, int x, int y, bool scaled)
{
    // The laid-out overlay the canvas shows is the one burnt in.
    CopyColourKeyed(target, OverlayRect(x, y, scaled), m_overlay.Get(Text(), Grid().Width(), Grid().Height()));
}

void CImageView::paintEvent(QPaintEvent* event)
{
    if (m_bTextPaneShown)
        return;
    // Everything is composed off-screen and reaches the window in one copy.
    const QRect clip = event->rect() & viewport()->rect();
    QImage& surface = Surface();
    const QPoint scroll = ScrollOffset();
    const QPoint origin = Origin() - scroll;
    const CDotGrid& grid = Grid();
    FillArea(surface, clip, kFieldColor);
    if (!grid.IsEmpty()) {
        StretchDots(surface, grid, origin, EffectiveDotSize(), clip);
        if (grid.Mode() == ImageMode && !Text().m_szText.isEmpty())
            StretchKeyed(surface, m_overlay.Get(Text(), grid.Width(), grid.Height()), origin, EffectiveDotSize(),
                         clip);
    }
    // Lines lie on the multiples of the dot size in scrolled coordinates;
    // the origin is a whole number of dots, so each runs along a dot's top
    // or left edge.
    if (ShowGrid() && DotSize() > 0)
        DrawGridLines(surface, clip, DotSize(), scroll, kGridLineColor);
    m_pTool->PaintPreview(surface, *this);
    QPainter painter(viewport());
    painter.drawImage(clip.topLeft(), surface, clip);
}

void CImageView::resizeEvent(QResizeEvent* event)
{
    if (!m_bTextPaneShown) {
        CZoomView::resizeEvent(event);
        return;
    }
    // The pane follows the window; the grid keeps its place until the dots
    // are shown again.
    UpdateScrollRanges();
    m_wndTextPane->setGeometry(viewport()->rect());
}

SToolEvent CImageView::ToolEvent(const QMouseEvent& event) const
{
    SToolEvent tool;
    tool.ptClient = event.position().toPoint();
    tool.bOnGrid = ClientToDot(tool.ptClient, tool.nColumn, tool.nRow);
    tool.nButton = event.button();
    tool.nButtons = event.buttons();
    tool.ptDot = ClientToDotAnywhere(tool.ptClient);
    tool.nModifiers = event.modifiers();
    return tool;
}

void CImageView::mousePressEvent(QMouseEvent* event)
{
    m_pTool->Press(ToolEvent(*event));
}

void CImageView::mouseReleaseEvent(QMouseEvent* event)
{
    m_pTool->Release(ToolEvent(*event));
    emit GestureEnded();
}

void CImageView::mouseMoveEvent(QMouseEvent* event)
{
    const SToolEvent tool = ToolEvent(*event);
    emit PointerDot(tool.nColumn, tool.nRow, tool.bOnGrid);
    m_pTool->Move(tool);
    UpdatePointer();
}

void CImageView::keyPressEvent(QKeyEvent* event)
{
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: break;
    }
    if ((dx != 0 || dy != 0) && m_pTool->Nudge(dx, dy)) {
        emit GestureEnded();
        return;
    }
    CZoomView::keyPressEvent(event);
}

bool CImageView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter)
        UpdatePointer();
    return CZoomView::eventFilter(watched, event);
}

bool CImageView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Enter)
        UpdatePointer();
    return CZoomView::viewportEvent(event);
}

bool CImageView::LoadPicture(const QString& path)
{
    return CDocumentFiles(*m_pDoc, *m_pDialogs).OpenPicture(path);
}

void CImageView::SaveImage()
{
    CDocumentFiles(*m_pDoc, *m_pDialogs).SaveImage();
}

bool CImageView::SaveImageTo(const QString& path)
{
    return CDocumentFiles(*m_pDoc, *m_pDialogs).SaveImageTo(path);
}

void CImageView::BeginDotText()
{
    if (IsDotTextRunning())
        return;
    m_hDotThread->Start(Grid(), Text());
}

bool CImageView::IsDotTextRunning() const
{
    return m_hDotThread->IsRunning();
}

void CImageView::SaveDotData()
{
    CDocumentFiles(*m_pDoc, *m_pDialogs).SaveDot();
}

void CImageView::ToggleDotText()
{
    if (m_bTextPaneShown) {
        ShowTextPane(0);
        return;
    }
    ShowTextPane(1);
    BeginDotText();
}

void CImageView::MergeText(QTextEdit* source, const LogFont& font)
{
    m_pDoc->MergeText(source ? source->document() : nullptr, font);
}
