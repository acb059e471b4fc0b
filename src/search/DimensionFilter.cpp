#include "search/DimensionFilter.h"

#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

bool TDimensionFilter::Passes(TDimensions d) const
{
    if (!d.Known())
        return true;
    return (!MinWidth || d.Width >= *MinWidth) && (!MinHeight || d.Height >= *MinHeight);
}

TDimensionFilter ReadDimensionFilter(const TIniFile& settings)
{
    TDimensionFilter filter;
    if (Read(settings, Setting::MinWidthBool))
        filter.MinWidth = Read(settings, Setting::MinWidthSearch);
    if (Read(settings, Setting::MinHeightBool))
        filter.MinHeight = Read(settings, Setting::MinHeightSearch);
    return filter;
}
