#pragma once
#include "net/HttpCli.h"
#include "platform/IniFile.h"
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"
#include "search/EngineProbe.h"
#include "search/SearchEngine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

// The search engine alone, searching the sample web its settings point at.
class EngineSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        web.Start();
        sampleweb::WriteBaseAddressSettings(dir.File("glimmerscout.ini"), web.GetAddresses());
        settings = std::make_unique<TIniFile>(dir.File("glimmerscout.ini"));
        engine.UseSettings(*settings);
        engine.SetCheckLinks([this] { return checkLinks; });
        engine.OnFound.Listen([this](const std::string& url, TPictureSize size) {
            found.push_back({url, size.Known() ? std::to_string(size.Bytes()) : "UNKNOWN"});
        });
        // Fifty times the pace: every tick does what it always does, only sooner.
        for (QTimer* t : probe.Timers().All())
            t->setInterval(t->interval() / 50);
    }

    // Runs a search until nothing waits (a source's page held for its host
    // included) and nothing runs but the checks stuck on the stalling host.
    void Run(const std::string& phrase, bool recursive)
    {
        ASSERT_TRUE(engine.Start(phrase, recursive));
        const std::string stall = web.GetAddresses().Base(sampleweb::Host::Stall);
        ASSERT_TRUE(WaitUntil(
            [&] {
                const TRequestScheduler& s = probe.Scheduler();
                return s.GetPageQueue.empty() && s.CheckLinkQueue.empty() && s.Pages().empty() && probe.HeldPages() == 0
                       && std::all_of(s.Checks().begin(), s.Checks().end(), [&](const TRunningRequest& r) {
                              return r.Client->URL.rfind(stall, 0) == 0;
                          });
            },
            std::chrono::seconds(90)));
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
    }

    // The place of a source in the engine's list, or -1.
    int Index(const char* shortName) const
    {
        const std::vector<TSource>& list = engine.SourceList();
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].ShortName == shortName)
                return static_cast<int>(i);
        return -1;
    }

    sampleweb::SampleWeb web;
    TempDir dir;
    std::unique_ptr<TIniFile> settings;
    TSearchEngine engine;
    TEngineProbe probe{engine};
    bool checkLinks = false;
    std::vector<sampleweb::ListedPicture> found;
};
