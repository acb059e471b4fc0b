#pragma once
#include "cli/CliSearch.h"
#include "platform/IniFile.h"
#include "platform/TickCount.h"
#include "search/EngineProbe.h"
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

// A command-line search in this process against the sample web, which its
// settings file points at; the engine's timers at fifty times the pace.
class CliSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        web.Start();
        sampleweb::WriteBaseAddressSettings(ini, web.GetAddresses());
    }
    void TearDown() override
    {
        search.reset();
        SetTickCountOffset(0);
        web.Stop();
    }

    // A search for "red cars" unless the options name a phrase.
    void Begin(TCliOptions options)
    {
        if (options.Phrase.empty())
            options.Phrase = "red cars";
        options.SettingsFile = ini;
        out.str("");
        err.str("");
        search = std::make_unique<TCliSearch>(options, out, err, false);
        for (QTimer* t : TEngineProbe(search->Engine).Timers().All())
            t->setInterval(t->interval() / 50);
        ASSERT_TRUE(search->Start()) << err.str();
    }

    // Runs to the end. The check of the stalling host ends only by its
    // time-out: once it is all that runs (no download either, which the
    // jump would cut), the clock jumps past it.
    bool RunToEnd()
    {
        const TRequestScheduler& s = TEngineProbe(search->Engine).Scheduler();
        const std::string stall = web.GetAddresses().Base(sampleweb::Host::Stall);
        const auto onlyStalling = [&] {
            return s.GetPageQueue.empty() && s.CheckLinkQueue.empty() && s.Pages().empty()
                   && std::all_of(s.Checks().begin(), s.Checks().end(),
                                  [&](const TRunningRequest& r) { return r.Client->URL.starts_with(stall); })
                   && !(search->Save() && search->Save()->Busy());
        };
        if (!WaitUntil([&] { return search->Finished() || onlyStalling(); }, std::chrono::seconds(90)))
            return false;
        SetTickCountOffset(TickCountOffset() + TRequestScheduler::RequestTimeout + 1000);
        const bool ended = WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(30));
        SetTickCountOffset(0);
        return ended;
    }

    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // The lines printed, text or JSON, as result rows sorted as the catalogue sorts them.
    std::vector<sampleweb::ListedPicture> Printed() const
    {
        std::vector<sampleweb::ListedPicture> rows;
        for (const std::string& line : Lines(out.str())) {
            const size_t tab = line.find('\t');
            if (!line.starts_with("{")) {
                rows.push_back({line.substr(tab + 1), line.substr(0, tab)});
                continue;
            }
            QJsonParseError error{};
            const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
            const std::string url = o["url"].toString().toStdString();
            EXPECT_EQ(o["name"].toString().toStdString(), url.substr(url.rfind('/') + 1));
            rows.push_back({url, o["size"].isNull() ? "UNKNOWN" : std::to_string(o["size"].toInteger())});
        }
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
        return rows;
    }

    std::vector<sampleweb::ListedPicture> Expected(bool checkLinks, bool recursive) const
    {
        return sampleweb::Catalogue(web.GetAddresses()).Listing({checkLinks, recursive, {}});
    }

    sampleweb::SampleWeb web;
    TempDir dir;
    std::string ini = dir.File("glimmerscout.ini");
    std::ostringstream out, err;
    std::unique_ptr<TCliSearch> search;
};
