#pragma once
#include <cstdint>

// The one process-wide pseudo-random generator.
void Randomize();                     // seed from the clock
void RandSeed(uint64_t seed);         // fixed seed, for tests
int32_t Random(int32_t range);        // 0 <= result < range
