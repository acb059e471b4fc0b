#pragma once
#include "core/SearchSink.h"
#include <stdexcept>
#include <string>
#include <vector>

// Records what scrapers hand on, one readable entry per call:
// "page <code> <url>", "check <url>", "list <url> <size>".
class TRecordingSink : public TSearchSink {
public:
    std::vector<std::string> Calls;
    bool CheckLinks = false;
    // Throws when this many calls have been recorded (0: never).
    size_t FailAfter = 0;
    std::string Lycos = "http://lycos.test";
    std::string ScourNet = "http://scour.test";

    void QueuePageFetch(const std::string& url, EngineCode engineCode) override
    {
        Record("page " + std::to_string(engineCode) + " " + url);
    }
    void QueueLinkCheck(const std::string& url) override { Record("check " + url); }
    void AddToListView(const std::string& url, TPictureSize size) override
    {
        Record("list " + url + " " + std::to_string(size.Bytes()));
    }
    bool IsFound(const std::string&) const override { return false; }
    bool CheckLinksTicked() const override { return CheckLinks; }
    bool RecursiveSearchActive() const override { return false; }
    std::string LycosBaseAddress() const override { return Lycos; }
    std::string ScourNetBaseAddress() const override { return ScourNet; }

private:
    void Record(std::string call)
    {
        if (FailAfter && Calls.size() == FailAfter)
            throw std::runtime_error("sink failure");
        Calls.push_back(std::move(call));
    }
};
