#pragma once

#include "animation/FrameStep.h"
#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/LogFont.h"
#include "base/Outcome.h"
#include "canvas/CanvasHistory.h"
#include "dotdata/ColorMatcher.h"
#include "dotdata/ExportRegistry.h"
#include "textinput/InputText.h"
#include "textinput/TextRenderer.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>
#include <memory>

class CDotFragment;
class CDotShape;
class QTextDocument;

// The document: the dots, the canvas text with everything it is laid out
// with, the typed text not yet merged (Input()), the undo history, the text
// renderer, the Picture Colors choice and the last file names. No widget:
// the canvas and the input pane are views that call its operations and
// follow its signals, and batch mode drives it alone. Every change to the
// dots goes through here and is recorded for undo.
//
// Coordinates are display coordinates: column from the left, row 0 on top.
class CCanvasDocument : public QObject
{
    Q_OBJECT

public:
    explicit CCanvasDocument(QObject* parent = nullptr);
    ~CCanvasDocument() override;

    // Direct access for views and tests. A change made through these is not
    // recorded and tells no view; operations below do both.
    CDotGrid& Grid() { return m_grid; }
    const CDotGrid& Grid() const { return m_grid; }
    CCanvasText& Text() { return m_text; }
    const CCanvasText& Text() const { return m_text; }
    const CCanvasHistory& History() const { return m_history; }
    // The frames of an animated sign. Grid() is always the current frame; a
    // document never given a second frame is that grid alone.
    const CFrameList& Frames() const { return m_frames; }
    CTextRenderer& Renderer() { return m_textRenderer; }
    SExportSource ExportSource() const { return {m_grid, m_text}; }
    int Mode() const { return m_grid.Mode(); }

    // The typed text with its font, colours and settings. What it tells
    // (typing, a font, offsets, Merge) reaches the document at once.
    CInputText& Input() { return m_input; }
    const CInputText& Input() const { return m_input; }
    // Whether the typed text differs from what was last merged; text mode
    // refuses mouse edits while it does. A query installed here answers
    // instead of the typed text (tests of the edits alone).
    void SetMergePendingQuery(std::function<bool()> query) { m_fnMergePending = std::move(query); }
    bool IsMergePending() const { return m_fnMergePending ? m_fnMergePending() : m_input.IsMergePending(); }
    // Image mode always allows edits, text mode only while no merge is pending.
    bool CanEditDots() const;

    // New: a fresh w x h grid of background colour in the mode, the cells of
    // the mode, no text and no history. False, keeping everything, when the
    // dots cannot be allocated.
    bool NewCanvas(int width, int height, int mode);
    // A saved document replaces this one whole: dots, text and the Picture
    // Colors choice, laid out anew with an empty history. frames holds every
    // frame of an animated sign (frame currentFrame showing), or is empty for
    // a still one. Later renderings take their glyph colours from source, as
    // after Merge Text.
    void Restore(CDotGrid grid, std::vector<SSignFrame> frames, int currentFrame, const CCanvasText& text,
                 int pictureColors, QTextDocument* source);
    // Open: the picture replaces the dots, turned into dots the Picture
    // Colors way; a file that cannot be read keeps the old dots.
    COutcome Open(const QString& path);
    int PictureColors() const { return m_nPictureColors; }
    // A value outside the three ways means Exact.
    void SetPictureColors(int matching) { m_nPictureColors = ValidColorMatching(matching); }

    void Mirror();
    void Flip();
    void Rotate();
    // The colour the next painted dot takes (palette index).
    void SetDotColor(int index) { m_grid.SetDotColor(index); }
    void SetBackgroundColor(COLORREF colour);
    // One dot takes the colour. False when edits are refused now; a dot
    // outside the grid changes nothing.
    bool EditDot(int column, int row, COLORREF colour);
    // Drawing tools: every dot of the shape takes the colour, as one step.
    // False when edits are refused now or no dot changed (nothing recorded).
    bool DrawShape(const CDotShape& shape, COLORREF colour, EUndoKind kind = EUndoKind::Draw);
    // A selection put down: the dots of 'cleared' (where it was lifted from,
    // may be empty) become background, then the fragment lands with its
    // top-left dot at 'at'; one step. False as DrawShape.
    bool PlaceFragment(const CDotFragment& fragment, QPoint at, const QRect& cleared, EUndoKind kind);
    // Resize Canvas and Crop (see CanvasSize.h), one step each. False, with
    // nothing changed, when the change is refused or memory runs out.
    bool ResizeCanvas(QSize size, int anchor);
    bool CropCanvas(const QRect& area);
    // Records a change a tool has already made to the dots.
    void RecordStep(std::unique_ptr<CUndoStep> step, bool mayMerge = false);
    // Runs a change to the dots made outside the document's own operations
    // (a loaded listing) and records it as one step.
    void ChangeDots(EUndoKind kind, const std::function<void(CDotGrid&)>& change);

