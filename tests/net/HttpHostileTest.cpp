#include "HttpEventLog.h"
#include "HttpTestServer.h"
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

    // A fresh client whose request gets one whole response, then the close.
    struct TOneAnswer {
        std::unique_ptr<THttpCli> Cli = std::make_unique<THttpCli>();
        THttpEventLog Log{*Cli};
    };
    std::unique_ptr<TOneAnswer> Answer(const std::string& response)
    {
        auto one = std::make_unique<TOneAnswer>();
        one->Cli->URL = srv.Url("/");
        one->Cli->GetAsync();
        EXPECT_TRUE(srv.Accept());
        srv.ReadRequest();
        srv.Send(response);
        srv.Close();
        EXPECT_TRUE(WaitUntil([&] { return one->Log.DoneCount > 0; }));
        return one;
    }
    std::string Body() const { return std::string(doc.Data(), static_cast<size_t>(doc.Size())); }

    THttpTestServer srv;
    TMemoryStream doc;
    std::unique_ptr<THttpCli> cli = std::make_unique<THttpCli>();
    THttpEventLog log{*cli};
    TFeeder feed{srv, *cli};
};

TEST_F(HttpHostile, HeaderTrickledOneByteAtATime)
{
    Start();
    const std::string response = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: 4\r\n\r\nJPEG";
    for (char c : response)
        ASSERT_TRUE(feed.Feed(std::string(1, c)));
    srv.Close();
    ASSERT_TRUE(Done());
    EXPECT_EQ(log.DoneError, 0);
    EXPECT_EQ(cli->ContentType(), "image/jpeg");
    EXPECT_EQ(cli->ContentLength(), 4);
    EXPECT_EQ(Body(), "JPEG");
}

TEST_F(HttpHostile, LinesAroundTheLineLimit)
{
    // Lines of 8191 and 8192 bytes with their CR LF fit; 8193 do not, with
    // the CR as byte 8192 and the LF left for the next read.
    for (size_t total : {8191u, 8192u, 8193u}) {
        auto c = std::make_unique<THttpCli>();
        THttpEventLog l(*c);
        TFeeder f(srv, *c);
        c->URL = srv.Url("/");
        c->GetAsync();
        ASSERT_TRUE(srv.Accept());
        srv.ReadRequest();
        ASSERT_TRUE(f.Feed("HTTP/1.0 200 OK\r\n"));
        const std::string line = "X-Long: " + std::string(total - 10, 'a') + "\r";
        ASSERT_EQ(line.size() + 1, total);
        ASSERT_TRUE(f.Feed(line));
        f.Feed("\nContent-Type: text/plain\r\n\r\nbody");
        srv.Close();
        ASSERT_TRUE(WaitUntil([&] { return l.DoneCount > 0; }));
        if (total <= 8192) {
            EXPECT_EQ(l.DoneError, 0) << total;
            EXPECT_EQ(c->HeaderLines().at(1).size(), total - 2);
            EXPECT_EQ(c->ContentType(), "text/plain");
            EXPECT_EQ(l.Body, "body");
        } else {
            EXPECT_EQ(l.DoneError, hcLineTooLong) << total;
            EXPECT_EQ(l.Body, "");
        }
    }
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
    while (log.DoneCount == 0 && sent < 4 * THttpCli::MaxHeaderBytes) {
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
    EXPECT_LE(cli->HeaderLines().size(), static_cast<size_t>(THttpCli::MaxHeaderBytes / 50 + 1));
}

TEST_F(HttpHostile, GarbageAndBinaryStatusLines)
{
    for (const std::string& first : {std::string("HTTP/1.1 abc Broken"), std::string("\x00\xff\x01 binary\x7f", 11),
                                     std::string("HTTP/1.0 99999999999 Big")}) {
        const auto one = Answer(first + "\r\nContent-Type: text/plain\r\n\r\nrest");
        const THttpCli* c = one->Cli.get();
        const THttpEventLog& l = one->Log;
        ASSERT_GT(l.DoneCount, 0);
        EXPECT_EQ(l.DoneError, 0);
        EXPECT_EQ(c->StatusCode(), 0);
        EXPECT_EQ(c->ContentType(), "text/plain");
        EXPECT_EQ(l.Body, "rest");
        EXPECT_EQ(c->HeaderLines().at(0), first);
    }
}

TEST_F(HttpHostile, ContentLengthsThatCannotBeTrusted)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"Content-Length: -5\r\n", -1},
        {"Content-Length: 12abc\r\n", -1},
        {"Content-Length: 4294967297\r\n", -1},
        {"Content-Length: 10\r\nContent-Length: 20\r\n", -1},
        {"Content-Length: 20\r\nContent-Length: 20\r\n", 20},
        {"Content-Length:7\r\n", 7},
    };
    for (const auto& [lines, want] : cases) {
        const auto one = Answer("HTTP/1.0 200 OK\r\n" + lines + "Content-Type: image/gif\r\n\r\nGIF89a");
        const THttpCli* c = one->Cli.get();
        const THttpEventLog& l = one->Log;
        ASSERT_GT(l.DoneCount, 0) << lines;
        EXPECT_EQ(c->ContentLength(), want) << lines;
        EXPECT_EQ(c->ContentType(), "image/gif") << lines;
        EXPECT_EQ(l.Body, "GIF89a") << lines;
    }
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

TEST_F(HttpHostile, NulBytesAndBareLineFeedsInTheHeader)
{
    Start();
    srv.Send(std::string("HTTP/1.0 200 OK\nX-Nul: a\0b\nContent-Type: Image/PNG\n\nPNG\n", 56));
    srv.Close();
    ASSERT_TRUE(Done());
    EXPECT_EQ(cli->StatusCode(), 200);
    EXPECT_EQ(cli->HeaderLines().at(1), std::string("X-Nul: a\0b", 10));
    EXPECT_EQ(cli->ContentType(), "image/png");
    EXPECT_EQ(Body(), "PNG\n");
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
