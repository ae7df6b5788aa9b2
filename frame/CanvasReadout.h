#pragma once

#include <QObject>

#include <array>

class CImageView;
class QLabel;
class QStatusBar;

// The status-bar panes after the original five: the dot under the pointer
// as column, row (from 0, as batch options count) and as the listing names
// it (block-row-column), the zoom (pixels per dot) and the canvas size.
class CCanvasReadout : public QObject
{
    Q_OBJECT

public:
    enum EPane { PointerPane, BlockPane, ZoomPane, SizePane, kPaneCount };

    CCanvasReadout(QStatusBar& bar, CImageView& canvas);

    QString Text(int pane) const;
    QString ToolTip(int pane) const;
    // Zoom and size follow the canvas; called whenever command states are.
    void Update();
    // The panes' tips in the menu language (0 English, 1 Simplified, 2 Traditional Chinese).
    void SetLanguage(int language);
    // The pointer is over this dot, or off the grid.
    void ShowPointer(int column, int row, bool onGrid);

private:
    CImageView& m_canvas;
    std::array<QLabel*, kPaneCount> m_apPanes {};
};
