#include "platform/TickCount.h"

#include <chrono>

namespace {
uint32_t g_offset = 0;
}

uint32_t GetTickCount()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms) + g_offset;
}

void SetTickCountOffset(uint32_t offset) { g_offset = offset; }
uint32_t TickCountOffset() { return g_offset; }
