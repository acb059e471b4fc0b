#include "fuzz/FuzzTargets.h"

#include <algorithm>

namespace {
// Filled while the program starts, before any test runs.
std::vector<TFuzzTarget>& Registry()
{
    static std::vector<TFuzzTarget> targets;
    return targets;
}
}

bool RegisterFuzzTarget(TFuzzTarget target)
{
    Registry().push_back(std::move(target));
    return true;
}

std::vector<TFuzzTarget> FuzzTargets()
{
    std::vector<TFuzzTarget> targets = Registry();
    std::sort(targets.begin(), targets.end(),
              [](const TFuzzTarget& a, const TFuzzTarget& b) { return a.Name < b.Name; });
    return targets;
}
