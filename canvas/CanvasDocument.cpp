#include "canvas/CanvasDocument.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "canvas/CanvasSize.h"
#include "canvas/DotFragment.h"
#include "canvas/DotShape.h"
#include "canvas/DotsStep.h"
#include "canvas/FrameUndoStep.h"
#include "canvas/TextOverlay.h"
#include "dotdata/DotListing.h"
#include "dotdata/PictureImport.h"

#include <QImage>
#include <QTextDocument>

CCanvasDocument::CCanvasDocument(QObject* parent)
    : QObject(parent)
{
    m_text.m_lfText = LogFont::DefaultGuiFont();
    m_history.SetFrameHooks([this] { return m_frames.Current(); }, [this](int frame) { m_frames.Select(frame); });
    ConnectInput();
}

void CCanvasDocument::ConnectInput()
{
    // Direct connections: when the typed text's operation returns, the
    // document has already acted on it.
    constexpr auto direct = Qt::DirectConnection;
    CInputText* input = &m_input;
    connect(input, &CInputText::OverlayTextChanged, this, &CCanvasDocument::SetOverlayText, direct);
    connect(input, &CInputText::OverlayColorChanged, this, &CCanvasDocument::SetOverlayColor, direct);
    connect(input, &CInputText::OverlayChanged, this, &CCanvasDocument::SetOverlay, direct);
    connect(input, &CInputText::LayoutOptionsChanged, this, &CCanvasDocument::SetLayoutOptions, direct);
    connect(input, &CInputText::MergeRequested, this, &CCanvasDocument::MergeText, direct);
    connect(input, &CInputText::TextXChanged, this, &CCanvasDocument::SetTextX, direct);
    connect(input, &CInputText::TextYChanged, this, &CCanvasDocument::SetTextY, direct);
    connect(input, &CInputText::FontApplied, this, &CCanvasDocument::SetTextFont, direct);
    connect(input, &CInputText::StretchChanged, this, &CCanvasDocument::SetStretch, direct);
    connect(input, &CInputText::MoveRepeating, this, &CCanvasDocument::SetMergeRenderings, direct);
    // The typed text follows the grid's size, text states put back by undo,
    // and the mode of the current frame (effects make image-mode frames).
    connect(this, &CCanvasDocument::Resized, input, &CInputText::OnGridSizeChanged, direct);
    connect(this, &CCanvasDocument::TextChanged, input, &CInputText::FollowCanvasText, direct);
    connect(this, &CCanvasDocument::ModeChanged, input, &CInputText::SetMode, direct);
}

CCanvasDocument::~CCanvasDocument() = default;

bool CCanvasDocument::CanEditDots() const
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

void CCanvasDocument::Recorded()
{
    emit Changed();
    emit HistoryChanged();
}

bool CCanvasDocument::NewCanvas(int width, int height, int mode)
{
    if (!m_grid.Create(width, height, mode))
        return false;
    const bool hadFrames = m_frames.IsAnimated();
    m_frames.Reset();
    emit Resized(width, height);
    CTextRenderer::SetUpNewCanvas(m_text, width, height, mode);
    m_history.Clear();
    emit HistoryChanged();
    if (hadFrames)
        emit FramesChanged();
    return true;
}

std::function<bool()> CCanvasDocument::KeepingFrameSize(const std::function<bool()>& change)
{
    return [this, change] {
        const bool changed = change();
        return m_frames.FitLiveToFrames() || changed;
    };
}

void CCanvasDocument::AfterFrameChange(int width, int height, int mode)
{
    if (m_grid.Width() != width || m_grid.Height() != height)
        emit Resized(m_grid.Width(), m_grid.Height());
    if (m_grid.Mode() != mode)
        emit ModeChanged(m_grid.Mode());
    emit Changed();
    emit FramesChanged();
}

bool CCanvasDocument::SelectFrame(int index)
{
    const int mode = m_grid.Mode();
    if (!m_frames.Select(index))
        return false;
    // A held key's renderings on one frame are not one step with another's.
    m_history.EndMerge();
    AfterFrameChange(m_grid.Width(), m_grid.Height(), mode);
    return true;
}

