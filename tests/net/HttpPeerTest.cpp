#include "HttpEventLog.h"
#include "FetchAndWait.h"
#include "support/net/HttpPeers.h"
#include "net/FileStream.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "platform/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

std::string RandomBytes(size_t n, uint64_t seed)
{
    RandSeed(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(Random(256));
    return s;
}

// The client against real servers on loopback: nginx, and tinyproxy in front of it.
class HttpPeers : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempDir;
        nginx = new TNginx(dir->Path());
        if (nginx->Running()) {
            WriteFile(nginx->Root() + "/small.html", "<html><body>small</body></html>\n");
            WriteFile(nginx->Root() + "/empty.jpg", "");
            WriteFile(nginx->Root() + "/big.bin", RandomBytes(3 * 1024 * 1024 + 17, 42));
        }
        proxy = new TTinyproxy(dir->Path());
    }
    static void TearDownTestSuite()
    {
        delete proxy;
        delete nginx;
        delete dir;
    }
    void SetUp() override
    {
        if (!nginx->Running())
            GTEST_SKIP() << "nginx is not available";
    }

    static TempDir* dir;
    static TNginx* nginx;
    static TTinyproxy* proxy;
};
TempDir* HttpPeers::dir = nullptr;
TNginx* HttpPeers::nginx = nullptr;
TTinyproxy* HttpPeers::proxy = nullptr;

TEST_F(HttpPeers, FilesArriveByteExactWithTheirHeaderValues)
{
    THttpCli cli;
    TMemoryStream small;
    ASSERT_EQ(Fetch(cli, nginx->Url("/small.html"), &small), 0);
    EXPECT_EQ(cli.StatusCode(), 200);
    EXPECT_EQ(cli.ContentType(), "text/html");
    EXPECT_EQ(cli.ContentLength(), 32);
    EXPECT_EQ(std::string(small.Data(), static_cast<size_t>(small.Size())), ReadFile(nginx->Root() + "/small.html"));

    TMemoryStream empty;
    ASSERT_EQ(Fetch(cli, nginx->Url("/empty.jpg"), &empty), 0);
    EXPECT_EQ(cli.ContentType(), "image/jpeg");
    EXPECT_EQ(cli.ContentLength(), 0);
    EXPECT_EQ(empty.Size(), 0);

    const std::string target = dir->File("big.copy");
    {
        TFileStream file(target, fmCreate);
        ASSERT_EQ(Fetch(cli, nginx->Url("/big.bin"), &file), 0);
    }
    EXPECT_EQ(cli.ContentType(), "application/octet-stream");
    EXPECT_EQ(cli.ReceivedBytes(), 3 * 1024 * 1024 + 17);
    EXPECT_TRUE(ReadFile(target) == ReadFile(nginx->Root() + "/big.bin"));
}

TEST_F(HttpPeers, NotFoundAndRedirect)
{
    THttpCli cli;
    TMemoryStream body;
    ASSERT_EQ(Fetch(cli, nginx->Url("/none.jpg"), &body), 0);
    EXPECT_EQ(cli.StatusCode(), 404);
    EXPECT_NE(cli.LastReceived().find("404"), std::string::npos);

    TMemoryStream moved;
    ASSERT_EQ(Fetch(cli, nginx->Url("/moved"), &moved), 0);
    EXPECT_EQ(cli.StatusCode(), 200);
    EXPECT_EQ(std::string(moved.Data(), static_cast<size_t>(moved.Size())), ReadFile(nginx->Root() + "/small.html"));
}

TEST_F(HttpPeers, ManyClientsAtOnce)
{
    constexpr int kClients = 12;
    std::vector<std::unique_ptr<THttpCli>> clients;
    std::vector<std::unique_ptr<TMemoryStream>> bodies;
    int done = 0;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<THttpCli>());
        bodies.push_back(std::make_unique<TMemoryStream>());
        clients.back()->URL = nginx->Url(i % 2 ? "/big.bin" : "/small.html");
        clients.back()->DocStream = bodies.back().get();
        clients.back()->OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t e) {
            EXPECT_EQ(e, 0);
            ++done;
        };
        clients.back()->GetAsync();
    }
    ASSERT_TRUE(WaitUntil([&] { return done == kClients; }, std::chrono::seconds(30)));
    const std::string big = ReadFile(nginx->Root() + "/big.bin");
    for (int i = 1; i < kClients; i += 2)
        EXPECT_TRUE(std::string(bodies[i]->Data(), static_cast<size_t>(bodies[i]->Size())) == big) << i;
}

TEST_F(HttpPeers, ThroughTheProxy)
{
    if (!proxy->Running())
        GTEST_SKIP() << "tinyproxy is not available";
    THttpCli cli;
    cli.Proxy = "127.0.0.1";
    cli.ProxyPort = std::to_string(proxy->Port());
    TMemoryStream body;
    ASSERT_EQ(Fetch(cli, nginx->Url("/big.bin"), &body), 0);
    EXPECT_EQ(cli.StatusCode(), 200);
    EXPECT_TRUE(std::string(body.Data(), static_cast<size_t>(body.Size())) == ReadFile(nginx->Root() + "/big.bin"));

    TMemoryStream moved;
    ASSERT_EQ(Fetch(cli, nginx->Url("/moved"), &moved), 0);
    EXPECT_EQ(cli.StatusCode(), 200);
    EXPECT_EQ(std::string(moved.Data(), static_cast<size_t>(moved.Size())), ReadFile(nginx->Root() + "/small.html"));
}

} // namespace
