#include "search/DimensionFilter.h"

#include "platform/IniFile.h"

bool TDimensionFilter::Passes(TDimensions d) const
{
    if (!d.Known())
        return true;
    return (!MinWidth || d.Width >= *MinWidth) && (!MinHeight || d.Height >= *MinHeight);
}

TDimensionFilter ReadDimensionFilter(const TIniFile& settings)
{
    TDimensionFilter filter;
    if (settings.ReadBool("Options", "MinWidthBool", false))
        filter.MinWidth = settings.ReadInteger("Options", "MinWidth", 0);
    if (settings.ReadBool("Options", "MinHeightBool", false))
        filter.MinHeight = settings.ReadInteger("Options", "MinHeight", 0);
    return filter;
}
