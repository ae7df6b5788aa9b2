# Sources of the text input subsystem.
list(APPEND CORE_SOURCES
  textinput/RowScaleCopy.h textinput/RowScaleCopy.cpp
  textinput/ExactGlyphs.h textinput/ExactGlyphs.cpp
  textinput/GlyphRaster.h textinput/GlyphRaster.cpp
  textinput/TextRenderer.h textinput/TextRenderer.cpp
  textinput/InputText.h textinput/InputText.cpp
  textinput/SignLayoutCache.h textinput/SignLayoutCache.cpp
  textinput/SignLayout.h textinput/SignLayout.cpp
)
list(APPEND UI_SOURCES
  textinput/InputTextView.h textinput/InputTextView.cpp
  textinput/FontComboBox.h textinput/FontComboBox.cpp
  textinput/SignLayoutBar.h textinput/SignLayoutBar.cpp
)
