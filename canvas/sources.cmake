# Sources of the canvas subsystem.
list(APPEND CORE_SOURCES
  canvas/Color.h
  canvas/DotPalette.h
  canvas/DotGrid.h canvas/DotGrid.cpp
  canvas/CanvasText.h
)
list(APPEND UI_SOURCES
  canvas/ImageView.h canvas/ImageView.cpp
)
