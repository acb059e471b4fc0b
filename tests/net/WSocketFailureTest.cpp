#include "support/net/ScriptedServer.h"
#include "net/SocketEventRecorder.h"
#include "net/WSocket.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
void AimAtLoopback(TWSocket& s, const std::string& port)
{
    s.SetAddr("127.0.0.1");
    s.SetPort(port);
}
}

TEST(WSocketFailure, ExceptionFromSessionConnectedAbortsUnlessTheHandlerKeepsIt)
{
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        TScriptedServer server([](TScriptedConnection& c) { c.ReadToEnd(); });
        TWSocket s;
        TSocketEventRecorder rec(s);
        s.OnSessionConnected = [](TCustomWSocket*, uint16_t) { throw std::runtime_error("boom"); };
        std::string seen;
        s.OnBgException = [&](TCustomWSocket*, const std::exception& e, bool& canClose) {
            seen = e.what();
            canClose = !keep;
        };
        AimAtLoopback(s, server.PortText());
        s.Connect();
        ASSERT_TRUE(WaitUntil([&] { return !seen.empty(); }));
        EXPECT_EQ("boom", seen);
        EXPECT_EQ(keep ? wsConnected : wsClosed, s.State());
        EXPECT_EQ(keep ? 0 : 1, rec.Count("closed 0"));
        s.Close();
    }
}

TEST(WSocketFailure, PeerCloseArrivesEvenWhenTheHandlerReadsNothing)
{
    for (const bool throws : {false, true}) {
        SCOPED_TRACE(throws);
        TScriptedServer server([](TScriptedConnection& c) { c.Send(std::string(20000, 'q')); });
        TWSocket s;
        int calls = 0;
        int closed = 0;
        bool aborted = false;
        s.OnDataAvailable = [&](TCustomWSocket*, uint16_t) {
            ++calls;
            if (throws)
                throw std::runtime_error("line too long");
        };
        s.OnSessionClosed = [&](TCustomWSocket*, uint16_t) { ++closed; };
        s.OnBgException = [&](TCustomWSocket*, const std::exception&, bool&) { aborted = true; };
        AimAtLoopback(s, server.PortText());
        s.Connect();
        ASSERT_TRUE(WaitUntil([&] { return closed > 0; }));
        RunPendingEvents();
        EXPECT_EQ(1, closed);
        EXPECT_GE(calls, 1);
        EXPECT_LE(calls, 3); // not called without end
        EXPECT_FALSE(aborted); // a data handler's exception only ends the receive loop
    }
}

TEST(WSocketFailure, DataWithoutAHandlerIsDrained)
{
    TScriptedServer server([](TScriptedConnection& c) {
        c.Send(std::string(100000, 'd'));
        c.ReadToEnd();
    });
    TWSocket s;
    bool closed = false;
    s.OnSessionClosed = [&](TCustomWSocket*, uint16_t) { closed = true; };
    AimAtLoopback(s, server.PortText());
    s.Connect();
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected; }));
    ASSERT_TRUE(WaitUntil([&] { return s.ReadCount() == 100000; }));
    EXPECT_EQ(0, s.RcvdCount());
    s.Close();
    EXPECT_TRUE(closed);
}
