#include "pictures/HeaderBytes.h"

using namespace HeaderBytes;

// "GIF87a" or "GIF89a", then the logical screen's width and height as
// little-endian 16-bit numbers.
TPictureHeader ReadGifHeader(std::string_view bytes)
{
    constexpr TPictureType gif = TPictureType::Gif;
    if (!Agrees(bytes, "GIF87a") && !Agrees(bytes, "GIF89a"))
        return NotAPicture(gif);
    if (bytes.size() < 10)
        return NotYet(gif);
    return Sized(gif, LittleEndian16(bytes, 6), LittleEndian16(bytes, 8));
}
