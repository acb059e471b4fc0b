#include "RawHttp.h"
#include "RunningWeb.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace sampleweb;

namespace {

QJsonValue JsonOf(const RawAnswer& answer) { return QJsonDocument::fromJson(QByteArray::fromStdString(answer.body)).object(); }

// The value at a path of member names and indexes ("data/0/image_id"); a
// last part "#" gives the size of the array or object there.
QJsonValue At(QJsonValue value, const std::string& path)
{
    for (const QString& part : QString::fromStdString(path).split('/')) {
        if (part == "#")
            return value.isArray() ? value.toArray().size() : value.toObject().size();
        value = value.isArray() ? value.toArray().at(part.toInt()) : value.toObject().value(part);
    }
    return value;
}

// Compact JSON, "absent" for a member that is not there.
std::string Text(const QJsonValue& value)
{
    if (value.isUndefined())
        return "absent";
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2).toStdString();
}

struct Check {
    const char* path;
    const char* json; // the value as compact JSON; one starting with "~" ends the value
};

// Each collection asked as its API's documentation asks, answered in its
// documented shape: a normal page, the next and the last, the page size it
// takes when none is asked, what its filters leave out, an empty answer, one
// of a changed format, and the limits it documents.
TEST(CollectionStandIns, EachAnswersAsItsApiDocuments)
{
    const struct {
        const char* what;
        const char* path;
        int status;
        std::vector<Check> checks;
    } cases[] = {
        // The Cleveland Museum of Art's open access API.
        {"cleveland, a page", "/api/artworks/?q=car&has_image=1&limit=50&skip=0", 200,
         {{"info/total", "60"}, {"data/#", "50"}, {"data/0/images/web/url", "~/cleveland/1920.1/1920.1_web.jpg\""},
          {"data/0/images/web/width", "\"900\""}, {"data/0/images/web/height", "\"600\""},
          {"data/0/share_license_status", "\"CC0\""}}},
        {"cleveland, the last page", "/api/artworks/?q=car&has_image=1&limit=50&skip=50", 200,
         {{"data/#", "10"}, {"data/0/accession_number", "\"1920.51\""}}},
        {"cleveland, works without pictures too", "/api/artworks/?q=car&limit=4", 200,
         {{"info/total", "80"}, {"data/2/images/web/width", "\"900\""}, {"data/3/images", "null"},
          {"data/3/share_license_status", "\"Copyrighted\""}}},
        {"cleveland, CC0 works alone", "/api/artworks/?q=car&cc0=1&limit=4", 200,
         {{"info/total", "60"}, {"data/3/share_license_status", "\"CC0\""}}},
        {"cleveland, none found", "/empty/api/artworks/?q=car&has_image=1", 200, {{"info/total", "0"}, {"data/#", "0"}}},
        {"cleveland, changed", "/changed/api/artworks/?q=car&has_image=1", 200, {{"info", "absent"}, {"data", "absent"}}},
        // The Art Institute of Chicago's search.
        {"artic, a page", "/api/v1/artworks/search?q=car&fields=id,title,image_id&limit=50&page=1", 200,
         {{"pagination/total", "60"}, {"pagination/total_pages", "2"}, {"pagination/current_page", "1"},
          {"data/#", "50"}, {"data/0/image_id", "\"5e3c2a1f-0000-4000-8000-100000000000\""}, {"data/0/id", "27000"},
          {"data/0/artist_title", "absent"}, {"config/iiif_url", "~/iiif/2\""}}},
        {"artic, the last page", "/api/v1/artworks/search?q=car&fields=id,title,image_id&limit=50&page=2", 200,
         {{"data/#", "10"}, {"pagination/current_page", "2"}, {"pagination/offset", "50"}}},
        {"artic, no fields asked", "/api/v1/artworks/search?q=car", 200,
         {{"pagination/limit", "12"}, {"data/#", "12"}, {"data/0/title", "\"Study of a Red Car, No. 1\""},
          {"data/0/image_id", "absent"}}},
        {"artic, the 10,000th result", "/api/v1/artworks/search?q=car&limit=100&page=100", 200, {{"data/#", "0"}}},
        {"artic, past the 10,000th result", "/api/v1/artworks/search?q=car&limit=100&page=101", 403,
         {{"status", "403"}, {"error", "\"Invalid number of results\""}}},
        {"artic, more than 100 a page", "/api/v1/artworks/search?q=car&limit=101", 403,
         {{"status", "403"},
          {"error", "\"Invalid limit\""},
          {"detail", "\"You have requested too many resources per page. Please set a smaller limit.\""}}},
        {"artic, none found", "/empty/api/v1/artworks/search?q=car&limit=50", 200,
         {{"pagination/total", "0"}, {"pagination/total_pages", "0"}, {"data/#", "0"}}},
        {"artic, changed", "/changed/api/v1/artworks/search?q=car&limit=50", 200, {{"pagination", "absent"}}},
        // The Victoria and Albert Museum's v2 search.
        {"vam, a page", "/v2/objects/search?q=car&images_exist=1&page_size=50&page=1", 200,
         {{"info/record_count", "60"}, {"info/pages", "2"}, {"info/page", "1"}, {"records/#", "50"},
          {"records/0/_primaryImageId", "\"2006AA1000\""},
          {"records/0/_images/_iiif_image_base_url", "~/collections/2006AA1000/\""}}},
        {"vam, the last page", "/v2/objects/search?q=car&images_exist=1&page_size=50&page=2", 200,
         {{"info/page", "2"}, {"records/#", "10"}}},
        {"vam, no page size asked", "/v2/objects/search?q=car&images_exist=1", 200,
         {{"info/page_size", "15"}, {"info/pages", "4"}, {"records/#", "15"}}},
        {"vam, records without pictures too", "/v2/objects/search?q=car&page_size=4", 200,
         {{"info/record_count", "80"}, {"records/3/_primaryImageId", "null"}, {"records/3/_images/#", "0"}}},
        {"vam, none found", "/empty/v2/objects/search?q=car&images_exist=1", 200,
         {{"info/record_count", "0"}, {"info/pages", "0"}, {"records/#", "0"}}},
        {"vam, changed", "/changed/v2/objects/search?q=car&images_exist=1", 200, {{"info", "absent"}}},
        // The Library of Congress's photos, prints and drawings.
        {"loc, a page", "/photos/?q=car&fo=json&c=50&sp=1", 200,
         {{"pagination/current", "1"}, {"pagination/total", "60"}, {"results/#", "50"},
          {"pagination/next", "~/photos/?q=car&fo=json&c=50&sp=2\""},
          {"results/0/image_url/0", "~/storage/service/pnp/ppmsca/30000_150px.jpg#h=150&w=100\""},
          {"results/0/image_url/1", "~/storage/service/pnp/ppmsca/30000r.jpg#h=600&w=900\""}}},
        {"loc, the last page", "/photos/?q=car&fo=json&c=50&sp=2", 200,
         {{"pagination/current", "2"}, {"pagination/next", "null"}, {"results/#", "10"}}},
        {"loc, no count asked", "/photos/?q=car&fo=json", 200, {{"pagination/perpage", "25"}, {"results/#", "25"}}},
        {"loc, none found", "/empty/photos/?q=car&fo=json", 200, {{"pagination/next", "null"}, {"results/#", "0"}}},
        {"loc, changed", "/changed/photos/?q=car&fo=json", 200, {{"pagination", "absent"}}},
        {"loc, the first page before the block", "/throttled/photos/?q=car&fo=json&sp=1", 200, {{"results/#", "25"}}},
        {"loc, blocked", "/throttled/photos/?q=car&fo=json&sp=2", 429, {}},
    };
    const std::string base = RunningWeb().Base(Host::Museums);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RawAnswer answer = RawGet(base + c.path);
        EXPECT_EQ(answer.status, c.status);
        if (c.status != 429) {
            EXPECT_EQ(answer.Header("content-type"), "application/json");
        }
        const QJsonValue json = JsonOf(answer);
        for (const Check& check : c.checks) {
            const std::string got = Text(At(json, check.path));
            if (check.json[0] == '~') {
                EXPECT_TRUE(got.ends_with(check.json + 1)) << check.path << ": " << got;
            } else {
                EXPECT_EQ(got, check.json) << check.path;
            }
        }
    }
    // Without fo=json the Library of Congress answers its web page.
    EXPECT_EQ(RawGet(base + "/photos/?q=car").Header("content-type"), "text/html");
}

