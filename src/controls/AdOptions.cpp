#include "controls/AdOptions.h"

namespace {
constexpr uint32_t kAll = 0xFFFFFFFFu;
constexpr TAdOption kBitOptions[] = {TAdOption::adoNoConnect, TAdOption::adoNoDialOnDemand,
                                     TAdOption::adoDelayedStartup};
}

uint32_t AdOptionWord(const TAdOptionSet& options)
{
    uint32_t word = 0;
    for (TAdOption o : kBitOptions)
        if (options.count(o))
            word |= 1u << static_cast<int>(o);
    return options.count(TAdOption::adoAll) ? kAll : word;
}

TAdOptionSet AdOptionsFromWord(uint32_t word)
{
    TAdOptionSet options;
    for (TAdOption o : kBitOptions)
        if (word & (1u << static_cast<int>(o)))
            options.insert(o);
    if (word == kAll)
        options.insert(TAdOption::adoAll);
    return options;
}
