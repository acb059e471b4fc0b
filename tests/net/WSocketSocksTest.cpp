#include "support/net/ScriptedServer.h"
#include "net/SocketErrorMessage.h"
#include "net/SocketEventRecorder.h"
#include "net/WSocket.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// The server's side: the client's connect request, read by its level.
std::string ReadConnectRequest(TScriptedConnection& c, const std::string& level)
{
    if (level == "5") {
        const std::string head = c.Read(5);
        return head.size() < 5 ? head : head + c.Read(static_cast<uint8_t>(head[4]) + 2);
    }
    std::string request = c.Read(8);
    request += c.ReadUntil("\0"s);
    if (level == "4A")
        request += c.ReadUntil("\0"s);
    return request;
}

// A socket that asks a SOCKS server on loopback for pics.example:80 and
// records every event, the SOCKS ones as "socks <code> <text>" and "auth <state>".
struct TSocksClient {
    TWSocket s;
    TSocketEventRecorder rec{s};

    TSocksClient(uint16_t serverPort, const std::string& level, const std::string& addr = "pics.example")
    {
        s.OnDataSent = nullptr; // the layer's own requests are sent with Send too
        s.OnSocksError = [this](TCustomWSocket*, int e, const std::string& m) {
            rec.Events.push_back("socks " + std::to_string(e) + " " + m);
        };
        s.OnSocksAuthState = [this](TCustomWSocket*, TSocksAuthState a) {
            rec.Events.push_back(std::string("auth ") + Name(a));
        };
        s.SetSocksServer("127.0.0.1");
        s.SetSocksPort(std::to_string(serverPort));
        s.SetSocksLevel(level);
        s.SetAddr(addr);
        s.SetPort("80");
    }
    // Connects and waits until the socket is connected through or closed again.
    void Run()
    {
        s.Connect();
        ASSERT_TRUE(WaitUntil([&] { return rec.CountPrefix("connected") > 0 && (rec.Has("connected 0") || s.State() == wsClosed); }));
    }
    std::vector<std::string> Failure(int code, const std::string& text) const
    {
        const std::string n = std::to_string(code);
        return {"socks " + n + " " + text, "connected " + n, "closed " + n};
    }
};

struct TReplyCase {
    const char* name;
    std::string level;
    std::string methodReply; // version 5 only
    std::string connectReply;
    int code;
    std::string text;
};

class SocksReplies : public ::testing::TestWithParam<TReplyCase> {};

// Every refusal of a server ends the same way: the error event, the
// user's connected event with the code, and the close.
TEST_P(SocksReplies, RefusalEndsWithErrorConnectedAndClose)
{
    const TReplyCase& c = GetParam();
    TScriptedServer server([&](TScriptedConnection& conn) {
        if (c.level == "5") {
            conn.Read(3);
            conn.Send(c.methodReply);
            if (c.methodReply != "\x05\x00"s)
                return (void)conn.ReadToEnd();
        }
        ReadConnectRequest(conn, c.level);
        conn.Send(c.connectReply);
        conn.ReadToEnd();
    });
    TSocksClient client(server.Port(), c.level, c.level == "4" ? "127.0.0.1" : "pics.example");
    client.Run();
    EXPECT_EQ(client.rec.Events, client.Failure(c.code, c.text));
    EXPECT_EQ(client.s.State(), wsClosed);
    EXPECT_EQ(client.s.SocksServer(), "");
}

TReplyCase Four(const char* name, uint8_t reply, int code, const std::string& text, uint8_t version = 0)
{
    return {name, "4", "", std::string{static_cast<char>(version), static_cast<char>(reply)} + std::string(6, '\0'),
            code, text};
}

