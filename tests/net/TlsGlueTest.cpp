#include "TlsTestServer.h"
#include "support/net/HttpPeers.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "net/TlsSession.h"
#include "net/WSocketTls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A body of `size` bytes that shows where a piece went missing or moved.
std::string Body(size_t size)
{
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return body;
}

std::string Response(const std::string& body, bool withLength, size_t announced = 0)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n" +
           (withLength ? "Content-Length: " + std::to_string(announced ? announced : body.size()) + "\r\n" : "") +
           "\r\n" + body;
}

class TlsGlue : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempDir;
        ca = new certificates::Identity(certificates::MakeCa("Test CA"));
        certificates::WritePem(dir->File("ca.pem"), ca->CertificatePem);
        server = new TTlsTestServer(certificates::MakeLeaf({"127.0.0.1"}, ca));
    }
    static void TearDownTestSuite()
    {
        delete server;
        delete ca;
        delete dir;
    }

    // Fetches the server's reply; returns the done error.
    int Fetch(const TTlsTestServer::TReply& reply)
    {
        server->SetReply(reply);
        int error = -1;
        cli.TlsCaFile = dir->File("ca.pem");
        cli.URL = server->Url("/picture.jpg");
        cli.DocStream = &body;
        cli.OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t e) { error = e; };
        cli.GetAsync();
        WaitUntil([&] { return error >= 0; }, std::chrono::seconds(20));
        return error;
    }
    std::string Received() const { return {body.Data(), static_cast<size_t>(body.Size())}; }

    static TempDir* dir;
    static certificates::Identity* ca;
    static TTlsTestServer* server;
    THttpCli cli;
    TMemoryStream body;
};
TempDir* TlsGlue::dir = nullptr;
certificates::Identity* TlsGlue::ca = nullptr;
TTlsTestServer* TlsGlue::server = nullptr;

struct TEnding {
    const char* name;
    size_t size; // long bodies are read over several turns of the event loop
    bool withLength;
    size_t announced; // 0: the body's own length
    TTlsTestServer::TEnd end;
    int error;
    std::string failure;
};

class TlsEndings : public TlsGlue, public ::testing::WithParamInterface<TEnding> {};

// Only close_notify or a length that came whole prove a body whole.
TEST_P(TlsEndings, TellAWholeBodyFromACutOne)
{
    const TEnding& c = GetParam();
    const std::string sent = Body(c.size);
    EXPECT_EQ(Fetch({Response(sent, c.withLength, c.announced), c.end}), c.error);
    EXPECT_EQ(cli.TlsFailure(), c.failure);
    EXPECT_TRUE(Received() == sent) << Received().size();
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, TlsEndings,
    ::testing::Values(
        TEnding{"CloseNotifyWithoutLength", 40000, false, 0, TTlsTestServer::CloseNotify, 0, ""},
        TEnding{"LengthWithoutCloseNotify", 40000, true, 0, TTlsTestServer::Cut, 0, ""},
        TEnding{"CutWithoutLength", 40000, false, 0, TTlsTestServer::Cut, hcCutBody, "body cut short: no TLS close_notify"},
        TEnding{"CutBeforeTheLength", 40000, true, 50000, TTlsTestServer::Cut, hcCutBody, "body cut short: no TLS close_notify"},
        TEnding{"AlertInTheBody", 40000, false, 0, TTlsTestServer::Alert, WSOCKET_TLS_FAILED, "TLS alert: bad record mac"},
        TEnding{"LongWithCloseNotify", 3000000, false, 0, TTlsTestServer::CloseNotify, 0, ""},
        TEnding{"LongWithLength", 3000000, true, 0, TTlsTestServer::Cut, 0, ""},
        TEnding{"LongCut", 3000000, false, 0, TTlsTestServer::Cut, hcCutBody, "body cut short: no TLS close_notify"},
        TEnding{"BytesAfterCloseNotify", 40000, false, 0, TTlsTestServer::CloseNotifyThenBytes, 0, ""},
        TEnding{"AlertAfterALongBody", 3000000, false, 0, TTlsTestServer::Alert, WSOCKET_TLS_FAILED,
                "TLS alert: bad record mac"}),
    [](const ::testing::TestParamInfo<TEnding>& info) { return std::string(info.param.name); });

class TlsPieces : public TlsGlue, public ::testing::WithParamInterface<size_t> {};

// Every TLS byte of the server, handshake included, in pieces of one size:
// records arrive split at every kind of place.
TEST_P(TlsPieces, BodyArrivesWhole)
{
    const std::string sent = Body(3000);
    ASSERT_EQ(Fetch({Response(sent, false), TTlsTestServer::CloseNotify, GetParam(), 1000}), 0) << cli.TlsFailure();
    EXPECT_TRUE(Received() == sent) << Received().size();
}

INSTANTIATE_TEST_SUITE_P(Sizes, TlsPieces,
                         ::testing::Values(1, 2, 3, 5, 7, 13, 64, 100, 1000, 1029, 4096));

TEST_F(TlsGlue, TheTunnelCarriesTheOriginRequestWithoutTheProxyCredentials)
{
    TempDir proxyDir;
    TTinyproxy proxy(proxyDir.Path());
    if (!proxy.Running())
        GTEST_SKIP() << "tinyproxy is not available";
    cli.Proxy = "127.0.0.1";
    cli.ProxyPort = std::to_string(proxy.Port());
    cli.ProxyUsername = "ann";
    cli.ProxyPassword = "secret";
    const std::string sent = Body(100);
    ASSERT_EQ(Fetch({Response(sent, true), TTlsTestServer::CloseNotify}), 0) << cli.ReasonPhrase();
    EXPECT_EQ(Received(), sent);
    const std::string request = server->LastRequest();
    EXPECT_TRUE(request.starts_with("GET /picture.jpg HTTP/1.0\r\n")) << request;
    EXPECT_EQ(request.find("Proxy-Authorization"), std::string::npos) << request;
}

// The test keeps SIGPIPE's default action, as the window's program does: a
// write to a peer that has gone fails instead of ending the program.
TEST(TlsSessionPeerGone, TheHandshakeFailsAndSaysWhy)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair), 0);
    close(pair[1]);
    TTlsSession tls(pair[0], "127.0.0.1", "443", "");
    EXPECT_EQ(tls.Handshake(), TTlsSession::tsFailed);
    EXPECT_EQ(tls.Failure(), std::string("TLS connection failed: ") + std::strerror(EPIPE));
    close(pair[0]);
}

} // namespace
