# Sources of the dotdata subsystem.
# Picture reading, Open and Save Image.
list(APPEND CORE_SOURCES
  dotdata/DecodedPicture.h
  dotdata/BmpDecoder.h dotdata/BmpDecoder.cpp
  dotdata/JpegDecoder.h dotdata/JpegDecoder.cpp
  dotdata/PictureDecoder.h dotdata/PictureDecoder.cpp
  dotdata/PictureImport.h dotdata/PictureImport.cpp
  dotdata/ImageExport.h dotdata/ImageExport.cpp
)
