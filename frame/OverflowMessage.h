#pragma once

#include <QString>

// What the program says when the overlay text runs past the canvas: by how
// many dots it is wider and taller than the canvas, in the interface
// language (0 English, 1 Simplified Chinese, 2 Traditional Chinese; any
// other value English). Empty when it fits.
QString OverflowMessage(int language, int wider, int taller);
