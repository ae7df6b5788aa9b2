# The frame subsystem: the main window, the command registry and the
# command steps, over every pane and dialog.
add_library(pellmark_frame STATIC)
target_link_libraries(pellmark_frame PUBLIC pellmark_base pellmark_dotdata pellmark_dotdata_widgets pellmark_textinput
                      pellmark_animation pellmark_canvas pellmark_dialogs Qt6::Widgets Qt6::PrintSupport)
# The lock-key lights come from the X server's keyboard state when there is one.
if(X11_FOUND)
  target_link_libraries(pellmark_frame PUBLIC X11::X11)
  target_compile_definitions(pellmark_frame PUBLIC PELLMARK_HAVE_XKB)
endif()
if(Cups_FOUND)
  target_link_libraries(pellmark_frame PRIVATE Cups::Cups)
  target_compile_definitions(pellmark_frame PRIVATE PELLMARK_HAVE_CUPS)
endif()
target_sources(pellmark_frame PRIVATE
  frame/HelpFile.h frame/HelpFile.cpp
  frame/LockIndicators.h frame/LockIndicators.cpp
  frame/OverflowMessage.h frame/OverflowMessage.cpp
  frame/ToolbarImages.h frame/ToolbarImages.cpp
  frame/RecoveryStore.h frame/RecoveryStore.cpp
  frame/KeepTexts.h
  frame/UserSettings.h frame/UserSettings.cpp
)
target_sources(pellmark_frame PRIVATE
  frame/FrameDialogs.h frame/FrameDialogs.cpp
  frame/MainFrame.h frame/MainFrame.cpp
  frame/CommandRegistry.h frame/CommandRegistry.cpp
  frame/AnimationSteps.h frame/AnimationSteps.cpp
  frame/PaneLink.h frame/PaneLink.cpp
  frame/CommandSteps.h frame/CommandSteps.cpp
  frame/ProjectKeeper.h frame/ProjectKeeper.cpp
  frame/DrawingSteps.h frame/DrawingSteps.cpp
  frame/CanvasReadout.h frame/CanvasReadout.cpp
  frame/ListingPrint.h frame/ListingPrint.cpp
  frame/PrintSpool.h frame/PrintSpool.cpp
  frame/DesktopOpener.h frame/DesktopOpener.cpp
  frame/HelpWindow.h frame/HelpWindow.cpp
)
# The toolbar pictures.
qt_add_resources(pellmark_frame frame PREFIX /frame BASE ${CMAKE_SOURCE_DIR}/res
  FILES ${CMAKE_SOURCE_DIR}/res/toolbar.bmp ${CMAKE_SOURCE_DIR}/res/tools.bmp)

# The help pages live beside the executable, where the Help command looks.
foreach(help_page help_en.html help_chs.html help_cht.html help.css)
  configure_file(${CMAKE_SOURCE_DIR}/res/help/${help_page} ${CMAKE_BINARY_DIR}/${help_page} COPYONLY)
  install(FILES ${CMAKE_SOURCE_DIR}/res/help/${help_page} DESTINATION ${CMAKE_INSTALL_DATADIR}/pellmark/help)
endforeach()
