# Sources of the base layer: the vocabulary every subsystem shares (grid,
# palette, colours, fonts, canvas text, settings file). Includes nothing above it.
list(APPEND CORE_SOURCES
  base/Color.h
  base/QtColor.h
  base/DotPalette.h
  base/DotGrid.h base/DotGrid.cpp
  base/LogFont.h base/LogFont.cpp
  base/CanvasText.h
  base/ProfileFile.h base/ProfileFile.cpp
  base/RegularFile.h base/RegularFile.cpp
  base/QuotedText.h base/QuotedText.cpp
)