bool CCanvasDocument::ChangeFrames(const std::function<bool(CFrameList&, CFrameStep&)>& change)
{
    const int width = m_grid.Width(), height = m_grid.Height(), mode = m_grid.Mode();
    const CCanvasText before = m_text;
    CFrameStep step;
    if (!change(m_frames, step))
        return false;
    auto recorded = std::make_unique<CFrameUndoStep>(m_frames, std::move(step));
    // Text-mode text turned into picture frames: it would show as an
    // overlay on each of them. The text it was merged from stays in the
    // input pane, and undo brings the text state back.
    if (mode == TextMode && m_grid.Mode() == ImageMode) {
        m_text.m_szText.clear();
        recorded->KeepText(before);
    }
    m_history.Push(std::move(recorded));
    AfterFrameChange(width, height, mode);
    if (mode != m_grid.Mode())
        emit TextChanged(m_text);
    emit HistoryChanged();
    return true;
}

void CCanvasDocument::Restore(CDotGrid grid, std::vector<SSignFrame> frames, int currentFrame, const CCanvasText& text,
                              int pictureColors, QTextDocument* source)
{
    const bool hadFrames = m_frames.IsAnimated();
    m_grid = std::move(grid);
    // Frames of the document this one replaces must not outlive it.
    m_frames.Reset();
    if (frames.size() > 1)
        m_frames.Replace(std::move(frames), currentFrame);
    m_text = text;
    m_textRenderer.SetTextSource(source);
    SetPictureColors(pictureColors);
    m_history.Clear();
    emit Resized(m_grid.Width(), m_grid.Height());
    emit Changed();
    emit HistoryChanged();
    if (hadFrames || m_frames.IsAnimated())
        emit FramesChanged();
}

COutcome CCanvasDocument::Open(const QString& path)
{
    QString why;
    const auto import = [this, &path, &why] {
        if (!CPictureImport::Import(path, m_grid, m_nPictureColors, &why))
            return false;
        m_text.m_bDotsFromText = 0;
        return true;
    };
    if (!m_history.RecordWhole(EUndoKind::Open, KeepingFrameSize(import))) {
        const QString cannot = MessageText::English(MessageText::PictureUnreadable, {CQuotedText::Quote(path)});
        return COutcome::Failed(why.isEmpty() ? cannot : cannot + QLatin1Char('\n') + why);
    }
    emit Resized(m_grid.Width(), m_grid.Height());
    emit HistoryChanged();
    return COutcome::Ok();
}

void CCanvasDocument::Mirror()
{
    if (m_history.Mirror())
        Recorded();
}

void CCanvasDocument::Flip()
{
    if (m_history.Flip())
        Recorded();
}

void CCanvasDocument::Rotate()
{
    // The old grid is kept: the dots past the limits are lost otherwise.
    const auto rotate = [this] {
        if (!m_grid.Rotate())
            return false;
        m_text.m_bDotsFromText = 0;
        return true;
    };
    if (!m_history.RecordWhole(EUndoKind::Rotate, KeepingFrameSize(rotate)))
        return;
    emit Resized(m_grid.Width(), m_grid.Height());
    emit HistoryChanged();
}

void CCanvasDocument::SetBackgroundColor(COLORREF colour)
{
    m_history.SetBackgroundColor(colour);
    Recorded();
}

bool CCanvasDocument::EditDot(int column, int row, COLORREF colour)
{
    if (!CanEditDots())
        return false;
    if (m_history.EditDot(column, row, colour))
        emit HistoryChanged();
    emit Changed();
    return true;
}

bool CCanvasDocument::DrawShape(const CDotShape& shape, COLORREF colour, EUndoKind kind)
{
    if (!CanEditDots())
        return false;
    auto step = std::make_unique<CDotsStep>(kind);
    step->Reserve(static_cast<std::size_t>(shape.DotCount()));
    for (const SDotRun& run : shape.Runs()) {
        for (int column = run.nLeft; column <= run.nRight; ++column)
            step->Paint(m_grid, column, run.nRow, colour);
    }
    if (step->IsEmpty())
        return false;
    RecordStep(std::move(step));
    return true;
}

