#pragma once
#include <cstdint>

// The pixels of one dissolve in random order without a table of them: a keyed
// bijection on the next power of two, walked in order and skipping the values
// past the count. Every index below the count comes exactly once, and the
// memory stays the same for any size of control.
class TPixelOrder {
public:
    // Draws its keys from the shared generator.
    explicit TPixelOrder(uint32_t count);
    uint32_t Count() const { return FCount; }
    // The next index; valid for Count() calls.
    uint32_t Next();

private:
    uint32_t Mix(uint32_t x) const;

    uint32_t FCount;
    uint32_t FMask = 0;
    uint32_t FShift = 1;
    uint32_t FPosition = 0;
    uint32_t FKeys[4] = {};
};
