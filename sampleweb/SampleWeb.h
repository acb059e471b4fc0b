#pragma once
#include "sampleweb/Hosts.h"

#include <memory>

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

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

} // namespace sampleweb
