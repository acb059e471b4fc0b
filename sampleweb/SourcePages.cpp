#include "sampleweb/SourcePages.h"

#include "sampleweb/Content.h"
#include "sampleweb/Jpeg.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <sstream>

namespace sampleweb {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Json(const QJsonObject& object) { return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(); }

SourceReply JsonReply(const QJsonObject& object, int status = 200) { return {status, "application/json", Json(object), {}}; }

std::optional<std::string> Parameter(const Parameters& p, const std::string& name)
{
    const auto it = p.find(name);
    return it == p.end() ? std::nullopt : std::optional(it->second);
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

bool Holds(const std::string& list, const std::string& value)
{
    const auto parts = Split(list, '|');
    return std::find(parts.begin(), parts.end(), value) != parts.end();
}

std::optional<int> Integer(const std::string& text)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return std::stoi(text);
}

std::string FileName(const std::string& url) { return PercentDecoded(url.substr(url.rfind('/') + 1)); }

// --- Commons

// The legacy error format, which the API uses unless told otherwise; the
// status stays 200 and a header names the code.
SourceReply MediaWikiError(const std::string& code, const std::string& info)
{
    SourceReply reply = JsonReply(
        {{"error", QJsonObject{{"code", Q(code)},
                               {"info", Q(info)},
                               {"*", "See /w/api.php for API usage. Subscribe to the mediawiki-api-announce mailing "
                                     "list for notice of API deprecations and breaking changes."}}},
         {"servedby", "mw-api-sampleweb"}});
    reply.headers.emplace_back("MediaWiki-API-Error", code);
    return reply;
}

SourceReply HelpPage()
{
    return {200, "text/html", "<!DOCTYPE html><html><head><title>MediaWiki API help</title></head>"
                              "<body><h1>MediaWiki API help</h1></body></html>", {}};
}

// What a request the API would refuse is answered with; none for one it takes.
std::optional<SourceReply> CommonsRefusal(const Parameters& p)
{
    const auto action = Parameter(p, "action");
    const auto format = Parameter(p, "format");
    if (!action || !format || *format != "json")
        return HelpPage();
    const auto badValue = [](const std::string& name, const std::string& value) {
        return MediaWikiError("badvalue", "Unrecognized value for parameter \"" + name + "\": " + value + ".");
    };
    const auto missing = [](const std::string& name) {
        return MediaWikiError("missingparam", "The \"" + name + "\" parameter must be set.");
    };
    if (*action != "query")
        return badValue("action", *action);
    for (const char* name : {"generator", "gsrnamespace", "gsrsearch", "prop", "iiprop", "iiurlwidth"})
        if (!Parameter(p, name) || Parameter(p, name)->empty())
            return missing(name);
    if (*Parameter(p, "generator") != "search")
        return badValue("generator", *Parameter(p, "generator"));
    if (!Holds(*Parameter(p, "gsrnamespace"), "6"))
        return MediaWikiError("sampleweb-nofiles", "The search must include namespace 6 (File).");
    if (!Holds(*Parameter(p, "prop"), "imageinfo"))
        return badValue("prop", *Parameter(p, "prop"));
    for (const char* needed : {"url", "size", "mime"})
        if (!Holds(*Parameter(p, "iiprop"), needed))
            return MediaWikiError("sampleweb-iiprop", std::string("iiprop must hold ") + needed + ".");
    const std::string width = *Parameter(p, "iiurlwidth");
    if (!Integer(width) || *Integer(width) < 1)
        return MediaWikiError("badinteger", "Invalid value \"" + width + "\" for integer parameter \"iiurlwidth\".");
    return std::nullopt;
}

// CirrusSearch's filemime: keywords of a search; OR between them.
std::vector<std::string> MimeFilter(const std::string& search)
{
    std::vector<std::string> mimes;
    for (const std::string& word : Split(search, ' '))
        if (word.starts_with("filemime:"))
            mimes.push_back(word.substr(9));
    return mimes;
}

std::string CommonsThumbnail(const std::string& url, int width)
{
    const std::string name = url.substr(url.rfind('/') + 1);
    const size_t files = url.find("/files/") + 7;
    const bool jpeg = name.ends_with(".jpg") || name.ends_with(".jpeg") || name.ends_with(".JPG");
    return url.substr(0, files) + "thumb/" + url.substr(files) + "/" + std::to_string(width) + "px-" + name
           + (jpeg ? "" : ".jpg");
}

QJsonObject CommonsPage(const SourceListing& file, int index, int thumbWidth, const Addresses& addresses)
{
    const std::string url = addresses.Expand(file.url);
    QJsonObject info{{"size", static_cast<qint64>(file.size)},
                     {"width", file.width},
                     {"height", file.height},
                     {"url", Q(url)},
                     {"descriptionurl", Q(addresses.Base(Host::Commons) + "/wiki/File:" + url.substr(url.rfind('/') + 1))},
                     {"descriptionshorturl", Q(addresses.Base(Host::Commons) + "/w/index.php?curid=" + std::to_string(1000 + index))},
                     {"mime", Q(file.type)}};
    // A thumbnail wider than the file is the file itself.
    if (thumbWidth < file.width) {
        info["thumburl"] = Q(CommonsThumbnail(url, thumbWidth));
        info["thumbwidth"] = thumbWidth;
        info["thumbheight"] = file.height * thumbWidth / std::max(file.width, 1);
    } else {
        info["thumburl"] = Q(url);
        info["thumbwidth"] = file.width;
        info["thumbheight"] = file.height;
    }
    return {{"pageid", 1000 + index},
            {"ns", 6},
            {"title", "File:" + Q(FileName(url))},
            {"index", index},
            {"imagerepository", "local"},
            {"imageinfo", QJsonArray{info}}};
}

// --- Openverse

SourceReply Detail(int status, const QJsonValue& detail) { return JsonReply({{"detail", detail}}, status); }

bool OfExtensions(const SourceListing& picture, const std::vector<std::string>& extensions)
{
    std::string type = picture.type;
    if (type.empty()) // Openverse reads a missing type off the address
        type = picture.url.substr(picture.url.rfind('.') + 1);
    return extensions.empty() || std::find(extensions.begin(), extensions.end(), type) != extensions.end();
}

// The licences and marks the API knows, and the groups `license_type` names:
// those without "nc" allow commercial use, those without "nd" modification.
const std::vector<std::string> OpenverseLicences{"by",  "by-sa", "by-nd",     "by-nc",        "by-nc-sa",
                                                 "by-nc-nd", "cc0", "pdm", "sampling+", "nc-sampling+"};

std::optional<std::set<std::string>> LicenceGroup(const std::string& type)
{
    std::set<std::string> group;
    for (const std::string& licence : OpenverseLicences) {
        const bool nc = licence.find("nc") != std::string::npos;
        const bool nd = licence.find("nd") != std::string::npos;
        if (type == "all" || (type == "all-cc" && licence != "pdm") || (type == "commercial" && !nc)
            || (type == "modification" && !nd))
            group.insert(licence);
    }
    if (type != "all" && type != "all-cc" && type != "commercial" && type != "modification")
        return std::nullopt;
    return group;
}

std::string OpenverseLicenceUrl(const std::string& licence)
{
    if (licence == "cc0")
        return "https://creativecommons.org/publicdomain/zero/1.0/";
    if (licence == "pdm")
        return "https://creativecommons.org/publicdomain/mark/1.0/";
    return "https://creativecommons.org/licenses/" + licence + "/4.0/";
}

} // namespace

