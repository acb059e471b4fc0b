#include "RawHttp.h"
#include "RunningWeb.h"

#include "sampleweb/Catalogue.h"
#include "sampleweb/SourcePages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace sampleweb;

namespace {

const std::string CommonsQuery = "/w/api.php?action=query&format=json&generator=search&gsrnamespace=6&gsrlimit=50"
                                 "&prop=imageinfo&iiprop=url%7Csize%7Cmime&iiurlwidth=128";
const char* const StandInAgent = "Tester/1.0 (https://tester.example.org/)";

QJsonObject JsonOf(const RawAnswer& answer)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(answer.body)).object();
}

// Every parameter the real API needs is checked; what it would refuse is
// answered in its own error shape.
TEST(SourceStandIns, CommonsAnswersAsTheActionApiDocuments)
{
    const struct {
        const char* what;
        std::string query;
        const char* errorCode; // "" for an answer with pages; "html" for the help page
    } cases[] = {
        {"a whole search", CommonsQuery + "&gsrsearch=car", ""},
        {"no action", "/w/api.php?format=json&gsrsearch=car", "html"},
        {"no format", "/w/api.php?action=query&gsrsearch=car", "html"},
        {"another action", "/w/api.php?action=parse&format=json", "badvalue"},
        {"no generator", "/w/api.php?action=query&format=json&gsrsearch=car", "missingparam"},
        {"no search", CommonsQuery, "missingparam"},
        {"another generator", "/w/api.php?action=query&format=json&generator=allpages&gsrnamespace=6&gsrsearch=car"
                              "&prop=imageinfo&iiprop=url%7Csize%7Cmime&iiurlwidth=128", "badvalue"},
        {"articles, not files", "/w/api.php?action=query&format=json&generator=search&gsrnamespace=0&gsrsearch=car"
                                "&prop=imageinfo&iiprop=url%7Csize%7Cmime&iiurlwidth=128", "sampleweb-nofiles"},
        {"no url in iiprop", "/w/api.php?action=query&format=json&generator=search&gsrnamespace=6&gsrsearch=car"
                             "&prop=imageinfo&iiprop=size%7Cmime&iiurlwidth=128", "sampleweb-iiprop"},
        {"no thumbnail width", "/w/api.php?action=query&format=json&generator=search&gsrnamespace=6&gsrsearch=car"
                               "&prop=imageinfo&iiprop=url%7Csize%7Cmime", "missingparam"},
        {"a width that is no number", "/w/api.php?action=query&format=json&generator=search&gsrnamespace=6"
                                      "&gsrsearch=car&prop=imageinfo&iiprop=url%7Csize%7Cmime&iiurlwidth=wide", "badinteger"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RawAnswer answer = RawGet(RunningWeb().Base(Host::Commons) + c.query);
        EXPECT_EQ(answer.status, 200);
        if (std::string(c.errorCode) == "html") {
            EXPECT_EQ(answer.Header("content-type"), "text/html");
            continue;
        }
        const QJsonObject json = JsonOf(answer);
        EXPECT_EQ(json["error"]["code"].toString().toStdString(), c.errorCode);
        EXPECT_EQ(answer.Header("mediawiki-api-error"), c.errorCode);
        if (*c.errorCode)
            EXPECT_FALSE(json["error"]["info"].toString().isEmpty());
        else
            EXPECT_TRUE(json["query"]["pages"].isObject());
    }
}

TEST(SourceStandIns, CommonsWritesAddressesPercentEncodedWithThumbnailsAndFiltersByMime)
{
    const RawAnswer answer = RawGet(RunningWeb().Base(Host::Commons) + CommonsQuery
                                    + "&gsrsearch=car%20filemime%3Aimage%2Fjpeg%20OR%20filemime%3Aimage%2Fpng");
    const QJsonObject pages = JsonOf(answer)["query"].toObject()["pages"].toObject();
    std::set<std::string> mimes;
    bool encoded = false;
    for (const QJsonValue& page : pages) {
        const QJsonObject info = page["imageinfo"].toArray().first().toObject();
        mimes.insert(info["mime"].toString().toStdString());
        const std::string url = info["url"].toString().toStdString();
        encoded = encoded || url.find("Z%C3%BCrich_%28Limmat%29%2C_tram.jpg") != std::string::npos;
        const std::string thumb = info["thumburl"].toString().toStdString();
        EXPECT_FALSE(thumb.empty()) << url;
        // The upload host serves the thumbnail, to a client that names itself.
        EXPECT_EQ(RawGet(thumb, StandInAgent).status, 200) << thumb;
        EXPECT_EQ(RawGet(thumb).status, 403) << thumb;
    }
    EXPECT_TRUE(encoded);
    EXPECT_EQ(mimes, (std::set<std::string>{"image/jpeg", "image/png"}));
    EXPECT_EQ(JsonOf(answer)["continue"].toObject()["gsroffset"].toInt(), 4);
}

TEST(SourceStandIns, TheUploadHostRefusesAgentsThatNameNoClient)
{
    const std::string file = RunningWeb().Base(Host::Commons) + "/files/a/ab/Z%C3%BCrich_%28Limmat%29%2C_tram.jpg";
    const std::pair<std::string, int> cases[] = {
        {DescribedAgent, 403},
        {"", 403},
        {"curl/7.88.1", 403},
        {"python-requests/2.31 (https://x.org)", 403},
        {"Glimmerscout/1.1 (+http://www.glimmerscout.com/)", 200},
        {"Glimmerscout/1.1 (+http://www.glimmerscout.com/; me@example.org)", 200},
    };
    for (const auto& [agent, status] : cases) {
        const RawAnswer answer = RawGet(file, agent);
        EXPECT_EQ(answer.status, status) << agent;
        if (status == 200) {
            EXPECT_EQ(answer.body, Catalogue(RunningWeb()).PictureBytes(file));
        }
    }
}

TEST(SourceStandIns, OpenverseAnswersAsItsApiDocuments)
{
    const std::string base = RunningWeb().Base(Host::Openverse);
    const struct {
        const char* what;
        std::string path;
        int status;
        const char* detail; // the "detail" as compact JSON; "" for results
        const char* retryAfter;
    } cases[] = {
        {"a search", "/v1/images/?q=car&page=1", 200, "", ""},
        {"more than an anonymous page", "/v1/images/?q=car&page_size=21", 401,
         R"("Authentication credentials were not provided.")", ""},
        {"a page that is no number", "/v1/images/?q=car&page=two", 400, R"({"page":["A valid integer is required."]})", ""},
        {"past the last page", "/v1/images/?q=car&page=3", 400, R"("Invalid page.")", ""},
        {"a licence type it does not know", "/v1/images/?q=car&license_type=free", 400,
         R"({"license_type":["License type 'free' does not exist."]})", ""},
        {"throttled, first page", "/throttled/v1/images/?q=car&page=1", 200, "", ""},
        {"throttled, second page", "/throttled/v1/images/?q=car&page=2", 429,
         R"("Request was throttled. Expected available in 3480 seconds.")", "3480"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RawAnswer answer = RawGet(base + c.path);
        EXPECT_EQ(answer.status, c.status);
        EXPECT_EQ(answer.Header("retry-after"), c.retryAfter);
        const QJsonObject json = JsonOf(answer);
        if (*c.detail) {
            const QJsonValue detail = json["detail"];
            const QByteArray text = detail.isString() ? "\"" + detail.toString().toUtf8() + "\""
                                                      : QJsonDocument(detail.toObject()).toJson(QJsonDocument::Compact);
            EXPECT_EQ(text.toStdString(), c.detail);
        } else {
            EXPECT_TRUE(json["results"].isArray());
        }
    }
}

// `extension` keeps those file types, `license_type` the licences its group
// holds (several: what all of them allow); each result has its thumbnail and
// names its licence, version and address.
TEST(SourceStandIns, OpenverseKeepsTheTypesAndLicencesAskedForAndGivesThumbnails)
{
    const std::string base = RunningWeb().Base(Host::Openverse);
    // The first page: by, by-nc, cc0, pdm (the SVG), by-sa (the PNG).
    const std::pair<const char*, std::set<std::string>> cases[] = {
        {"extension=jpg", {"street-car-38000.jpg", "no-size-52000.jpg", "stale-size-15000.jpg"}},
        {"extension=jpg%2Cpng",
         {"street-car-38000.jpg", "no-size-52000.jpg", "stale-size-15000.jpg", "K%C3%B8benhavn_sporvogn.png"}},
        {"extension=svg", {"drawing.svg"}},
        {"license_type=commercial",
         {"street-car-38000.jpg", "stale-size-15000.jpg", "drawing.svg", "K%C3%B8benhavn_sporvogn.png"}},
        {"license_type=modification",
         {"street-car-38000.jpg", "no-size-52000.jpg", "stale-size-15000.jpg", "drawing.svg", "K%C3%B8benhavn_sporvogn.png"}},
        {"license_type=all-cc",
         {"street-car-38000.jpg", "no-size-52000.jpg", "stale-size-15000.jpg", "K%C3%B8benhavn_sporvogn.png"}},
        {"license_type=Commercial%2Cmodification&extension=jpg", {"street-car-38000.jpg", "stale-size-15000.jpg"}},
    };
    for (const auto& [parameter, names] : cases) {
        const QJsonObject json = JsonOf(RawGet(base + "/v1/images/?q=car&page=1&" + parameter));
        std::set<std::string> got;
        for (const QJsonValue& result : json["results"].toArray()) {
            const std::string url = result["url"].toString().toStdString();
            got.insert(url.substr(url.rfind('/') + 1));
            const RawAnswer thumbnail = RawGet(result["thumbnail"].toString().toStdString());
            EXPECT_EQ(thumbnail.status, 200);
            EXPECT_EQ(thumbnail.Header("content-type"), "image/jpeg");
        }
        EXPECT_EQ(got, names) << parameter;
    }
    const QJsonArray all = JsonOf(RawGet(base + "/v1/images/?q=car&page=1"))["results"].toArray();
    ASSERT_GE(all.size(), 2);
    EXPECT_EQ(all[1]["license"].toString(), "by-nc");
    EXPECT_EQ(all[1]["license_version"].toString(), "4.0");
    EXPECT_EQ(all[1]["license_url"].toString(), "https://creativecommons.org/licenses/by-nc/4.0/");
}

} // namespace
