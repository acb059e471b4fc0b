#pragma once
#include "FormFixture.h"

#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"

#include "controls/ResultList.h"
#include <filesystem>

// The main window with its options and download windows, rows of sample
// web pictures in the result list, and a save folder of the test's own.
class PictureWork : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        web.Start();
        CreateForms();
        // A program folder of the test's own: the loading picture and the scratch folder.
        std::filesystem::create_directory(dir.File("program"));
        std::filesystem::copy_file(GS_PROGRAM_DIR "/loading.bmp", dir.File("program/loading.bmp"));
        form->DataFolder = dir.File("program");
        form->ScratchFolder = dir.File("program/slideshow/");
        form->HistoryFile = dir.File("program/saved-pictures.txt");
        options = &program->options;
        download = &program->download;
        TEngineProbe(form->Engine).SetActive(true);
    }
    void TearDown() override
    {
        FormFixture::TearDown();
        web.Stop();
    }

    std::string Url(sampleweb::Host host, const std::string& path) const
    {
        return web.GetAddresses().Base(host) + path;
    }
    // Adds the URLs as result rows and selects them all.
    void ListAndSelect(const std::vector<std::string>& urls)
    {
        for (const std::string& url : urls) {
            const int before = form->ResultList->RowCount();
            form->Engine.AddToListView(url, {});
            form->ResultList->SelectRow(before);
        }
    }
    std::string Bytes(const std::string& url) const
    {
        return sampleweb::Catalogue(web.GetAddresses()).PictureBytes(url);
    }

    sampleweb::SampleWeb web;
    Tfrm_Options* options = nullptr;
    Tfrm_Download* download = nullptr;
};
