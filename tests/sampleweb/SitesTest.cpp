#include "RawHttp.h"
#include "RunningWeb.h"

#include "download/JpegDecoder.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/Content.h"

#include <algorithm>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace sampleweb;

namespace {

// Paths are held decoded; the one blank goes escaped on the wire.
// Commons' upload host serves only agents that name their client.
const char* const ClientAgent = "Tester/1.0 (tester@example.org)";

std::string UrlOf(const Resource& r)
{
    std::string url = RunningWeb().Base(r.host);
    for (char c : r.path)
        url += c == ' ' ? std::string("%20") : std::string(1, c);
    return url;
}

TEST(SampleWebSites, PicturesAreJpegFilesOfTheirExactSize)
{
    std::vector<size_t> sizes;
    for (const Resource& r : SiteResources()) {
        if (r.answer != Answer::Picture && r.answer != Answer::PictureWithoutLength)
            continue;
        SCOPED_TRACE(r.path);
        const RawAnswer answer = RawGet(UrlOf(r), ClientAgent);
        EXPECT_EQ(answer.status, 200);
        EXPECT_EQ(answer.Header("content-type"), "image/jpeg");
        EXPECT_EQ(answer.body.size(), r.bytes);
        if (r.answer == Answer::Picture)
            EXPECT_EQ(answer.Header("content-length"), std::to_string(r.bytes));
        else
            EXPECT_FALSE(answer.Has("content-length") || answer.Has("transfer-encoding"));
        const QImage picture =
            DecodeJpeg(reinterpret_cast<const unsigned char*>(answer.body.data()), answer.body.size());
        EXPECT_GT(picture.width(), 0);
        EXPECT_GT(picture.height(), 0);
        sizes.push_back(r.bytes);
    }
    for (size_t bound : {15000u, 20000u, 1000000u, 1000001u})
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), bound), sizes.end()) << bound;
}

TEST(SampleWebSites, CatalogueBytesAreTheServedBytes)
{
    const Catalogue catalogue(RunningWeb());
    const std::string url = RunningWeb().Base(Host::SiteA) + "/stream/nolength.jpg";
    EXPECT_EQ(catalogue.PictureBytes(url), RawGet(url).body);
    EXPECT_EQ(catalogue.PictureBytes(RunningWeb().Base(Host::SiteA) + "/gallery/index.html"), "");
}

TEST(SampleWebSites, MisbehavingAnswers)
{
    const std::string a = RunningWeb().Base(Host::SiteA);

    const RawAnswer missing = RawGet(a + "/errors/missing.jpg");
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.Header("content-type"), "text/html");
    EXPECT_EQ(RawGet(a + "/gallery/pics/Sunset-20000.jpg").status, 404); // paths keep their letter case

    const RawAnswer page = RawGet(a + "/errors/page-as-picture.jpg");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.Header("content-type"), "text/html");

    const RawAnswer moved = RawGet(a + "/errors/moved.jpg");
    EXPECT_EQ(moved.status, 302);
    EXPECT_EQ(moved.Header("location"), "/gallery/index.html");
    EXPECT_FALSE(moved.Has("content-type"));

    const RawAnswer generated = RawGet(a + "/render?name=dawn.jpg");
    EXPECT_EQ(generated.status, 200);
    EXPECT_EQ(generated.Header("content-type"), "image/jpeg");
}

// A page reader joins the page and takes each "<a" up to the next "/a" as one
// anchor: a "/a" anywhere but in "</a" would cut anchors short.
TEST(SampleWebSites, PagesAreHtmlWithNoStrayAnchorEnds)
{
    for (const Resource& r : SiteResources()) {
        if (r.answer != Answer::Page)
            continue;
        const RawAnswer answer = RawGet(UrlOf(r));
        EXPECT_EQ(answer.status, 200) << r.path;
        EXPECT_EQ(answer.Header("content-type"), "text/html") << r.path;
        std::string lower = answer.body;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        for (size_t p = lower.find("/a"); p != std::string::npos; p = lower.find("/a", p + 1))
            EXPECT_EQ(lower[p - 1], '<') << r.path << " at " << p;
    }
}

} // namespace

namespace {

// As a link check does: read the header of a large picture, then hang up.
TEST(SampleWebSites, ClientsHangingUpEarlyDoNotDisturbTheServer)
{
    const std::string path = "/gallery/big/dunes-1000001.jpg";
    for (int i = 0; i < 5; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(RunningWeb().Port(Host::SiteA));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        const std::string request = "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
        ASSERT_EQ(send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
        char header[64];
        EXPECT_GT(recv(fd, header, sizeof header, 0), 0);
        close(fd);
    }
    EXPECT_EQ(RawGet(RunningWeb().Base(Host::SiteA) + path).body.size(), 1000001u);
}

} // namespace
