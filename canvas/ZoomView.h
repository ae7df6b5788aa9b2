#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QRect>

class QScrollBar;

// A scroll view that shows a grid of W x H dots, each as an s x s square of
// pixels. The grid is centred in the window on whole-dot positions, and the
// scroll range is exactly the grid's pixel size, so the margin around a
// centred grid never scrolls. Positions are "client" (viewport pixels) or
// "logical" (client plus the scroll offset).
class CZoomView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int kMaxDotSize = 20;
    static constexpr int kInitialDotSize = 8;
    // Scroll range before the first grid is laid out.
    static constexpr int kInitialTotalSize = 100;

    explicit CZoomView(QWidget* parent = nullptr);

    // Each step relays the grid out; returns the new dot size.
    int ZoomIn();
    int ZoomOut();
    // Grid lines on or off; nothing changes at dot size 0, which has no lines.
    void ToggleGrid();
    // The layout step: centre, scroll range W*s x H*s, scroll to (0, 0),
    // repaint everything and report the size.
    void SetGridSize(int w, int h);
    void CenterGrid();

    int DotSize() const { return m_nDotSize; }
    // The dot size in pixels as drawn: size 0 shows one pixel per dot.
    int EffectiveDotSize() const { return m_nDotSize > 0 ? m_nDotSize : 1; }
    int ShowGrid() const { return m_bShowGrid; }
    void SetShowGrid(int show) { m_bShowGrid = show; }
    int GridWidth() const { return m_nGridWidth; }
    int GridHeight() const { return m_nGridHeight; }
    QPoint Origin() const { return {m_nOriginX, m_nOriginY}; }
    QPoint ScrollOffset() const { return {m_nScrollX, m_nScrollY}; }

    // Client square of the dot in this column and display row (row 0 on top).
    QRect DotToClient(int column, int displayRow) const;
    // The dot (column, display row) under a client point; false when the
    // point is off the grid.
    bool ClientToDot(QPoint client, int& column, int& row) const;
    // The dot position under a client point, also beyond the grid's edges
    // (a gesture dragged past them); display rows.
    QPoint ClientToDotAnywhere(QPoint client) const;
    // v rounded up to a whole number of dots.
    int RoundUpToDot(int v) const;

signals:
    void GridSizeChanged(int width, int height);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

    // Scroll ranges and steps for the current viewport size.
    void UpdateScrollRanges();
    // The off-screen picture paints are composed in, as large as the viewport.
    QImage& Surface();

private:
    void SnapThumbTrack(QScrollBar* bar, int action);
    int CenteredOrigin(int clientExtent, int dots) const;

    QImage m_imgSurface;
    int m_nDotSize = kInitialDotSize;
    int m_bShowGrid = 1;
    int m_nGridWidth = 0;
    int m_nGridHeight = 0;
    int m_nTotalWidth = kInitialTotalSize;
    int m_nTotalHeight = kInitialTotalSize;
    int m_nOriginX = 0;
    int m_nOriginY = 0;
    int m_nScrollX = 0;
    int m_nScrollY = 0;
};
