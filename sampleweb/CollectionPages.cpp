#include "sampleweb/CollectionPages.h"

#include "sampleweb/Jpeg.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <vector>

namespace sampleweb {

namespace {

constexpr int Works = 60;
constexpr int Bodies = 8;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Json(const QJsonObject& object) { return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(); }

SourceReply JsonReply(const QJsonObject& object, int status = 200) { return {status, "application/json", Json(object), {}}; }

// The records a search finds, each the work it shows or -1 for one without a
// picture: the works alone where the request keeps only those with
// pictures, else one record without after every three works.
std::vector<int> Records(SourceVariant variant, bool picturesOnly)
{
    std::vector<int> records;
    for (int w = 0; variant != SourceVariant::Empty && w < Works; ++w) {
        records.push_back(w);
        if (!picturesOnly && w % 3 == 2)
            records.push_back(-1);
    }
    return records;
}

// A handful of pictures the works share, each between the default size filter's bounds.
const std::array<std::string, Bodies>& Pictures()
{
    static const std::array<std::string, Bodies> pictures = [] {
        std::array<std::string, Bodies> made;
        for (int i = 0; i < Bodies; ++i)
            made[static_cast<size_t>(i)] = MakeJpeg(24000 + static_cast<size_t>(i) * 4000, 700 + static_cast<uint32_t>(i));
        return made;
    }();
    return pictures;
}

// The picture a path serves: the same one for the same path.
const std::string& PictureAt(const std::string& path) { return Pictures()[std::hash<std::string>()(path) % Bodies]; }

int Number(const Parameter& parameter, const char* name, int absent)
{
    try {
        const std::string text = parameter(name);
        return text.empty() ? absent : std::stoi(text);
    } catch (const std::exception&) {
        return absent;
    }
}

// The works [first, first + count) of those there are.
std::pair<int, int> Slice(int total, int first, int count)
{
    first = std::clamp(first, 0, total);
    return {first, std::clamp(first + count, first, total)};
}

std::string Title(int work) { return "Study of a Red Car, No. " + std::to_string(work + 1); }

// Its image sizes are strings of digits, as the API gives them. The works
// without a picture are the ones under copyright: has_image=1 and cc0=1 both
// leave them out.
SourceReply Cleveland(const Parameter& parameter, SourceVariant variant, const Addresses& a)
{
    const std::vector<int> records = Records(variant, parameter("has_image") == "1" || parameter("cc0") == "1");
    const int total = static_cast<int>(records.size());
    const auto [first, end] = Slice(total, Number(parameter, "skip", 0), Number(parameter, "limit", 1000));
    QJsonArray data;
    for (int r = first; r < end; ++r) {
        const int w = records[static_cast<size_t>(r)];
        const std::string accession = w < 0 ? "1930." + std::to_string(r + 1) : "1920." + std::to_string(w + 1);
        QJsonObject images;
        if (w >= 0) {
            const std::string file = accession + "_web.jpg";
            const std::string path = "/cleveland/" + accession + "/" + file;
            images = {{"web", QJsonObject{{"url", Q(a.Base(Host::Museums) + path)},
                                          {"width", "900"},
                                          {"height", "600"},
                                          {"filesize", QString::number(PictureAt(path).size())},
                                          {"filename", Q(file)}}}};
        }
        data.append(QJsonObject{
            {"id", 90000 + r},
            {"accession_number", Q(accession)},
            {"share_license_status", w < 0 ? "Copyrighted" : "CC0"},
            {"title", Q(Title(w < 0 ? r : w))},
            {"creators", QJsonArray{QJsonObject{{"id", 5000 + r % 3},
                                                {"description", "Sample Painter (American, 1880-1950)"},
                                                {"role", "artist"}}}},
            {"url", Q(a.Base(Host::Museums) + "/art/" + accession)},
            {"images", w < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(images)},
        });
    }
    if (variant == SourceVariant::Changed)
        return JsonReply({{"artworks", data}});
    const QJsonObject parameters{{"q", Q(parameter("q"))}, {"skip", Q(parameter("skip"))}, {"limit", Q(parameter("limit"))}};
    return JsonReply({{"info", QJsonObject{{"total", total}, {"parameters", parameters}}}, {"data", data}});
}

std::string ImageId(int work) { return "5e3c2a1f-0000-4000-8000-" + QString::number(100000000000 + work).toStdString(); }

// A search answers the fields asked for, else a few that hold no image.
QJsonObject ArticFields(const QJsonObject& work, const std::string& fields)
{
    QStringList names = Q(fields).split(',', Qt::SkipEmptyParts);
    if (names.isEmpty())
        names = {"id", "api_model", "api_link", "is_boosted", "title", "thumbnail", "timestamp"};
    QJsonObject answered{{"_score", work["_score"]}};
    for (const QString& name : names)
        if (work.contains(name))
            answered[name] = work[name];
    return answered;
}

SourceReply ArticError(const char* error, const char* detail)
{
    return JsonReply({{"status", 403}, {"error", error}, {"detail", detail}}, 403);
}

// At most 100 a page, and no further than the 10,000th result of a search.
SourceReply Artic(const Parameter& parameter, SourceVariant variant, const Addresses& a)
{
    const int total = variant == SourceVariant::Empty ? 0 : Works;
    const int limit = std::max(0, Number(parameter, "limit", 12));
    const int page = std::max(1, Number(parameter, "page", 1));
    if (limit > 100)
        return ArticError("Invalid limit", "You have requested too many resources per page. Please set a smaller limit.");
    if (static_cast<long>(limit) * page > 10000)
        return ArticError("Invalid number of results", "You have requested too many results. Please refine your parameters.");
    const auto [first, end] = Slice(total, (page - 1) * limit, limit);
    QJsonArray data;
    for (int w = first; w < end; ++w) {
        const QJsonObject work{{"_score", 200.0 - w},
                               {"id", 27000 + w},
                               {"api_model", "artworks"},
                               {"api_link", Q(a.Base(Host::Museums) + "/api/v1/artworks/" + std::to_string(27000 + w))},
                               {"is_boosted", false},
                               {"title", Q(Title(w))},
                               {"thumbnail", QJsonObject{{"alt_text", Q(Title(w))}, {"width", 900}, {"height", 600}}},
                               {"timestamp", "2026-11-30T23:10:51-06:00"},
                               {"image_id", Q(ImageId(w))},
                               {"artist_title", "Sample Painter"}};
        data.append(ArticFields(work, parameter("fields")));
    }
    if (variant == SourceVariant::Changed)
        return JsonReply({{"artworks", data}});
    const QJsonObject pagination{{"total", total},
                                 {"limit", limit},
                                 {"offset", (page - 1) * limit},
                                 {"total_pages", limit ? (total + limit - 1) / limit : 0},
                                 {"current_page", page}};
    const QJsonObject config{{"iiif_url", Q(a.Base(Host::Museums) + "/iiif/2")}, {"website_url", Q(a.Base(Host::Museums))}};
    return JsonReply({{"preference", QJsonValue::Null},
                      {"pagination", pagination},
                      {"data", data},
                      {"info", QJsonObject{{"license_text", "The data in this response is licensed under CC0."}}},
                      {"config", config}});
}

// A record without a picture has a null image id and no image addresses.
SourceReply Vam(const Parameter& parameter, SourceVariant variant, const Addresses& a)
{
    const std::vector<int> found = Records(variant, parameter("images_exist") == "1");
    const int total = static_cast<int>(found.size());
    const int size = std::clamp(Number(parameter, "page_size", 15), 1, 100);
    const int page = std::max(1, Number(parameter, "page", 1));
    const auto [first, end] = Slice(total, (page - 1) * size, size);
    QJsonArray records;
    for (int r = first; r < end; ++r) {
        const int w = found[static_cast<size_t>(r)];
        const std::string image = "2006AA" + std::to_string(1000 + w);
        const std::string base = a.Base(Host::Museums) + "/collections/" + image + "/";
        records.append(QJsonObject{
            {"systemNumber", Q("O" + std::to_string(10000 + r))},
            {"objectType", "Print"},
            {"_primaryTitle", Q(Title(w < 0 ? r : w))},
            {"_primaryMaker", QJsonObject{{"name", "Sample, Printmaker"}, {"association", "artist"}}},
            {"_primaryImageId", w < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(Q(image))},
            {"_primaryDate", "1890"},
            {"_images", w < 0 ? QJsonObject{}
                              : QJsonObject{{"_primary_thumbnail", Q(base + "full/!100,100/0/default.jpg")},
                                            {"_iiif_image_base_url", Q(base)}}}});
    }
    if (variant == SourceVariant::Changed)
        return JsonReply({{"objects", records}});
    const QJsonObject info{{"version", "2.0"},       {"record_count", total}, {"record_count_exact", true},
                           {"parameters", QJsonObject{}}, {"page_size", size},    {"pages", (total + size - 1) / size},
                           {"page", page},           {"image_count", Works}};
    return JsonReply({{"info", info}, {"records", records}, {"clusters", QJsonObject{}}});
}

// Without fo=json the search answers its web page; once the stand-in's
// throttled variant was asked a page, later ones meet the block.
SourceReply Loc(const Parameter& parameter, SourceVariant variant, const Addresses& a)
{
    if (parameter("fo") != "json")
        return {200, "text/html", "<!DOCTYPE html><html><head><title>Photos, Prints, Drawings | Library of Congress</title>"
                                  "</head><body><h1>Photos, Prints, Drawings</h1></body></html>", {}};
    const int total = variant == SourceVariant::Empty ? 0 : Works;
    const int count = std::clamp(Number(parameter, "c", 25), 1, 1000);
    const int page = std::max(1, Number(parameter, "sp", 1));
    if (variant == SourceVariant::Throttled && page > ThrottledAfterPages)
        return {429, "text/html", "<html><body><h1>429 Too Many Requests</h1></body></html>", {}};
    const auto [first, end] = Slice(total, (page - 1) * count, count);
    QJsonArray results;
    for (int w = first; w < end; ++w) {
        const std::string stem = a.Base(Host::Museums) + "/storage/service/pnp/ppmsca/" + std::to_string(30000 + w);
        results.append(QJsonObject{{"id", Q("http://www.loc.gov/pictures/item/" + std::to_string(2017000000 + w) + "/")},
                                   {"title", Q(Title(w))},
                                   {"image_url", QJsonArray{Q(stem + "_150px.jpg#h=150&w=100"), Q(stem + "r.jpg#h=600&w=900")}},
                                   {"url", Q(a.Base(Host::Museums) + "/item/" + std::to_string(2017000000 + w) + "/")},
                                   {"contributor", QJsonArray{"Sample, Photographer"}},
                                   {"mime_type", QJsonArray{"image/jpeg"}},
                                   {"original_format", QJsonArray{"photo, print, drawing"}}});
    }
    if (variant == SourceVariant::Changed)
        return JsonReply({{"items", results}});
    const bool more = end < total;
    const QJsonValue next = more ? QJsonValue(Q(a.Base(Host::Museums) + "/photos/?q=" + parameter("q") + "&fo=json&c="
                                                 + std::to_string(count) + "&sp=" + std::to_string(page + 1)))
                                 : QJsonValue(QJsonValue::Null);
    const QJsonObject pagination{{"current", page}, {"next", next},   {"total", total}, {"perpage", count},
                                 {"of", total},     {"from", first + 1}, {"to", end}};
    return JsonReply({{"pagination", pagination}, {"results", results}});
}

} // namespace

std::optional<SourceReply> CollectionAnswer(const std::string& path, const Parameter& parameter, SourceVariant variant,
                                           const Addresses& addresses)
{
    if (parameter("q").empty())
        return std::nullopt;
    if (path == "/api/artworks/")
        return Cleveland(parameter, variant, addresses);
    if (path == "/api/v1/artworks/search")
        return Artic(parameter, variant, addresses);
    if (path == "/v2/objects/search")
        return Vam(parameter, variant, addresses);
    if (path == "/photos/")
        return Loc(parameter, variant, addresses);
    return std::nullopt;
}

const std::string* CollectionPicture(const std::string& path)
{
    if (!path.ends_with(".jpg"))
        return nullptr;
    for (const char* folder : {"/cleveland/", "/iiif/2/", "/collections/", "/storage/"})
        if (path.starts_with(folder))
            return &PictureAt(path);
    return nullptr;
}

} // namespace sampleweb
