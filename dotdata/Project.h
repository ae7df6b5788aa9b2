#pragma once

#include "base/CanvasText.h"
#include "base/Color.h"
#include "base/DotGrid.h"
#include "base/DotPalette.h"
#include "base/LogFont.h"

#include <QString>

#include <vector>

// What the input pane holds: the typed text with the colour of each of its
// characters (code points, line breaks included), which may not have been
// merged yet.
struct SProjectInput
{
    QString m_szText;
    std::vector<COLORREF> m_acrColor;  // one per character of m_szText
    LogFont m_lfFont;                  // the pane's font, positive height
    int m_nColorIndex = kWhiteIndex;   // colour button chosen for new typing
    int m_bMerged = 1;                 // the input is what was last merged

    bool operator==(const SProjectInput& o) const
    {
        return m_szText == o.m_szText && m_acrColor == o.m_acrColor && m_lfFont == o.m_lfFont
            && m_nColorIndex == o.m_nColorIndex && m_bMerged == o.m_bMerged;
    }
};

// Everything a project file keeps: the dots with their mode and colours,
// the canvas text, the input pane's text and the Picture Colors choice.
// Plain data, filled from the document and put back into it.
struct SProject
{
    CDotGrid m_grid;
    CCanvasText m_text;
    SProjectInput m_input;
    int m_nPictureColors = 0;
};
