#include "pictures/HeaderBytes.h"

using namespace HeaderBytes;

// A RIFF file of form "WEBP" whose first chunk (at 12, its data at 20) is
// one of three kinds, each with the size in its own place.
TPictureHeader ReadWebpHeader(std::string_view bytes)
{
    constexpr TPictureType webp = TPictureType::Webp;
    if (!Agrees(bytes, "RIFF????WEBPVP8"))
        return NotAPicture(webp);
    if (bytes.size() < 16)
        return NotYet(webp);
    switch (bytes[15]) {
    case ' ': // lossy: a key frame's tag (3 bytes), the start code, then 14-bit sizes
        if (!AgreesAt(bytes, 20, "???\x9D\x01\x2A"))
            return NotAPicture(webp);
        if (bytes.size() < 30)
            return NotYet(webp);
        if ((At(bytes, 20) & 1) != 0) // not a key frame
            return NotAPicture(webp);
        return Sized(webp, LittleEndian16(bytes, 26) & 0x3FFF, LittleEndian16(bytes, 28) & 0x3FFF);
    case 'L': // lossless: the signature byte, then width-1 and height-1 in 14 bits each
        if (!AgreesAt(bytes, 20, "\x2F"))
            return NotAPicture(webp);
        if (bytes.size() < 25) {
            return NotYet(webp);
        } else {
            const uint32_t bits = LittleEndian32(bytes, 21);
            return Sized(webp, (bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
        }
    case 'X': // extended: flags and reserved (4 bytes), then the canvas's width-1 and height-1 in 24 bits
        if (bytes.size() < 30)
            return NotYet(webp);
        return Sized(webp, LittleEndian24(bytes, 24) + 1, LittleEndian24(bytes, 27) + 1);
    default: return NotAPicture(webp);
    }
}
