#pragma once

#include "canvas/CanvasText.h"
#include "canvas/DotGrid.h"

#include <QAbstractScrollArea>

#include <functional>

// The canvas pane: shows the dot grid it owns and edits it.
class CImageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit CImageView(QWidget* parent = nullptr);

    CDotGrid& Grid() { return m_grid; }
    const CDotGrid& Grid() const { return m_grid; }
    CCanvasText& Text() { return m_text; }
    const CCanvasText& Text() const { return m_text; }

    int ShowGrid() const { return m_bShowGrid; }
    void SetShowGrid(int show) { m_bShowGrid = show; }

    // Installed by the frame: answers whether the input pane holds text that
    // has not been merged yet.
    void SetMergePendingQuery(std::function<bool()> query) { m_fnMergePending = std::move(query); }

signals:
    // The grid now has this size; the input pane adapts its controls.
    void GridSizeChanged(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CDotGrid m_grid;
    CCanvasText m_text;
    int m_bShowGrid = 1;
    std::function<bool()> m_fnMergePending;
};
