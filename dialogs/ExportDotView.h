#pragma once

#include "dotdata/ByteLayout.h"

#include <QImage>
#include <QWidget>

class CDotGrid;

// The canvas in small, for the Export dialog: its dots scaled to fit, the
// module borders, and the dots of one byte outlined. Moving the mouse over a
// dot outlines the byte that holds it; the outline stays when the mouse
// leaves, so that it can be read.
class CExportDotView : public QWidget
{
    Q_OBJECT

public:
    explicit CExportDotView(QWidget* parent = nullptr);

    void SetGrid(const CDotGrid& grid);
    // The layout the bytes follow; an unset one (no width) shows no modules
    // and outlines nothing.
    void SetLayout(const CByteLayout& layout);
    // Outlines the byte holding dot (x, y), from the top left; false for a
    // dot outside the canvas, which clears the outline.
    bool HighlightDot(int x, int y);
    bool HasHighlight() const { return m_nByte >= 0; }
    qint64 HighlightedByte() const { return m_nByte; }
    const CByteLayout::SRun& HighlightedRun() const { return m_run; }
    // The dot under a point of the widget; false outside the picture.
    bool DotAt(const QPoint& point, int& x, int& y) const;

    QSize sizeHint() const override;

signals:
    // The byte under the mouse changed (index -1: none).
    void ByteHovered(qint64 index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRectF PictureRect() const;
    QRectF DotsRect(int x, int y, int w, int h) const;

    QImage m_image;
    CByteLayout m_layout;
    bool m_bLayoutSet = false;
    qint64 m_nByte = -1;
    CByteLayout::SRun m_run;
    int m_nDotX = -1; // the dot pointed at last
    int m_nDotY = -1;
};