SourceReply CommonsApi(const Parameters& parameters, SourceVariant variant, const Addresses& addresses)
{
    if (const auto refusal = CommonsRefusal(parameters))
        return *refusal;
    if (variant == SourceVariant::Empty)
        return JsonReply({{"batchcomplete", ""}});
    const auto& pages = SourceAnswers().commonsPages;
    if (variant == SourceVariant::Changed)
        return JsonReply({{"batchcomplete", ""},
                          {"query", QJsonObject{{"files", QJsonArray{Q(addresses.Expand(pages[0][0].url))}}}}});
    const int offset = Integer(Parameter(parameters, "gsroffset").value_or("0")).value_or(0);
    const int thumbWidth = *Integer(*Parameter(parameters, "iiurlwidth"));
    const std::vector<std::string> mimes = MimeFilter(*Parameter(parameters, "gsrsearch"));
    // Results are counted across pages: an offset starts one page.
    int start = 0;
    size_t page = 0;
    while (page < pages.size() && start < offset)
        start += static_cast<int>(pages[page++].size());
    if (variant == SourceVariant::Throttled && static_cast<int>(page) >= ThrottledAfterPages)
        return {429, "text/html", "<html><body><h1>Too many requests</h1></body></html>",
                {{"Retry-After", std::to_string(ThrottledRetrySeconds)}}};
    QJsonObject byId;
    if (page < pages.size())
        for (size_t i = 0; i < pages[page].size(); ++i) {
            const SourceListing& file = pages[page][i];
            if (!mimes.empty() && std::find(mimes.begin(), mimes.end(), file.type) == mimes.end())
                continue;
            const QJsonObject entry = CommonsPage(file, start + static_cast<int>(i) + 1, thumbWidth, addresses);
            byId[QString::number(entry["pageid"].toInt())] = entry;
        }
    QJsonObject answer{{"batchcomplete", ""}};
    if (!byId.isEmpty())
        answer["query"] = QJsonObject{{"pages", byId}};
    if (page + 1 < pages.size())
        answer["continue"] = QJsonObject{{"gsroffset", start + static_cast<int>(pages[page].size())},
                                         {"continue", "gsroffset||"}};
    return JsonReply(answer);
}

