#include "support/net/SocksPeers.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

enum class TPeer { Microsocks, MicrosocksAuth, Dante, Ssh };

struct TPeerCase {
    const char* name;
    TPeer peer;
    std::string level;
    std::string password; // for the server with user name and password
    bool byName;           // the URL names "localhost" instead of the address
};

// The client through real SOCKS servers, fetching a picture of the sample web.
class SocksPeers : public ::testing::TestWithParam<TPeerCase> {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempDir;
        web = new sampleweb::SampleWeb;
        web->Start();
    }
    static void TearDownTestSuite()
    {
        delete ssh;
        delete dante;
        delete microsocksAuth;
        delete microsocks;
        delete web;
        delete dir;
        ssh = nullptr;
        dante = nullptr;
        microsocksAuth = nullptr;
        microsocks = nullptr;
    }

    // Each server starts at its first use: a test run on its own starts only its own.
    static uint16_t PortOf(TPeer peer)
    {
        switch (peer) {
        case TPeer::Microsocks: return PortOf(Started(microsocks, [] { return new TMicrosocks; }));
        case TPeer::MicrosocksAuth:
            return PortOf(Started(microsocksAuth, [] { return new TMicrosocks("ann", "secret"); }));
        case TPeer::Dante: return PortOf(Started(dante, [] { return new TDante(dir->Path()); }));
        case TPeer::Ssh: return PortOf(Started(ssh, [] { return new TSshDynamic(dir->Path()); }));
        }
        return 0;
    }
    template <class T, class Start> static const T& Started(T*& peer, Start start)
    {
        if (!peer)
            peer = start();
        return *peer;
    }
    template <class T> static uint16_t PortOf(const T& peer) { return peer.Running() ? peer.Port() : 0; }

    static std::string PictureUrl()
    {
        for (const auto& row : sampleweb::Catalogue(web->GetAddresses()).Listing({}))
            if (row.size != "UNKNOWN")
                return row.url;
        return {};
    }

    static TempDir* dir;
    static sampleweb::SampleWeb* web;
    static TMicrosocks* microsocks;
    static TMicrosocks* microsocksAuth;
    static TDante* dante;
    static TSshDynamic* ssh;
};
TempDir* SocksPeers::dir = nullptr;
sampleweb::SampleWeb* SocksPeers::web = nullptr;
TMicrosocks* SocksPeers::microsocks = nullptr;
TMicrosocks* SocksPeers::microsocksAuth = nullptr;
TDante* SocksPeers::dante = nullptr;
TSshDynamic* SocksPeers::ssh = nullptr;

TEST_P(SocksPeers, PictureArrivesWholeOrTheRefusalIsTold)
{
    const TPeerCase& c = GetParam();
    const uint16_t port = PortOf(c.peer);
    if (port == 0)
        GTEST_SKIP() << "the SOCKS server is not available";
    const std::string url = PictureUrl();
    ASSERT_FALSE(url.empty());

    THttpCli cli;
    TMemoryStream body;
    cli.URL = c.byName ? "http://localhost" + url.substr(url.find(':', 5)) : url;
    cli.DocStream = &body;
    cli.SocksServer = "localhost";
    cli.SocksPort = std::to_string(port);
    cli.SocksLevel = c.level;
    if (!c.password.empty()) {
        cli.SocksUsercode = "ann";
        cli.SocksPassword = c.password;
        cli.SocksAuthentication = socksAuthenticateUsercode;
    }
    int error = -1;
    cli.OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t e) { error = e; };
    cli.GetAsync();
    ASSERT_TRUE(WaitUntil([&] { return error >= 0; }, std::chrono::seconds(20)));
    if (c.password == "wrong") {
        EXPECT_EQ(error, socksAuthFailed);
        EXPECT_EQ(cli.ReasonPhrase(), "socks authentication failed (Error #20015)");
        return;
    }
    EXPECT_EQ(error, 0);
    EXPECT_EQ(cli.StatusCode(), 200);
    EXPECT_TRUE(std::string(body.Data(), static_cast<size_t>(body.Size())) ==
                sampleweb::Catalogue(web->GetAddresses()).PictureBytes(url));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, SocksPeers,
    ::testing::Values(TPeerCase{"Microsocks", TPeer::Microsocks, "5", "", false},
                      TPeerCase{"MicrosocksPassword", TPeer::MicrosocksAuth, "5", "secret", false},
                      TPeerCase{"MicrosocksWrongPassword", TPeer::MicrosocksAuth, "5", "wrong", false},
                      TPeerCase{"DanteFour", TPeer::Dante, "4", "", true},
                      TPeerCase{"DanteFive", TPeer::Dante, "5", "", false},
                      TPeerCase{"SshFour", TPeer::Ssh, "4", "", true},
                      TPeerCase{"SshFourA", TPeer::Ssh, "4A", "", true},
                      TPeerCase{"SshFive", TPeer::Ssh, "5", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Both set: the HTTP proxy is reached through the SOCKS server.
TEST_F(SocksPeers, HttpProxyBehindTheSocksServer)
{
    TTinyproxy proxy(dir->Path());
    if (!proxy.Running() || PortOf(TPeer::Microsocks) == 0)
        GTEST_SKIP() << "tinyproxy or microsocks is not available";
    const std::string url = PictureUrl();
    THttpCli cli;
    TMemoryStream body;
    cli.URL = url;
    cli.DocStream = &body;
    cli.Proxy = "localhost";
    cli.ProxyPort = std::to_string(proxy.Port());
    cli.SocksServer = "127.0.0.1";
    cli.SocksPort = std::to_string(PortOf(TPeer::Microsocks));
    bool throughSocks = false;
    cli.CtrlSocket().OnSocksConnected = [&](TCustomWSocket*, uint16_t e) { throughSocks = e == 0; };
    int error = -1;
    cli.OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t e) { error = e; };
    cli.GetAsync();
    ASSERT_TRUE(WaitUntil([&] { return error >= 0; }, std::chrono::seconds(20)));
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(throughSocks);
    const auto& lines = cli.HeaderLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.find("tinyproxy") != std::string::npos; }));
    EXPECT_TRUE(std::string(body.Data(), static_cast<size_t>(body.Size())) ==
                sampleweb::Catalogue(web->GetAddresses()).PictureBytes(url));
}

// A proxy is handed the host unlooked-up: a line break in it must not
// become a line of the request.
TEST(HttpCliProxy, HostWithALineBreakEndsLikeAnUnknownName)
{
    for (const bool socks : {false, true}) {
        THttpCli cli;
        cli.URL = "http://pics.example\r\nX-Forged: 1/a.jpg";
        (socks ? cli.SocksServer : cli.Proxy) = "127.0.0.1";
        int error = -1;
        cli.OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t e) { error = e; };
        cli.GetAsync();
        ASSERT_TRUE(WaitUntil([&] { return error >= 0; }));
        EXPECT_EQ(error, 11001);
        EXPECT_EQ(cli.ReasonPhrase(), "can't resolve hostname to IP address");
    }
}

} // namespace
