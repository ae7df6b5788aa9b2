#pragma once

class CImageView;
class CInputTextView;

// Connects the input pane to the canvas's document both ways: every change
// in the pane reaches the document synchronously, the canvas reports its
// grid size to the pane, the pane follows text states put back by undo, and
// the document asks the pane whether a merge is pending.
void LinkPanes(CImageView* canvas, CInputTextView* pane);
