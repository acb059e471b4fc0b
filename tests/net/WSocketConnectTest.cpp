#include "support/net/ScriptedServer.h"
#include "net/SocketEventRecorder.h"
#include "net/WSocket.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
void Aim(TWSocket& s, const std::string& port)
{
    s.SetAddr("127.0.0.1");
    s.SetPort(port);
    s.SetProto("tcp");
}

// Exposes the socket's own notification format to post fake events.
struct TProbeSocket : TWSocket {
    void Deliver(uint16_t Events, uint16_t Error = 0)
    {
        HWindow()->SendMessage(WM_SOCKET_EVENT, static_cast<uintptr_t>(Handle()), EventParam(Events, Error));
    }
};
}

TEST(WSocketConnect, ExchangesDataWithEventsInOrder)
{
    TScriptedServer server([](TScriptedConnection& c) {
        if (c.ReadUntil("ping\n") == "ping\n")
            c.Send("pong\n");
    });
    TWSocket s;
    TSocketEventRecorder rec(s, true);
    bool inSend = false;
    bool sentInsideSend = false;
    s.OnDataSent = [&](TCustomWSocket*, uint16_t) { sentInsideSend |= inSend; };
    s.OnSessionConnected = [&](TCustomWSocket* sender, uint16_t e) {
        rec.Add("connected", e);
        inSend = true;
        EXPECT_EQ(5, sender->SendText("ping\n"));
        inSend = false;
    };
    Aim(s, server.PortText());
    s.Connect();
    EXPECT_EQ(wsConnecting, s.State());
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsClosed; }));
    EXPECT_EQ("pong\n", rec.Received);
    const std::vector<std::string> expected = {"state 7>1", "state 1>3", "state 3>4", "connected 0", "closed 0",
                                               "state 4>7"};
    EXPECT_EQ(expected, rec.Events);
    EXPECT_FALSE(sentInsideSend);
    EXPECT_EQ(0, s.ReadCount()); // reset by the close
}

TEST(WSocketConnect, SessionClosedFiresOnceWhicheverCloseComesFirst)
{
    for (const char* first : {"Close", "Abort", "peer", "reset"}) {
        SCOPED_TRACE(first);
        const std::string how = first;
        TScriptedServer server([&](TScriptedConnection& c) {
            c.ReadUntil("hi");
            if (how == "reset")
                c.Reset();
            else if (how == "peer")
                c.Close();
            else
                c.ReadToEnd();
        });
        TWSocket s;
        TSocketEventRecorder rec(s);
        s.OnSessionConnected = [](TCustomWSocket* sender, uint16_t) { sender->SendText("hi"); };
        Aim(s, server.PortText());
        s.Connect();
        if (how == "Close" || how == "Abort") {
            ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected; }));
            rec.Events.clear();
            how == "Close" ? s.Close() : s.Abort();
            EXPECT_EQ(std::vector<std::string>{"closed 0"}, rec.Events); // at once
        }
        ASSERT_TRUE(WaitUntil([&] { return server.Finished() == 1 && s.State() == wsClosed; }));
        RunPendingEvents();
        EXPECT_EQ(1, rec.CountPrefix("closed"));
        EXPECT_TRUE(rec.Has(how == "reset" ? "closed 10054" : "closed 0"));
    }
}

TEST(WSocketConnect, FailedSendClosesOnceWithTheError)
{
    TScriptedServer server([](TScriptedConnection& c) {
        c.ReadUntil("x");
        c.Reset();
    });
    TWSocket s;
    TSocketEventRecorder rec(s);
    s.OnSessionConnected = [](TCustomWSocket* sender, uint16_t) {
        sender->Pause(); // keep the coming reset from arriving as FD_CLOSE: the send must find it
        sender->SendText("x");
    };
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return server.Finished() == 1; }));
    ASSERT_EQ(wsConnected, s.State());
    rec.Events.clear();
    s.SendText("lost");
    EXPECT_EQ(wsClosed, s.State());
    EXPECT_EQ(std::vector<std::string>{"closed 10054"}, rec.Events);
    s.Resume();
    RunPendingEvents();
    EXPECT_EQ(1, rec.CountPrefix("closed"));
}

TEST(WSocketConnect, CloseNotificationWhileConnectingIsIgnored)
{
    TScriptedServer server([](TScriptedConnection& c) { c.ReadToEnd(); });
    TProbeSocket s;
    TSocketEventRecorder rec(s);
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_EQ(wsConnecting, s.State());
    s.Deliver(FD_CLOSE);
    EXPECT_EQ(wsConnecting, s.State());
    ASSERT_TRUE(WaitUntil([&] { return rec.Has("connected 0"); }));
    EXPECT_EQ(wsConnected, s.State());
    EXPECT_EQ(0, rec.CountPrefix("closed"));
    s.Close();
}

TEST(WSocketConnect, RefusedConnectionReportsTheErrorToSessionConnected)
{
    TRefusingPort port;
    TWSocket s;
    TSocketEventRecorder rec(s);
    Aim(s, port.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsClosed; }));
    ASSERT_FALSE(rec.Events.empty());
    EXPECT_EQ("connected 10061", rec.Events.front());
    EXPECT_LE(rec.CountPrefix("closed"), 1);
}

