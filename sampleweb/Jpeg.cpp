#include "sampleweb/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace sampleweb {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// A sky gradient with a sun; colours and sun position come from the seed.
std::vector<unsigned char> Draw(int width, int height, uint32_t seed)
{
    const int topR = seed & 0xff, topG = (seed >> 8) & 0x7f, topB = 0x80 | ((seed >> 16) & 0x7f);
    const int sunX = width / 4 + static_cast<int>(seed % static_cast<uint32_t>(width / 2));
    const int sunY = height / 3, sunR = height / 6;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* px = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            const int t = y * 255 / height;
            px[0] = static_cast<unsigned char>((topR * (255 - t) + 250 * t) / 255);
            px[1] = static_cast<unsigned char>((topG * (255 - t) + 160 * t) / 255);
            px[2] = static_cast<unsigned char>((topB * (255 - t) + 60 * t) / 255);
            const int dx = x - sunX, dy = y - sunY;
            if (dx * dx + dy * dy <= sunR * sunR) {
                px[0] = 255;
                px[1] = 230;
                px[2] = 120;
            }
        }
    return rgb;
}

std::string Compress(int width, int height, uint32_t seed)
{
    const std::vector<unsigned char> rgb = Draw(width, height, seed);
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        free(out);
        throw std::runtime_error("JPEG compression failed");
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<size_t>(cinfo.next_scanline) * width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string file(reinterpret_cast<const char*>(out), outSize);
    free(out);
    return file;
}

constexpr size_t SegmentOverhead = 4;        // marker and length field
constexpr size_t MaxSegmentSize = 65535 + 2; // the length field counts itself, not the marker

// Comment segments of `total` bytes together; each is at least the overhead.
std::string CommentSegments(size_t total)
{
    std::string out;
    const size_t count = (total + MaxSegmentSize - 1) / MaxSegmentSize;
    for (size_t i = 0; i < count; ++i) {
        const size_t size = total / count + (i < total % count ? 1 : 0);
        const size_t length = size - 2;
        out += '\xff';
        out += '\xfe';
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(length & 0xff);
        out.append(size - SegmentOverhead, ' ');
    }
    return out;
}

} // namespace

std::string MakeJpeg(size_t bytes, uint32_t seed)
{
    const int width = bytes < 12000 ? 96 : 240;
    std::string file = Compress(width, width * 3 / 4, seed);
    if (bytes == file.size())
        return file;
    if (bytes < file.size() + SegmentOverhead)
        throw std::invalid_argument("JPEG size too small: " + std::to_string(bytes));
    // After SOI and the JFIF segment, where decoders expect to meet comments.
    const size_t jfifLength = (static_cast<unsigned char>(file[4]) << 8) | static_cast<unsigned char>(file[5]);
    file.insert(2 + 2 + jfifLength, CommentSegments(bytes - file.size()));
    return file;
}

} // namespace sampleweb
