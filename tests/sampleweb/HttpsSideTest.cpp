#include "RawHttp.h"

#include "sampleweb/SampleWeb.h"

#include <httplib.h>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace sampleweb;

namespace {

// The base address as a query value carries it.
std::string Escaped(const std::string& base)
{
    std::string out;
    for (const char c : base)
        out += c == ':' ? std::string("%3A") : c == '/' ? std::string("%2F") : std::string(1, c);
    return out;
}

// The plain answer with every plain base address, as it is or escaped, made the TLS one.
std::string OverTls(std::string text, const Addresses& plain, const Addresses& secure)
{
    std::vector<std::pair<std::string, std::string>> swaps;
    for (int i = 0; i < HostCount; ++i) {
        const Host host = static_cast<Host>(i);
        swaps.emplace_back(plain.Base(host), secure.Base(host));
        swaps.emplace_back(Escaped(plain.Base(host)), Escaped(secure.Base(host)));
    }
    // Longer ports first: "…:4000" must not match inside "…:40001".
    std::sort(swaps.begin(), swaps.end(), [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [from, to] : swaps)
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    return text;
}

TEST(SampleWebHttps, EveryHostAnswersOverTlsAsOverHttpAndItsLinksStayOnTls)
{
    SampleWeb web;
    web.Start();
    const Addresses& plain = web.GetAddresses();
    const Addresses& secure = web.GetSecureAddresses();
    const std::pair<Host, const char*> cases[] = {
        {Host::SiteA, "/gallery/index.html"},
        {Host::SiteB, "/stock/boat-45000.jpg"},
        {Host::HotBot, "/?MT=red"},
        {Host::Commons, "/w/api.php?action=query&gsrsearch=red"},
        {Host::Openverse, "/v1/images/?q=red&page=1"},
    };
    for (const auto& [host, path] : cases) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(secure.Base(host).starts_with("https://127.0.0.1:"));
        const RawAnswer expected = RawGet(plain.Base(host) + path);
        httplib::SSLClient client("127.0.0.1", secure.Port(host));
        client.set_ca_cert_path(web.CaFile().c_str());
        client.enable_server_certificate_verification(true);
        const httplib::Result got = client.Get(path);
        ASSERT_TRUE(got) << httplib::to_string(got.error());
        EXPECT_EQ(got->status, expected.status);
        EXPECT_EQ(got->body, OverTls(expected.body, plain, secure));
    }
}

TEST(SampleWebHttps, OnlyItsOwnCaIsTrustedAndItGoesWithTheWeb)
{
    std::string caFile;
    {
        SampleWeb web;
        web.Start();
        caFile = web.CaFile();
        EXPECT_TRUE(std::filesystem::exists(caFile));
        httplib::SSLClient client("127.0.0.1", web.GetSecureAddresses().Port(Host::SiteA));
        client.enable_server_certificate_verification(true);
        client.set_ca_cert_path("/dev/null");
        EXPECT_FALSE(client.Get("/gallery/index.html"));
    }
    EXPECT_FALSE(std::filesystem::exists(caFile));
}

} // namespace
