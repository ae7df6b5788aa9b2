#include "dotdata/JpegWriter.h"

#include "base/DotGrid.h"
#include "base/MessageTexts.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

constexpr int kQuality = 100;

// The library reports a fatal error through this, never by ending the program.
struct SErrorJump
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    auto* error = reinterpret_cast<SErrorJump*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

void KeepQuiet(j_common_ptr) {}

// Bottom-up blue-green-red rows of 3 x width bytes into a JPEG in memory
// (*buffer, allocated by the library, freed by the caller). Only plain data
// lives here, so the jump back from an error skips no destructor.
bool Compress(const unsigned char* bits, int width, int height, unsigned char** buffer, unsigned long* size,
              char* message)
{
    jpeg_compress_struct info;
    SErrorJump error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnError;
    error.manager.output_message = KeepQuiet;
    if (setjmp(error.jump)) {
        std::strncpy(message, error.message, JMSG_LENGTH_MAX - 1);
        message[JMSG_LENGTH_MAX - 1] = '\0';
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    info.optimize_coding = TRUE;
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = 3u * static_cast<std::size_t>(width);
    while (info.next_scanline < info.image_height) {
        // The file's top row is the grid's last storage row.
        const std::size_t storageRow = static_cast<std::size_t>(height) - 1 - info.next_scanline;
        JSAMPROW row = const_cast<JSAMPROW>(bits + stride * storageRow);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

bool CJpegWriter::Encode(const CDotGrid& grid, QByteArray& jpeg, QString& error)
{
    jpeg.clear();
    if (grid.IsEmpty()) {
        error = MessageText::English(MessageText::NoDots);
        return false;
    }
    if (grid.Width() > kMaxSide || grid.Height() > kMaxSide) {
        error = MessageText::English(MessageText::JpegTooLarge,
                                     {QString::number(grid.Width()), QString::number(grid.Height())});
        return false;
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool done = Compress(grid.Bits(), grid.Width(), grid.Height(), &buffer, &size, message);
    if (done && buffer)
        jpeg = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!done) {
        error = MessageText::English(MessageText::JpegFailed, {QString::fromLocal8Bit(message)});
        return false;
    }
    if (jpeg.isEmpty()) {
        error = MessageText::English(MessageText::NoMemoryForPicture);
        return false;
    }
    return true;
}
