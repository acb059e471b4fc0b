#include "net/SocketDnsResponder.h"
#include "net/SocketEventRecorder.h"
#include "net/WSocketResolve.h"
#include "net/winsock/WinSockDns.h"
#include "net/WSocket.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TEST(WSocketDns, DottedAddressIsDoneBeforeLookupReturns)
{
    TWSocket s;
    TSocketEventRecorder rec(s);
    s.DnsLookup("127.1");
    EXPECT_EQ(std::vector<std::string>{"lookup 0"}, rec.Events);
    EXPECT_EQ("127.0.0.1", s.DnsResult());
    EXPECT_TRUE(s.DnsResultList().empty());
}

TEST(WSocketDns, NameIsLookedUpOnTheEventLoop)
{
    TWSocket s;
    TSocketEventRecorder rec(s);
    s.DnsLookup("localhost");
    EXPECT_TRUE(rec.Events.empty());
    ASSERT_TRUE(WaitUntil([&] { return !rec.Events.empty(); }));
    EXPECT_EQ(std::vector<std::string>{"lookup 0"}, rec.Events);
    EXPECT_EQ("127.0.0.1", s.DnsResult());
    EXPECT_EQ(std::vector<std::string>{"127.0.0.1"}, s.DnsResultList());

    s.ReverseDnsLookup("127.0.0.1");
    ASSERT_TRUE(WaitUntil([&] { return rec.Events.size() == 2; }));
    EXPECT_EQ("lookup 0", rec.Events.back());
    EXPECT_EQ("localhost", s.DnsResult());
    EXPECT_EQ(std::vector<std::string>{"localhost"}, s.DnsResultList());
}

TEST(WSocketDns, UnknownHostIsHostNotFound)
{
    TWSocket s;
    TSocketEventRecorder rec(s);
    s.DnsLookup("nosuchhost.invalid");
    ASSERT_TRUE(WaitUntil([&] { return !rec.Events.empty(); }));
    EXPECT_EQ(std::vector<std::string>{"lookup 11001"}, rec.Events);
    EXPECT_EQ("", s.DnsResult());
}

TEST(WSocketDns, CancelReportsInterruptedAndDropsTheLateResult)
{
    TWSocket s;
    TSocketEventRecorder rec(s);
    s.DnsLookup("localhost");
    s.CancelDnsLookup();
    EXPECT_EQ(std::vector<std::string>{"lookup 10004"}, rec.Events);
    RunPendingEvents();
    EXPECT_EQ(1u, rec.Events.size());
    EXPECT_EQ("", s.DnsResult());
    s.CancelDnsLookup(); // nothing pending: no event
    EXPECT_EQ(1u, rec.Events.size());

    // A new lookup replaces a pending one without an event for the first.
    s.DnsLookup("nosuchhost.invalid");
    s.DnsLookup("localhost");
    ASSERT_TRUE(WaitUntil([&] { return rec.Events.size() == 2; }));
    RunPendingEvents();
    EXPECT_EQ((std::vector<std::string>{"lookup 10004", "lookup 0"}), rec.Events);
}

TEST(WSocketDns, EmptyHostIsReported)
{
    TWSocket s;
    TSocketEventRecorder rec(s);
    try {
        s.DnsLookup("");
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_STREQ("DNS lookup: invalid host name.", e.what());
    }
    EXPECT_TRUE(rec.Events.empty());
    int errors = 0;
    s.OnError = [&](TCustomWSocket*) { ++errors; };
    s.DnsLookup("");
    EXPECT_EQ(1, errors);
    EXPECT_EQ(std::vector<std::string>{"lookup 10022"}, rec.Events);
}

TEST(WSocketDns, SocketCanBeFreedWithALookupPendingOrInsideLookupDone)
{
    auto pending = std::make_unique<TWSocket>();
    bool fired = false;
    pending->OnDnsLookupDone = [&](TCustomWSocket*, uint16_t) { fired = true; };
    pending->DnsLookup("localhost");
    pending.reset();
    RunPendingEvents();
    EXPECT_FALSE(fired);

    auto* s = new TWSocket;
    s->OnDnsLookupDone = [&](TCustomWSocket* sender, uint16_t) {
        delete sender;
        fired = true;
    };
    s->DnsLookup("localhost");
    ASSERT_TRUE(WaitUntil([&] { return fired; }));
}

TEST(WSocketDns, LastSocketShutsTheStandInDownAndTheNextStartsItAgain)
{
    ASSERT_EQ(0, WSocketGetLiveCount());
    auto a = std::make_unique<TWSocket>();
    auto b = std::make_unique<TWSocket>();
    EXPECT_EQ(2, WSocketGetLiveCount());
    a->DnsLookup("localhost");
    EXPECT_TRUE(WSocketIsLoaded());
    const int starts = WSocketStartCount();
    a.reset();
    EXPECT_TRUE(WSocketIsLoaded());
    b.reset();
    EXPECT_EQ(0, WSocketGetLiveCount());
    EXPECT_FALSE(WSocketIsLoaded());

    TWSocket c;
    TSocketEventRecorder rec(c);
    c.DnsLookup("localhost");
    EXPECT_EQ(starts + 1, WSocketStartCount());
    ASSERT_TRUE(WaitUntil([&] { return !rec.Events.empty(); }));
    EXPECT_EQ("lookup 0", rec.Events.front());
}

TEST(WSocketDns, NameServerIsAskedOnTheEventLoop)
{
    TSocketDnsResponder responder(std::map<std::string, std::string>{{"pictures.example", "127.0.0.9"}});
    ASSERT_EQ(0, WSocketGetLiveCount()); // the settings apply at the next start-up
    WSocketSetDnsLookups("b");
    WSocketSetDnsServers(responder.Server());
    {
        TWSocket s;
        TSocketEventRecorder rec(s);
        s.DnsLookup("pictures.example");
        ASSERT_TRUE(WaitUntil([&] { return !rec.Events.empty(); }));
        EXPECT_EQ("lookup 0", rec.Events.back());
        EXPECT_EQ("127.0.0.9", s.DnsResult());
        s.DnsLookup("missing.example");
        ASSERT_TRUE(WaitUntil([&] { return rec.Events.size() == 2; }));
        EXPECT_EQ("lookup 11001", rec.Events.back());
        EXPECT_EQ(0x7F000009u, WSocketResolveHost("pictures.example"));
    }
    EXPECT_GE(responder.Queries(), 3);
    WSocketSetDnsLookups("f");
    WSocketSetDnsServers("");
}
