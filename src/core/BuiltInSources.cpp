#include "core/BuiltInSources.h"

#include "platform/ErrorLog.h"

#include <QFile>
#include <stdexcept>

namespace {

constexpr const char* Files[] = {"commons", "openverse", "cleveland", "artic", "vam", "loc"};

} // namespace

const std::vector<TSourceDescription>& BuiltInSources()
{
    static const std::vector<TSourceDescription> sources = [] {
        std::vector<TSourceDescription> list;
        for (const char* name : Files) {
            const QString path = QString(":/sources/%1.json").arg(name);
            QFile file(path);
            const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            TDescriptionRead read = ReadSourceDescription(path.toStdString(), text.toStdString());
            // The tests read every built-in file: one refused here was never shipped.
            if (read.Description)
                list.push_back(std::move(*read.Description));
            else
                ErrorLog::Append(read.Fault.Text());
        }
        return list;
    }();
    return sources;
}

const TSourceDescription& BuiltInSource(std::string_view shortName)
{
    for (const TSourceDescription& d : BuiltInSources())
        if (d.ShortName == shortName)
            return d;
    throw std::out_of_range("no built-in source " + std::string(shortName));
}
