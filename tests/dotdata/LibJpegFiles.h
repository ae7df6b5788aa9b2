#pragma once

// JPEG files written by libjpeg itself, for what Qt's writer cannot do
// (arithmetic coding, sampling factors, scan scripts) and as a reference
// for the program's own writer.

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace testpic {

// rowAt fills the samples of display row y (top first, components
// interleaved); setUp changes what it needs after the defaults.
inline QByteArray LibJpeg(int width, int height, int components, J_COLOR_SPACE space,
                          const std::function<void(int y, std::vector<JSAMPLE>& row)>& rowAt,
                          const std::function<void(jpeg_compress_struct&)>& setUp)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr error {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    setUp(info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * static_cast<std::size_t>(components));
    while (info.next_scanline < info.image_height) {
        rowAt(static_cast<int>(info.next_scanline), row);
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
}

} // namespace testpic
