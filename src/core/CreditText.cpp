#include "core/CreditText.h"

namespace {

void Append(std::string& text, const std::string& separator, const std::string& part)
{
    if (part.empty())
        return;
    if (!text.empty())
        text += separator;
    text += part;
}

} // namespace

std::string AttributionLine(const TPictureRecord& r)
{
    std::string line = r.Title.empty() ? std::string() : "\"" + r.Title + "\"";
    Append(line, line.empty() ? "" : " ", r.Creator.empty() ? std::string() : "by " + r.Creator);
    std::string licence = r.Licence;
    Append(licence, " ", r.LicenceUrl.empty() ? std::string() : (r.Licence.empty() ? r.LicenceUrl : "(" + r.LicenceUrl + ")"));
    Append(line, ", ", licence);
    Append(line, ", ", r.PageUrl);
    return line;
}

std::string CreditColumn(const TPictureRecord& r)
{
    std::string text = r.Licence;
    Append(text, ", ", r.Creator);
    return text;
}
