#include "canvas/ImageView.h"

#include "base/PressWatcher.h"
#include "base/QuotedText.h"
#include "canvas/DotRaster.h"
#include "dotdata/DotTextWorker.h"
#include "dotdata/ImageExport.h"
#include "dotdata/PictureImport.h"
#include "dotdata/SaveDot.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>

namespace {
constexpr QRgb kFieldColor = qRgb(0, 128, 0);
constexpr QRgb kGridLineColor = qRgb(212, 208, 200);
constexpr int kTextPaneLineHeight = 18; // ascent + descent of the listing font
} // namespace

const CFrameDialogs CImageView::kNoDialogs;

CImageView::CImageView(QWidget* parent)
    : CZoomView(parent)
{
    m_text.m_lfText = LogFont::DefaultGuiFont();
    viewport()->setMouseTracking(true);
    // The pointer shape is also chosen over the scroll bars.
    horizontalScrollBar()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);

    m_wndTextPane = new QPlainTextEdit(viewport());
    m_wndTextPane->setReadOnly(true);
    m_wndTextPane->setUndoRedoEnabled(false);
    // Read-only still moves through the listing by keyboard (Ctrl+Home, Ctrl+End).
    m_wndTextPane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_wndTextPane->setMaximumBlockCount(0);
    LogFont paneFont = LogFont::DefaultGuiFont();
    paneFont.lfHeight = kTextPaneLineHeight;
    QFont font(paneFont.lfFaceName);
    font.setPixelSize(paneFont.EmPixels());
    m_wndTextPane->setFont(font);
    m_wndTextPane->hide();
    auto* presses = new CPressWatcher([this] { emit Activated(); }, this);
    presses->WatchTree(this);
}

bool CImageView::CanEditDots() const
{
    switch (m_grid.Mode()) {
    case ImageMode:
        return true;
    case TextMode:
        return !IsMergePending();
    default:
        return false;
    }
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

void CImageView::TogglePanMode()
{
    m_bPanMode = !m_bPanMode;
    UpdatePointer();
}

Qt::CursorShape CImageView::PointerShape() const
{
    if (m_bPanMode)
        return Qt::SizeAllCursor;
    if (m_grid.Mode() == TextMode && IsMergePending())
        return Qt::ForbiddenCursor;
    return Qt::ArrowCursor;
}

void CImageView::UpdatePointer()
{
    // Set on the view itself so that the scroll bars show the same shape.
    const Qt::CursorShape shape = PointerShape();
    if (cursor().shape() != shape)
        setCursor(shape);
}

void CImageView::Mirror()
{
    if (!m_history.Mirror())
        return;
    Repaint();
    emit HistoryChanged();
}

void CImageView::Flip()
{
    if (!m_history.Flip())
        return;
    Repaint();
    emit HistoryChanged();
}

void CImageView::Rotate()
{
    // The old grid is kept: the dots past the limits are lost otherwise.
    if (!m_history.RecordWhole(CCanvasHistory::Kind::Rotate, [this] { return m_grid.Rotate(); }))
        return;
    SetGridSize(m_grid.Width(), m_grid.Height());
    emit HistoryChanged();
}

void CImageView::SetDotColor(int index)
{
    m_grid.SetDotColor(index);
}

void CImageView::SetBackgroundColor(COLORREF c)
{
    m_history.SetBackgroundColor(c);
    Repaint();
    emit HistoryChanged();
}

bool CImageView::CanUndo() const
{
    return !IsDotTextRunning() && m_history.CanUndo();
}

bool CImageView::CanRedo() const
{
    return !IsDotTextRunning() && m_history.CanRedo();
}

bool CImageView::Undo()
{
    return CanUndo() && StepHistory(&CCanvasHistory::Undo);
}

bool CImageView::Redo()
{
    return CanRedo() && StepHistory(&CCanvasHistory::Redo);
}

bool CImageView::StepHistory(bool (CCanvasHistory::*step)())
{
    const int width = m_grid.Width();
    const int height = m_grid.Height();
    if (!(m_history.*step)())
        return false;
    // The layout step only when the size changed: it also scrolls to the top.
    if (m_grid.Width() != width || m_grid.Height() != height)
        SetGridSize(m_grid.Width(), m_grid.Height());
    Repaint();
    emit TextStateRestored(m_text);
    emit HistoryChanged();
    return true;
}

void CImageView::ChangeDots(CCanvasHistory::Kind kind, const std::function<void(CDotGrid&)>& change)
{
    m_history.RecordWhole(kind, [this, &change] {
        change(m_grid);
        return true;
    });
    Repaint();
    emit HistoryChanged();
}

void CImageView::Repaint()
{
    viewport()->update();
}

QRect CImageView::OverlayRect(int x, int y, bool scaled) const
{
    const int s = scaled ? EffectiveDotSize() : 1;
    return {x, y, m_grid.Width() * s, m_grid.Height() * s};
}

void CImageView::DrawTextOverlay(QImage& target, int x, int y, bool scaled)
{
    CopyColourKeyed(target, OverlayRect(x, y, scaled),
                    RenderTextOverlay(m_text, m_grid.Width(), m_grid.Height()));
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
    FillArea(surface, clip, kFieldColor);
    if (!m_grid.IsEmpty()) {
        StretchDots(surface, WrapGridBits(m_grid), origin, EffectiveDotSize(), clip);
        if (m_grid.Mode() == ImageMode && !m_text.m_szText.isEmpty())
            StretchKeyed(surface, m_overlay.Get(m_text, m_grid.Width(), m_grid.Height()), origin,
                         EffectiveDotSize(), clip);
    }
    // Lines lie on the multiples of the dot size in scrolled coordinates;
    // the origin is a whole number of dots, so each runs along a dot's top
    // or left edge.
    if (ShowGrid() && DotSize() > 0)
        DrawGridLines(surface, clip, DotSize(), scroll, kGridLineColor);
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

void CImageView::EditDotAt(QPoint client, COLORREF colour)
{
    // Permission is asked before the hit test, as a refused click does nothing.
    if (!CanEditDots())
        return;
    int column = 0;
    int row = 0;
    if (ClientToDot(client, column, row))
        EditDot(column, row, colour);
}

bool CImageView::EditDot(int column, int storageRow, COLORREF colour)
{
    if (!CanEditDots())
        return false;
    if (m_history.EditDot(column, storageRow, colour))
        emit HistoryChanged();
    Repaint();
    return true;
}

void CImageView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (m_bPanMode) {
            m_nLastX = pos.x();
            m_nLastY = pos.y();
            m_bPanning = 1;
            return;
        }
        EditDotAt(pos, m_grid.DotColor());
    } else if (event->button() == Qt::RightButton) {
        EditDotAt(pos, m_grid.BackColor());
    }
}

void CImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bPanning = 0;
}

void CImageView::mouseMoveEvent(QMouseEvent* event)
{
    UpdatePointer();
    if (m_bPanning && m_bPanMode)
        DragStep(event->position().toPoint());
}

void CImageView::DragAxis(QScrollBar* bar, int& last, int pointer)
{
    // The movement is rounded up to whole dots; the part the rounding has
    // not used stays in 'last', so that many small moves add up instead of
    // being rounded away one by one.
    const int q = bar->value() + last - pointer;
    const int position = q > 0 ? RoundUpToDot(q) : 0;
    bar->setValue(position);
    last = q > 0 ? pointer + q - position : pointer;
}

void CImageView::DragStep(QPoint client)
{
    const int s = EffectiveDotSize();
    const QSize size = viewport()->size();
    // Dragging right moves the picture right; an axis on which the whole
    // grid fits does not move and keeps its last pointer position.
    if (GridWidth() * s > size.width())
        DragAxis(horizontalScrollBar(), m_nLastX, client.x());
    if (GridHeight() * s > size.height())
        DragAxis(verticalScrollBar(), m_nLastY, client.y());
    Repaint();
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
    QString why;
    const auto import = [this, &path, &why] { return CPictureImport::Import(path, m_grid, m_nPictureColors, &why); };
    if (!m_history.RecordWhole(CCanvasHistory::Kind::Open, import)) {
        const QString cannot = tr("The picture \"%1\" cannot be read.").arg(CQuotedText::Quote(path));
        m_pDialogs->ShowMessage(why.isEmpty() ? cannot : cannot + QLatin1Char('\n') + why);
        return false;
    }
    SetGridSize(m_grid.Width(), m_grid.Height());
    emit HistoryChanged();
    return true;
}

void CImageView::SaveImage()
{
    if (m_grid.IsEmpty())
        return;
    const QString path = m_pDialogs->AskSaveImagePath(m_szImagePath);
    if (path.isEmpty())
        return;
    m_szImagePath = path;
    SaveImageTo(path);
}

