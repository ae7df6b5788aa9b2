#pragma once

#include "canvas/ImageView.h"

#include <QApplication>

// The canvas as the repaint benchmarks measure it: a large window with no
// scroll bars, shown, so that every repaint covers the same 1600 x 1000 pixels.
inline void ShowBenchView(CImageView& view)
{
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(1600, 1000);
    view.show();
    QApplication::processEvents();
}