bool CCanvasDocument::PlaceFragment(const CDotFragment& fragment, QPoint at, const QRect& cleared, EUndoKind kind)
{
    if (!CanEditDots())
        return false;
    auto step = std::make_unique<CDotsStep>(kind);
    const QRect inside = cleared & QRect(0, 0, m_grid.Width(), m_grid.Height());
    for (int row = inside.top(); row <= inside.bottom(); ++row) {
        for (int column = inside.left(); column <= inside.right(); ++column)
            step->Paint(m_grid, column, row, m_grid.BackColor());
    }
    for (int row = 0; row < fragment.Height(); ++row) {
        for (int column = 0; column < fragment.Width(); ++column) {
            const int index = fragment.IndexAt(column, row);
            const COLORREF colour = index < kPaletteSize ? DotPalette[static_cast<std::size_t>(index)] : m_grid.BackColor();
            step->Paint(m_grid, at.x() + column, at.y() + row, colour);
        }
    }
    if (step->IsEmpty())
        return false;
    RecordStep(std::move(step));
    return true;
}

bool CCanvasDocument::ReplaceGrid(EUndoKind kind, const std::function<bool(const CDotGrid&, CDotGrid&)>& make)
{
    if (m_frames.IsAnimated())
        return ReplaceEveryFrame(make);
    CDotGrid made;
    if (!make(m_grid, made))
        return false;
    if (!m_history.RecordWhole(kind, [this, &made] {
            m_grid = std::move(made);
            return true;
        }))
        return false;
    emit Resized(m_grid.Width(), m_grid.Height());
    Recorded();
    return true;
}

bool CCanvasDocument::ReplaceEveryFrame(const std::function<bool(const CDotGrid&, CDotGrid&)>& make)
{
    // The frames keep one size: each takes the same change, as one step.
    std::vector<SSignFrame> frames = m_frames.Copy();
    for (SSignFrame& frame : frames) {
        CDotGrid made;
        if (!make(frame.grid, made) || made.ByteCount() > CFrameList::kMaxTotalBytes / frames.size())
            return false;
        frame.grid = std::move(made);
    }
    return ChangeFrames([&frames](CFrameList& list, CFrameStep& step) {
        return CFrameStep::Replace(list, std::move(frames), step, list.Current());
    });
}

bool CCanvasDocument::ResizeCanvas(QSize size, int anchor)
{
    return ReplaceGrid(EUndoKind::ResizeCanvas,
                       [&](const CDotGrid& grid, CDotGrid& out) { return ResizedGrid(grid, size, anchor, out); });
}

bool CCanvasDocument::CropCanvas(const QRect& area)
{
    return ReplaceGrid(EUndoKind::Crop, [&](const CDotGrid& grid, CDotGrid& out) { return CroppedGrid(grid, area, out); });
}

void CCanvasDocument::RecordStep(std::unique_ptr<CUndoStep> step, bool mayMerge)
{
    if (!step)
        return;
    m_history.Push(std::move(step), mayMerge);
    Recorded();
}

void CCanvasDocument::ChangeDots(EUndoKind kind, const std::function<void(CDotGrid&)>& change)
{
    m_history.RecordWhole(kind, [this, &change] {
        change(m_grid);
        m_text.m_bDotsFromText = 0;
        return true;
    });
    Recorded();
}

bool CCanvasDocument::Undo()
{
    return StepHistory(&CCanvasHistory::Undo);
}

bool CCanvasDocument::Redo()
{
    return StepHistory(&CCanvasHistory::Redo);
}

bool CCanvasDocument::StepHistory(bool (CCanvasHistory::*step)())
{
    const int width = m_grid.Width();
    const int height = m_grid.Height();
    const int mode = m_grid.Mode();
    const int current = m_frames.Current(), count = m_frames.Count();
    const bool undo = step == &CCanvasHistory::Undo;
    const bool framesStep = undo ? m_history.CanUndo() && m_history.NextUndo() == EUndoKind::Frames
                                 : m_history.CanRedo() && m_history.NextRedo() == EUndoKind::Frames;
    if (!(m_history.*step)())
        return false;
    // The layout step only when the size changed: it also scrolls to the top.
    if (m_grid.Width() != width || m_grid.Height() != height)
        emit Resized(m_grid.Width(), m_grid.Height());
    if (m_grid.Mode() != mode)
        emit ModeChanged(m_grid.Mode());
    if (framesStep || m_frames.Current() != current || m_frames.Count() != count)
        emit FramesChanged();
    emit Changed();
    emit TextChanged(m_text);
    emit HistoryChanged();
    return true;
}

void CCanvasDocument::SetOverlayText(const QString& text)
{
    m_text.m_szText = text;
    emit Changed();
}

void CCanvasDocument::SetOverlayColor(COLORREF colour)
{
    m_text.m_crText = colour;
    emit Changed();
}