TReplyCase Five(const char* name, uint8_t reply, int code, const std::string& text)
{
    return {name, "5", "\x05\x00"s, "\x05"s + static_cast<char>(reply) + "\x00\x01\x00\x00\x00\x00\x00\x00"s, code,
            text};
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SocksReplies,
    ::testing::Values(
        Four("Four91", 91, socksRequestRejected, "request rejected or failed"), Four("Four92", 92, socksConnectionRefused, "connection refused"),
        Four("Four93", 93, socksAuthFailed, "authentification failed"), Four("Four94", 94, socksUnassignedError, "unassigned error #94"),
        Four("FourVersion", 90, socksVersionError, "socks version error", 4),
        Five("Five1", 1, socksGeneralFailure, "general SOCKS server failure"),
        Five("Five2", 2, socksNotAllowed, "connection not allowed by ruleset"), Five("Five3", 3, socksNetworkUnreachable, "network unreachable"),
        Five("Five4", 4, socksHostUnreachable, "host unreachable"), Five("Five5", 5, socksConnectionRefused, "connection refused"),
        Five("Five6", 6, socksTtlExpired, "time to live expired"), Five("Five7", 7, socksCommandNotSupported, "command not supported"),
        Five("Five8", 8, socksAddressTypeNotSupported, "address type not supported"), Five("Five9", 9, socksUnassignedError, "unassigned error #9"),
        TReplyCase{"FiveVersion", "5", "\x05\x00"s, "\x04\x00\x00\x01\x00\x00\x00\x00\x00\x00"s, socksVersionError,
                   "socks version error"},
        TReplyCase{"FiveAddressType", "5", "\x05\x00"s, "\x05\x00\x00\x07\x00\x00\x00\x00\x00\x00"s, socksAddressTypeNotSupported,
                   "address type not supported"},
        TReplyCase{"FiveMethodVersion", "5", "\x04\x00"s, "", socksVersionError, "socks version error"},
        TReplyCase{"FiveNoMethod", "5", "\x05\xFF"s, "", socksMethodRefused, "authentification method not acceptable"}),
    [](const auto& info) { return std::string(info.param.name); });

// Also in line mode, where the reply must not be taken for a line.
TEST(WSocketSocks, ReplyAndUserDataInOneReadReachTheUserAtOnce)
{
    const std::string data = "HTTP/1.0 200 OK\r\n\r\nbody";
    for (const bool lineMode : {false, true}) {
        TScriptedServer server([&](TScriptedConnection& conn) {
            conn.Read(3);
            conn.Send("\x05\x00"s);
            ReadConnectRequest(conn, "5");
            conn.Send("\x05\x00\x00\x03\x0D" "bound.example\x1F\x90"s + data);
            conn.ReadToEnd();
        });
        TSocksClient client(server.Port(), "5");
        client.s.SetLineMode(lineMode);
        client.Run();
        const std::string expected = lineMode ? data.substr(0, data.size() - 4) : data; // "body" ends no line
        EXPECT_TRUE(WaitUntil([&] { return client.rec.Received.size() >= expected.size(); }));
        EXPECT_EQ(client.rec.Received, expected);
        EXPECT_EQ(client.rec.Events, std::vector<std::string>{"connected 0"});
        EXPECT_EQ(client.s.BoundAddr(), "bound.example");
        EXPECT_EQ(client.s.BoundPort(), "8080");
        client.s.Close();
    }
}

struct TCloseCase {
    const char* name;
    std::string level;
    std::function<void(TScriptedConnection&)> script;
    std::vector<std::string> events;
};

class SocksClose : public ::testing::TestWithParam<TCloseCase> {};

TEST_P(SocksClose, ServerGoneInEachStateIsAFailure)
{
    const TCloseCase& c = GetParam();
    TScriptedServer server(c.script);
    TSocksClient client(server.Port(), c.level, "127.0.0.1");
    client.s.SetSocksUsercode("ann");
    client.s.SetSocksPassword("pw");
    client.s.SetSocksAuthentication(socksAuthenticateUsercode);
    client.Run();
    EXPECT_EQ(client.rec.Events, c.events);
}

const std::vector<std::string> kClosed = {"socks 10054 socks server closed the connection", "connected 10054",
                                          "closed 10054"};

std::vector<std::string> WithAuth(std::vector<std::string> events)
{
    events.insert(events.begin(), {"auth authStart", "auth authFailure"});
    return events;
}

