# Sources of the dialogs subsystem.
# The picture class is model code (no widgets): the splash and About box draw it.
list(APPEND CORE_SOURCES
  dialogs/LoadedPicture.h dialogs/LoadedPicture.cpp
)
list(APPEND UI_SOURCES
  dialogs/FlatSplitterWnd.h dialogs/FlatSplitterWnd.cpp
  dialogs/SplashWnd.h dialogs/SplashWnd.cpp
  dialogs/AboutDlg.h dialogs/AboutDlg.cpp
  dialogs/NewDialog.h dialogs/NewDialog.cpp
  dialogs/ResizeCanvasDialog.h dialogs/ResizeCanvasDialog.cpp
  dialogs/ExportDialog.h dialogs/ExportDialog.cpp
  dialogs/ExportDotView.h dialogs/ExportDotView.cpp
)
