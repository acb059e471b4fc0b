#include "controls/BlendRow.h"

#include <cstring>

// Eight bytes a word: the even and the odd bytes are mixed in separate 16-bit
// lanes, where 255 * 32 never spills into the neighbour.
void BlendRow(uint8_t* face, const uint8_t* source, const uint8_t* target, size_t bytes, int w)
{
    constexpr uint64_t kEven = 0x00FF00FF00FF00FFull;
    const uint64_t ws = static_cast<uint64_t>(32 - w);
    const uint64_t wt = static_cast<uint64_t>(w);
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        uint64_t s, t;
        std::memcpy(&s, source + i, 8);
        std::memcpy(&t, target + i, 8);
        const uint64_t even = (((s & kEven) * ws + (t & kEven) * wt) >> 5) & kEven;
        const uint64_t odd = ((((s >> 8) & kEven) * ws + ((t >> 8) & kEven) * wt) << 3) & ~kEven;
        const uint64_t mixed = even | odd;
        std::memcpy(face + i, &mixed, 8);
    }
    for (; i < bytes; ++i)
        face[i] = static_cast<uint8_t>((source[i] * (32 - w) + target[i] * w) >> 5);
}
