#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>

// Runs calls that may hang (a dead network mount) on a helper thread and
// waits for them a bounded time. A late call keeps running detached; while
// it does, further calls with its key fail at once, so a dead mount costs
// one wait and one thread, not one per call. Work must only touch what its
// function object owns.
class TDeadlineGate {
public:
    explicit TDeadlineGate(std::chrono::milliseconds limit) : FLimit(limit) {}
    void SetLimit(std::chrono::milliseconds limit) { FLimit = limit; }
    // True when the work finished in time.
    bool Run(const std::string& key, std::function<void()> work);
    bool Busy(const std::string& key) const;

private:
    struct TLate {
        std::mutex Lock;
        std::set<std::string> Keys;
    };
    std::chrono::milliseconds FLimit;
    std::shared_ptr<TLate> FLate = std::make_shared<TLate>();
};
