# Sources of the frame subsystem.
list(APPEND UI_SOURCES
  frame/MainFrame.h frame/MainFrame.cpp
  frame/PaneLink.h frame/PaneLink.cpp
)