void CCanvasDocument::SetOverlayColors(const std::vector<COLORREF>& colours)
{
    m_text.m_acrOverlay = colours;
    emit Changed();
}

void CCanvasDocument::SetOverlay(const std::vector<COLORREF>& colours, const QString& text, bool textChanged)
{
    m_text.m_acrOverlay = colours;
    if (textChanged)
        m_text.m_szText = text;
    emit Changed();
}

QSize CCanvasDocument::OverlayOverflow() const
{
    if (m_grid.Mode() != ImageMode || m_grid.IsEmpty() || m_text.m_szText.isEmpty())
        return {0, 0};
    COverlayCache overlay;
    overlay.Get(m_text, m_grid.Width(), m_grid.Height());
    return {overlay.Layout()->OverflowWidth(), overlay.Layout()->OverflowHeight()};
}

void CCanvasDocument::SetLayoutOptions(const SSignLayoutOptions& options)
{
    m_text.m_layout = options;
    emit Changed();
}

void CCanvasDocument::SetTextFont(const LogFont& font)
{
    m_text.m_lfText = font;
    emit Changed();
}

void CCanvasDocument::MergeText(QTextDocument* source, const LogFont& font)
{
    const auto burnIn = [this](QImage& image) {
        CopyColourKeyed(image, QRect(0, 0, m_grid.Width(), m_grid.Height()),
                        RenderTextOverlay(m_text, m_grid.Width(), m_grid.Height()));
    };
    const auto merge = [&] {
        return m_grid.Mode() == TextMode ? m_textRenderer.MergeText(source, font)
                                         : m_textRenderer.BurnInOverlay(burnIn);
    };
    const int width = m_grid.Width(), height = m_grid.Height();
    if (!m_history.RecordWhole(EUndoKind::MergeText, KeepingFrameSize(merge)))
        return;
    // The renderer announced the size it drew; the frames may have cut it.
    if (m_frames.IsAnimated() && (m_grid.Width() != width || m_grid.Height() != height))
        emit Resized(m_grid.Width(), m_grid.Height());
    Recorded();
}

void CCanvasDocument::RenderRecorded(const std::function<void()>& adjust)
{
    // A rendering that reproduces what is there is no step of its own.
    const bool recorded = m_history.RecordWhole(EUndoKind::Render, KeepingFrameSize([this, &adjust] {
                                                    adjust();
                                                    m_textRenderer.RenderText();
                                                    return false;
                                                }),
                                                m_bMergeRenderings);
    if (recorded)
        emit HistoryChanged();
}

void CCanvasDocument::SetTextOffset(int CCanvasText::*glyphOffset, int CCanvasText::*overlayPosition, int value)
{
    if (m_grid.Mode() == TextMode)
        RenderRecorded([this, glyphOffset, value] { m_text.*glyphOffset = value; });
    else
        m_text.*overlayPosition = value;
    emit Changed();
}

void CCanvasDocument::SetTextX(int x)
{
    SetTextOffset(&CCanvasText::m_nGlyphOffsetX, &CCanvasText::m_nTextX, x);
}

void CCanvasDocument::SetTextY(int y)
{
    SetTextOffset(&CCanvasText::m_nGlyphOffsetY, &CCanvasText::m_nTextY, y);
}

void CCanvasDocument::SetStretch(int stretch)
{
    if (m_grid.Mode() != TextMode) {
        m_text.m_nStretch = stretch;
        return;
    }
    RenderRecorded([this, stretch] { m_text.m_nStretch = stretch; });
    emit Changed();
}

void CCanvasDocument::SetTextOffsets(int x, int y)
{
    if (m_grid.Mode() != TextMode)
        return;
    RenderRecorded([this, x, y] {
        m_text.m_nGlyphOffsetX = x;
        m_text.m_nGlyphOffsetY = y;
    });
    emit Changed();
}

QString CCanvasDocument::Listing() const
{
    if (m_grid.IsEmpty())
        return {};
    return CDotListing::Whole(m_grid, m_text);
}

COutcome CCanvasDocument::SaveImageTo(const QString& path)
{
    const COutcome written = CExportRegistry::WritePicture(ExportSource(), path);
    if (written)
        return written;
    return COutcome::Failed(MessageText::English(MessageText::PictureNotSaved, {path, written.Message()}));
}

COutcome CCanvasDocument::SaveDotTo(const QString& path)
{
    return CExportRegistry::ListingExporter().pfnWrite(ExportSource(), path);
}