TEST(WSocketConnect, SendWhileNotConnected)
{
    TWSocket s;
    try {
        s.SendText("x");
        FAIL() << "no exception";
    } catch (const ESocketException& e) {
        EXPECT_STREQ("Error 10057 in function Send\r\nSocket is not connected", e.what());
    }
    int errors = 0;
    s.OnError = [&](TCustomWSocket*) { ++errors; };
    EXPECT_EQ(-1, s.SendText("x"));
    EXPECT_EQ(1, errors);
    EXPECT_EQ(10057, s.LastError());
}

TEST(WSocketConnect, SettingsAreClearedByEveryCloseAndLockedWhileOpen)
{
    TScriptedServer server([](TScriptedConnection& c) { c.ReadToEnd(); });
    TWSocket s;
    Aim(s, " " + server.PortText() + " ");
    EXPECT_EQ(server.PortText(), s.Port()); // trimmed
    s.SetLocalPort("0");
    s.Connect();
    s.SetAddr("127.0.0.1"); // the same value: no complaint
    EXPECT_THROW(s.SetPort("81"), ESocketException);
    try {
        s.SetAddr("localhost");
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_STREQ("Cannot change Addr if not closed", e.what());
    }
    EXPECT_THROW(s.SetLocalPort("1"), ESocketException);
    EXPECT_THROW(s.SetProto("udp"), ESocketException);
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected; }));
    s.Close();
    EXPECT_EQ("", s.Addr());
    EXPECT_EQ("", s.Port());
    EXPECT_EQ("0", s.LocalPort());
    EXPECT_EQ("tcp", s.Proto());
}

TEST(WSocketConnect, ConnectWithoutSettingsNamesWhatIsMissing)
{
    TWSocket s;
    auto message = [&] {
        try {
            s.Connect();
        } catch (const ESocketException& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ("Connect: No Port Specified", message());
    s.SetPort("80");
    EXPECT_EQ("Connect: No IP Address Specified", message());
    s.SetAddr("127.0.0.1");
    s.SetProto("");
    EXPECT_EQ("Connect: No Protocol Specified", message());
    s.SetProto("tcp");
    s.SetAddr("300.1.1.1");
    EXPECT_EQ("connect: WSocketResolveHost: '300.1.1.1' Invalid IP address.", message());
}

TEST(WSocketConnect, ReceivesALargeBodyIntactStraightIntoTheCallersBuffer)
{
    constexpr size_t size = 8 * 1024 * 1024;
    TScriptedServer server([](TScriptedConnection& c) { c.SendPattern(size); });
    TWSocket s;
    std::string body;
    body.reserve(size);
    bool closed = false;
    s.OnDataAvailable = [&](TCustomWSocket* sender, uint16_t) {
        char buffer[8192];
        const int n = sender->Receive(buffer, sizeof buffer);
        if (n > 0)
            body.append(buffer, static_cast<size_t>(n));
    };
    s.OnSessionClosed = [&](TCustomWSocket*, uint16_t) { closed = true; };
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return closed; }, std::chrono::seconds(30)));
    ASSERT_EQ(size, body.size());
    bool intact = true;
    for (size_t i = 0; i < size && intact; i += 4099)
        intact = body[i] == static_cast<char>('a' + i % 26);
    EXPECT_TRUE(intact);
}

TEST(WSocketConnect, LargeSendIsQueuedAndDrainedInOrder)
{
    constexpr size_t size = 3 * 1024 * 1024 + 17;
    std::string got;
    TScriptedServer server([&](TScriptedConnection& c) {
        got = c.Read(size);
        c.Send("ok");
    });
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>(i * 7);
    TWSocket s;
    TSocketEventRecorder rec(s);
    s.OnSessionConnected = [&](TCustomWSocket* sender, uint16_t) {
        EXPECT_EQ(static_cast<int>(size), sender->Send(data.data(), static_cast<int>(size)));
        rec.Events.push_back("queued");
    };
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return rec.Has("closed 0"); }, std::chrono::seconds(30)));
    EXPECT_TRUE(got == data);
    EXPECT_EQ("ok", rec.Received);
    EXPECT_TRUE(s.AllSent());
}

TEST(WSocketConnect, NoEventAfterAbort)
{
    TScriptedServer server([](TScriptedConnection& c) {
        c.Send(std::string(100000, 'x'));
        c.ReadToEnd();
    });
    TWSocket s;
    TSocketEventRecorder rec(s);
    rec.ReadData = false;
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected && s.RcvdCount() == 100000; }));
    s.Abort();
    const auto events = rec.Events.size();
    RunPendingEvents();
    EXPECT_EQ(events, rec.Events.size());
    EXPECT_EQ("closed 0", rec.Events.back());
}

