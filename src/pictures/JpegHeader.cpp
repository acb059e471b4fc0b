#include "pictures/HeaderBytes.h"

using namespace HeaderBytes;

namespace {

// Start-of-frame markers of every coding process; C4 (Huffman tables),
// C8 (reserved) and CC (arithmetic conditioning) share the range.
bool IsFrameHeader(uint32_t marker) { return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC; }

// Markers that stand alone, without a length: TEM, RST0..7 and SOI.
bool StandsAlone(uint32_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

} // namespace

TPictureHeader ReadJpegHeader(std::string_view bytes)
{
    constexpr TPictureType jpeg = TPictureType::Jpeg;
    if (!Agrees(bytes, "\xFF\xD8"))
        return NotAPicture(jpeg);
    // Segments up to the frame header: FF, fill bytes FF, the marker, then
    // (unless it stands alone) a big-endian length that counts itself.
    size_t at = 2;
    while (true) {
        if (at >= HeaderReadBound)
            return NotAPicture(jpeg);
        if (at >= bytes.size())
            return NotYet(jpeg);
        if (At(bytes, at) != 0xFF)
            return NotAPicture(jpeg);
        size_t marker = at + 1;
        while (marker < bytes.size() && At(bytes, marker) == 0xFF)
            ++marker;
        if (marker >= bytes.size())
            return NotYet(jpeg);
        const uint32_t code = At(bytes, marker);
        if (StandsAlone(code)) {
            at = marker + 1;
            continue;
        }
        // The image data or the end before any frame header.
        if (code == 0xDA || code == 0xD9 || code == 0x00)
            return NotAPicture(jpeg);
        if (marker + 2 >= bytes.size())
            return NotYet(jpeg);
        const uint32_t length = BigEndian16(bytes, marker + 1);
        if (length < 2)
            return NotAPicture(jpeg);
        if (IsFrameHeader(code)) {
            // length, precision, height, width.
            if (length < 7)
                return NotAPicture(jpeg);
            if (marker + 7 >= bytes.size())
                return NotYet(jpeg);
            return Sized(jpeg, BigEndian16(bytes, marker + 6), BigEndian16(bytes, marker + 4));
        }
        at = marker + 1 + length;
    }
}
