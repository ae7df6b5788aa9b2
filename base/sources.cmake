# The base layer: the vocabulary every subsystem shares (grid, palette,
# colours, fonts, canvas text, settings file). Includes nothing above it and
# needs no widgets.
add_library(pellmark_base STATIC)
target_include_directories(pellmark_base PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(pellmark_base PUBLIC Qt6::Core Qt6::Gui)
target_sources(pellmark_base PRIVATE
  base/Color.h
  base/QtColor.h
  base/DotPalette.h
  base/DotGrid.h base/DotGrid.cpp
  base/GridImage.h base/GridImage.cpp
  base/LogFont.h base/LogFont.cpp
  base/CanvasMode.h
  base/CommandIds.h
  base/CanvasText.h
  base/SignFrame.h
  base/InputState.h
  base/SignLayoutOptions.h
  base/FrameDialogs.h base/FrameDialogs.cpp
  base/PressWatcher.h
  base/ProductTitle.h
  base/TextCharacters.h base/TextCharacters.cpp
  base/ProfileFile.h base/ProfileFile.cpp
  base/SettingsLocation.h base/SettingsLocation.cpp
  base/RegularFile.h base/RegularFile.cpp
  base/SaveTarget.h base/SaveTarget.cpp
  base/ByteFileName.h base/ByteFileName.cpp
  base/QuotedText.h base/QuotedText.cpp
  base/Outcome.h
  base/MessageTexts.h base/MessageTexts.cpp
  base/Languages.h
  base/TriText.h
  base/FixedChineseTexts.h
  base/ExportOptions.h base/ExportOptions.cpp
)
