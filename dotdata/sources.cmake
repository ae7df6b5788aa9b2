# The dotdata subsystem: listing, pictures, exports and project files, with
# no widgets (its tests link only this and base). The listing pane's worker
# and the pane's printout and PDF need widgets and the printer: they form
# pellmark_dotdata_widgets on top of it.
add_library(pellmark_dotdata STATIC)
target_link_libraries(pellmark_dotdata PUBLIC pellmark_base PRIVATE JPEG::JPEG ZLIB::ZLIB)

# Picture reading, Open and Save Image.
target_sources(pellmark_dotdata PRIVATE
  dotdata/DecodedPicture.h
  dotdata/BmpDecoder.h dotdata/BmpDecoder.cpp
  dotdata/SkippingDevice.h dotdata/SkippingDevice.cpp
  dotdata/JpegDecoder.h dotdata/JpegDecoder.cpp
  dotdata/PngDecoder.h dotdata/PngDecoder.cpp
  dotdata/PictureDecoder.h dotdata/PictureDecoder.cpp
  dotdata/ColorMatcher.h dotdata/ColorMatcher.cpp
  dotdata/PictureImport.h dotdata/PictureImport.cpp
  dotdata/JpegWriter.h dotdata/JpegWriter.cpp
  dotdata/ImageExport.h dotdata/ImageExport.cpp
  dotdata/ExportRegistry.h dotdata/ExportRegistry.cpp
)
# Controller exports: bytes in a chosen scan, bit order, module chain and
# colour planes, as C arrays, raw bytes and Intel HEX, and read back.
target_sources(pellmark_dotdata PRIVATE
  dotdata/PlaneColors.h dotdata/PlaneColors.cpp
  dotdata/ByteLayout.h dotdata/ByteLayout.cpp
  dotdata/DotBytes.h dotdata/DotBytes.cpp
  dotdata/CArrayText.h dotdata/CArrayText.cpp
  dotdata/IntelHex.h dotdata/IntelHex.cpp
  dotdata/ControllerExport.h dotdata/ControllerExport.cpp
)
# Dot-data listing, Save Dot and the PDF page writer.
target_sources(pellmark_dotdata PRIVATE
  dotdata/DotListingSink.h
  dotdata/DotListing.h dotdata/DotListing.cpp
  dotdata/DotFile.h dotdata/DotFile.cpp
  dotdata/TextPdfWriter.h dotdata/TextPdfWriter.cpp
  dotdata/ListingDocument.h dotdata/ListingDocument.cpp
  dotdata/DotListingReader.h dotdata/DotListingReader.cpp
  dotdata/SaveDot.h dotdata/SaveDot.cpp
)
# Project files: the canvas as a PNG with the rest of the document beside it.
target_sources(pellmark_dotdata PRIVATE
  dotdata/Project.h
  dotdata/PngChunks.h dotdata/PngChunks.cpp
  dotdata/DotPng.h dotdata/DotPng.cpp
  dotdata/ProjectText.h dotdata/ProjectText.cpp
  dotdata/ProjectFile.h dotdata/ProjectFile.cpp
  dotdata/ProjectFrames.h dotdata/ProjectFrames.cpp
)

add_library(pellmark_dotdata_widgets STATIC)
target_link_libraries(pellmark_dotdata_widgets PUBLIC pellmark_dotdata Qt6::Widgets Qt6::PrintSupport)
target_sources(pellmark_dotdata_widgets PRIVATE
  dotdata/ListingView.h dotdata/ListingView.cpp
  dotdata/DotTextWorker.h dotdata/DotTextWorker.cpp
  dotdata/DotTextPrinter.h dotdata/DotTextPrinter.cpp
  dotdata/DotTextPdf.h dotdata/DotTextPdf.cpp
)
