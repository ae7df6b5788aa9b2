# The text input subsystem: text to dots (widget-free), and the input pane.
add_library(pellmark_textinput STATIC)
target_link_libraries(pellmark_textinput PUBLIC pellmark_base Qt6::Widgets
                      PRIVATE Freetype::Freetype Fontconfig::Fontconfig)
target_sources(pellmark_textinput PRIVATE
  textinput/RowScaleCopy.h textinput/RowScaleCopy.cpp
  textinput/ExactGlyphs.h textinput/ExactGlyphs.cpp
  textinput/GlyphRaster.h textinput/GlyphRaster.cpp
  textinput/TextRenderer.h textinput/TextRenderer.cpp
  textinput/InputText.h textinput/InputText.cpp
  textinput/SignLayoutCache.h textinput/SignLayoutCache.cpp
  textinput/SignLayout.h textinput/SignLayout.cpp
)
target_sources(pellmark_textinput PRIVATE
  textinput/InputTextView.h textinput/InputTextView.cpp
  textinput/FontComboBox.h textinput/FontComboBox.cpp
  textinput/SignLayoutBar.h textinput/SignLayoutBar.cpp
)
# The input pane's toolbar and the font list's mark.
qt_add_resources(pellmark_textinput textinput PREFIX /textinput BASE ${CMAKE_SOURCE_DIR}/res/textinput
  FILES ${CMAKE_SOURCE_DIR}/res/textinput/input_toolbar.bmp ${CMAKE_SOURCE_DIR}/res/textinput/font_type.bmp)
