# Sources of the dialogs subsystem.
list(APPEND UI_SOURCES
  dialogs/NewDialog.h dialogs/NewDialog.cpp
)
