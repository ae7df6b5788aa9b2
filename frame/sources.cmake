# Sources of the frame subsystem.
list(APPEND CORE_SOURCES
  frame/HelpFile.h frame/HelpFile.cpp
  frame/LockIndicators.h frame/LockIndicators.cpp
  frame/OverflowMessage.h frame/OverflowMessage.cpp
  frame/ToolbarImages.h frame/ToolbarImages.cpp
  frame/RecoveryStore.h frame/RecoveryStore.cpp
  frame/KeepTexts.h
  frame/UserSettings.h frame/UserSettings.cpp
)
list(APPEND UI_SOURCES
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
  frame/DesktopOpener.h frame/DesktopOpener.cpp
  frame/HelpWindow.h frame/HelpWindow.cpp
)

# The help pages live beside the executable, where the Help command looks.
foreach(help_page help_en.html help_chs.html help_cht.html help.css)
  configure_file(${CMAKE_SOURCE_DIR}/res/help/${help_page} ${CMAKE_BINARY_DIR}/${help_page} COPYONLY)
  install(FILES ${CMAKE_SOURCE_DIR}/res/help/${help_page} DESTINATION ${CMAKE_INSTALL_DATADIR}/pellmark/help)
endforeach()
