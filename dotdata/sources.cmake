# Sources of the dotdata subsystem.
list(APPEND CORE_SOURCES
  dotdata/DotListingReader.h dotdata/DotListingReader.cpp
)
