#include "support/net/ScriptedServer.h"
#include "net/WSocket.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
struct TLineClient {
    TWSocket S;
    std::vector<std::string> Lines;
    int ReadSize = 4096;

    explicit TLineClient(const std::string& port)
    {
        S.SetLineMode(true);
        S.OnDataAvailable = [this](TCustomWSocket* sender, uint16_t) {
            char buffer[4096];
            const int n = sender->Receive(buffer, ReadSize);
            if (n <= 0)
                return;
            if (Lines.empty() || Lines.back().ends_with(S.LineEnd()) || Lines.back() == "|")
                Lines.emplace_back();
            Lines.back().append(buffer, static_cast<size_t>(n));
        };
        S.OnSessionClosed = [this](TCustomWSocket*, uint16_t) { Lines.push_back("closed"); };
        S.SetAddr("127.0.0.1");
        S.SetPort(port);
    }
};
}

TEST(WSocketLine, EachLineIsOneEventAndTheRestComesBeforeTheClose)
{
    TScriptedServer server([](TScriptedConnection& c) { c.Send("one\r\ntwo\r\n\r\nabc"); });
    TLineClient client(server.PortText());
    client.S.Connect();
    ASSERT_TRUE(WaitUntil([&] { return !client.Lines.empty() && client.Lines.back() == "closed"; }));
    EXPECT_EQ((std::vector<std::string>{"one\r\n", "two\r\n", "\r\n", "abc", "closed"}), client.Lines);
}

TEST(WSocketLine, ALineReadInPiecesKeepsItsOrder)
{
    TScriptedServer server([](TScriptedConnection& c) { c.Send("first line\r\nsecond\r\n"); });
    TLineClient client(server.PortText());
    client.ReadSize = 3;
    client.S.Connect();
    ASSERT_TRUE(WaitUntil([&] { return !client.Lines.empty() && client.Lines.back() == "closed"; }));
    EXPECT_EQ((std::vector<std::string>{"first line\r\n", "second\r\n", "closed"}), client.Lines);
}

TEST(WSocketLine, BytesHeldWhenLineModeEndsAreHandedOutInOrder)
{
    TScriptedServer server([](TScriptedConnection& c) {
        c.Send("x\r\npartial");
        c.ReadToEnd();
    });
    TLineClient client(server.PortText());
    client.S.Connect();
    ASSERT_TRUE(WaitUntil([&] { return client.Lines == std::vector<std::string>{"x\r\n"}; }));
    client.S.SetLineMode(false);
    ASSERT_TRUE(WaitUntil([&] { return client.Lines.size() == 2; }));
    EXPECT_EQ("partial", client.Lines.back());
    client.S.Close();
}

TEST(WSocketLine, EditingAppliesBackspaceAndTabs)
{
    TScriptedServer server([](TScriptedConnection& c) { c.Send("ab\bc\td\r\n"); });
    TLineClient client(server.PortText());
    client.S.SetLineEdit(true);
    client.S.Connect();
    ASSERT_TRUE(WaitUntil([&] { return !client.Lines.empty() && client.Lines.back() == "closed"; }));
    EXPECT_EQ("ac      d\r\n", client.Lines.front());
}
