#include "net/SocketErrorMessage.h"
#include "net/WSockBuf.h"
#include "net/WSocketErrors.h"
#include "net/WSocketResolve.h"
#include "net/WSocketTypes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
std::string Pending(const TBuffer& b)
{
    int len = 0;
    const char* data = b.Peek(len);
    return data ? std::string(data, static_cast<size_t>(len)) : std::string();
}
}

TEST(WSocketErrorText, KnownAndUnknownNumbers)
{
    EXPECT_EQ("No Error", WSocketErrorText(0));
    EXPECT_EQ("Connection refused", WSocketErrorText(10061));
    EXPECT_EQ("Connection reset by peer", WSocketErrorText(10054));
    EXPECT_EQ("Host not found", WSocketErrorText(11001));
    EXPECT_EQ("No Data", WSocketErrorText(11004));
    EXPECT_EQ("WinSock not initialized", WSocketErrorText(10093));
    EXPECT_EQ("Not a WinSock error", WSocketErrorText(10072));
    EXPECT_EQ("Not a WinSock error", WSocketErrorText(-1));
}

TEST(WSocketResolve, Ports)
{
    EXPECT_EQ(80, WSocketResolvePort("80abc", "tcp"));
    EXPECT_EQ(8080, WSocketResolvePort("  8080", "tcp"));
    EXPECT_EQ(80, WSocketResolvePort("http", "tcp"));
    EXPECT_EQ("WSocketResolvePort: Invalid Port.", Message([] { WSocketResolvePort(std::string(32, '1'), "tcp"); }));
    EXPECT_EQ("WSocketResolvePort: Invalid Port.", Message([] { WSocketResolvePort("", "tcp"); }));
    EXPECT_EQ("WSocketResolvePort: Cannot convert port 'nosuchservice'",
              Message([] { WSocketResolvePort("nosuchservice", "tcp"); }));
}

TEST(WSocketResolve, Hosts)
{
    EXPECT_EQ(0x7F000001u, WSocketResolveHost(" 127.0.0.1 "));
    EXPECT_EQ(0xFFFFFFFFu, WSocketResolveHost("255.255.255.255"));
    EXPECT_EQ(0x7F000001u, WSocketResolveHost("localhost"));
    const std::string longName(257, 'a');
    EXPECT_EQ("WSocketResolveHost: '" + longName + "' Invalid Hostname.",
              Message([&] { WSocketResolveHost(longName); }));
    EXPECT_EQ("WSocketResolveHost: '' Invalid Hostname.", Message([] { WSocketResolveHost(""); }));
    EXPECT_EQ("WSocketResolveHost: '1.2.3.x' Invalid IP address.", Message([] { WSocketResolveHost("1.2.3.x"); }));
    EXPECT_EQ("WSocketResolveHost: Cannot convert host address 'nosuchhost.invalid'",
              Message([] { WSocketResolveHost("nosuchhost.invalid"); }));
}

TEST(WSocketResolve, Protocols)
{
    EXPECT_EQ(6, WSocketResolveProto("tcp"));
    EXPECT_EQ(17, WSocketResolveProto(" udp "));
    EXPECT_EQ(17, WSocketResolveProto("17"));
    EXPECT_EQ("WSocketResolveProto: Invalid Protocol.", Message([] { WSocketResolveProto(""); }));
    EXPECT_EQ("WSocketResolveProto: Cannot convert protocol 'nosuchproto'",
              Message([] { WSocketResolveProto("nosuchproto"); }));
}

TEST(WSockBuf, BlockIsFilledDrainedAndReusedFromItsStart)
{
    TBuffer b(0);
    EXPECT_EQ(1514, b.Size());
    TBuffer small(8);
    EXPECT_EQ(8, small.Write("0123456789", 10));
    EXPECT_EQ(0, small.Write("x", 1)); // full
    EXPECT_EQ("01234567", Pending(small));
    EXPECT_EQ(3, small.Remove(3));
    EXPECT_EQ("34567", Pending(small));
    EXPECT_EQ(0, small.Write("x", 1)); // still full until drained
    EXPECT_EQ(5, small.Remove(100));
    EXPECT_EQ("", Pending(small));
    EXPECT_EQ(2, small.Write("ab", 2)); // from the start again
    small.SetSize(16);                  // keeps pending bytes
    EXPECT_EQ("ab", Pending(small));
    small.SetSize(1); // never past the new end
    EXPECT_EQ("a", Pending(small));
}