SourceReply OpenverseApi(const Parameters& parameters, SourceVariant variant, const Addresses& addresses)
{
    const auto& pages = SourceAnswers().openversePages;
    for (const char* name : {"page", "page_size"}) {
        const auto value = Parameter(parameters, name);
        if (value && (!Integer(*value) || *Integer(*value) < 1))
            return Detail(400, QJsonObject{{name, QJsonArray{"A valid integer is required."}}});
    }
    const int pageSize = Integer(Parameter(parameters, "page_size").value_or("20")).value_or(20);
    if (pageSize > 20)
        return Detail(401, "Authentication credentials were not provided.");
    const int page = Integer(Parameter(parameters, "page").value_or("1")).value_or(1);
    if (variant == SourceVariant::Throttled && page > ThrottledAfterPages) {
        SourceReply reply = Detail(429, "Request was throttled. Expected available in "
                                             + QString::number(ThrottledRetrySeconds) + " seconds.");
        reply.headers.emplace_back("Retry-After", std::to_string(ThrottledRetrySeconds));
        return reply;
    }
    if (variant == SourceVariant::Changed)
        return JsonReply({{"count", 2}, {"items", QJsonArray{Q(addresses.Expand(pages[0][0].url))}}});
    std::vector<std::string> extensions;
    if (const auto list = Parameter(parameters, "extension"))
        extensions = Split(*list, ',');
    // Several types keep the licences all of them name.
    std::set<std::string> licences(OpenverseLicences.begin(), OpenverseLicences.end());
    if (const auto types = Parameter(parameters, "license_type")) {
        for (std::string type : Split(*types, ',')) {
            std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
            const auto group = LicenceGroup(type);
            if (!group)
                return Detail(400, QJsonObject{{"license_type", QJsonArray{Q("License type '" + type + "' does not exist.")}}});
            std::erase_if(licences, [&](const std::string& l) { return !group->contains(l); });
        }
    }
    const int pageCount = variant == SourceVariant::Empty ? 0 : static_cast<int>(pages.size());
    if (page > std::max(pageCount, 1))
        return Detail(400, "Invalid page.");
    int results = 0;
    int id = 0;
    QJsonArray list;
    for (int p = 0; p < pageCount; ++p)
        for (const SourceListing& picture : pages[static_cast<size_t>(p)]) {
            ++id;
            if (!OfExtensions(picture, extensions) || !licences.contains(picture.licence))
                continue;
            ++results;
            if (p + 1 != page)
                continue;
            const std::string url = addresses.Expand(picture.url);
            const QString key = QString("ov-%1").arg(id);
            list.append(QJsonObject{
                {"id", key},
                {"title", Q(FileName(url))},
                {"foreign_landing_url", Q(addresses.Base(Host::Openverse) + "/landing")},
                {"url", Q(url)},
                {"filesize", picture.size ? QJsonValue(static_cast<qint64>(picture.size)) : QJsonValue(QJsonValue::Null)},
                {"filetype", picture.type.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(Q(picture.type))},
                {"width", picture.width},
                {"height", picture.height},
                {"thumbnail", Q(addresses.Base(Host::Openverse) + "/v1/images/") + key + "/thumb/"},
                {"creator", "Sample Photographer"},
                {"license", Q(picture.licence)},
                {"license_version", picture.licence == "cc0" || picture.licence == "pdm" ? "1.0" : "4.0"},
                {"license_url", Q(OpenverseLicenceUrl(picture.licence))},
                {"provider", "sampleweb"}});
        }
    return JsonReply({{"result_count", results},
                      {"page_count", pageCount},
                      {"page_size", pageSize},
                      {"page", page},
                      {"results", list}});
}

bool AgentNamesClient(const std::string& agent)
{
    const bool contact = agent.find("http://") != std::string::npos || agent.find("https://") != std::string::npos
                         || agent.find('@') != std::string::npos;
    return contact && !agent.starts_with("Mozilla/") && !agent.starts_with("curl/")
           && !agent.starts_with("python-requests/");
}

std::string SourceThumbnail(Host host, const std::string& path)
{
    // A picture of about the grid's size, as a thumbnail of a photograph is.
    constexpr size_t ThumbnailBytes = 12000;
    uint32_t seed = 2166136261u;
    for (unsigned char c : path)
        seed = (seed ^ c) * 16777619u;
    if (host == Host::Commons && path.starts_with("/files/thumb/")) {
        const std::string original = "/files/" + path.substr(13, path.rfind('/') - 13);
        return FindResource(Host::Commons, original) ? MakeJpeg(ThumbnailBytes, seed) : std::string();
    }
    if (host == Host::Openverse && path.starts_with("/v1/images/ov-") && path.ends_with("/thumb/"))
        return MakeJpeg(ThumbnailBytes, seed);
    return {};
}

} // namespace sampleweb
