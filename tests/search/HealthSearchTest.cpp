#include "EngineFixture.h"

#include "platform/TickCount.h"
#include "sampleweb/certificates/Certificates.h"
#include "support/net/HttpPeers.h"
#include "sampleweb/Content.h"
#include "support/Loopback.h"

namespace {

using sampleweb::Host;

// A search of the sample web reads every result page of every service.
THealth NormalHealth()
{
    const sampleweb::ServiceResults& r = sampleweb::Results();
    const auto pictures = [](const std::vector<std::vector<std::string>>& pages) {
        uint64_t n = 0;
        for (const auto& page : pages)
            n += page.size();
        return n;
    };
    THealth health;
    health[0] = {1, pictures(r.hotBotLines), ""};
    health[1] = {1, r.lycosPages.size(), ""};
    // Each page but the last links to the next one.
    health[2] = {r.scourNetPages.size(), pictures(r.scourNetPages) + r.scourNetPages.size() - 1, ""};
    health[3] = {r.imagesDirectPages.size(), pictures(r.imagesDirectPages) + r.imagesDirectPages.size() - 1, ""};
    return health;
}

void ExpectHealth(const THealth& got, const THealth& want)
{
    for (int i = 0; i < ServiceCount; ++i) {
        EXPECT_EQ(got[i].Pages, want[i].Pages) << Services[i].Name;
        EXPECT_EQ(got[i].Links, want[i].Links) << Services[i].Name;
        EXPECT_EQ(got[i].Warning, want[i].Warning) << Services[i].Name;
    }
}

TEST_F(EngineSearch, ANormalSearchCountsEveryServiceAndWarnsOfNone)
{
    Run("red cars", true);
    ExpectHealth(engine.Health(), NormalHealth());
}

// Started and reaped as soon as there is room, the same pages are read and
// counted and the same pictures listed.
TEST_F(EngineSearch, ABroadbandSearchReadsCountsAndListsAsTheOthers)
{
    settings->WriteBool("Options", "Broadband", true);
    checkLinks = true;
    Run("red cars", true);
    ExpectHealth(engine.Health(), NormalHealth());
    EXPECT_EQ(found, sampleweb::Catalogue(web.GetAddresses()).Listing({}));
}

TEST_F(EngineSearch, AChangedPageFormatWarnsForThatServiceAlone)
{
    settings->WriteString("Options", "ScourNetBaseAddress", web.GetAddresses().Base(Host::ScourNet) + "/changed");
    Run("red cars", true);
    THealth want = NormalHealth();
    want[2] = {1, 0, FormatChangedWarning};
    ExpectHealth(engine.Health(), want);
}

TEST_F(EngineSearch, AServiceOnAClosedPortShowsItsError)
{
    settings->WriteString("Options", "HotBotBaseAddress", "http://127.0.0.1:" + std::to_string(FreeLoopbackPort()));
    Run("red cars", true);
    const THealth health = engine.Health();
    EXPECT_EQ(health[0].Pages, 0u);
    EXPECT_NE(health[0].Warning.find("refused"), std::string::npos) << health[0].Warning;
    for (int i = 1; i < ServiceCount; ++i)
        EXPECT_EQ(health[i].Warning, "") << Services[i].Name;
}

TEST_F(EngineSearch, AServiceThatNeverAnswersShowsTheTimeOut)
{
    settings->WriteString("Options", "HotBotBaseAddress", web.GetAddresses().Base(Host::Stall));
    ASSERT_TRUE(engine.Start("red cars", true));
    const TRequestScheduler& s = probe.Scheduler();
    ASSERT_TRUE(WaitUntil([&] { return s.Pages().size() == 1 && s.GetPageQueue.empty(); },
                          std::chrono::seconds(30)));
    SetTickCountOffset(TickCountOffset() + 31000);
    const bool reaped = WaitUntil([&] { return probe.Scheduler().Pages().empty(); });
    SetTickCountOffset(0);
    ASSERT_TRUE(reaped);
    EXPECT_EQ(engine.Health()[0].Warning, "no answer within 30 s");
}

TEST_F(EngineSearch, AServiceBehindACertificateNotTrustedShowsWhy)
{
    TempDir tlsDir;
    const certificates::Identity leaf = certificates::MakeLeaf({"127.0.0.1"}, nullptr);
    certificates::WritePem(tlsDir.File("site.crt"), leaf.CertificatePem);
    certificates::WritePem(tlsDir.File("site.key"), leaf.KeyPem);
    TNginx nginx(tlsDir.Path(), {{tlsDir.File("site.crt"), tlsDir.File("site.key")}});
    if (!nginx.Running())
        GTEST_SKIP() << "nginx is not available";
    settings->WriteString("Options", "HotBotBaseAddress", nginx.TlsUrl(0, ""));
    Run("red cars", true);
    EXPECT_EQ(engine.Health()[0].Pages, 0u);
    EXPECT_EQ(engine.Health()[0].Warning, "TLS: self-signed certificate");
}

TEST_F(EngineSearch, AServiceThatStallsTheTlsHandshakeShowsTheTimeOut)
{
    const std::string stall = web.GetAddresses().Base(Host::Stall);
    settings->WriteString("Options", "HotBotBaseAddress", "https" + stall.substr(4));
    ASSERT_TRUE(engine.Start("red cars", true));
    ASSERT_TRUE(WaitUntil([&] {
        const auto& pages = probe.Scheduler().Pages();
        return std::any_of(pages.begin(), pages.end(), [](const TRunningRequest& r) { return r.Client->TlsHandshaking(); });
    }, std::chrono::seconds(30)));
    SetTickCountOffset(TickCountOffset() + 31000);
    const bool reaped = WaitUntil([&] { return probe.Scheduler().Pages().empty(); });
    SetTickCountOffset(0);
    ASSERT_TRUE(reaped);
    EXPECT_EQ(engine.Health()[0].Warning, "TLS: handshake time-out");
}

} // namespace
