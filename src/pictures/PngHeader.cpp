#include "pictures/HeaderBytes.h"

using namespace HeaderBytes;

// The signature, then the first chunk, which must be IHDR: length 13, the
// type, width and height as big-endian 32-bit numbers.
TPictureHeader ReadPngHeader(std::string_view bytes)
{
    constexpr TPictureType png = TPictureType::Png;
    if (!Agrees(bytes, std::string_view("\x89PNG\r\n\x1A\n????IHDR", 16)))
        return NotAPicture(png);
    if (bytes.size() < 24)
        return NotYet(png);
    return Sized(png, BigEndian32(bytes, 16), BigEndian32(bytes, 20));
}
