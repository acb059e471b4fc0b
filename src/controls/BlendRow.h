#pragma once
#include <cstddef>
#include <cstdint>

// Mixes two pixel buffers byte by byte: face = (source * (32 - w) + target * w) / 32,
// rounded down, for a weight w of 0 to 32. Padding bytes are mixed too.
void BlendRow(uint8_t* face, const uint8_t* source, const uint8_t* target, size_t bytes, int w);
