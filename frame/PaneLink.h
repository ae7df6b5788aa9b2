#pragma once

class CImageView;
class CInputTextView;

// Connects the input pane and the canvas both ways: every change in the pane
// reaches the canvas synchronously, the canvas reports its grid size to the
// pane, and the canvas asks the pane whether a merge is pending.
void LinkPanes(CImageView* canvas, CInputTextView* pane);
