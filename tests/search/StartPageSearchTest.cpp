#include "EngineFixture.h"

namespace {

using sampleweb::Host;

// The page is read as a service would have listed it, with the search's
// recursion and check settings; no service is asked.
TEST_F(EngineSearch, AnHttpPhraseListsThePicturesOfThatPage)
{
    const std::string page = web.GetAddresses().Base(Host::SiteA) + "/gallery/index.html";
    sampleweb::SearchSettings checked, unchecked, flat;
    unchecked.checkLinks = flat.checkLinks = false;
    flat.recursive = false;
    const sampleweb::Catalogue catalogue(web.GetAddresses());
    ASSERT_LT(catalogue.StartPageListing(page, flat).size(), catalogue.StartPageListing(page, unchecked).size());
    for (const auto& s : {checked, unchecked, flat}) {
        found.clear();
        checkLinks = s.checkLinks;
        Run(" HTTP" + page.substr(4), s.recursive);
        EXPECT_EQ(found, catalogue.StartPageListing(page, s)) << "recursive " << s.recursive << " checked " << s.checkLinks;
        EXPECT_EQ(engine.SearchDirName(), "127.0.0.1");
        for (const TServiceHealth& h : engine.Health())
            EXPECT_EQ(h.Pages, 0u);
        engine.Abort();
    }
}

} // namespace
