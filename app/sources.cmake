# The application subsystem: start-up and batch mode.
add_library(pellmark_app STATIC)
target_link_libraries(pellmark_app PUBLIC pellmark_base pellmark_dotdata pellmark_textinput pellmark_animation
                      pellmark_canvas pellmark_frame Qt6::Widgets)
target_compile_definitions(pellmark_app PRIVATE PELLMARK_VERSION="${PROJECT_VERSION}")
target_sources(pellmark_app PRIVATE
  app/BatchCommandLine.h app/BatchCommandLine.cpp
)
target_sources(pellmark_app PRIVATE
  app/TessikApp.h app/TessikApp.cpp
  app/TessikDoc.h app/TessikDoc.cpp
  app/BatchRunner.h app/BatchRunner.cpp
)
