#include "search/SizeFilter.h"

#include "platform/SettingsKeys.h"

#include <cstdint>

bool PassesSizeFilter(const TIniFile& settings, TPictureSize size)
{
    if (!size.Known())
        return true;
    bool result = true;
    if (Read(settings, Setting::LargerThanBool)
        && static_cast<int64_t>(Read(settings, Setting::LargerThan)) * 1000 > size.Bytes())
        result = false;
    // On while the file holds no switch, though the options page shows it off: as it always was.
    if (Read(settings, Setting::SmallerThanBoolSearch)
        && static_cast<int64_t>(Read(settings, Setting::SmallerThan)) * 1000 < size.Bytes())
        result = false;
    return result;
}
