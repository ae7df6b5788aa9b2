#include "frame/PaneLink.h"

#include "canvas/CanvasDocument.h"
#include "canvas/ImageView.h"
#include "textinput/InputTextView.h"

void LinkPanes(CImageView* canvas, CInputTextView* pane)
{
    if (!canvas || !pane)
        return;
    // The document tells the typed text what it needs (grid size, text
    // states put back by undo, the current frame's mode) and hears its
    // changes itself; the pane only shows and works it.
    pane->SetModel(canvas->Document().Input());
}
