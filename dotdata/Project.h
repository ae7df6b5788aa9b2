#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/InputState.h"

// Everything a project file keeps: the dots with their mode and colours,
// the canvas text, the input pane's text and the Picture Colors choice.
// Plain data, filled from the document and put back into it.
struct SProject
{
    CDotGrid m_grid;
    CCanvasText m_text;
    SInputState m_input;
    int m_nPictureColors = 0;
};
