#include "download/FileFetches.h"
#include "download/SmartSave.h"
#include "download/ThumbnailFetches.h"
#include "net/winsock/WinSockDns.h"
#include "support/TestSupport.h"
#include "support/net/HttpTestServer.h"

#include <gtest/gtest.h>

namespace {

const char* const ProgramAgent = "Glimmerscout/1.1 (+http://www.glimmerscout.com/; me@example.org)";

// What the owner tells: a source listed the files below "/source/", and
// gives a thumbnail of each.
std::string AgentFor(const std::string& url)
{
    return url.find("/source/") != std::string::npos ? ProgramAgent : "";
}

std::string ThumbnailOf(const std::string& url)
{
    return url.find("/source/") != std::string::npos ? url.substr(0, url.rfind('/')) + "/thumb/128px.jpg" : "";
}

// Every request for a file a source listed sends the agent the owner gives
// (and a thumbnail asks for the source's own); any other keeps the client's.
TEST(SourceAgent, EachKindOfFetchSendsTheAgentItIsGiven)
{
    WSocketSetDnsLookups("f");
    THttpTestServer server;
    TempDir dir;
    TFileFetches files;
    files.AgentFor = AgentFor;
    TThumbnailCache cache;
    TThumbnailFetches thumbnails(cache);
    thumbnails.AgentFor = AgentFor;
    thumbnails.AddressOf = ThumbnailOf;
    const struct {
        const char* what;
        const char* path;
        TFetchKind kind; // Viewer with thumbnail set: the grid's fetch
        bool thumbnail;
        const char* agent;
        const char* requested;
    } cases[] = {
        {"download of a source's file", "/source/a.jpg", TFetchKind::Download, false, ProgramAgent, "/source/a.jpg"},
        {"viewer", "/source/b.jpg", TFetchKind::Viewer, false, ProgramAgent, "/source/b.jpg"},
        {"slide show", "/source/c.jpg", TFetchKind::SlideShow, false, ProgramAgent, "/source/c.jpg"},
        {"thumbnail", "/source/d.jpg", TFetchKind::Viewer, true, ProgramAgent, "/source/thumb/128px.jpg"},
        {"download of a page's picture", "/site/e.jpg", TFetchKind::Download, false, "Mozilla/3.0 (compatible)",
         "/site/e.jpg"},
        {"thumbnail of a page's picture", "/site/f.jpg", TFetchKind::Viewer, true, "Mozilla/3.0 (compatible)",
         "/site/f.jpg"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.thumbnail)
            thumbnails.Want(server.Url(c.path));
        else
            files.Start(server.Url(c.path), c.kind, TDownloadFile::Create(dir.File(std::to_string(++n) + ".jpg")));
        ASSERT_TRUE(server.Accept());
        const std::string request = server.ReadRequest();
        EXPECT_TRUE(request.starts_with(std::string("GET ") + c.requested + " HTTP/1.0\r\n")) << request;
        EXPECT_NE(request.find(std::string("\r\nUser-Agent: ") + c.agent + "\r\n"), std::string::npos) << request;
        server.Send("HTTP/1.0 404 Not Found\r\n\r\n");
        server.Close();
        ASSERT_TRUE(WaitUntil([&] { return files.Running() == 0 && thumbnails.Running() == 0; }));
    }
}

} // namespace
