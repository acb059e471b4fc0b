#pragma once
#include "core/SearchSink.h"

#include <map>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

// A search sink that writes down every call, keeps FoundFiles like the
// result list does, and can fail its n-th queue or list call.
class TSinkRecorder : public TSearchSink {
public:
    bool CheckLinks = false;
    bool Recursive = false;
    TPictureTypes Types = TPictureTypes::JpegOnly();
    int FailAtCall = -1;   // 0-based count of queue and list calls
    std::string FailKind;  // when set, only calls of this name are counted
    mutable std::vector<std::string> Calls;   // IsFound is recorded too

    void QueuePageFetch(const std::string& url, EngineCode engineCode) override
    {
        Record("QueuePageFetch " + url + " " + std::to_string(engineCode));
    }
    void QueueLinkCheck(const std::string& url) override { Record("QueueLinkCheck " + url); }
    void AddToListView(const std::string& url, TPictureSize size) override
    {
        Record("AddToListView " + url + " " + std::to_string(size.Bytes()));
        FFound.insert(Lower(url));
    }
    bool IsFound(const std::string& url) const override
    {
        Calls.push_back("IsFound " + url);
        return FFound.count(Lower(url)) > 0;
    }
    bool CheckLinksTicked() const override { return CheckLinks; }
    bool RecursiveSearchActive() const override { return Recursive; }
    TPictureTypes PictureTypes() const override { return Types; }
    std::string LycosBaseAddress() const override { return {}; }
    std::string ScourNetBaseAddress() const override { return {}; }

    // The calls other than IsFound.
    std::vector<std::string> Results() const
    {
        std::vector<std::string> results;
        for (const std::string& call : Calls)
            if (call.rfind("IsFound ", 0) != 0)
                results.push_back(call);
        return results;
    }

    // What the window ends with: the calls each of its queues and its list
    // got, in order. The two queues and the list do not meet, so how their
    // calls interleave changes nothing; FoundFiles lookups change nothing
    // either.
    std::map<std::string, std::vector<std::string>> Received() const
    {
        std::map<std::string, std::vector<std::string>> received;
        for (const std::string& call : Results())
            received[call.substr(0, call.find(' '))].push_back(call);
        return received;
    }

private:
    static std::string Lower(std::string s)
    {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        return s;
    }
    void Record(std::string call)
    {
        const bool counted = FailKind.empty() || call.rfind(FailKind + " ", 0) == 0;
        const bool fail = counted && FMutations++ == FailAtCall;
        Calls.push_back(std::move(call) + (fail ? " (failed)" : ""));
        if (fail)
            throw std::runtime_error("sink failure");
    }

    std::unordered_set<std::string> FFound;
    int FMutations = 0;
};
