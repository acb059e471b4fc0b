#pragma once
#include "core/SearchSink.h"

#include <cstdint>

// Passes everything on to the search and counts the links handed to it:
// what a service's result page yielded.
class TCountingSink : public TSearchSink {
public:
    TCountingSink(TSearchSink& search, uint64_t& links) : FSearch(search), FLinks(links) {}

    void QueuePageFetch(const std::string& url, EngineCode engineCode) override
    {
        ++FLinks;
        FSearch.QueuePageFetch(url, engineCode);
    }
    void QueueLinkCheck(const std::string& url) override
    {
        ++FLinks;
        FSearch.QueueLinkCheck(url);
    }
    void QueuePageFetchTimes(const std::string& url, EngineCode engineCode, uint64_t times) override
    {
        FLinks += times;
        FSearch.QueuePageFetchTimes(url, engineCode, times);
    }
    void QueueLinkCheckTimes(const std::string& url, uint64_t times) override
    {
        FLinks += times;
        FSearch.QueueLinkCheckTimes(url, times);
    }
    void AddToListView(const std::string& url, TPictureSize size) override
    {
        ++FLinks;
        FSearch.AddToListView(url, size);
    }
    bool IsFound(const std::string& url) const override { return FSearch.IsFound(url); }
    bool CheckLinksTicked() const override { return FSearch.CheckLinksTicked(); }
    bool RecursiveSearchActive() const override { return FSearch.RecursiveSearchActive(); }
    TPictureTypes PictureTypes() const override { return FSearch.PictureTypes(); }
    std::string LycosBaseAddress() const override { return FSearch.LycosBaseAddress(); }
    std::string ScourNetBaseAddress() const override { return FSearch.ScourNetBaseAddress(); }

private:
    TSearchSink& FSearch;
    uint64_t& FLinks;
};
