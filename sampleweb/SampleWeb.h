#pragma once
#include "sampleweb/Hosts.h"

#include <chrono>
#include <memory>
#include <set>
#include <string>

namespace sampleweb {

// The sample web: the three search services and the sites on free ports of
// 127.0.0.1, each served from background threads, plus the stalling host.
class SampleWeb {
public:
    SampleWeb();
    ~SampleWeb();
    SampleWeb(const SampleWeb&) = delete;
    SampleWeb& operator=(const SampleWeb&) = delete;

    // Once per object. Throws std::runtime_error when a port cannot be had.
    void Start();
    // Ends every connection; safe to call twice.
    void Stop();

    const Addresses& GetAddresses() const;
    // The addresses requests came from (how a test sees that they went through a proxy).
    std::set<std::string> RequestSources() const;
    // When the latest answer was written out (the clock's epoch before the first).
    std::chrono::steady_clock::time_point LastAnswered() const;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

} // namespace sampleweb
