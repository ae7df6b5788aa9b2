# The canvas subsystem: the document, its history and drawing (widget-free),
# and the canvas with its tools.
add_library(pellmark_canvas STATIC)
target_link_libraries(pellmark_canvas PUBLIC pellmark_base pellmark_dotdata pellmark_dotdata_widgets
                      pellmark_textinput pellmark_animation Qt6::Widgets)
target_sources(pellmark_canvas PRIVATE
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
target_sources(pellmark_canvas PRIVATE
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
