#include "platform/TickCount.h"

#include <chrono>
#include <optional>

namespace {
uint32_t g_offset = 0;
std::optional<uint32_t> g_frozenAt;

uint32_t Monotonic()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
}

uint32_t GetTickCount() { return (g_frozenAt ? *g_frozenAt : Monotonic()) + g_offset; }

void SetTickCountOffset(uint32_t offset) { g_offset = offset; }
uint32_t TickCountOffset() { return g_offset; }

void FreezeTickCount(bool frozen)
{
    if (frozen)
        g_frozenAt = Monotonic();
    else
        g_frozenAt.reset();
}
