#include "core/SourceAnswer.h"

#include "core/TextHelpers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <optional>

namespace {

std::optional<QJsonObject> RootObject(std::string_view body)
{
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(body.data(), static_cast<qsizetype>(body.size())));
    if (!doc.isObject())
        return std::nullopt;
    return doc.object();
}

std::string Text(const QJsonValue& v) { return v.toString().toStdString(); }

// A number, or 0 for anything else (null, missing, a negative count).
int64_t Count(const QJsonValue& v) { return v.isDouble() ? std::max<int64_t>(0, v.toInteger()) : 0; }

int Pixels(const QJsonValue& v) { return static_cast<int>(std::min<int64_t>(Count(v), 1 << 30)); }

// A parameter value as the API gave it: text as it is, numbers in decimal.
std::string ParameterValue(const QJsonValue& v)
{
    return v.isString() ? Text(v) : v.toVariant().toString().toStdString();
}

void ReadCommonsPage(const QJsonValue& page, std::vector<std::pair<int64_t, TPictureRecord>>& ranked)
{
    const QJsonObject info = page["imageinfo"].toArray().first().toObject();
    if (!info["url"].isString())
        return;
    TPictureRecord r;
    r.Url = Text(info["url"]);
    r.Size = Count(info["size"]);
    r.Width = Pixels(info["width"]);
    r.Height = Pixels(info["height"]);
    r.MimeType = info["mime"].toString().toLower().toStdString();
    if (info["thumburl"].isString())
        r.ThumbnailUrl = Text(info["thumburl"]);
    ranked.emplace_back(page["index"].toInteger(0), std::move(r));
}

// Openverse names the type by its extension.
std::string MimeOfFiletype(const QJsonValue& filetype)
{
    const std::string type = filetype.toString().toLower().toStdString();
    if (type.empty())
        return {};
    return "image/" + (type == "jpg" ? std::string("jpeg") : type);
}

// Openverse's "detail": a sentence, or each refused parameter with its
// messages ({"page_size": ["Ensure ..."]}).
std::string DetailText(const QJsonValue& detail)
{
    if (detail.isString())
        return Text(detail);
    std::string text;
    const QJsonObject fields = detail.toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        std::string messages;
        const QJsonArray list = it->isArray() ? it->toArray() : QJsonArray{*it};
        for (const QJsonValue& message : list)
            if (message.isString())
                messages += (messages.empty() ? "" : " ") + Text(message);
        text += (text.empty() ? "" : "; ") + it.key().toStdString() + (messages.empty() ? "" : ": " + messages);
    }
    return text;
}

} // namespace

TSourceAnswer ReadCommonsAnswer(std::string_view body)
{
    TSourceAnswer answer;
    const std::optional<QJsonObject> root = RootObject(body);
    if (!root)
        return answer;
    if (root->value("error").isObject()) {
        answer.Error = "error: " + Text(root->value("error")["info"]);
        return answer;
    }
    const QJsonValue pages = root->value("query")["pages"];
    if (pages.isUndefined()) {
        // A search without hits answers with no query at all.
        answer.Read = !root->contains("query") && root->contains("batchcomplete");
        return answer;
    }
    if (!pages.isObject() && !pages.isArray())
        return answer;
    // Keyed by page id in one layout, a list in the other.
    std::vector<QJsonValue> list;
    if (pages.isArray()) {
        const QJsonArray array = pages.toArray();
        list.assign(array.begin(), array.end());
    } else {
        const QJsonObject byId = pages.toObject();
        list.assign(byId.begin(), byId.end());
    }
    std::vector<std::pair<int64_t, TPictureRecord>> ranked;
    for (const QJsonValue& page : list)
        ReadCommonsPage(page, ranked);
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [rank, record] : ranked)
        answer.Pictures.push_back(std::move(record));
    answer.Read = list.empty() || !answer.Pictures.empty();
    if (!answer.Read)
        return answer;
    const QJsonObject more = root->value("continue").toObject();
    for (auto it = more.begin(); it != more.end(); ++it)
        answer.NextSuffix += "&" + PercentEncoded(it.key().toStdString()) + "=" + PercentEncoded(ParameterValue(*it));
    return answer;
}

TSourceAnswer ReadOpenverseAnswer(std::string_view body)
{
    TSourceAnswer answer;
    const std::optional<QJsonObject> root = RootObject(body);
    if (!root)
        return answer;
    const QJsonValue results = root->value("results");
    if (!results.isArray() || !root->value("page_count").isDouble()) {
        if (const std::string detail = DetailText(root->value("detail")); !detail.empty())
            answer.Error = "error: " + detail;
        return answer;
    }
    const QJsonArray list = results.toArray();
    for (const QJsonValue& result : list) {
        if (!result["url"].isString())
            continue;
        TPictureRecord r;
        r.Url = Text(result["url"]);
        r.Size = Count(result["filesize"]);
        r.Width = Pixels(result["width"]);
        r.Height = Pixels(result["height"]);
        r.MimeType = MimeOfFiletype(result["filetype"]);
        if (result["thumbnail"].isString())
            r.ThumbnailUrl = Text(result["thumbnail"]);
        answer.Pictures.push_back(std::move(r));
    }
    answer.Read = list.isEmpty() || !answer.Pictures.empty();
    const int64_t page = Count(root->value("page"));
    if (answer.Read && page > 0 && page < Count(root->value("page_count")))
        answer.NextSuffix = "&page=" + std::to_string(page + 1);
    return answer;
}
