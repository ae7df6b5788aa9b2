#pragma once

#include "canvas/ImageView.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

// A shown canvas; without a frame its viewport is the whole widget while no
// scroll bar is needed.
class CanvasFixture : public ::testing::Test
{
protected:
    void Show(int width, int height)
    {
        m_view.resize(width, height);
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }
    // The New command's steps, then the event loop shows or hides the bars.
    void NewGrid(int width, int height, int mode = ImageMode)
    {
        ASSERT_TRUE(m_view.Grid().Create(width, height, mode));
        m_view.SetGridSize(width, height);
        QCoreApplication::processEvents();
    }
    // At most one step per dot size, so a zoom that stops moving fails here
    // instead of looping.
    void ZoomTo(int size)
    {
        for (int step = 0; step < 21 && m_view.DotSize() > size; ++step)
            m_view.ZoomOut();
        for (int step = 0; step < 21 && m_view.DotSize() < size; ++step)
            m_view.ZoomIn();
        ASSERT_EQ(m_view.DotSize(), size);
        QCoreApplication::processEvents();
    }
    // Dots in display coordinates (row 0 on top).
    void Light(int column, int row, COLORREF c) { m_view.Grid().SetDot(column, m_view.Grid().Height() - 1 - row, c); }
    COLORREF Dot(int column, int row) const { return m_view.Grid().DotAt(column, m_view.Grid().Height() - 1 - row); }
    QImage Grab() { return m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QScrollBar* HBar() const { return m_view.horizontalScrollBar(); }
    QScrollBar* VBar() const { return m_view.verticalScrollBar(); }

    CImageView m_view;
};

inline QRgb Rgb(COLORREF c)
{
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}
