#include "search/ServiceQuery.h"

#include "core/TextHelpers.h"
#include "platform/AnsiText.h"

#include <QList>

std::string ServiceQuery(const std::string& phrase)
{
    std::string escaped;
    FixMultiQuery(AsUtf8(phrase), escaped);
    std::string query;
    query.reserve(escaped.size());
    for (const char32_t u : QString::fromStdString(escaped).toUcs4()) {
        if (const auto byte = AnsiByte(u))
            query += *byte;
        else
            query += "%26%23" + std::to_string(static_cast<uint32_t>(u)) + "%3B";
    }
    return query;
}
