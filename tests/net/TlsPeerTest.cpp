#include "sampleweb/certificates/Certificates.h"
#include "FetchAndWait.h"
#include "support/net/HttpPeers.h"
#include "support/net/SocksPeers.h"
#include "net/FileStream.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "net/WSocketTls.h"
#include "platform/ErrorLog.h"
#include "platform/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using certificates::Identity;

namespace {

// The sites nginx serves over TLS, by the certificate each one shows.
enum TSite : size_t { Good, Expired, OtherHost, SelfSigned, OtherCa, OldProtocol, SiteCount };
constexpr size_t Plain = SiteCount; // nginx's plain HTTP port

// nginx with one TLS site per kind of certificate, the CA of the good ones
// in a file, and the proxies in front of it; made at first use, for the run.
struct TTlsWeb {
    TempDir dir;
    std::string caFile = dir.File("ca.pem");
    std::unique_ptr<TNginx> nginx;
    std::string picture;

    TTlsWeb()
    {
        const Identity ca = certificates::MakeCa("Test CA");
        const Identity other = certificates::MakeCa("Other CA");
        certificates::WritePem(caFile, ca.CertificatePem);
        const std::vector<std::string> names{"127.0.0.1", "localhost"};
        const Identity leaves[SiteCount] = {
            certificates::MakeLeaf(names, &ca),
            certificates::MakeLeaf(names, &ca, {-7200, -3600}),
            certificates::MakeLeaf({"other.test"}, &ca),
            certificates::MakeLeaf(names, nullptr),
            certificates::MakeLeaf(names, &other),
            certificates::MakeLeaf(names, &ca),
        };
        std::vector<TNginxTlsSite> sites;
        for (size_t i = 0; i < SiteCount; ++i) {
            const std::string base = dir.File("site" + std::to_string(i));
            certificates::WritePem(base + ".crt", leaves[i].CertificatePem);
            certificates::WritePem(base + ".key", leaves[i].KeyPem);
            sites.push_back({base + ".crt", base + ".key", i == OldProtocol ? "TLSv1.1" : "TLSv1.2 TLSv1.3"});
        }
        nginx = std::make_unique<TNginx>(dir.Path(), sites);
        RandSeed(7);
        picture.resize(1024 * 1024 + 333);
        for (char& c : picture)
            c = static_cast<char>(Random(256));
        if (nginx->Running()) {
            WriteFile(nginx->Root() + "/picture.jpg", picture);
            WriteFile(nginx->Root() + "/small.html", "<html><body>small</body></html>\n");
        }
    }
    std::string Url(size_t site, const std::string& path, const std::string& host = "127.0.0.1") const
    {
        return site == Plain ? "https://127.0.0.1:" + std::to_string(nginx->Port()) + path
                             : nginx->TlsUrl(site, path, host);
    }
};

TTlsWeb& Web()
{
    static TTlsWeb web;
    return web;
}


std::string Text(const TMemoryStream& stream) { return {stream.Data(), static_cast<size_t>(stream.Size())}; }

class TlsPeers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Web().nginx->Running())
            GTEST_SKIP() << "nginx is not available";
        cli.TlsCaFile = Web().caFile;
    }
    THttpCli cli;
};

TEST_F(TlsPeers, PictureArrivesByteExactInAFileByAddressAndByName)
{
    for (const std::string host : {"127.0.0.1", "localhost"}) {
        const std::string target = Web().dir.File("copy-" + host + ".jpg");
        {
            TFileStream file(target, fmCreate);
            ASSERT_EQ(Fetch(cli, Web().Url(Good, "/picture.jpg", host), &file), 0) << cli.TlsFailure();
        }
        EXPECT_EQ(cli.StatusCode(), 200);
        EXPECT_EQ(cli.ContentType(), "image/jpeg");
        EXPECT_TRUE(ReadFile(target) == Web().picture) << host;
        EXPECT_EQ(cli.TlsFailure(), "");
    }
}

// The next connection to a host skips the full handshake: many small fetches cost less.
TEST_F(TlsPeers, ALaterConnectionToTheHostResumesTheSession)
{
    const std::string url = Web().Url(Good, "/small.html", "localhost");
    TMemoryStream first, second;
    ASSERT_EQ(Fetch(cli, url, &first), 0);
    THttpCli other;
    other.TlsCaFile = Web().caFile;
    ASSERT_EQ(Fetch(other, url, &second), 0);
    EXPECT_TRUE(other.CtrlSocket().TlsResumed());
    EXPECT_EQ(Text(second), "<html><body>small</body></html>\n");
}

TEST_F(TlsPeers, RelocationsStayOnTlsOrGoUpToItButNeverDown)
{
    TMemoryStream moved;
    ASSERT_EQ(Fetch(cli, Web().Url(Good, "/moved"), &moved), 0);
    EXPECT_EQ(Text(moved), "<html><body>small</body></html>\n");

    TMemoryStream upgraded;
    ASSERT_EQ(Fetch(cli, Web().nginx->Url("/upgrade"), &upgraded), 0);
    EXPECT_EQ(Text(upgraded), "<html><body>small</body></html>\n");

    TMemoryStream downgraded;
    EXPECT_EQ(Fetch(cli, Web().Url(Good, "/downgrade"), &downgraded), hcInsecureRelocation);
    EXPECT_EQ(cli.StatusCode(), 302);
    EXPECT_EQ(cli.ReasonPhrase(), "relocation from https to http refused");
    EXPECT_EQ(downgraded.Size(), 0);
}

