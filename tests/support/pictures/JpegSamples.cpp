#include "support/pictures/JpegSamples.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

namespace {

using Pixel = std::function<void(int x, int y, JSAMPLE* out)>;

std::string Compress(int width, int height, int components, J_COLOR_SPACE space, int quality, bool progressive,
                     const Pixel& pixel)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < width; ++x)
            pixel(x, static_cast<int>(c.next_scanline), &row[static_cast<size_t>(x * components)]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    free(buffer);
    return bytes;
}

} // namespace

std::string EncodeJpeg(int width, int height, int quality, bool progressive)
{
    return Compress(width, height, 3, JCS_RGB, quality, progressive, [&](int x, int y, JSAMPLE* out) {
        const double fx = x / static_cast<double>(width), fy = y / static_cast<double>(height);
        const unsigned noise = (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u) >> 27;
        out[0] = static_cast<JSAMPLE>(std::clamp(120 + 100 * std::sin(fx * 9 + fy * 3) + noise, 0.0, 255.0));
        out[1] = static_cast<JSAMPLE>(std::clamp(120 + 90 * std::cos(fy * 11 - fx * 2) + noise, 0.0, 255.0));
        out[2] = static_cast<JSAMPLE>(static_cast<int>(255 * fx * fy) ^ ((x / 16 + y / 16) % 2 ? 24 : 0));
    });
}

std::string EncodeSolidJpeg(int width, int height, int r, int g, int b)
{
    return Compress(width, height, 3, JCS_RGB, 95, false, [&](int, int, JSAMPLE* out) {
        out[0] = static_cast<JSAMPLE>(r);
        out[1] = static_cast<JSAMPLE>(g);
        out[2] = static_cast<JSAMPLE>(b);
    });
}

std::string EncodeSolidCmykJpeg(int width, int height, int c, int m, int y, int k)
{
    return Compress(width, height, 4, JCS_CMYK, 95, false, [&](int, int, JSAMPLE* out) {
        out[0] = static_cast<JSAMPLE>(255 - c);
        out[1] = static_cast<JSAMPLE>(255 - m);
        out[2] = static_cast<JSAMPLE>(255 - y);
        out[3] = static_cast<JSAMPLE>(255 - k);
    });
}
