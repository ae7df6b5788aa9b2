#pragma once

#include "canvas/ImageView.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

// A shown canvas whose viewport has a given size (no frame, so the viewport
// is the whole widget while no scroll bar is needed).
class CanvasFixture : public ::testing::Test
{
protected:
    void ShowView(int width, int height)
    {
        m_view.resize(width, height);
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    // The New command's steps: make the grid, then the layout step.
    void NewGrid(int width, int height, int mode)
    {
        ASSERT_TRUE(m_view.Grid().Create(width, height, mode));
        m_view.SetGridSize(width, height);
        Settle();
    }

    // Lets the scroll area show or hide its bars; the view recentres when
    // its viewport changes size.
    static void Settle() { QCoreApplication::processEvents(); }

    void ZoomTo(int size)
    {
        while (m_view.DotSize() > size)
            m_view.ZoomOut();
        while (m_view.DotSize() < size)
            m_view.ZoomIn();
        Settle();
    }

    // Lights a dot given in display coordinates (row 0 on top).
    void Light(int column, int displayRow, COLORREF c)
    {
        m_view.Grid().SetDot(column, m_view.Grid().Height() - 1 - displayRow, c);
    }
    COLORREF DotAtDisplay(int column, int displayRow) const
    {
        return m_view.Grid().DotAt(column, m_view.Grid().Height() - 1 - displayRow);
    }

    QImage Grab() { return m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QScrollBar* HBar() const { return m_view.horizontalScrollBar(); }
    QScrollBar* VBar() const { return m_view.verticalScrollBar(); }

    CImageView m_view;
};

inline QRgb Rgb(COLORREF c)
{
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}
