#include "platform/Random.h"

#include <chrono>
#include <random>

namespace {
std::mt19937_64& Generator()
{
    static std::mt19937_64 gen{0};
    return gen;
}
}

void Randomize()
{
    Generator().seed(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

void RandSeed(uint64_t seed) { Generator().seed(seed); }

int32_t Random(int32_t range)
{
    if (range <= 0)
        return 0;
    std::uniform_int_distribution<int32_t> dist(0, range - 1);
    return dist(Generator());
}
