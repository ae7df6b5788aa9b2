#pragma once

#include <QImage>
#include <QList>

// Cuts the toolbar strip (cells of 16 x 15 side by side) into one image per
// button, with the strip's light grey made transparent.
QList<QImage> ToolbarCells(const QImage& strip);
