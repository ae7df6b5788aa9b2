#pragma once

#include "base/Color.h"
#include "base/DotPalette.h"
#include "base/LogFont.h"

#include <QString>

#include <vector>

// What the text input pane holds: the typed text with the colour of each of
// its characters (code points, line breaks included), which may not have
// been merged yet, the pane's font and the colour chosen for new typing.
struct SInputState
{
    QString m_szText;
    std::vector<COLORREF> m_acrColor;  // one per character of m_szText
    LogFont m_lfFont;                  // positive height
    int m_nColorIndex = kWhiteIndex;
    int m_bMerged = 1;                 // the text is what was last merged

    bool operator==(const SInputState& o) const
    {
        return m_szText == o.m_szText && m_acrColor == o.m_acrColor && m_lfFont == o.m_lfFont
            && m_nColorIndex == o.m_nColorIndex && m_bMerged == o.m_bMerged;
    }
};
