#include "EndToEndFixture.h"

#include "support/net/HttpPeers.h"
#include "support/net/SocksPeers.h"

namespace {

// The proxies' own connections leave from 127.0.0.2: a request that came
// from anywhere else did not go through them.
const char* const kProxySide = "127.0.0.2";

class ProxySearch : public EndToEnd {
protected:
    void SearchAndCompare()
    {
        Search(true, true);
        ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(90)));
        EXPECT_EQ(Listed(), Expected(true, true));
        EXPECT_EQ(web.RequestSources(), std::set<std::string>{kProxySide});
    }
};

TEST_F(ProxySearch, EverySearchRequestGoesThroughTheSocksServer)
{
    TMicrosocks socks("ann", "secret", kProxySide);
    if (!socks.Running())
        GTEST_SKIP() << "microsocks is not available";
    settings->WriteString("Options", "SocksServer", "127.0.0.1");
    settings->WriteString("Options", "SocksPort", std::to_string(socks.Port()));
    settings->WriteString("Options", "SocksUsercode", "ann");
    settings->WriteString("Options", "SocksPassword", "secret");
    SearchAndCompare();
}

TEST_F(ProxySearch, EverySearchRequestGoesThroughTheHttpProxy)
{
    TTinyproxy proxy(dir.Path(), kProxySide);
    if (!proxy.Running())
        GTEST_SKIP() << "tinyproxy is not available";
    settings->WriteString("Options", "ProxyServer", "127.0.0.1");
    settings->WriteString("Options", "ProxyPort", std::to_string(proxy.Port()));
    SearchAndCompare();
}

} // namespace
