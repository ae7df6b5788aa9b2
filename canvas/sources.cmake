# Sources of the canvas subsystem.
list(APPEND CORE_SOURCES
  canvas/DotRaster.h canvas/DotRaster.cpp
  canvas/TextOverlay.h canvas/TextOverlay.cpp
  canvas/UndoStep.h
  canvas/DotsStep.h canvas/DotsStep.cpp
  canvas/GridSteps.h canvas/GridSteps.cpp
  canvas/WholeStateStep.h canvas/WholeStateStep.cpp
  canvas/FrameUndoStep.h canvas/FrameUndoStep.cpp
  canvas/CanvasHistory.h canvas/CanvasHistory.cpp
  canvas/CanvasDocument.h canvas/CanvasDocument.cpp
  canvas/DocumentFiles.h canvas/DocumentFiles.cpp
  canvas/DotShape.h canvas/DotShape.cpp
  canvas/FloodFill.h canvas/FloodFill.cpp
  canvas/DotFragment.h canvas/DotFragment.cpp
  canvas/CanvasSize.h canvas/CanvasSize.cpp
  canvas/DotSelection.h canvas/DotSelection.cpp
)
list(APPEND UI_SOURCES
  canvas/ZoomView.h canvas/ZoomView.cpp
  canvas/CanvasTool.h
  canvas/DotPaintTool.h canvas/DotPaintTool.cpp
  canvas/PanTool.h canvas/PanTool.cpp
  canvas/ToolPreview.h canvas/ToolPreview.cpp
  canvas/ShapeTool.h canvas/ShapeTool.cpp
  canvas/FillTool.h canvas/FillTool.cpp
  canvas/PickerTool.h canvas/PickerTool.cpp
  canvas/SelectTool.h canvas/SelectTool.cpp
  canvas/ImageView.h canvas/ImageView.cpp
)
