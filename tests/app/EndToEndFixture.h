#pragma once
#include "FormFixture.h"

#include "net/HttpCli.h"
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"

#include <QCheckBox>
#include <QLineEdit>
#include "controls/ResultList.h"
#include <algorithm>

// The main window searching the sample web, which its settings point at.
class EndToEnd : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        web.Start();
        sampleweb::WriteBaseAddressSettings(dir.File("glimmerscout.ini"), web.GetAddresses());
        CreateForms(false);
        // Fifty times the pace: every tick does what it always does, only sooner.
        for (QTimer* t : SchedulerTimers())
            t->setInterval(t->interval() / 50);
    }
    void TearDown() override
    {
        FormFixture::TearDown();
        web.Stop();
    }

    void Search(bool checkLinks, bool recursive)
    {
        form->CheckBox_CheckLinks->setChecked(checkLinks);
        form->CheckBox_RecursiveSearch->setChecked(recursive);
        form->PhraseEdit->setText("red cars");
        form->SearchButtonClick();
    }

    std::vector<sampleweb::ListedPicture> Listed() const
    {
        std::vector<sampleweb::ListedPicture> rows;
        for (int i = 0; i < form->ResultList->RowCount(); ++i)
            rows.push_back(sampleweb::ListedPicture{form->Engine.FoundFiles()[static_cast<size_t>(i)],
                            form->ResultList->Text(i, 1).toStdString()});
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
        return rows;
    }

    // Nothing waits and nothing runs but the checks stuck on the stalling host.
    bool Settled() const
    {
        const std::string stall = web.GetAddresses().Base(sampleweb::Host::Stall);
        const TRequestScheduler& s = TEngineProbe(form->Engine).Scheduler();
        return s.GetPageQueue.empty() && s.CheckLinkQueue.empty() && s.Pages().empty()
               && std::all_of(s.Checks().begin(), s.Checks().end(),
                              [&](const TRunningRequest& r) { return r.Client->URL.rfind(stall, 0) == 0; });
    }

    std::vector<sampleweb::ListedPicture> Expected(bool checkLinks, bool recursive) const
    {
        sampleweb::SearchSettings s;
        s.checkLinks = checkLinks;
        s.recursive = recursive;
        return sampleweb::Catalogue(web.GetAddresses()).Listing(s);
    }

    sampleweb::SampleWeb web;
};