// Every picture is served where its API's documentation says its address
// is made: given whole, or an IIIF region and size after a base address.
TEST(CollectionStandIns, ServeThePicturesTheirAnswersName)
{
    const struct {
        const char* what;
        const char* path;
        std::vector<const char*> address; // literal text and "{path}" into the answer, joined
        const char* size;                 // the path of the size the answer states; "" for none
    } cases[] = {
        {"cleveland", "/api/artworks/?q=car&has_image=1&limit=1", {"{data/0/images/web/url}"},
         "data/0/images/web/filesize"},
        {"artic", "/api/v1/artworks/search?q=car&fields=image_id&limit=1",
         {"{config/iiif_url}", "/", "{data/0/image_id}", "/full/843,/0/default.jpg"}, ""},
        {"vam, thumbnail", "/v2/objects/search?q=car&images_exist=1&page_size=1",
         {"{records/0/_images/_primary_thumbnail}"}, ""},
        {"vam, IIIF", "/v2/objects/search?q=car&images_exist=1&page_size=1",
         {"{records/0/_images/_iiif_image_base_url}", "full/!1600,1600/0/default.jpg"}, ""},
        {"loc", "/photos/?q=car&fo=json&c=1", {"{results/0/image_url/1}"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QJsonValue json = JsonOf(RawGet(RunningWeb().Base(Host::Museums) + c.path));
        std::string address;
        for (const std::string part : c.address)
            address += part.starts_with('{') ? At(json, part.substr(1, part.size() - 2)).toString().toStdString() : part;
        address = address.substr(0, address.find('#')); // a fragment is never sent
        const RawAnswer picture = RawGet(address);
        EXPECT_EQ(picture.status, 200) << address;
        EXPECT_EQ(picture.Header("content-type"), "image/jpeg") << address;
        if (*c.size) {
            EXPECT_EQ(std::to_string(picture.body.size()), At(json, c.size).toString().toStdString());
        }
    }
}

} // namespace
