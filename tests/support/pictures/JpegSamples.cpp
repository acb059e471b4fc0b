#include "support/pictures/JpegSamples.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

namespace {

using Pixel = std::function<void(int x, int y, JSAMPLE* out)>;

// app1: the content of an APP1 segment written in place of the JFIF one.
std::string Compress(int width, int height, int components, J_COLOR_SPACE space, int quality, bool progressive,
                     const Pixel& pixel, const std::string& app1 = {})
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
    c.write_JFIF_header = app1.empty();
    jpeg_start_compress(&c, TRUE);
    if (!app1.empty())
        jpeg_write_marker(&c, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(app1.data()),
                          static_cast<unsigned>(app1.size()));
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

// A smooth picture with some texture, the same at any size.
Pixel Landscape(int width, int height)
{
    return [=](int x, int y, JSAMPLE* out) {
        const double fx = x / static_cast<double>(width), fy = y / static_cast<double>(height);
        const unsigned noise = (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u) >> 27;
        out[0] = static_cast<JSAMPLE>(std::clamp(120 + 100 * std::sin(fx * 9 + fy * 3) + noise, 0.0, 255.0));
        out[1] = static_cast<JSAMPLE>(std::clamp(120 + 90 * std::cos(fy * 11 - fx * 2) + noise, 0.0, 255.0));
        out[2] = static_cast<JSAMPLE>(static_cast<int>(255 * fx * fy) ^ ((x / 16 + y / 16) % 2 ? 24 : 0));
    };
}

} // namespace

// A TIFF structure whose first directory describes the picture (here its
// orientation only) and whose second holds the thumbnail's place and length;
// the thumbnail follows.
std::string MakeExifBlock(const std::string& thumbnail, bool bigEndian)
{
    std::string tiff;
    const auto u16 = [&](uint32_t v) {
        const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)};
        tiff += bigEndian ? std::string{b[1], b[0]} : std::string{b[0], b[1]};
    };
    const auto u32 = [&](uint32_t v) {
        u16(bigEndian ? v >> 16 : v & 0xFFFF);
        u16(bigEndian ? v & 0xFFFF : v >> 16);
    };
    const auto entry = [&](uint32_t tag, uint32_t type, uint32_t value) {
        u16(tag);
        u16(type);
        u32(1);
        if (type == 3) { // a short, at the start of the value's four bytes
            u16(value);
            u16(0);
        } else {
            u32(value);
        }
    };
    tiff += bigEndian ? "MM" : "II";
    u16(42);
    u32(8);
    u16(1);
    entry(0x0112, 3, 1); // orientation: as stored
    u32(26);
    u16(2);
    entry(0x0201, 4, 56);
    entry(0x0202, 4, static_cast<uint32_t>(thumbnail.size()));
    u32(0);
    return std::string("Exif\0\0", 6) + tiff + thumbnail;
}

std::string EncodeJpeg(int width, int height, int quality, bool progressive)
{
    return Compress(width, height, 3, JCS_RGB, quality, progressive, Landscape(width, height));
}

std::string EncodeCameraJpeg(int width, int height, int quality, bool progressive, const std::string& thumbnail,
                             bool bigEndian)
{
    return Compress(width, height, 3, JCS_RGB, quality, progressive, Landscape(width, height),
                    MakeExifBlock(thumbnail, bigEndian));
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
