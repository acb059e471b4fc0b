#include "HttpEventLog.h"
#include "support/net/HttpTestServer.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Servers that misbehave on purpose: every case must end in a defined
// state, without a crash, with memory bounded.
class HttpHostile : public ::testing::Test {
protected:
    void Start(const std::string& path = "/")
    {
        cli->URL = srv.Url(path);
        cli->DocStream = &doc;
        cli->GetAsync();
        ASSERT_TRUE(srv.Accept());
        srv.ReadRequest();
    }
    bool Done() { return WaitUntil([&] { return log.DoneCount > 0; }); }

    std::string Body() const { return std::string(doc.Data(), static_cast<size_t>(doc.Size())); }

    THttpTestServer srv;
    TMemoryStream doc;
    std::unique_ptr<THttpCli> cli = std::make_unique<THttpCli>();
    THttpEventLog log{*cli};
    TFeeder feed{srv, *cli};
};

TEST_F(HttpHostile, ALineAtTheLimitWithItsLineFeedInTheNextRead)
{
    // The client reads no more than the reader can hold: no byte of the
    // header may get lost between reads.
    Start();
    ASSERT_TRUE(feed.Feed("HTTP/1.0 200 OK\r\n"));
    ASSERT_TRUE(feed.Feed("X-Long: " + std::string(8182, 'a') + "\r"));
    feed.Feed("\nContent-Type: text/plain\r\n\r\nbody");
    srv.Close();
    ASSERT_TRUE(Done());
    EXPECT_EQ(log.DoneError, 0);
    EXPECT_EQ(cli->HeaderLines().at(1).size(), 8190u);
    EXPECT_EQ(cli->ContentType(), "text/plain");
    EXPECT_EQ(Body(), "body");
}

TEST_F(HttpHostile, OneLineOfAMegabyteIsRefused)
{
    Start();
    srv.Send("HTTP/1.0 200 OK\r\nX-Big: ");
    const std::string block(64 * 1024, 'b');
    for (int i = 0; i < 16 && !srv.PeerClosed(); ++i)
        srv.Send(block);
    ASSERT_TRUE(Done());
    EXPECT_EQ(log.DoneError, hcLineTooLong);
    EXPECT_EQ(cli->HttpState(), hsReady);
    EXPECT_TRUE(WaitUntil([&] { return srv.PeerClosed(); }));
}

TEST_F(HttpHostile, AHeaderThatNeverEndsIsCutAtItsLimit)
{
    Start();
    srv.Send("HTTP/1.0 200 OK\r\n");
    int sent = 0;
    while (log.DoneCount == 0 && sent < 4 * static_cast<int>(THttpResponseReader::MaxHeaderBytes)) {
        const std::string lines = [] {
            std::string s;
            for (int i = 0; i < 100; ++i)
                s += "X-More: " + std::string(40, 'm') + "\r\n";
            return s;
        }();
        if (!srv.Send(lines))
            break;
        sent += static_cast<int>(lines.size());
        RunPendingEvents(1);
    }
    ASSERT_TRUE(Done());
    EXPECT_EQ(log.DoneError, hcLineTooLong);
    EXPECT_LE(cli->HeaderLines().size(), static_cast<size_t>(THttpResponseReader::MaxHeaderBytes / 50 + 1));
}

TEST_F(HttpHostile, BodyShorterThanItsLengthThenClose)
{
    Start();
    srv.Send("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\nonly this");
    srv.Close();
    ASSERT_TRUE(Done());
    EXPECT_EQ(log.DoneError, 0);
    EXPECT_EQ(cli->ContentLength(), 1000);
    EXPECT_EQ(cli->ReceivedBytes(), 9);
    EXPECT_EQ(Body(), "only this");
}

