#include "EngineFixture.h"

namespace {

// The services, the sites and the sources all reached over TLS, trusted
// through the sample web's own CA: the same pictures as over plain HTTP.
TEST_F(EngineSearch, AWholeSearchOverHttpsListsTheSamePicturesAsOverHttp)
{
    const sampleweb::Addresses& secure = web.GetSecureAddresses();
    sampleweb::WriteBaseAddressSettings(dir.File("glimmerscout.ini"), secure, web.CaFile());
    checkLinks = true;
    ASSERT_TRUE(engine.Start("red cars", true));
    const std::string stall = secure.Base(sampleweb::Host::Stall);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const TRequestScheduler& s = probe.Scheduler();
            return s.GetPageQueue.empty() && s.CheckLinkQueue.empty() && s.Pages().empty()
                   && std::all_of(s.Checks().begin(), s.Checks().end(),
                                  [&](const TRunningRequest& r) { return r.Client->URL.rfind(stall, 0) == 0; });
        },
        std::chrono::seconds(90)));
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
    sampleweb::SearchSettings settings;
    const std::vector<sampleweb::ListedPicture> overHttps = sampleweb::Catalogue(secure).Listing(settings);
    EXPECT_EQ(found, overHttps);
    EXPECT_EQ(overHttps.size(), sampleweb::Catalogue(web.GetAddresses()).Listing(settings).size());
    for (const TServiceHealth& h : engine.Health())
        EXPECT_EQ(h.Warning, "");
}

} // namespace
