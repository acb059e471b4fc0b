#include "support/net/ScriptedServer.h"
#include "net/SocketErrorMessage.h"
#include "net/WSocket.h"
#include "platform/TickCount.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <gtest/gtest.h>

TEST(WSocketSocks, SettingsAreCheckedAndClearedByClose)
{
    TScriptedServer server([](TScriptedConnection& c) { c.ReadToEnd(); });
    TWSocket s;
    EXPECT_EQ("5", s.SocksLevel());
    EXPECT_EQ("Invalid socks level. Must be 4, 4A or 5.", Message([&] { s.SetSocksLevel("6"); }));
    s.SetSocksLevel("4a");
    EXPECT_EQ("4A", s.SocksLevel());
    s.SetSocksServer(" proxy ");
    EXPECT_EQ("proxy", s.SocksServer());
    EXPECT_EQ("listening is not supported thru socks server", Message([&] { s.Listen(); }));
    s.SetSocksServer("");
    s.SetAddr("127.0.0.1");
    s.SetPort(server.PortText());
    s.Connect(); // no server: straight through
    EXPECT_EQ("Can't change socks server if not closed", Message([&] { s.SetSocksServer("x"); }));
    EXPECT_EQ("Can't change socks port if not closed", Message([&] { s.SetSocksPort("1080"); }));
    EXPECT_EQ("Can't change socks level if not closed", Message([&] { s.SetSocksLevel("4"); }));
    ASSERT_TRUE(WaitUntil([&] { return s.State() == wsConnected; }));
    s.Close();
    EXPECT_EQ("", s.SocksServer());
    EXPECT_EQ("", s.SocksPort());
    EXPECT_EQ("5", s.SocksLevel());
}

TEST(WSocketSync, RunAndWaitPumpsUntilTheFlagIsSet)
{
    TScriptedServer server([](TScriptedConnection& c) { c.ReadToEnd(); });
    TWSocket s;
    bool connected = false;
    s.OnSessionConnected = [&](TCustomWSocket*, uint16_t) { connected = true; };
    s.SetAddr("127.0.0.1");
    s.SetPort(server.PortText());
    EXPECT_EQ(0, s.RunAndWait(connected, [&] { s.Connect(); }));
    EXPECT_EQ(wsConnected, s.State());
    s.Close();
}

TEST(WSocketSync, WaitEndsWhenTheTimeLimitHasPassed)
{
    TWSocket s;
    s.SetTimeout(1000);
    const uint32_t offset = TickCountOffset();
    QTimer::singleShot(0, [offset] { SetTickCountOffset(offset + 1500); });
    const bool never = false;
    EXPECT_EQ(TCustomSyncWSocket::WaitTimedOut, s.WaitForFlag(never));
    SetTickCountOffset(offset);
}
