#include "sampleweb/SourcePages.h"

#include "sampleweb/Content.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace sampleweb {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Json(const QJsonObject& object) { return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(); }

// "File:" + the file's name, as Commons titles its file pages.
QString FileTitle(const std::string& url) { return "File:" + Q(url.substr(url.rfind('/') + 1)); }

QJsonObject CommonsPage(const SourceListing& file, int index, const Addresses& addresses)
{
    const std::string url = addresses.Expand(file.url);
    const QJsonObject info{{"size", static_cast<qint64>(file.size)},
                           {"width", file.width},
                           {"height", file.height},
                           {"url", Q(url)},
                           {"descriptionurl", Q(addresses.Base(Host::Commons) + "/wiki/") + FileTitle(url)},
                           {"mime", Q(file.type)}};
    return {{"pageid", 1000 + index},     {"ns", 6},           {"title", FileTitle(url)},
            {"index", index},             {"imagerepository", "local"}, {"imageinfo", QJsonArray{info}}};
}

QJsonValue Nullable(size_t n) { return n ? QJsonValue(static_cast<qint64>(n)) : QJsonValue(QJsonValue::Null); }
QJsonValue Nullable(const std::string& text) { return text.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(Q(text)); }

} // namespace

std::string CommonsAnswer(SourceVariant variant, int offset, const Addresses& addresses)
{
    if (variant == SourceVariant::Empty)
        return Json({{"batchcomplete", ""}});
    const auto& pages = SourceAnswers().commonsPages;
    if (variant == SourceVariant::Changed)
        return Json({{"batchcomplete", ""},
                     {"query", QJsonObject{{"files", QJsonArray{Q(addresses.Expand(pages[0][0].url))}}}}});
    // Results are counted across pages: an offset starts one page.
    int start = 0;
    size_t page = 0;
    while (page < pages.size() && start < offset)
        start += static_cast<int>(pages[page++].size());
    QJsonObject byId;
    if (page < pages.size())
        for (size_t i = 0; i < pages[page].size(); ++i) {
            const QJsonObject entry = CommonsPage(pages[page][i], start + static_cast<int>(i) + 1, addresses);
            byId[QString::number(entry["pageid"].toInt())] = entry;
        }
    QJsonObject answer{{"batchcomplete", ""}, {"query", QJsonObject{{"pages", byId}}}};
    if (page + 1 < pages.size())
        answer["continue"] = QJsonObject{{"gsroffset", start + static_cast<int>(pages[page].size())},
                                         {"continue", "gsroffset||"}};
    return Json(answer);
}

std::string OpenverseAnswer(SourceVariant variant, int page, const Addresses& addresses)
{
    const auto& pages = SourceAnswers().openversePages;
    if (variant == SourceVariant::Changed)
        return Json({{"count", 2}, {"items", QJsonArray{Q(addresses.Expand(pages[0][0].url))}}});
    const int pageCount = variant == SourceVariant::Empty ? 0 : static_cast<int>(pages.size());
    int results = 0;
    QJsonArray list;
    for (int p = 0; p < pageCount; ++p)
        for (const SourceListing& picture : pages[static_cast<size_t>(p)]) {
            ++results;
            if (p + 1 != page)
                continue;
            const std::string url = addresses.Expand(picture.url);
            list.append(QJsonObject{{"id", QString("ov-%1").arg(results)},
                                    {"title", Q(url.substr(url.rfind('/') + 1))},
                                    {"foreign_landing_url", Q(addresses.Base(Host::Openverse) + "/landing")},
                                    {"url", Q(url)},
                                    {"filesize", Nullable(picture.size)},
                                    {"filetype", Nullable(picture.type)},
                                    {"width", picture.width},
                                    {"height", picture.height},
                                    {"license", "by"},
                                    {"provider", "sampleweb"}});
        }
    return Json({{"result_count", results},
                 {"page_count", pageCount},
                 {"page_size", 20},
                 {"page", page},
                 {"results", list}});
}

} // namespace sampleweb
