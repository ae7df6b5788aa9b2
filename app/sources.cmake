# Sources of the application subsystem.
list(APPEND CORE_SOURCES
  app/BatchCommandLine.h app/BatchCommandLine.cpp
)
list(APPEND UI_SOURCES
  app/TessikApp.h app/TessikApp.cpp
  app/TessikDoc.h app/TessikDoc.cpp
  app/BatchRunner.h app/BatchRunner.cpp
)
