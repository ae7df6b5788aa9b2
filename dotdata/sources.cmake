# Sources of the dotdata subsystem.
# Dot-data listing, its worker, Save Dot and printing.
list(APPEND CORE_SOURCES
  dotdata/DotListingSink.h
  dotdata/DotListing.h dotdata/DotListing.cpp
  dotdata/DotFile.h dotdata/DotFile.cpp
)
list(APPEND UI_SOURCES
  dotdata/DotTextWorker.h dotdata/DotTextWorker.cpp
  dotdata/SaveDot.h dotdata/SaveDot.cpp
  dotdata/DotTextPrinter.h dotdata/DotTextPrinter.cpp
)
