#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/InputState.h"
#include "base/SignFrame.h"

#include <vector>

// Everything a project file keeps: the dots with their mode and colours,
// the canvas text, the input pane's text, the Picture Colors choice and the
// frames of an animated sign.
// Plain data, filled from the document and put back into it.
struct SProject
{
    CDotGrid m_grid;
    CCanvasText m_text;
    SInputState m_input;
    int m_nPictureColors = 0;
    // Every frame in order when there is more than one, frame
    // m_nCurrentFrame holding the dots of m_grid; empty for a still sign.
    std::vector<SSignFrame> m_frames;
    int m_nCurrentFrame = 0;
};
