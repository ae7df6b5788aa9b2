#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/FrameDialogs.h"
#include "canvas/CanvasDocument.h"
#include "canvas/CanvasTool.h"
#include "canvas/TextOverlay.h"
#include "canvas/ZoomView.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class CDotSelection;
class CDotTextWorker;
class CDotPaintTool;
class CPanTool;
class QImage;
class CListingView;
class QTextEdit;

// The canvas pane of both modes (the name is historical): a view of the
// document that shows its dots, hands the mouse to the current tool, and
// can give way to the dot text pane that lists the dots as text (View
// Image, a name that also stayed).
class CImageView : public CZoomView
{
    Q_OBJECT

public:
    // Without a document the canvas makes one of its own.
    explicit CImageView(QWidget* parent = nullptr, CCanvasDocument* document = nullptr);
    ~CImageView() override;

    CCanvasDocument& Document() { return *m_pDoc; }
    const CCanvasDocument& Document() const { return *m_pDoc; }

    // The dialog seam the canvas asks and tells the user through; it must
    // outlive the canvas. Until one is set every question is cancelled and
    // every message dropped.
    void SetDialogs(const CFrameDialogs* dialogs) { m_pDialogs = dialogs ? dialogs : &kNoDialogs; }

    // Shorthands for the document's state.
    CDotGrid& Grid() { return m_pDoc->Grid(); }
    const CDotGrid& Grid() const { return m_pDoc->Grid(); }
    CCanvasText& Text() { return m_pDoc->Text(); }
    const CCanvasText& Text() const { return m_pDoc->Text(); }
    const CCanvasHistory& History() const { return m_pDoc->History(); }
    // How many dots the overlay's ink runs past the grid's width and height.
    QSize OverlayOverflow() const { return m_overflow; }
    void SetMergePendingQuery(std::function<bool()> query) { m_pDoc->SetMergePendingQuery(std::move(query)); }
    bool CanEditDots() const { return m_pDoc->CanEditDots(); }
    // One mouse edit of the dot (display row): false when edits are refused.
    bool EditDot(int column, int row, COLORREF colour) { return m_pDoc->EditDot(column, row, colour); }

    // Undo and redo of the document, refused while the listing's worker runs.
    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();

    // 1 covers the canvas with the dot text pane, 0 brings the dots back.
    void ShowTextPane(int show);
    int IsTextPaneShown() const { return m_bTextPaneShown; }
    CListingView* TextPane() const { return m_wndTextPane; }

    // View Image: the listing is generated into the text pane by a worker
    // thread working on a copy of the dots, and only shown there.
    void BeginDotText();
    bool IsDotTextRunning() const;
    // Save Dot: asks for the file, then writes the document's listing.
    void SaveDotData();
    // View Image: the dot text pane with the listing written anew, or the
    // dots again when it is shown.
    void ToggleDotText();

    // The tools. The hand tool (pan mode) drags the view instead of painting.
    int PanMode() const;
    void TogglePanMode();
    // Takes up a tool; null means the default (click-to-paint) tool. The
    // tool must outlive its use.
    void SetTool(CCanvasTool* tool);
    CCanvasTool& Tool() const { return *m_pTool; }
    // The canvas's own tools, taken up by kind; the click tool is the default.
    enum EToolKind {
        ClickTool, PencilTool, LineTool, RectangleTool, FilledRectangleTool, EllipseTool, FilledEllipseTool,
        FillTool, PickerTool, SelectTool, kToolKinds
    };
    void TakeUpTool(int kind);
    // The kind of the tool in use; -1 for the hand.
    int ToolKind() const;
    CCanvasTool& ToolOfKind(int kind) const { return *m_apTools[static_cast<std::size_t>(kind)]; }
    // The selected dots and what floats above them (the select tool's and Edit's).
    CDotSelection& Selection() { return *m_pSelection; }
    const CDotSelection& Selection() const { return *m_pSelection; }
    // The top-left dot in the window, where a paste lands when nothing is selected.
    QPoint FirstVisibleDot() const;
    Qt::CursorShape PointerShape() const { return m_pTool->Cursor(); }

