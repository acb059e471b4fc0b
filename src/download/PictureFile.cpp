#include "download/PictureFile.h"

#include "download/JpegDecoder.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

QImage LoadPicture(const std::string& path)
{
    // Paths are byte strings; std streams take them as they are.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EPictureError("Cannot open " + path);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    // Judged by content, not by name: fetched names often have no extension.
    if (bytes.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        return DecodeJpeg(data, bytes.size());
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(std::min<size_t>(bytes.size(), INT32_MAX))))
        throw EPictureError("Not a picture: " + path);
    return image;
}
