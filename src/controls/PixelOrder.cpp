#include "controls/PixelOrder.h"

#include "platform/Random.h"

TPixelOrder::TPixelOrder(uint32_t count) : FCount(count)
{
    int bits = 1;
    while (bits < 32 && (uint64_t{1} << bits) < count)
        ++bits;
    FMask = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    FShift = bits / 2 + 1;
    for (uint32_t& key : FKeys)
        key = static_cast<uint32_t>(Random(1 << 16)) << 16 | static_cast<uint32_t>(Random(1 << 16));
}

// Each step is a bijection on [0, FMask]: xor with a key, multiplication by an
// odd number, and xor with the value shifted right.
uint32_t TPixelOrder::Mix(uint32_t x) const
{
    x = ((x ^ FKeys[0]) * (FKeys[1] | 1u)) & FMask;
    x ^= x >> FShift;
    x = ((x + FKeys[2]) * (FKeys[3] | 1u)) & FMask;
    x ^= x >> FShift;
    x = (x * 0x9E3779B1u) & FMask;
    x ^= x >> FShift;
    return x;
}

uint32_t TPixelOrder::Next()
{
    for (;;) {
        const uint32_t index = Mix(FPosition++);
        if (index < FCount)
            return index;
    }
}