    void Mirror() { m_pDoc->Mirror(); }
    void Flip() { m_pDoc->Flip(); }
    void Rotate() { m_pDoc->Rotate(); }
    void SetDotColor(int index) { m_pDoc->SetDotColor(index); }
    void SetBackgroundColor(COLORREF c) { m_pDoc->SetBackgroundColor(c); }
    void Repaint();

    // Lays the overlay text over the top-down picture 'target' at (x, y):
    // one dot per pixel, or each dot as a square of the dot size when scaled.
    void DrawTextOverlay(QImage& target, int x, int y, bool scaled);

    // Open: a file that cannot be read keeps the old dots and says so once.
    bool LoadPicture(const QString& path);
    int PictureColors() const { return m_pDoc->PictureColors(); }
    void SetPictureColors(int matching) { m_pDoc->SetPictureColors(matching); }
    // Save Image: asks for the file name (pre-filled with the last one),
    // then writes the dots in the format of its extension; a failure is told.
    void SaveImage();
    bool SaveImageTo(const QString& path);
    QString ImagePath() const { return m_pDoc->ImagePath(); }

    bool NewCanvas(int w, int h, int mode) { return m_pDoc->NewCanvas(w, h, mode); }

public slots:
    // The input pane's settings, passed on to the document.
    void SetOverlayText(const QString& text) { m_pDoc->SetOverlayText(text); }
    void SetOverlayColor(COLORREF colour) { m_pDoc->SetOverlayColor(colour); }
    void SetOverlayColors(const std::vector<COLORREF>& colours) { m_pDoc->SetOverlayColors(colours); }
    void SetLayoutOptions(const SSignLayoutOptions& options) { m_pDoc->SetLayoutOptions(options); }
    void MergeText(QTextEdit* source, const LogFont& font);
    void SetTextX(int x) { m_pDoc->SetTextX(x); }
    void SetTextY(int y) { m_pDoc->SetTextY(y); }
    void SetTextFont(const LogFont& font) { m_pDoc->SetTextFont(font); }
    void SetStretch(int stretch) { m_pDoc->SetStretch(stretch); }
    void SetTextOffsets(int x, int y) { m_pDoc->SetTextOffsets(x, y); }

signals:
    // A progress text of the listing for the given status-bar pane.
    void StatusText(int pane, const QString& text);
    // The listing's worker has handed over the whole listing.
    void DotTextFinished();
    // The user has clicked into the canvas or its dot text pane.
    void Activated();
    // The document's history changed (recorded, undone, redone, cleared).
    void HistoryChanged();
    // Undo or redo has put back this text state; the input pane's controls follow it.
    void TextStateRestored(const CCanvasText& text);
    // The pointer is over this dot (display coordinates), or has left the grid.
    void PointerDot(int column, int row, bool onGrid);
    // The colour picker took this palette index as the dot colour.
    void DotColorPicked(int index);
    // A mouse gesture or an arrow key has ended: what the selection holds may have changed.
    void GestureEnded();
    // The overlay's ink now runs this many dots past the grid's width and
    // height (0, 0 when it fits, or when there is no overlay).
    void OverlayOverflowChanged(int wider, int taller);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectDocument();
    void CreateTools();
    SToolEvent ToolEvent(const QMouseEvent& event) const;
    void UpdatePointer();
    QRect OverlayRect(int x, int y, bool scaled) const;
    // Lays the overlay out again after a change to it or to the grid, and
    // tells how far it runs past the grid.
    void OverlayChanged();

    CCanvasDocument* m_pDoc = nullptr;
    COverlayCache m_overlay;
    CListingView* m_wndTextPane = nullptr;
    int m_bTextPaneShown = 0;
    QSize m_overflow{0, 0}; // what OverlayOverflowChanged last told

    static const CFrameDialogs kNoDialogs;
    const CFrameDialogs* m_pDialogs = &kNoDialogs;
    CDotTextWorker* m_hDotThread = nullptr; // the listing's worker, a child of the canvas

    std::unique_ptr<CDotPaintTool> m_pPaintTool;
    std::unique_ptr<CPanTool> m_pPanTool;
    std::unique_ptr<CDotSelection> m_pSelection;
    std::array<std::unique_ptr<CCanvasTool>, kToolKinds> m_apTools; // the click tool's entry stays empty
    CCanvasTool* m_pTool = nullptr;
};
