#pragma once
#include <cstdint>

// The system's millisecond tick counter: 32 bits, wrapping at 2^32.
// Tests move it with an offset instead of waiting, and may freeze it so that
// an elapsed time is exact.
uint32_t GetTickCount();
void SetTickCountOffset(uint32_t offset);
uint32_t TickCountOffset();
void FreezeTickCount(bool frozen);
