# Sources of the animation subsystem: a sign's frames, the effects that make
# them, their export as an animated GIF or numbered pictures, and the preview
# that plays them as the sign will look.
list(APPEND CORE_SOURCES
  animation/FrameList.h animation/FrameList.cpp
  animation/FrameEffects.h animation/FrameEffects.cpp
  animation/FrameStep.h animation/FrameStep.cpp
  animation/GifWriter.h animation/GifWriter.cpp
  animation/FrameImages.h animation/FrameImages.cpp
)
list(APPEND UI_SOURCES
  animation/LedPreview.h animation/LedPreview.cpp
)
