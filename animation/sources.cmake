# Sources of the animation subsystem: a sign's frames, the effects that make
# them, their export as an animated GIF or numbered pictures, and the preview
# that plays them as the sign will look.
add_library(pellmark_animation STATIC)
target_link_libraries(pellmark_animation PUBLIC pellmark_base pellmark_dotdata Qt6::Widgets PRIVATE GIF::GIF)
target_sources(pellmark_animation PRIVATE
  animation/FrameList.h animation/FrameList.cpp
  animation/FrameEffects.h animation/FrameEffects.cpp
  animation/FrameStep.h animation/FrameStep.cpp
  animation/GifWriter.h animation/GifWriter.cpp
  animation/FrameImages.h animation/FrameImages.cpp
)
target_sources(pellmark_animation PRIVATE
  animation/LedPreview.h animation/LedPreview.cpp
  animation/PreviewWindow.h animation/PreviewWindow.cpp
  animation/FrameStrip.h animation/FrameStrip.cpp
)
