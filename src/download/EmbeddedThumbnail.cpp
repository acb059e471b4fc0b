#include "download/EmbeddedThumbnail.h"

#include "pictures/ExifThumbnail.h"
#include "pictures/PictureHeader.h"

#include <algorithm>
#include <cstdint>

namespace {

// The same shape within one of the small picture's pixels either way.
bool SameShape(int64_t width, int64_t height, int64_t smallWidth, int64_t smallHeight)
{
    const int64_t apart = smallWidth * height - smallHeight * width;
    return std::max(apart, -apart) <= std::max(width, height);
}

} // namespace

std::string_view UsableEmbeddedThumbnail(const jpeg_decompress_struct& header, std::string_view file, int side)
{
    if (file.size() < 2 || file.substr(file.size() - 2) != "\xFF\xD9")
        return {};
    for (jpeg_saved_marker_ptr m = header.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1)
            continue;
        const std::string_view jpeg = FindExifThumbnail({reinterpret_cast<const char*>(m->data), m->data_length});
        const TPictureHeader small = ReadJpegHeader(jpeg);
        if (small.State == THeaderState::Found && std::max(small.Width, small.Height) >= side &&
            SameShape(header.image_width, header.image_height, small.Width, small.Height))
            return jpeg;
    }
    return {};
}
