#include "canvas/PickerTool.h"

#include "canvas/CanvasDocument.h"

void CPickerTool::Press(const SToolEvent& event)
{
    if (event.nButton != Qt::LeftButton || !event.bOnGrid)
        return;
    const int index = m_document.Grid().DisplayColorIndexOf(event.nColumn, event.nRow);
    if (index == kUnlitIndex)
        return;
    m_document.SetDotColor(index);
    if (m_fnPicked)
        m_fnPicked(index);
}