struct TRefusal {
    const char* name;
    size_t site;
    bool caFile;
    std::string reason;
};

class TlsRefusals : public ::testing::TestWithParam<TRefusal> {};

TEST_P(TlsRefusals, EndTheRequestWithTheirOwnReasonAndNothingRead)
{
    if (!Web().nginx->Running())
        GTEST_SKIP() << "nginx is not available";
    const TRefusal& c = GetParam();
    ErrorLog::ClearForTest();
    THttpCli cli;
    cli.TlsCaFile = c.caFile ? Web().caFile : "";
    TMemoryStream body;
    const std::string url = Web().Url(c.site, "/picture.jpg");
    EXPECT_EQ(Fetch(cli, url, &body), WSOCKET_TLS_FAILED);
    EXPECT_EQ(cli.TlsFailure(), c.reason);
    EXPECT_EQ(cli.ReasonPhrase(), c.reason);
    EXPECT_EQ(cli.ReceivedBytes(), 0);
    EXPECT_EQ(body.Size(), 0);
    EXPECT_EQ(ErrorLog::Lines(), std::vector<std::string>{"TLS: " + url + " - " + c.reason});
}

INSTANTIATE_TEST_SUITE_P(
    Certificates, TlsRefusals,
    ::testing::Values(TRefusal{"Expired", Expired, true, "certificate has expired"},
                      TRefusal{"OtherHost", OtherHost, true, "host name mismatch"},
                      TRefusal{"SelfSigned", SelfSigned, true, "self-signed certificate"},
                      TRefusal{"UnknownCa", OtherCa, true, "unknown CA"},
                      TRefusal{"OwnCaNotNamed", Good, false, "unknown CA"},
                      TRefusal{"OldProtocol", OldProtocol, true, "protocol version"},
                      TRefusal{"PlainHttpServer", Plain, true, "not a TLS server"}),
    [](const ::testing::TestParamInfo<TRefusal>& info) { return std::string(info.param.name); });

TEST(TlsCaFile, OneThatCannotBeReadIsAFailureOfItsOwn)
{
    if (!Web().nginx->Running())
        GTEST_SKIP() << "nginx is not available";
    THttpCli cli;
    cli.TlsCaFile = Web().dir.File("missing.pem");
    TMemoryStream body;
    EXPECT_EQ(Fetch(cli, Web().Url(Good, "/small.html"), &body), WSOCKET_TLS_FAILED);
    EXPECT_EQ(cli.TlsFailure(), "cannot read the CA file " + cli.TlsCaFile);
}

enum class TVia { Tunnel, Microsocks, Dante4, Dante5 };

struct TViaCase {
    const char* name;
    TVia via;
};

class TlsThrough : public ::testing::TestWithParam<TViaCase> {};

// https through an HTTP proxy's CONNECT tunnel and through SOCKS servers.
TEST_P(TlsThrough, PictureArrivesByteExact)
{
    if (!Web().nginx->Running())
        GTEST_SKIP() << "nginx is not available";
    std::unique_ptr<TPeerProcess> peer;
    THttpCli cli;
    cli.TlsCaFile = Web().caFile;
    switch (GetParam().via) {
    case TVia::Tunnel:
        peer = std::make_unique<TTinyproxy>(Web().dir.Path());
        cli.Proxy = "127.0.0.1";
        cli.ProxyPort = std::to_string(peer->Port());
        break;
    case TVia::Microsocks:
        peer = std::make_unique<TMicrosocks>();
        break;
    case TVia::Dante4:
    case TVia::Dante5:
        peer = std::make_unique<TDante>(Web().dir.Path());
        cli.SocksLevel = GetParam().via == TVia::Dante4 ? "4" : "5";
        break;
    }
    if (!peer->Running())
        GTEST_SKIP() << "the proxy is not available";
    if (GetParam().via != TVia::Tunnel) {
        cli.SocksServer = "127.0.0.1";
        cli.SocksPort = std::to_string(peer->Port());
    }
    TMemoryStream body;
    ASSERT_EQ(Fetch(cli, Web().Url(Good, "/picture.jpg"), &body), 0) << cli.TlsFailure() << cli.ReasonPhrase();
    EXPECT_TRUE(Text(body) == Web().picture);
}

INSTANTIATE_TEST_SUITE_P(Proxies, TlsThrough,
                         ::testing::Values(TViaCase{"Tunnel", TVia::Tunnel}, TViaCase{"Microsocks", TVia::Microsocks},
                                           TViaCase{"Dante4", TVia::Dante4}, TViaCase{"Dante5", TVia::Dante5}),
                         [](const ::testing::TestParamInfo<TViaCase>& info) { return std::string(info.param.name); });

} // namespace
