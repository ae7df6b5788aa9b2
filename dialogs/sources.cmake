# Sources of the dialogs subsystem.
list(APPEND UI_SOURCES
  dialogs/FlatSplitterWnd.h dialogs/FlatSplitterWnd.cpp
)