TEST_F(HttpHostile, ResetInTheMiddleOfTheBodyIsAnError)
{
    Start();
    ASSERT_TRUE(feed.Feed("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(5000, 'x')));
    srv.Reset();
    ASSERT_TRUE(Done());
    RunPendingEvents();
    EXPECT_EQ(log.DoneCount, 1);
    EXPECT_EQ(log.DoneError, 10054);
    EXPECT_EQ(Body(), std::string(5000, 'x'));
}

TEST_F(HttpHostile, ABodyThatNeverEndsStopsAtTheMemoryStreamLimit)
{
    TMemoryStream small(256 * 1024);
    cli->DocStream = &small;
    cli->URL = srv.Url("/");
    cli->GetAsync();
    ASSERT_TRUE(srv.Accept());
    srv.ReadRequest();
    srv.Send("HTTP/1.0 200 OK\r\n\r\n");
    const std::string block(32 * 1024, 'z');
    for (int i = 0; i < 64 && log.DoneCount == 0; ++i) {
        if (!srv.Send(block))
            break;
        RunPendingEvents(1);
    }
    ASSERT_TRUE(Done());
    EXPECT_EQ(log.DoneError, hcDocStreamFailed);
    EXPECT_LE(small.Size(), small.MaxSize());
    EXPECT_GT(small.Size(), 200 * 1024);
}

TEST_F(HttpHostile, ControlBytesInALocationNeverReachTheRequest)
{
    Start("/first");
    srv.Send("HTTP/1.0 302 Found\r\nLocation: /next\rX-Injected: 1\x01\r\n\r\n");
    ASSERT_TRUE(srv.Accept());
    const std::string request = srv.ReadRequest();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /next%0DX-Injected: 1%01 HTTP/1.0");
    EXPECT_EQ(request.find("\r\nX-Injected"), std::string::npos);
    cli->Abort();
    ASSERT_TRUE(Done());
}

// Abort, then free at once, at every stage of a request: no event may follow
// and nothing may leak (the sanitizer build checks).
TEST_F(HttpHostile, AbortAndFreeAtEveryStage)
{
    enum Stage { Lookup, Connecting, WaitingHeader, MidHeader, MidBody, Relocating };
    for (Stage stage : {Lookup, Connecting, WaitingHeader, MidHeader, MidBody, Relocating}) {
        auto c = std::make_unique<THttpCli>();
        THttpEventLog l(*c);
        TFeeder f(srv, *c);
        TMemoryStream d;
        c->DocStream = &d;
        c->URL = stage == Lookup ? "http://localhost:" + std::to_string(srv.Port()) + "/" : srv.Url("/");
        c->GetAsync();
        if (stage != Lookup && stage != Connecting) {
            ASSERT_TRUE(srv.Accept());
            srv.ReadRequest();
            if (stage == MidHeader)
                f.Feed("HTTP/1.0 200 OK\r\nContent-Ty");
            if (stage == MidBody)
                f.Feed("HTTP/1.0 200 OK\r\n\r\npart of the bo");
            if (stage == Relocating) {
                srv.Send("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n");
                ASSERT_TRUE(WaitUntil([&] {
                    return std::any_of(l.Events.begin(), l.Events.end(),
                                       [](const std::string& e) { return e.rfind("LocationChange", 0) == 0; });
                }));
            }
        }
        c->Abort();
        const size_t events = l.Events.size();
        c.reset();
        srv.Send("HTTP/1.0 200 OK\r\n\r\nlate");
        RunPendingEvents();
        EXPECT_EQ(l.Events.size(), events) << "stage " << stage;
        EXPECT_EQ(l.DoneCount, 0) << "stage " << stage;
        if (stage == Connecting)
            srv.Accept(std::chrono::milliseconds(200)); // the kernel completed it before the abort
        srv.Close();
    }
}

TEST_F(HttpHostile, FreeInsideRequestDone)
{
    bool freed = false;
    cli->OnRequestDone = [&](THttpCli* sender, THttpRequest, uint16_t) {
        EXPECT_EQ(sender, cli.get());
        cli.reset();
        freed = true;
    };
    Start();
    srv.Send("HTTP/1.0 200 OK\r\n\r\nbye");
    srv.Close();
    ASSERT_TRUE(WaitUntil([&] { return freed; }));
    RunPendingEvents();
    EXPECT_EQ(Body(), "bye");
}

TEST_F(HttpHostile, FreeInsideEveryEventOfAResponse)
{
    const std::vector<std::string> stops = {"HeaderBegin", "HeaderData", "HeaderEnd", "DocBegin", "DocData", "DocEnd"};
    for (const std::string& stop : stops) {
        auto c = std::make_unique<THttpCli>();
        auto freeHere = [&](const std::string& name) {
            return [&c, &stop, name](THttpCli*) {
                if (name == stop)
                    c.reset();
            };
        };
        c->OnHeaderBegin = freeHere("HeaderBegin");
        c->OnHeaderData = freeHere("HeaderData");
        c->OnHeaderEnd = freeHere("HeaderEnd");
        c->OnDocBegin = freeHere("DocBegin");
        c->OnDocData = [&](THttpCli*, const char*, int) {
            if (stop == "DocData")
                c.reset();
        };
        c->OnDocEnd = freeHere("DocEnd");
        c->URL = srv.Url("/");
        c->GetAsync();
        ASSERT_TRUE(srv.Accept());
        srv.ReadRequest();
        srv.Send("HTTP/1.0 200 OK\r\nA: b\r\n\r\nbody");
        srv.Close();
        ASSERT_TRUE(WaitUntil([&] { return !c; })) << stop;
    }
}

} // namespace
