#pragma once

class CImageView;
class CInputTextView;

// Makes the input pane a view of the typed text of the canvas's document:
// every change in the pane reaches the document synchronously, and the pane
// follows the grid size and the text states put back by undo.
void LinkPanes(CImageView* canvas, CInputTextView* pane);
