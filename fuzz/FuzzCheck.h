#pragma once
#include <cstdlib>

// A broken property ends the run as a crash does, so the fuzzer keeps the input.
inline void Check(bool ok)
{
    if (!ok)
        std::abort();
}