    // Makes another frame the one edited, listed and saved; not a step of
    // the history. False for an index out of range or the current frame.
    bool SelectFrame(int index);
    // Runs a change to the list of frames (see CFrameStep) and records it
    // for undo. False, recording nothing, when the list refused it.
    bool ChangeFrames(const std::function<bool(CFrameList&, CFrameStep&)>& change);

    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    bool Undo();
    bool Redo();

    // What the input pane sets. Text mode renders the glyphs again (one
    // undo step when it changes anything); image mode moves the overlay.
    void SetOverlayText(const QString& text);
    void SetOverlayColor(COLORREF colour);
    // The colour of each character (code point) of the overlay text.
    void SetOverlayColors(const std::vector<COLORREF>& colours);
    // Both at once, the text only when textChanged: one change for views.
    void SetOverlay(const std::vector<COLORREF>& colours, const QString& text, bool textChanged);
    // How many dots the overlay's ink runs past the grid's width and height;
    // 0, 0 outside image mode or without overlay text.
    QSize OverlayOverflow() const;
    // Alignment, spacing and fitting of the overlay on the panel.
    void SetLayoutOptions(const SSignLayoutOptions& options);
    void SetTextFont(const LogFont& font);
    void SetTextX(int x);
    void SetTextY(int y);
    void SetStretch(int stretch);
    // Text mode: both glyph offsets, rendered once as one change.
    void SetTextOffsets(int x, int y);
    // While on, consecutive renderings (a held arrow key) merge into one step.
    void SetMergeRenderings(bool merge) { m_bMergeRenderings = merge; }
    // Merge Text: text mode renders the source's text into cells, image
    // mode burns the overlay into the dots.
    void MergeText(QTextDocument* source, const LogFont& font);

    // The dot-data listing, whole, with '\n' line ends.
    QString Listing() const;
    COutcome SaveImageTo(const QString& path);
    COutcome SaveDotTo(const QString& path);
    // The last names chosen, which pre-fill the save dialogs.
    const QString& ImagePath() const { return m_szImagePath; }
    void SetImagePath(const QString& path) { m_szImagePath = path; }
    const QString& DotPath() const { return m_szDotPath; }
    void SetDotPath(const QString& path) { m_szDotPath = path; }

signals:
    // The dots or the overlay changed: views repaint.
    void Changed();
    // The grid was laid out anew at this size (New, Open, Rotate, a
    // rendering); views relayout.
    void Resized(int width, int height);
    // Undo or redo put back this text state; controls showing it follow.
    void TextChanged(const CCanvasText& text);
    // A change was recorded, undone or redone, or the history was cleared.
    void HistoryChanged();
    // Frames were added, deleted, moved, retimed or replaced, or another
    // frame became current.
    void FramesChanged();
    // The current frame is of the other mode (effects make image-mode frames).
    void ModeChanged(int mode);

private:
    void ConnectInput();
    void SetTextOffset(int CCanvasText::*glyphOffset, int CCanvasText::*overlayPosition, int value);
    // Text mode: renders the text again, recording the change when it alters anything.
    void RenderRecorded(const std::function<void()>& adjust);
    bool StepHistory(bool (CCanvasHistory::*step)());
    // The grid made anew from the present one (a resize, a crop), as one step;
    // with several frames every frame is made anew.
    bool ReplaceGrid(EUndoKind kind, const std::function<bool(const CDotGrid&, CDotGrid&)>& make);
    bool ReplaceEveryFrame(const std::function<bool(const CDotGrid&, CDotGrid&)>& make);
    void Recorded();
    // Around a change that may resize the grid: in a document of several
    // frames the grid keeps the frames' size.
    std::function<bool()> KeepingFrameSize(const std::function<bool()>& change);
    // Tells the views what a change of frames or an undo altered.
    void AfterFrameChange(int width, int height, int mode);

    CDotGrid m_grid;
    CCanvasText m_text;
    CInputText m_input;
    CFrameList m_frames{m_grid};
    std::function<bool()> m_fnMergePending;
    int m_nPictureColors = ExactColors;
    bool m_bMergeRenderings = false;
    QString m_szImagePath;
    QString m_szDotPath;
    // After m_grid and m_text, which they render into and record.
    CTextRenderer m_textRenderer{m_grid, m_text, [this](int w, int h) { emit Resized(w, h); }};
    CCanvasHistory m_history{m_grid, m_text};
};