TEST(WSocketConnect, SocketCanBeFreedInsideEachOfItsEvents)
{
    for (const char* where : {"connected", "data", "closed", "sent", "state"}) {
        SCOPED_TRACE(where);
        const std::string w = where;
        TScriptedServer server([](TScriptedConnection& c) {
            c.Send(std::string(300000, 'y'));
            c.Close();
        });
        auto* s = new TWSocket;
        bool freed = false;
        auto free = [&](TCustomWSocket* sender) {
            delete sender;
            freed = true;
        };
        s->OnSessionConnected = [&](TCustomWSocket* sender, uint16_t) {
            sender->SendText("abc");
            if (w == "connected")
                free(sender);
        };
        s->OnDataSent = [&](TCustomWSocket* sender, uint16_t) {
            if (w == "sent")
                free(sender);
        };
        s->OnDataAvailable = [&](TCustomWSocket* sender, uint16_t) {
            char b[100];
            sender->Receive(b, sizeof b);
            if (w == "data")
                free(sender);
        };
        s->OnSessionClosed = [&](TCustomWSocket* sender, uint16_t) {
            if (w == "closed")
                free(sender);
        };
        s->OnChangeState = [&](TCustomWSocket* sender, TSocketState, TSocketState n) {
            if (w == "state" && n == wsConnected)
                free(sender);
        };
        Aim(*s, server.PortText());
        s->Connect();
        ASSERT_TRUE(WaitUntil([&] { return freed; }));
        RunPendingEvents();
    }
}

TEST(WSocketConnect, SocketCanBeFreedRightAfterCloseWithEventsQueued)
{
    TScriptedServer server([](TScriptedConnection& c) {
        c.Send(std::string(50000, 'z'));
        c.ReadToEnd();
    });
    auto s = std::make_unique<TWSocket>();
    int events = 0;
    s->OnDataAvailable = [&](TCustomWSocket*, uint16_t) { ++events; };
    s->OnSessionClosed = [&](TCustomWSocket*, uint16_t) { ++events; };
    Aim(*s, server.PortText());
    s->Connect();
    ASSERT_TRUE(WaitUntil([&] { return s->State() == wsConnected && events > 0; }));
    s->SendText("queued FD_WRITE");
    s->Close();
    s.reset();
    const int before = events;
    RunPendingEvents();
    EXPECT_EQ(before, events);
}

TEST(WSocketConnect, DestroyingAConnectedSocketFiresNothing)
{
    TScriptedServer server([](TScriptedConnection& c) { c.ReadToEnd(); });
    auto s = std::make_unique<TWSocket>();
    int events = 0;
    Aim(*s, server.PortText());
    s->Connect();
    ASSERT_TRUE(WaitUntil([&] { return s->State() == wsConnected; }));
    s->OnSessionClosed = [&](TCustomWSocket*, uint16_t) { ++events; };
    s->OnChangeState = [&](TCustomWSocket*, TSocketState, TSocketState) { ++events; };
    s.reset();
    EXPECT_EQ(0, events);
    ASSERT_TRUE(WaitUntil([&] { return server.Finished() == 1; })); // the peer saw the end
}

TEST(WSocketConnect, FlushReturnsWhenEverythingIsSent)
{
    constexpr size_t size = 2 * 1024 * 1024;
    size_t got = 0;
    TScriptedServer server([&](TScriptedConnection& c) { got = c.Read(size).size(); });
    TWSocket s;
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected; }));
    const std::string data(size, 'f');
    s.SendText(data);
    s.Flush();
    EXPECT_TRUE(s.AllSent());
    ASSERT_TRUE(WaitUntil([&] { return server.Finished() == 1; }));
    EXPECT_EQ(size, got);
}

TEST(WSocketConnect, PausedSocketReportsNothingUntilResumed)
{
    TScriptedServer server([](TScriptedConnection& c) {
        c.ReadUntil("go");
        c.Send("data");
        c.ReadToEnd();
    });
    TWSocket s;
    TSocketEventRecorder rec(s);
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected; }));
    s.Pause();
    s.SendText("go");
    ASSERT_TRUE(WaitUntil([&] { return s.RcvdCount() == 4; }));
    RunPendingEvents();
    EXPECT_EQ("", rec.Received);
    s.Resume();
    ASSERT_TRUE(WaitUntil([&] { return rec.Received == "data"; }));
    s.Close();
}

TEST(WSocketConnect, CloseWhilePausedIsReportedAfterResume)
{
    TScriptedServer server([](TScriptedConnection& c) { c.Send("last"); });
    TWSocket s;
    TSocketEventRecorder rec(s);
    rec.ReadData = false;
    s.OnDataAvailable = [&](TCustomWSocket* sender, uint16_t) {
        if (rec.ReadData) {
            char buffer[16];
            const int n = sender->Receive(buffer, sizeof buffer);
            rec.Received.append(buffer, n > 0 ? static_cast<size_t>(n) : 0);
        } else {
            sender->Pause(); // the close notification queued behind this one is ignored
        }
    };
    Aim(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return server.Finished() == 1 && s.RcvdCount() == 4; }));
    RunPendingEvents();
    EXPECT_EQ(0, rec.CountPrefix("closed"));
    rec.ReadData = true;
    s.Resume();
    ASSERT_TRUE(WaitUntil([&] { return rec.Has("closed 0"); }, std::chrono::seconds(2)));
    EXPECT_EQ("last", rec.Received);
}
