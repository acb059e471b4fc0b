#include "cli/ResultLine.h"

#include "core/TextHelpers.h"
#include "platform/AnsiText.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

std::string ControlsEscaped(const std::string& url)
{
    std::string out;
    for (const char c : url) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string ResultLine(const std::string& url, TPictureSize size, bool json, TDimensions dimensions,
                       std::optional<int> group, const TPictureRecord* credit)
{
    if (!json) {
        const std::string bytes = size.Known() ? std::to_string(size.Bytes()) : std::string("UNKNOWN");
        return bytes + "\t" + ControlsEscaped(url) + "\n";
    }
    std::string name;
    ExtractFileNameFromURL(url, name);
    QJsonObject object{{"url", ToQt(url)}, {"name", ToQt(name)}};
    object.insert("size", size.Known() ? QJsonValue(static_cast<qint64>(size.Bytes())) : QJsonValue());
    object.insert("width", dimensions.Known() ? QJsonValue(dimensions.Width) : QJsonValue());
    object.insert("height", dimensions.Known() ? QJsonValue(dimensions.Height) : QJsonValue());
    if (group)
        object.insert("group", *group);
    if (credit) {
        const std::pair<const char*, const std::string*> fields[] = {{"title", &credit->Title},
                                                                     {"creator", &credit->Creator},
                                                                     {"licence", &credit->Licence},
                                                                     {"licenceUrl", &credit->LicenceUrl},
                                                                     {"page", &credit->PageUrl}};
        for (const auto& [name, value] : fields)
            if (!value->empty())
                object.insert(name, QString::fromStdString(*value));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}