INSTANTIATE_TEST_SUITE_P(
    States, SocksClose,
    ::testing::Values(
        TCloseCase{"MethodReply", "5", [](TScriptedConnection& c) { c.Read(3); }, kClosed},
        TCloseCase{"AuthReply", "5",
                   [](TScriptedConnection& c) {
                       c.Read(3);
                       c.Send("\x05\x02"s);
                       c.Read(8);
                   },
                   WithAuth(kClosed)},
        TCloseCase{"FiveConnectReply", "5",
                   [](TScriptedConnection& c) {
                       c.Read(3);
                       c.Send("\x05\x00"s);
                       ReadConnectRequest(c, "5");
                       c.Send("\x05\x00"s);
                   },
                   {"auth authNotRequired", kClosed[0], kClosed[1], kClosed[2]}},
        TCloseCase{"FourConnectReply", "4", [](TScriptedConnection& c) { ReadConnectRequest(c, "4"); }, kClosed},
        TCloseCase{"FourReset", "4",
                   [](TScriptedConnection& c) {
                       ReadConnectRequest(c, "4");
                       c.Reset();
                   },
                   kClosed}),
    [](const auto& info) { return std::string(info.param.name); });

// Version 4 carries an address: a name is looked up on the event loop first.
TEST(WSocketSocks, FourLooksTheNameUpWithoutBlocking)
{
    std::string request;
    TScriptedServer server(
        [&](TScriptedConnection& conn) {
            request = ReadConnectRequest(conn, "4");
            if (!request.empty())
                conn.Send("\x00\x5A\x00\x00\x00\x00\x00\x00"s);
            conn.ReadToEnd();
        },
        2);
    TSocksClient found(server.Port(), "4", "localhost");
    found.Run();
    EXPECT_EQ(found.rec.Events, std::vector<std::string>{"connected 0"});
    EXPECT_EQ(request, "\x04\x01\x00\x50\x7F\x00\x00\x01\x00"s);
    found.s.Close();

    TSocksClient unknown(server.Port(), "4", "no-such-host.invalid");
    unknown.Run();
    EXPECT_EQ(unknown.rec.Events,
              unknown.Failure(socksLookupFailed, "ESocketException WSocketResolveHost: Cannot convert host address "
                                     "'no-such-host.invalid'"));
}

struct TRefusalCase {
    const char* name;
    std::string level, host, user, pass;
    std::string text;
};

class SocksRefusals : public ::testing::TestWithParam<TRefusalCase> {};

// What does not fit a request is refused whole before a byte goes out.
TEST_P(SocksRefusals, NothingIsSent)
{
    const TRefusalCase& c = GetParam();
    std::string received = "none";
    TScriptedServer server([&](TScriptedConnection& conn) { received = conn.ReadToEnd(); });
    TSocksClient client(server.Port(), c.level);
    client.s.SetAddr(c.host);
    client.s.SetSocksUsercode(c.user);
    client.s.SetSocksPassword(c.pass);
    client.s.SetSocksAuthentication(socksAuthenticateUsercode);
    client.Run();
    EXPECT_EQ(client.rec.Events, client.Failure(socksRequestTooLarge, c.text));
    EXPECT_TRUE(WaitUntil([&] { return server.Finished() == 1; }));
    EXPECT_EQ(received, "");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SocksRefusals,
    ::testing::Values(
        TRefusalCase{"LongHost", "5", std::string(256, 'h'), "", "", "socks host name too long"},
        TRefusalCase{"LongHostFourA", "4A", std::string(256, 'h'), "", "", "socks host name too long"},
        TRefusalCase{"LineBreakInHost", "5", "pics.example\r\nX: 1", "", "", "socks host name holds a control character"},
        TRefusalCase{"LongUser", "5", "h", std::string(256, 'u'), "", "socks user code or password too long"},
        TRefusalCase{"LongPassword", "5", "h", "u", std::string(256, 'p'), "socks user code or password too long"},
        TRefusalCase{"ZeroInUserId", "4A", "h", "a\0b"s, "", "socks user code holds a zero byte"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WSocketSocks, OnlyTcpGoesThroughAServer)
{
    TWSocket s;
    s.SetSocksServer("127.0.0.1");
    s.SetSocksPort("1080");
    s.SetAddr("127.0.0.1");
    s.SetPort("80");
    s.SetProto("udp");
    EXPECT_EQ("tcp is the only protocol supported thru socks server", Message([&] { s.Connect(); }));
}

} // namespace
