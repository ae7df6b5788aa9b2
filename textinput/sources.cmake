# Sources of the text input subsystem.
list(APPEND UI_SOURCES
  textinput/InputTextView.h textinput/InputTextView.cpp
)