bool CImageView::SaveImageTo(const QString& path)
{
    if (m_grid.IsEmpty())
        return false;
    QString error;
    if (CImageExport::Write(m_grid, path, error))
        return true;
    m_pDialogs->ShowMessage(tr("The picture could not be saved as \"%1\":\n%2").arg(path, error));
    return false;
}

void CImageView::BeginDotText()
{
    if (IsDotTextRunning())
        return;
    m_hDotThread = CDotTextWorker::Launch(m_wndTextPane, m_grid, m_text, this);
    if (!m_hDotThread)
        return;
    connect(m_hDotThread, &CDotTextWorker::StatusText, this, &CImageView::StatusText);
    connect(m_hDotThread, &CDotTextWorker::Finished, this, &CImageView::DotTextFinished);
}

bool CImageView::IsDotTextRunning() const
{
    return m_hDotThread && m_hDotThread->IsRunning();
}

void CImageView::SaveDotData()
{
    if (m_grid.IsEmpty())
        return;
    CSaveDot::Save(*m_pDialogs, m_wndTextPane->toPlainText(), m_szDotPath);
}

bool CImageView::NewCanvas(int w, int h, int mode)
{
    if (!m_grid.Create(w, h, mode))
        return false;
    SetGridSize(w, h);
    CTextRenderer::SetUpNewCanvas(m_text, w, h, mode);
    m_history.Clear();
    emit HistoryChanged();
    return true;
}

void CImageView::RestoreCanvas(CDotGrid grid, const CCanvasText& text, int pictureColors, QTextDocument* source)
{
    m_grid = std::move(grid);
    m_text = text;
    m_textRenderer.SetTextSource(source);
    SetPictureColors(pictureColors);
    SetGridSize(m_grid.Width(), m_grid.Height());
    m_history.Clear();
    Repaint();
    emit HistoryChanged();
}

void CImageView::SetOverlayText(const QString& text)
{
    m_text.m_szText = text;
    Repaint();
}

void CImageView::SetOverlayColor(COLORREF colour)
{
    m_text.m_crText = colour;
    Repaint();
}

void CImageView::SetTextFont(const LogFont& font)
{
    m_text.m_lfText = font;
    Repaint();
}

void CImageView::MergeText(QTextEdit* source, const LogFont& font)
{
    const auto merge = [this, source, &font] {
        return m_grid.Mode() == TextMode
            ? m_textRenderer.MergeText(source ? source->document() : nullptr, font)
            : m_textRenderer.BurnInOverlay([this](QImage& image) { DrawTextOverlay(image, 0, 0, false); });
    };
    if (!m_history.RecordWhole(CCanvasHistory::Kind::MergeText, merge))
        return;
    Repaint();
    emit HistoryChanged();
}

void CImageView::RenderRecorded(const std::function<void()>& adjust)
{
    // A rendering that reproduces what is there is no step of its own.
    const bool recorded = m_history.RecordWhole(CCanvasHistory::Kind::Render, [this, &adjust] {
        adjust();
        m_textRenderer.RenderText();
        return false;
    });
    if (recorded)
        emit HistoryChanged();
}

void CImageView::SetTextOffset(int CCanvasText::*glyphOffset, int CCanvasText::*overlayPosition, int value)
{
    if (m_grid.Mode() == TextMode) {
        RenderRecorded([this, glyphOffset, value] { m_text.*glyphOffset = value; });
    } else {
        m_text.*overlayPosition = value;
    }
    Repaint();
}

void CImageView::SetTextX(int x)
{
    SetTextOffset(&CCanvasText::m_nGlyphOffsetX, &CCanvasText::m_nTextX, x);
}

void CImageView::SetTextY(int y)
{
    SetTextOffset(&CCanvasText::m_nGlyphOffsetY, &CCanvasText::m_nTextY, y);
}

void CImageView::SetStretch(int stretch)
{
    if (m_grid.Mode() != TextMode) {
        m_text.m_nStretch = stretch;
        return;
    }
    RenderRecorded([this, stretch] { m_text.m_nStretch = stretch; });
    Repaint();
}

void CImageView::SetTextOffsets(int x, int y)
{
    if (m_grid.Mode() != TextMode)
        return;
    RenderRecorded([this, x, y] {
        m_text.m_nGlyphOffsetX = x;
        m_text.m_nGlyphOffsetY = y;
    });
    Repaint();
}
