#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/FrameDialogs.h"
#include "canvas/CanvasHistory.h"
#include "canvas/TextOverlay.h"
#include "canvas/ZoomView.h"
#include "dotdata/ColorMatcher.h"
#include "textinput/TextRenderer.h"

#include <QPointer>

#include <functional>

class CDotTextWorker;
class QImage;
class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QScrollBar;

// The canvas pane: shows the dot grid it owns, edits it with the mouse, and
// can give way to the dot text pane that lists the dots as text.
class CImageView : public CZoomView
{
    Q_OBJECT

public:
    explicit CImageView(QWidget* parent = nullptr);

    // The dialog seam the canvas asks and tells the user through; it must
    // outlive the canvas. Until one is set every question is cancelled and
    // every message dropped.
    void SetDialogs(const CFrameDialogs* dialogs) { m_pDialogs = dialogs ? dialogs : &kNoDialogs; }

    CDotGrid& Grid() { return m_grid; }
    const CDotGrid& Grid() const { return m_grid; }
    CCanvasText& Text() { return m_text; }
    const CCanvasText& Text() const { return m_text; }

    // Installed by the frame: answers whether the input pane holds text that
    // has not been merged yet.
    void SetMergePendingQuery(std::function<bool()> query) { m_fnMergePending = std::move(query); }
    // Image mode always allows edits, text mode only while no merge is pending.
    bool CanEditDots() const;
    // One mouse edit: the dot (storage row) gets the colour when edits are
    // allowed. False when the edit was refused.
    bool EditDot(int column, int storageRow, COLORREF colour);

    // Undo and redo of the changes to the dots and to the text state they
    // were rendered from. Refused while the listing's worker runs.
    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();
    const CCanvasHistory& History() const { return m_history; }
    // Runs a change to the dots made outside the canvas's own commands (a
    // loaded listing), recording it for undo, and repaints.
    void ChangeDots(CCanvasHistory::Kind kind, const std::function<void(CDotGrid&)>& change);

    // 1 covers the canvas with the dot text pane, 0 brings the dots back.
    void ShowTextPane(int show);
    int IsTextPaneShown() const { return m_bTextPaneShown; }
    QPlainTextEdit* TextPane() const { return m_wndTextPane; }

    // The dot-data listing: generated into the text pane by a worker thread
    // working on a copy of the dots, saved as a .txt file, printed.
    void BeginDotText();
    bool IsDotTextRunning() const;
    void SaveDotData();

    // The hand tool: the left button drags the view instead of editing.
    int PanMode() const { return m_bPanMode; }
    void TogglePanMode();
    Qt::CursorShape PointerShape() const;

    void Mirror();
    void Flip();
    void Rotate();
    void SetDotColor(int index);
    void SetBackgroundColor(COLORREF c);
    void Repaint();

    // Lays the overlay text over the top-down picture 'target' at (x, y):
    // one dot per pixel, or each dot as a square of the dot size when scaled.
    void DrawTextOverlay(QImage& target, int x, int y, bool scaled);

    // Pictures. Open: the picture replaces the dots and the grid is laid out
    // anew; a file that cannot be read keeps the old dots and says so once.
    bool LoadPicture(const QString& path);
    // How the next Open turns the picture's pixels into dots (ColorMatching);
    // a value outside the three ways means Exact.
    int PictureColors() const { return m_nPictureColors; }
    void SetPictureColors(int matching) { m_nPictureColors = ValidColorMatching(matching); }
    // Save Image: asks for the file name (pre-filled with the last one), then
    // writes the dots as BMP or JPEG; a failed write is reported.
    void SaveImage();
    bool SaveImageTo(const QString& path);
    QString ImagePath() const { return m_szImagePath; }

    // The New command's canvas steps: a fresh w x h grid of background colour
    // through the layout step, with the character cells of the mode. False,
    // keeping the old grid, when the dots cannot be allocated.
    bool NewCanvas(int w, int h, int mode);
    // A project's canvas replaces this one whole: dots, text and the
    // Picture Colors choice, laid out anew with an empty history. The glyph
    // colours of later renderings come from source, as after Merge Text.
    void RestoreCanvas(CDotGrid grid, const CCanvasText& text, int pictureColors, QTextDocument* source);

public slots:
    // What the input pane sends: overlay text and colour, Merge Text, the
    // glyph offsets (text mode) or overlay position (image mode), the font
    // and the stretch.
    void SetOverlayText(const QString& text);
    void SetOverlayColor(COLORREF colour);
    void MergeText(QTextEdit* source, const LogFont& font);
    void SetTextX(int x);
    void SetTextY(int y);
    void SetTextFont(const LogFont& font);
    void SetStretch(int stretch);
    // Text mode: both glyph offsets, rendered once as one change.
    void SetTextOffsets(int x, int y);

signals:
    // A progress text of the listing for the given status-bar pane.
    void StatusText(int pane, const QString& text);
    // The listing's worker has handed over the whole listing.
    void DotTextFinished();
    // The user has clicked into the canvas or its dot text pane.
    void Activated();
    // A change was recorded, undone or redone, or the history was cleared.
    void HistoryChanged();
    // Undo or redo has put back this text state; the input pane's controls follow it.
    void TextStateRestored(const CCanvasText& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsMergePending() const { return m_fnMergePending && m_fnMergePending(); }
    void EditDotAt(QPoint client, COLORREF colour);
    void DragStep(QPoint client);
    void DragAxis(QScrollBar* bar, int& last, int pointer);
    void UpdatePointer();
    QRect OverlayRect(int x, int y, bool scaled) const;
    // Text mode moves the glyphs and renders again; image mode moves the overlay.
    void SetTextOffset(int CCanvasText::*glyphOffset, int CCanvasText::*overlayPosition, int value);
    // Text mode: renders the text again, recording the change when it alters anything.
    void RenderRecorded(const std::function<void()>& adjust);
    bool StepHistory(bool (CCanvasHistory::*step)());

    CDotGrid m_grid;
    CCanvasText m_text;
    COverlayCache m_overlay;
    QPlainTextEdit* m_wndTextPane = nullptr;
    int m_bTextPaneShown = 0;
    int m_bPanMode = 0;
    int m_bPanning = 0;
    int m_nLastX = 0;
    int m_nLastY = 0;
    std::function<bool()> m_fnMergePending;

    static const CFrameDialogs kNoDialogs;
    const CFrameDialogs* m_pDialogs = &kNoDialogs;
    QString m_szImagePath;
    int m_nPictureColors = ExactColors;
    QPointer<CDotTextWorker> m_hDotThread; // the listing's worker while it runs
    QString m_szDotPath;                   // last Save Dot file, pre-fills its dialog

    // After m_grid and m_text, which they render into and record.
    CTextRenderer m_textRenderer{m_grid, m_text, [this](int w, int h) { SetGridSize(w, h); }};
    CCanvasHistory m_history{m_grid, m_text};
};
