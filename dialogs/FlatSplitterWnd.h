#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>
#include <vector>

// Minimum, ideal and current size of one splitter row or column.
struct CRowColInfo
{
    int nMinSize = 0;
    int nIdealSize = 0;
    int nCurSize = 0;
};

// Lays out rows (or columns) in an available size with a gap between
// neighbours: each record but the last gets its ideal size, the last takes
// the rest, and whatever does not fit is clipped from the end.
void LayoutRowCol(std::vector<CRowColInfo>& info, int size, int gap);

// Where the panes, the bar and the pane borders of a two-row splitter go.
struct CSplitterLayout
{
    std::array<QRect, 2> rcPane;
    std::array<QRect, 2> rcBorder;
    QRect rcBar;
};

// The geometry of a two-row, one-column splitter of the given client size;
// the rows' current sizes are updated in place.
CSplitterLayout ComputeSplitterLayout(QSize client, std::vector<CRowColInfo>& rows);

// The client-area splitter: two rows separated by a 5-pixel bar the user can
// drag, each pane framed by a single sunken one-pixel line.
class CFlatSplitterWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowCount = 2;
    static constexpr int m_cySplitter = 5;
    static constexpr int m_cySplitterGap = 5;
    static constexpr int m_cyBorder = 1;
    static constexpr int m_cxBorder = 1;

    explicit CFlatSplitterWnd(QWidget* parent = nullptr);

    // Puts a pane into a row; the splitter becomes its parent.
    void SetPane(int row, QWidget* pane);

    void SetRowInfo(int row, int idealSize, int minSize);
    const CRowColInfo& RowInfo(int row) const;
    const CSplitterLayout& Layout() const { return m_layout; }

    // Recomputes the rows from the current size and moves the panes.
    void RecalcLayout();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool CheckRow(int row) const { return row >= 0 && row < kRowCount; }

    std::vector<CRowColInfo> m_rows;
    std::array<QWidget*, kRowCount> m_panes {};
    CSplitterLayout m_layout;
    int m_nDragOffset = -1; // pointer's distance below the bar's top while dragging
};
