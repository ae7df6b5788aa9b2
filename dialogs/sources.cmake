# The dialogs subsystem.
add_library(pellmark_dialogs STATIC)
target_link_libraries(pellmark_dialogs PUBLIC pellmark_base pellmark_dotdata pellmark_animation Qt6::Widgets)
# The picture class is model code (no widgets): the splash and About box draw it.
target_sources(pellmark_dialogs PRIVATE
  dialogs/LoadedPicture.h dialogs/LoadedPicture.cpp
)
target_sources(pellmark_dialogs PRIVATE
  dialogs/FlatSplitterWnd.h dialogs/FlatSplitterWnd.cpp
  dialogs/SplashWnd.h dialogs/SplashWnd.cpp
  dialogs/AboutDlg.h dialogs/AboutDlg.cpp
  dialogs/NewDialog.h dialogs/NewDialog.cpp
  dialogs/ScrollDialog.h dialogs/ScrollDialog.cpp
  dialogs/ResizeCanvasDialog.h dialogs/ResizeCanvasDialog.cpp
  dialogs/ExportDialog.h dialogs/ExportDialog.cpp
  dialogs/ExportDotView.h dialogs/ExportDotView.cpp
)
# The splash picture, under the path the picture class opens.
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/splash.jpg PROPERTIES QT_RESOURCE_ALIAS 140)
qt_add_resources(pellmark_dialogs pictures PREFIX /JPG BASE ${CMAKE_SOURCE_DIR}/res FILES ${CMAKE_SOURCE_DIR}/res/splash.jpg)
