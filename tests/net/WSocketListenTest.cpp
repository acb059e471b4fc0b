#include "net/SocketEventRecorder.h"
#include "net/WSocket.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// Both sides of an accepted session; Graceful chooses how the client closes:
// the default linger (on, 0 s) resets the connection, linger off ends it in order.
void AcceptedSessionTalksBothWays(bool Graceful)
{
    TWSocket server;
    server.SetAddr("127.0.0.1");
    server.SetPort("0");
    server.Listen();
    ASSERT_EQ(wsListening, server.State());
    const std::string port = server.LocalPortText();
    ASSERT_NE("error", port);
    ASSERT_NE("0", port);

    TWSocket peer;
    TSocketEventRecorder peerRec(peer);
    server.OnSessionAvailable = [&](TCustomWSocket* sender, uint16_t error) {
        EXPECT_EQ(0, error);
        peer.Dup(sender->Accept());
    };

    TWSocket client;
    TSocketEventRecorder clientRec(client);
    client.OnSessionConnected = [](TCustomWSocket* sender, uint16_t) { sender->SendText("hello"); };
    client.SetAddr("127.0.0.1");
    client.SetPort(port);
    if (Graceful)
        client.SetLingerOnOff(wsLingerOff);
    client.Connect();

    ASSERT_TRUE(WaitUntil([&] { return peerRec.Received == "hello"; }));
    EXPECT_EQ(wsConnected, peer.State());
    EXPECT_EQ("127.0.0.1", peer.PeerAddress());
    peer.SendText("world");
    ASSERT_TRUE(WaitUntil([&] { return clientRec.Received == "world"; }));
    client.Close();
    ASSERT_TRUE(WaitUntil([&] { return peer.State() == wsClosed; }));
    EXPECT_EQ(1, peerRec.CountPrefix("closed"));
    EXPECT_EQ(Graceful ? "closed 0" : "closed 10054", peerRec.Events.back());
    EXPECT_EQ(wsListening, server.State());
}

}

TEST(WSocketListen, AcceptedSessionTalksBothWaysAndEndsInOrder) { AcceptedSessionTalksBothWays(true); }

TEST(WSocketListen, AcceptedSessionEndsWithAResetByDefault) { AcceptedSessionTalksBothWays(false); }

TEST(WSocketListen, MisuseIsReported)
{
    TWSocket s;
    try {
        s.Accept();
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_STREQ("Error 10022 in function not a listening socket\r\nInvalid argument", e.what());
    }
    try {
        s.Listen();
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_STREQ("Error 10022 in function listen: port not assigned\r\nInvalid argument", e.what());
    }
    EXPECT_EQ("error", s.PeerAddress());
    EXPECT_EQ("error", s.LocalPortText());
    int errors = 0;
    s.OnError = [&](TCustomWSocket*) { ++errors; };
    EXPECT_EQ(INVALID_SOCKET, s.Accept());
    EXPECT_EQ(1, errors);
}

TEST(WSocketListen, DatagramRoundTrip)
{
    TWSocket server;
    TSocketEventRecorder serverRec(server);
    server.SetProto("udp");
    server.SetAddr("127.0.0.1");
    server.SetPort("0");
    server.Listen();
    EXPECT_EQ(wsConnected, server.State());
    EXPECT_TRUE(serverRec.Has("connected 0"));
    server.OnDataAvailable = [&](TCustomWSocket* sender, uint16_t) {
        char buffer[100];
        sockaddr_in from{};
        int fromLen = sizeof from;
        const int n = sender->ReceiveFrom(buffer, sizeof buffer, from, fromLen);
        if (n <= 0)
            return;
        serverRec.Received.append(buffer, static_cast<size_t>(n));
        sender->SendTo(from, fromLen, "pong", 4);
    };

    TWSocket client;
    TSocketEventRecorder clientRec(client);
    client.SetProto("udp");
    client.SetAddr("127.0.0.1");
    client.SetPort(server.LocalPortText());
    client.Connect();
    EXPECT_EQ(wsConnected, client.State()); // datagrams connect at once
    EXPECT_TRUE(clientRec.Has("connected 0"));
    EXPECT_EQ(4, client.SendText("ping"));
    ASSERT_TRUE(WaitUntil([&] { return clientRec.Received == "pong"; }));
    EXPECT_EQ("ping", serverRec.Received);
}
